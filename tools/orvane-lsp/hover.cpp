#include "answers.h"
#include "grammar.h"
#include "rules.h"
#include "splitter.h"

namespace orvane::lsp {

namespace {

std::string CodeBlock(const std::vector<std::string>& lines) {
  std::string text = "```\n";
  for (const std::string& line : lines) {
    text += line + "\n";
  }
  return text + "```";
}

// A finding with its rule's entry of docs/rules.md, which is Markdown as it stands.
std::string Entry(const Finding& finding) {
  std::string entry =
      "**" + std::string(check::SeverityName(finding.severity)) + "** `" + finding.rule + "`: " + finding.message;
  if (const check::Rule* rule = check::FindRule(finding.rule); rule != nullptr) {
    entry += "\n\n" + check::RuleEntry(*rule);
  }
  return entry;
}

}  // namespace

json Hover(const Context& context, const Position& position) {
  const Document& document = context.document;
  if (position.line < 0 || static_cast<std::size_t>(position.line) >= document.LineCount()) {
    return nullptr;
  }
  const std::int64_t line = position.line + 1;
  const std::string& text = document.Line(static_cast<std::size_t>(position.line));
  std::vector<std::string> parts;
  const BlockSummary* block = BlockAt(context.analysis, line);
  if (block != nullptr && block->line == line) {
    std::string head = "**" + block->keyword + "**";
    if (block->reader == check::Reader::kNone) {
      parts.push_back(head + ": a keyword the readers do not check");
    } else {
      parts.push_back(head + ": " + std::string(KeywordOf(block->reader).meaning) + "\n\n" + CodeBlock(block->values));
    }
  } else if (block != nullptr && block->reader != check::Reader::kNone && !check::IsComment(text)) {
    const std::string read = ReadFromLine(context, *block, line);
    parts.push_back(read.empty() ? "nothing was read from this line" : "read: " + read);
  }
  for (const Finding& finding : context.analysis.findings) {
    if (finding.line == line) {
      parts.push_back(Entry(finding));
    }
  }
  if (parts.empty()) {
    return nullptr;
  }
  std::string value;
  for (const std::string& part : parts) {
    value += (value.empty() ? "" : "\n\n---\n\n") + part;
  }
  return {{"contents", {{"kind", "markdown"}, {"value", value}}},
          {"range", LineRange(document, line, 0, std::string::npos)}};
}

}  // namespace orvane::lsp
