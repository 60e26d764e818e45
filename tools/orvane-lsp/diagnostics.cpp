#include <algorithm>
#include <cctype>

#include "answers.h"

namespace orvane::lsp {

namespace {

// Past this a document's findings are cut, so that a file wrong on every line of a million still
// gets its first findings quickly; a last note says how many were left out.
constexpr std::size_t kMaxDiagnostics = 10000;

int SeverityOf(check::Severity severity) {
  switch (severity) {
    case check::Severity::kError:
      return 1;
    case check::Severity::kWarning:
    case check::Severity::kLint:  // a reading the analysis makes silently, and most likely not meant
      return 2;
    case check::Severity::kNote:
      break;
  }
  return 3;
}

}  // namespace

json LineRange(const Document& document, std::int64_t line, std::size_t column, std::size_t endColumn) {
  const auto index = static_cast<std::size_t>(
      std::clamp<std::int64_t>(line - 1, 0, static_cast<std::int64_t>(document.LineCount()) - 1));
  return {{"start", {{"line", index}, {"character", document.Character(index, column)}}},
          {"end", {{"line", index}, {"character", document.Character(index, endColumn)}}}};
}

json ToDiagnostic(const Context& context, const Finding& finding) {
  const std::size_t column = finding.column ? static_cast<std::size_t>(*finding.column - 1) : 0;
  const std::size_t end = finding.endColumn ? static_cast<std::size_t>(*finding.endColumn - 1) : std::string::npos;
  json diagnostic = {{"range", LineRange(context.document, finding.line, column, end)},
                     {"severity", SeverityOf(finding.severity)},
                     {"source", "orvane"},
                     {"message", finding.message}};
  if (!finding.rule.empty()) {
    diagnostic["code"] = finding.rule;
    if (!context.rulesUrl.empty()) {
      std::string anchor = finding.rule;
      std::transform(anchor.begin(), anchor.end(), anchor.begin(),
                     [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
      diagnostic["codeDescription"] = {{"href", context.rulesUrl + "#" + anchor}};
    }
  }
  return diagnostic;
}

json Diagnostics(const Context& context) {
  json list = json::array();
  const auto& findings = context.analysis.findings;
  for (std::size_t i = 0; i < findings.size() && i < kMaxDiagnostics; ++i) {
    list.push_back(ToDiagnostic(context, findings[i]));
  }
  if (findings.size() > kMaxDiagnostics) {
    list.push_back(ToDiagnostic(
        context, {findings[kMaxDiagnostics].line,
                  check::Severity::kNote,
                  {},
                  std::to_string(findings.size() - kMaxDiagnostics) + " more findings from this line on are not shown",
                  std::nullopt,
                  std::nullopt}));
  }
  return list;
}

}  // namespace orvane::lsp
