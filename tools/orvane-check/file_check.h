// Checking one file's lines as they come, wherever they are read from: the note about its line
// ends, each keyword block as it ends, and the warnings about the file as a whole. orvane-check
// feeds it lines read from a file; the language server, lines of a document held in memory.
#pragma once

#include <cstdint>
#include <string>

#include "checker.h"
#include "keywords.h"
#include "output.h"
#include "source.h"
#include "splitter.h"

namespace orvane::check {

class FileCheck {
 public:
  FileCheck(const KeywordTable& keywords, Checker& checker, Output& output, Totals& totals);

  void Add(const SourceLine& line);
  // Ends the open block, without a terminator, and warns about a file that is empty or has no
  // keyword line.
  void Finish(std::int64_t lines);

 private:
  void Take(const Block& block);
  void Warn(std::int64_t line, std::string message);

  Checker& checker_;
  Output& output_;
  Totals& totals_;
  Splitter splitter_;
  BlockReport report_;  // reused, like every buffer
  bool crlfNoted_ = false;
  bool strayNoted_ = false;
};

}  // namespace orvane::check
