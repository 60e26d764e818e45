#include <algorithm>

#include "answers.h"
#include "grammar.h"
#include "rules.h"

namespace orvane::lsp {

namespace {

// Past this many lines a range asks for no line-by-line fixes, only those of its findings.
constexpr std::int64_t kMaxScannedLines = 2000;

json Edit(const Document& document, std::int64_t line, std::size_t from, std::size_t to, std::string_view text) {
  return {{"range", LineRange(document, line, from, to)}, {"newText", text}};
}

json Action(const std::string& uri, std::string title, json edit, json diagnostics) {
  json action = {{"title", std::move(title)},
                 {"kind", "quickfix"},
                 {"edit", {{"changes", {{uri, json::array({std::move(edit)})}}}}}};
  if (!diagnostics.is_null()) {
    action["diagnostics"] = json::array({std::move(diagnostics)});
    action["isPreferred"] = true;
  }
  return action;
}

const std::string kCommentShifted(check::LintRule(check::Lint::kCommentShifted).id);

bool IsSecondDataLine(const std::string& rule) {
  return rule == "OV-DAMPING-SECOND-LINE" || rule == "OV-DIAMETER-SECOND-LINE" || rule == "OV-HARMONICS-SECOND-LINE";
}

bool IsInvalidValue(const std::string& rule) {
  return rule == "OV-WAVE-VALUE-INVALID" || rule == "OV-DAMPING-ENABLED-INVALID";
}

// A comment written with blanks before its 'C', which makes it a data line: blanks, 'C' or 'c', then
// a blank or nothing.
bool IsShiftedComment(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  return first != std::string_view::npos && first > 0 && (text[first] == 'C' || text[first] == 'c') &&
         (first + 1 == text.size() || text[first + 1] == ' ');
}

}  // namespace

json CodeActions(const Context& context, const std::string& uri, const Range& range) {
  const Document& document = context.document;
  json actions = json::array();
  const std::int64_t first = std::max<std::int64_t>(range.start.line + 1, 1);
  const std::int64_t last = std::min<std::int64_t>(range.end.line + 1, static_cast<std::int64_t>(document.LineCount()));
  for (const Finding& finding : context.analysis.findings) {
    if (finding.line < first || finding.line > last) {
      continue;
    }
    const std::string& text = document.Line(static_cast<std::size_t>(finding.line - 1));
    if (IsSecondDataLine(finding.rule)) {
      actions.push_back(Action(uri, "Turn this line into a comment", Edit(document, finding.line, 0, 0, "C "),
                               ToDiagnostic(context, finding)));
    } else if (finding.severity == check::Severity::kLint && finding.line > 0) {
      // The checker's own comment that silences a lint on the line after it.
      actions.push_back(Action(uri, "Ignore " + finding.rule + " on this line",
                               Edit(document, finding.line, 0, 0, "C orvane-check: ignore " + finding.rule + "\n"),
                               ToDiagnostic(context, finding)));
    } else if (IsInvalidValue(finding.rule)) {
      const BlockSummary* block = BlockAt(context.analysis, finding.line);
      const OptionSpec* option = block != nullptr ? OptionOf(block->reader, text) : nullptr;
      if (option == nullptr) {
        continue;
      }
      const std::size_t from = std::min(text.find_first_not_of(" ,", text.find('=') + 1), text.size());
      const std::size_t to = std::min(text.find_first_of(" ,:", from), text.size());
      const std::string_view meant = MeantValue(*option, std::string_view(text).substr(from, to - from));
      if (!meant.empty()) {
        actions.push_back(Action(uri, "Change to " + std::string(option->name) + std::string(meant),
                                 Edit(document, finding.line, from, to, meant), ToDiagnostic(context, finding)));
      }
    }
  }
  for (std::int64_t line = first; line <= last && line - first < kMaxScannedLines; ++line) {
    const std::string& text = document.Line(static_cast<std::size_t>(line - 1));
    const BlockSummary* block = BlockAt(context.analysis, line);
    if (block != nullptr && block->reader != check::Reader::kNone && block->line != line && IsShiftedComment(text)) {
      const auto shifted = std::find_if(context.analysis.findings.begin(), context.analysis.findings.end(),
                                        [&](const Finding& f) { return f.line == line && f.rule == kCommentShifted; });
      actions.push_back(Action(uri, "Move the comment to column 1",
                               Edit(document, line, 0, text.find_first_not_of(' '), ""),
                               shifted != context.analysis.findings.end() ? ToDiagnostic(context, *shifted) : json()));
    }
  }
  return actions;
}

}  // namespace orvane::lsp
