#include "answers.h"

namespace orvane::lsp {

namespace {

constexpr int kNamespace = 3;
constexpr int kStruct = 23;

// Lines `first` to `last`, from 1, whole.
json Lines(const Document& document, std::int64_t first, std::int64_t last) {
  json range = LineRange(document, first, 0, 0);
  range["end"] = LineRange(document, last, std::string::npos, std::string::npos)["end"];
  return range;
}

}  // namespace

json DocumentSymbols(const Context& context) {
  const Document& document = context.document;
  const auto& sections = context.analysis.sections;
  json symbols = json::array();
  std::size_t next = 0;     // the next section to open
  std::size_t section = 0;  // the open section's symbol, from 1; 0: none
  const auto open = [&] {   // a section runs to the next one
    const std::int64_t line = sections[next].line;
    const std::int64_t end =
        next + 1 < sections.size() ? sections[next + 1].line - 1 : static_cast<std::int64_t>(document.LineCount());
    symbols.push_back({{"name", sections[next].name},
                       {"kind", kNamespace},
                       {"range", Lines(document, line, end)},
                       {"selectionRange", Lines(document, line, line)},
                       {"children", json::array()}});
    section = symbols.size();
    ++next;
  };
  for (const BlockSummary& block : context.analysis.blocks) {
    while (next < sections.size() && sections[next].line < block.line) {
      open();
    }
    json symbol = {{"name", block.keyword},
                   {"detail", block.detail},
                   {"kind", kStruct},
                   {"range", Lines(document, block.line, block.lastLine)},
                   {"selectionRange", Lines(document, block.line, block.line)}};
    (section != 0 ? symbols[section - 1]["children"] : symbols).push_back(std::move(symbol));
  }
  while (next < sections.size()) {
    open();
  }
  return symbols;
}

json FoldingRanges(const Context& context) {
  json ranges = json::array();
  for (const BlockSummary& block : context.analysis.blocks) {
    if (block.lastLine > block.line) {
      ranges.push_back({{"startLine", block.line - 1}, {"endLine", block.lastLine - 1}, {"kind", "region"}});
    }
  }
  for (const auto& [first, last] : context.analysis.commentRuns) {
    ranges.push_back({{"startLine", first - 1}, {"endLine", last - 1}, {"kind", "comment"}});
  }
  return ranges;
}

}  // namespace orvane::lsp
