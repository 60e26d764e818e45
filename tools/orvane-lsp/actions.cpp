#include <algorithm>

#include "answers.h"
#include "grammar.h"
#include "lint_file.h"
#include "rules.h"
#include "toolkit/messages.h"

namespace orvane::lsp {

namespace {

namespace messages = toolkit::messages;

json Edit(const Document& document, std::int64_t line, std::size_t from, std::size_t to, std::string_view text) {
  return {{"range", LineRange(document, line, from, to)}, {"newText", text}};
}

// A fix of one finding; `preferred` where it is the one fix meant, which an editor may apply at once.
json Action(const std::string& uri, std::string title, json edit, json diagnostic, bool preferred) {
  return {{"title", std::move(title)},
          {"kind", "quickfix"},
          {"diagnostics", json::array({std::move(diagnostic)})},
          {"isPreferred", preferred},
          {"edit", {{"changes", {{uri, json::array({std::move(edit)})}}}}}};
}

bool IsSecondDataLine(std::string_view rule) {
  return rule == messages::kDampingSecondLine.id || rule == messages::kDiameterSecondLine.id ||
         rule == messages::kHarmonicsSecondLine.id;
}

bool IsInvalidValue(std::string_view rule) {
  return rule == messages::kWaveOptionInvalid.id || rule == messages::kEnabledInvalid.id;
}

}  // namespace

json CodeActions(const Context& context, const std::string& uri, const Range& range) {
  static const std::string_view kCommentShifted = check::LintRule(check::Lint::kCommentShifted).id;
  const Document& document = context.document;
  json actions = json::array();
  const std::int64_t first = std::max<std::int64_t>(range.start.line + 1, 1);
  const std::int64_t last = std::min<std::int64_t>(range.end.line + 1, static_cast<std::int64_t>(document.LineCount()));
  const auto& findings = context.analysis.findings;
  const auto from = std::lower_bound(findings.begin(), findings.end(), first,
                                     [](const Finding& f, std::int64_t line) { return f.line < line; });
  for (auto finding = from; finding != findings.end() && finding->line <= last; ++finding) {
    const std::int64_t line = finding->line;
    const std::string& text = document.Line(static_cast<std::size_t>(line - 1));
    const auto fix = [&](std::string title, json edit, bool preferred) {
      actions.push_back(Action(uri, std::move(title), std::move(edit), ToDiagnostic(context, *finding), preferred));
    };
    if (IsSecondDataLine(finding->rule)) {
      fix("Turn this line into a comment", Edit(document, line, 0, 0, "C "), true);
    } else if (finding->rule == kCommentShifted && finding->column) {
      fix("Move the comment to column 1", Edit(document, line, 0, static_cast<std::size_t>(*finding->column - 1), ""),
          true);
    } else if (IsInvalidValue(finding->rule)) {
      const BlockSummary* block = BlockAt(context.analysis, line);
      const OptionSpec* option = block != nullptr ? OptionOf(block->reader, text) : nullptr;
      if (option != nullptr) {
        const std::size_t begin = std::min(text.find_first_not_of(" ,", text.find('=') + 1), text.size());
        const std::size_t end = std::min(text.find_first_of(" ,:", begin), text.size());
        const std::string_view meant = MeantValue(*option, std::string_view(text).substr(begin, end - begin));
        if (!meant.empty()) {
          fix("Change to " + std::string(option->name) + std::string(meant), Edit(document, line, begin, end, meant),
              true);
        }
      }
    }
    // A lint on a line that a comment before it reaches can be silenced there, as orvane-check reads it.
    if (finding->severity == check::Severity::kLint && check::ReachedByIgnore(text)) {
      fix("Ignore " + finding->rule + " on this line",
          Edit(document, line, 0, 0, check::IgnoreComment(finding->rule) + "\n"), false);
    }
  }
  return actions;
}

}  // namespace orvane::lsp
