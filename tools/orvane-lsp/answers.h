// What the server answers, each from a document and what checking it found. Every function builds
// the JSON of its protocol result; none keeps state.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "analysis.h"
#include "documents.h"

namespace orvane::lsp {

using nlohmann::json;

struct Context {
  const Document& document;
  const Analysis& analysis;
  const std::string& rulesUrl;  // where docs/rules.md is read; empty: diagnostics carry no link
  bool frequencyDomain = true;  // FREQUENCIES=SELECTED is read as for a frequency-domain analysis
};

// The range of line `line` (from 1) from byte `column` to byte `endColumn`, both from 0.
json LineRange(const Document& document, std::int64_t line, std::size_t column, std::size_t endColumn);

// diagnostics.cpp: a finding as the editor shows it, and every finding of the document.
json ToDiagnostic(const Context& context, const Finding& finding);
json Diagnostics(const Context& context);

// outline.cpp
json DocumentSymbols(const Context& context);
json FoldingRanges(const Context& context);

json Hover(const Context& context, const Position& position);                          // hover.cpp
json Completion(const Context& context, const Position& position);                     // completion.cpp
json CodeActions(const Context& context, const std::string& uri, const Range& range);  // actions.cpp

// line_values.cpp: what the block's reader read from one of its data lines, as text, or empty when
// it read nothing there.
std::string ReadFromLine(const Context& context, const BlockSummary& block, std::int64_t line);

}  // namespace orvane::lsp
