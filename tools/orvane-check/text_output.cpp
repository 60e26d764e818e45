// Compiler-style text: each block's values on one line (and a line per list), then its findings as
// "file:line[:column]: severity: message [rule]" with the input line beneath and a caret under the
// columns the finding points at, and a count at the end.
#include <algorithm>
#include <cinttypes>
#include <string_view>

#include "keywords.h"
#include "output.h"

namespace orvane::check {

namespace {

std::string Counted(std::int64_t n, const std::string& noun) {
  return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

}  // namespace

std::string Summary(const Totals& totals) {
  return Counted(totals.checked, "block") + " checked, " + std::to_string(totals.notChecked) +
         " not checked: " + Counted(totals.errors, "error") + ", " + Counted(totals.warnings, "warning") + ", " +
         Counted(totals.lints, "lint");
}

namespace {

constexpr const char* kBold = "\033[1m";
constexpr const char* kReset = "\033[0m";
constexpr const char* kCaretColour = "\033[1;32m";

// How wide a byte of input is shown: 4 for one written as \xNN, else 1 (TAB included).
std::size_t ShownWidth(char c) { return ShownAsIs(c) ? 1 : 4; }

// The line beneath a source line that marks `columns` of it: blanks as wide as what stands before
// them as shown (a TAB stays a TAB, so that terminals line it up alike), then ^~~~. Columns past
// the line's end count one each.
std::string Caret(std::string_view source, Columns columns) {
  const auto begin = static_cast<std::size_t>(std::max(columns.begin, 1) - 1);
  const auto end = static_cast<std::size_t>(std::max(columns.end, columns.begin) - 1);
  std::string caret;
  for (std::size_t i = 0; i < begin; ++i) {
    const char c = i < source.size() ? source[i] : ' ';
    caret.append(ShownWidth(c), c == '\t' ? '\t' : ' ');
  }
  std::size_t width = 0;
  for (std::size_t i = begin; i < end; ++i) {
    width += i < source.size() ? ShownWidth(source[i]) : 1;
  }
  return caret + "^" + std::string(std::max<std::size_t>(width, 1) - 1, '~');
}

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
    std::fprintf(out_, "%s%s%s\n", On(kBold), Summary(totals).c_str(), Off());
  }

 private:
  [[nodiscard]] const char* On(const char* code) const { return colour_ ? code : ""; }
  [[nodiscard]] const char* Off() const { return colour_ ? kReset : ""; }

  void Write(const Diagnostic& d) {
    static constexpr const char* kColours[kSeverities] = {"\033[1;36m", "\033[1;34m", "\033[1;35m", "\033[1;31m"};
    std::string location = path_;
    if (d.line > 0) {
      location += ":" + std::to_string(d.line);
      if (d.columns) {
        location += ":" + std::to_string(d.columns->begin);
      }
    }
    std::fprintf(out_, "%s%s:%s %s%s:%s %s [%.*s]\n", On(kBold), location.c_str(), Off(),
                 On(kColours[static_cast<std::size_t>(d.severity)]), SeverityName(d.severity).data(), Off(),
                 Printable(d.message).c_str(), static_cast<int>(d.rule.size()), d.rule.data());
    if (d.source) {
      std::fprintf(out_, "%5" PRId64 " | %s\n", d.line, Printable(*d.source).c_str());
      if (d.columns) {
        std::fprintf(out_, "      | %s%s%s\n", On(kCaretColour), Caret(*d.source, *d.columns).c_str(), Off());
      }
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
