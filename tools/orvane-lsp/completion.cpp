#include "answers.h"
#include "grammar.h"
#include "splitter.h"

namespace orvane::lsp {

namespace {

constexpr int kProperty = 10;
constexpr int kEnumMember = 20;
constexpr int kKeyword = 14;

json Item(const Document& document, std::size_t line, std::size_t from, std::size_t to, std::string_view label,
          int kind, std::string_view detail) {
  const json range = {{"start", {{"line", line}, {"character", document.Character(line, from)}}},
                      {"end", {{"line", line}, {"character", document.Character(line, to)}}}};
  return {{"label", label}, {"kind", kind}, {"detail", detail}, {"textEdit", {{"range", range}, {"newText", label}}}};
}

}  // namespace

json Completion(const Context& context, const Position& position) {
  const Document& document = context.document;
  json items = json::array();
  if (position.line < 0 || static_cast<std::size_t>(position.line) >= document.LineCount()) {
    return {{"isIncomplete", false}, {"items", items}};
  }
  const auto line = static_cast<std::size_t>(position.line);
  const std::size_t cursor = document.ByteColumn(line, position.character);
  const std::string_view before = std::string_view(document.Line(line)).substr(0, cursor);
  if (!before.empty() && before.front() == '*') {
    if (before.find(',') == std::string_view::npos) {
      for (const KeywordSpec& keyword : Keywords()) {
        items.push_back(Item(document, line, 1, cursor, keyword.name, kKeyword, keyword.meaning));
      }
    }
    return {{"isIncomplete", false}, {"items", items}};
  }
  const BlockSummary* block = BlockAt(context.analysis, static_cast<std::int64_t>(line) + 1);
  if (block == nullptr || block->reader == check::Reader::kNone || check::IsComment(before) ||
      block->line == static_cast<std::int64_t>(line) + 1) {
    return {{"isIncomplete", false}, {"items", items}};
  }
  const auto start = std::min(before.find_first_not_of(' '), before.size());
  if (const auto equals = before.find('='); equals != std::string_view::npos) {
    if (const OptionSpec* option = OptionOf(block->reader, before); option != nullptr) {
      const auto from = std::min(before.find_first_not_of(" ,", equals + 1), before.size());
      for (const std::string_view value : option->values) {
        items.push_back(Item(document, line, from, cursor, value, kEnumMember, option->name));
      }
    }
  } else {
    for (const OptionSpec& option : KeywordOf(block->reader).options) {
      const std::string label = option.name == "FREQUENCIES=" ? "FREQUENCIES=SELECTED" : std::string(option.name);
      items.push_back(Item(document, line, start, cursor, label, kProperty, option.meaning));
    }
  }
  return {{"isIncomplete", false}, {"items", items}};
}

}  // namespace orvane::lsp
