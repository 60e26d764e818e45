// Splitting an input file into keyword blocks the way a host does: a line with '*' in column 1
// starts a keyword, a line with '$' in column 1 starts a section; a block is the lines after a
// keyword line, ended by the next keyword or section line (its terminator) or by the end of the file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "keywords.h"
#include "region.h"
#include "source.h"

namespace orvane::check {

// Column 1 makes a comment: a 'C' or 'c' there, whatever follows.
inline bool IsComment(std::string_view line) { return !line.empty() && (line.front() == 'C' || line.front() == 'c'); }

// A data line longer than the record width, whose cut-off part held more than blanks.
struct LongLine {
  std::int32_t index = 0;  // its record in the block
  std::size_t length = 0;  // its whole length
  std::string shown;       // its first LineReader::kKept bytes
};

struct Block {
  std::string keyword;    // the keyword line, without trailing blanks
  std::int64_t line = 0;  // the keyword line's number
  Reader reader = Reader::kNone;
  std::int64_t dataLines = 0;  // lines between the keyword line and the terminator
  bool terminated = false;     // the records end with the terminator line
  bool tooLarge = false;       // more lines than one reader call can take; records incomplete
  Region records;              // checked blocks only: the data lines then the terminator
  std::size_t recordBytes = 0;
  std::vector<LongLine> longLines;  // checked blocks only
  std::size_t width = 0;            // of one record

  [[nodiscard]] std::int32_t RecordCount() const { return static_cast<std::int32_t>(recordBytes / width); }
  [[nodiscard]] const char* Records() const { return records.data(); }
  [[nodiscard]] std::string_view Record(std::int32_t index) const {
    return {records.data() + static_cast<std::size_t>(index) * width, width};
  }
  // The file's line number of record `index`.
  [[nodiscard]] std::int64_t LineOf(std::int32_t index) const { return line + 1 + index; }
};

class Splitter {
 public:
  using Sink = std::function<void(const Block&)>;

  // Blocks are handed to `sink` as they end; the one Block object is reused for every block, so
  // that its buffers grow to the largest block and no further.
  Splitter(const KeywordTable& keywords, std::size_t width, Sink sink);

  void Add(const SourceLine& line);
  // The end of the file ends the open block, without a terminator.
  void Finish();

  [[nodiscard]] std::int64_t Blocks() const { return blocks_; }

 private:
  void Close(const SourceLine* terminator);
  void AppendRecord(std::string_view text);

  const KeywordTable& keywords_;
  std::size_t width_;
  Sink sink_;
  Block block_;
  bool open_ = false;
  std::int64_t blocks_ = 0;
};

// Every record handed to one reader call is counted in a 32-bit integer.
inline constexpr std::int64_t kMaxRecords = 2147483647;

}  // namespace orvane::check
