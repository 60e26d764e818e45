// GitHub workflow commands, one a finding, which a workflow shows as annotations on the file:
// ::warning file=F,line=L,col=C,endColumn=E,title=RULE::message. Notes become notices and lints
// warnings. The count of the text output closes the run.
#include "output.h"

namespace orvane::check {

namespace {

// What a command's message may not hold as it stands; a property's value escapes ':' and ',' too.
std::string Escaped(std::string_view text, bool property) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '%':
        escaped += "%25";
        break;
      case '\r':
        escaped += "%0D";
        break;
      case '\n':
        escaped += "%0A";
        break;
      case ':':
        escaped += property ? "%3A" : ":";
        break;
      case ',':
        escaped += property ? "%2C" : ",";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

class GithubOutput final : public FindingsOutput {
 public:
  explicit GithubOutput(std::FILE* stream) : out_(stream) {}

  void Finish(const Totals& totals) override { std::fprintf(out_, "%s\n", Summary(totals).c_str()); }

 private:
  void Write(const Diagnostic& d) override {
    const char* command = d.severity == Severity::kError  ? "error"
                          : d.severity == Severity::kNote ? "notice"
                                                          : "warning";
    std::string properties = "file=" + Escaped(Printable(d.file), true);
    if (d.line > 0) {
      properties += ",line=" + std::to_string(d.line);
      if (d.columns) {
        properties += ",col=" + std::to_string(d.columns->begin) + ",endColumn=" + std::to_string(d.columns->end);
      }
    }
    properties += ",title=" + Escaped(d.rule, true);
    std::fprintf(out_, "::%s %s::%s\n", command, properties.c_str(), Escaped(Printable(d.message), false).c_str());
  }

  std::FILE* out_;
};

}  // namespace

std::unique_ptr<Output> MakeGithubOutput(std::FILE* stream) { return std::make_unique<GithubOutput>(stream); }

}  // namespace orvane::check
