// Compiler-style text: each block's values on one line (and a line per list), then its findings as
// "file:line: severity: message" with the input line beneath, and a count at the end.
#include <cinttypes>
#include <string_view>

#include "keywords.h"
#include "output.h"

namespace orvane::check {

namespace {

constexpr const char* kBold = "\033[1m";
constexpr const char* kReset = "\033[0m";

class TextOutput final : public Output {
 public:
  TextOutput(std::FILE* stream, bool colour, bool headings) : out_(stream), colour_(colour), headings_(headings) {}

  void BeginFile(const std::string& path) override {
    path_ = Printable(path);
    if (headings_) {
      std::fprintf(out_, "%s==> %s <==%s\n", On(kBold), path_.c_str(), Off());
    }
  }

  void FileDiagnostic(const Diagnostic& diagnostic) override { Write(diagnostic); }

  void WriteBlock(const Block& block, const BlockReport* report) override {
    std::fprintf(out_, "%s%s (line %" PRId64 "):%s ", On(kBold), Printable(block.keyword).c_str(), block.line, Off());
    if (report == nullptr) {
      std::fputs("not checked\n", out_);
      return;
    }
    const std::vector<std::string> lines = ValueLines(report->values);
    std::fprintf(out_, "%s\n", lines.front().c_str());
    for (std::size_t i = 1; i < lines.size(); ++i) {
      std::fprintf(out_, "  %s\n", lines[i].c_str());
    }
    for (const Diagnostic& diagnostic : report->diagnostics) {
      Write(diagnostic);
    }
  }

  void EndFile(std::int64_t /*lines*/, const std::optional<std::string>& /*failure*/) override {}

  void Finish(const Totals& totals) override {
    std::fprintf(out_, "%s%s checked, %" PRId64 " not checked: %s, %s%s\n", On(kBold),
                 Counted(totals.checked, "block").c_str(), totals.notChecked, Counted(totals.errors, "error").c_str(),
                 Counted(totals.warnings, "warning").c_str(), Off());
  }

 private:
  static std::string Counted(std::int64_t n, const std::string& noun) {
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
  }

  [[nodiscard]] const char* On(const char* code) const { return colour_ ? code : ""; }
  [[nodiscard]] const char* Off() const { return colour_ ? kReset : ""; }

  void Write(const Diagnostic& d) {
    static constexpr const char* kNames[] = {"note", "warning", "error"};
    static constexpr const char* kColours[] = {"\033[1;36m", "\033[1;35m", "\033[1;31m"};
    const auto severity = static_cast<std::size_t>(d.severity);
    std::string location = path_;
    if (d.line > 0) {
      location += ":" + std::to_string(d.line);
    }
    std::fprintf(out_, "%s%s:%s %s%s:%s %s\n", On(kBold), location.c_str(), Off(), On(kColours[severity]),
                 kNames[severity], Off(), Printable(d.message).c_str());
    if (d.source) {
      std::fprintf(out_, "%5" PRId64 " | %s\n", d.line, Printable(*d.source).c_str());
    }
  }

  std::FILE* out_;
  bool colour_;
  bool headings_;
  std::string path_;
};

}  // namespace

std::unique_ptr<Output> MakeTextOutput(std::FILE* stream, bool colour, bool headings) {
  return std::make_unique<TextOutput>(stream, colour, headings);
}

}  // namespace orvane::check
