// What checking a document found, kept for the features that answer the editor: every finding, and
// per keyword block its place, a short summary and its values. Checking is orvane-check's own,
// through its core; FromChecker is the one place where a finding of the checker is taken over.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "checker.h"
#include "documents.h"
#include "keywords.h"

namespace orvane::lsp {

struct Finding {
  std::int64_t line = 0;  // from 1; 0: about the document as a whole
  check::Severity severity = check::Severity::kNote;
  std::string rule;  // the rule id
  std::string message;
  std::optional<std::int64_t> column;     // from 1, in bytes; none: the whole line
  std::optional<std::int64_t> endColumn;  // one past the last byte
};

Finding FromChecker(const check::Diagnostic& diagnostic);

struct BlockSummary {
  std::string keyword;        // the keyword line, without trailing blanks
  std::int64_t line = 0;      // of the keyword line, from 1
  std::int64_t lastLine = 0;  // the block's last line: its last data line, or the keyword line
  check::Reader reader = check::Reader::kNone;
  std::string detail;               // "3 curves, 12 points", "not checked"
  std::vector<std::string> values;  // the values as lines of text, empty for a block not checked
};

struct Section {
  std::string name;  // the text after '$', trimmed
  std::int64_t line = 0;
};

struct Analysis {
  std::vector<BlockSummary> blocks;
  std::vector<Finding> findings;                                   // in line order
  std::vector<Section> sections;                                   // '$' lines with a name, not rules of dashes
  std::vector<std::pair<std::int64_t, std::int64_t>> commentRuns;  // first and last line of each run
};

class Analyzer {
 public:
  explicit Analyzer(check::Settings settings) : lints_(settings.lints), checker_(settings) {}
  Analysis Analyze(const Document& document);

 private:
  check::KeywordTable keywords_;
  check::LintSet lints_;
  check::Checker checker_;
};

// The block holding line `line` (from 1), keyword line included; null outside every block.
const BlockSummary* BlockAt(const Analysis& analysis, std::int64_t line);

}  // namespace orvane::lsp
