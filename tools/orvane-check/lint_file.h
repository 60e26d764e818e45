// The lints that span a file's blocks: a keyword given twice, and the comments that silence lints
// on the next line (`C orvane-check: ignore RULE[,RULE...]`).
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lint.h"
#include "source.h"
#include "splitter.h"

namespace orvane::check {

// The comment line, without its line end, that silences the lint `rule` on the next line that an
// ignore comment reaches.
std::string IgnoreComment(std::string_view rule);
// Whether ignore comments on the lines before this one silence its lints: a line that is neither a
// comment nor blank.
bool ReachedByIgnore(std::string_view text);

class FileLints {
 public:
  explicit FileLints(const LintSet& on) : on_(on) {}

  void BeginFile();
  // Every line of the file, in order, before the splitter sees it.
  void Line(const SourceLine& line);
  // A checked block as it ends, with its findings: adds the lints that need the blocks before it and
  // those of ignore comments inside it, and drops the lints that a comment silences.
  void Block(const Block& block, std::vector<Diagnostic>& diagnostics);
  // The findings on lines outside checked blocks, up to `line` (all of them at the end of the file),
  // which belong to the file: handed over once and then forgotten.
  std::vector<Diagnostic> TakeFileFindings(std::int64_t line);
  // Whether an ignore comment silences `diagnostic`.
  [[nodiscard]] bool Silenced(const Diagnostic& diagnostic) const;

 private:
  const LintSet& on_;
  std::vector<std::pair<std::string, std::int64_t>> keywords_;  // name, line of the first block
  std::bitset<kLints> pending_;                                 // from comments, for the next line
  std::vector<std::pair<std::int64_t, std::bitset<kLints>>> silenced_;
  std::vector<Diagnostic> findings_;  // on comment lines, not yet placed in a block
};

}  // namespace orvane::check
