// Checking one file's lines as they come, wherever they are read from: the notes about its line
// ends, each keyword block as it ends with its lints, the lints that span blocks, and the findings
// about the file as a whole. orvane-check feeds it lines read from a file; the language server,
// lines of a document held in memory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "checker.h"
#include "keywords.h"
#include "lint_file.h"
#include "output.h"
#include "source.h"
#include "splitter.h"

namespace orvane::check {

class FileCheck {
 public:
  // `path` names the file in the findings; it must outlive the check.
  FileCheck(const KeywordTable& keywords, Checker& checker, const LintSet& lints, Output& output, Totals& totals,
            std::string_view path);

  void Add(const SourceLine& line);
  // Ends the open block, without a terminator, places the findings outside blocks, and reports a
  // file that is empty or has no keyword line.
  void Finish(std::int64_t lines);

 private:
  void Take(const Block& block);
  void FileLint(Lint lint, std::int64_t line, std::string message);
  void FileFinding(Diagnostic diagnostic);

  Checker& checker_;
  const LintSet& lints_;
  FileLints fileLints_;
  Output& output_;
  Totals& totals_;
  std::string_view path_;
  Splitter splitter_;
  BlockReport report_;  // reused, like every buffer
  bool crlfNoted_ = false;
  bool strayNoted_ = false;
};

}  // namespace orvane::check
