// The walk over a keyword block's lines that every reader shares. A reader supplies only its own
// rules: what a data line means and what the end of the block checks (data readers), or how a
// line is counted (maxes readers).
#pragma once

#include <array>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "toolkit/bytes.h"
#include "toolkit/dataline.h"
#include "toolkit/field_scan.h"
#include "toolkit/messages.h"
#include "toolkit/screening.h"

namespace orvane::readers {

using toolkit::Text;
using toolkit::TextOut;

// Widths arrive from the host as signed 64-bit counts; a negative width is taken as 0.
std::size_t Width(std::int64_t length);

// A private copy of one record, which screening may clean without touching the host's array.
class WorkLine {
 public:
  // Reserves room for records of `width` characters up front, so that a failed allocation happens
  // before the walk has written anything.
  explicit WorkLine(std::size_t width);
  TextOut Load(Text record);

 private:
  // Wide enough for every record a host really passes; wider ones borrow from the heap.
  static constexpr std::size_t kInlineWidth = 4096;
  std::array<char, kInlineWidth> inline_{};
  std::vector<char> wide_;
};

// The arguments that every data reader shares.
struct DataBlock {
  DataBlock(const std::int32_t* lineCount, const char* lines, char* messages, std::int32_t* lineCodes,
            std::int32_t* status, std::int64_t lineLength, std::int64_t messageLength);

  std::int32_t lineCount;
  const char* lines;
  char* messages;
  std::int32_t* lineCodes;
  std::int32_t* status;
  std::size_t lineLength;
  std::size_t messageLength;
};

enum class Flow : std::uint8_t { Continue, Stop };

// One line of a data block as the reader's rules see it, after screening.
//
// Within the walk the line in hand has code 0 exactly while its message is blank: the walk zeroes
// every code first and blanks each message as it comes to the line, and everything that writes a
// message (screening, Report, the number reader, the end-of-block rule) also writes a code of 2 or
// 3. ReadNumbers relies on this to blank a message only when there is something to blank.
class Line {
 public:
  // Line `index` of `block`, screened into `screened`, which the walk keeps; the line finds its
  // message and code from its index when it needs them, so that making one costs little.
  Line(const DataBlock& block, std::int32_t index, const toolkit::ScreenedLine& screened)
      : block_(&block), screened_(&screened), index_(index) {}

  // The screened line, column 1 first: the host's record itself when screening had nothing to
  // clean, else a cleaned copy. It stops at its last non-blank character: what follows is blank
  // padding, which every rule and toolkit operation reads as such.
  [[nodiscard]] Text Screened() const { return screened_->text; }
  // The screened line from its first non-blank character; blank-padded by the comparison rules.
  [[nodiscard]] Text LeftJustified() const {
    return {screened_->text.data() + screened_->first, screened_->text.size() - screened_->first};
  }
  // 1-based, as the host numbers its lines.
  [[nodiscard]] std::int32_t Number() const { return index_ + 1; }

  [[nodiscard]] TextOut Message() const {
    return {block_->messages + static_cast<std::size_t>(index_) * block_->messageLength, block_->messageLength};
  }
  [[nodiscard]] std::int32_t& Code() const { return block_->lineCodes[index_]; }
  [[nodiscard]] std::int32_t& Status() const { return *block_->status; }

  // Reads numbers from the screened line into `values`, reporting on this line, as
  // toolkit::ReadNumericFields does (a blank key: from column 1). A reader's own array keeps its
  // size known to the compiler, which then reads the usual line without a loop.
  template <std::size_t Extent>
  void ReadNumbers(Text key, std::array<float, Extent>& values, float defaultValue) const {
    ReadNumbers(key, std::span<float, Extent>(values), defaultValue);
  }
  template <std::size_t Extent = std::dynamic_extent>
  void ReadNumbers(Text key, std::span<float, Extent> values, float defaultValue) const {
    // The usual line of numbers, on a line with nothing to say yet, is read right here.
    if (Code() == 0 && toolkit::fields::ReadUsualNumbers(key, *screened_, values, defaultValue)) {
      return;
    }
    if (Code() != 0) {
      toolkit::FillBlanks(Message());
    }
    toolkit::ReadNumericFieldsIntoBlank(Code(), Message(), key, *screened_, values, defaultValue);
  }

  // Replaces the line's message and code (2 for a warning, else 3), sets the status to -1 when the
  // message says so, and tells whether the reader goes on (a warning's answer may be ignored).
  Flow Report(const toolkit::Message& message) const;  // NOLINT(modernize-use-nodiscard)
  // Writes `message` on the line that ended the block: code 3, the status left alone.
  void ReportAtEnd(const toolkit::Message& message) const;

 private:
  const DataBlock* block_;
  const toolkit::ScreenedLine* screened_;
  std::int32_t index_;
};

namespace detail {
// Zeroes every code, all in one go, and sets the status to 0.
void StartDataWalk(const DataBlock& block);
// Blanks the messages of the lines from `from` on, which the walk does not come to.
void BlankMessagesFrom(const DataBlock& block, std::int32_t from);
// Screens a record that needs cleaning into `screened`, on the work copy.
void ScreenUncleanLine(Text record, TextOut message, std::int32_t& code, WorkLine& work,
                       toolkit::ScreenedLine& screened);
// Screens `record` into `screened`, writing its message and code when screening has something to
// say; false when screening says to skip the line.
[[gnu::always_inline]] inline bool ScreenLine(Text record, TextOut message, std::int32_t& code, WorkLine& work,
                                              toolkit::ScreenedLine& screened) {
  const toolkit::LineClass line = toolkit::ClassifyRecord(record, message, code);
  switch (line.state) {
    case toolkit::LineState::Skip:
      return false;
    case toolkit::LineState::Ready:
      // Without its trailing blanks, which every rule reads as the blank padding they are.
      screened = {Text(record.data(), line.length), line.first, record.size()};
      return true;
    case toolkit::LineState::NeedsCleaning:
      break;
  }
  ScreenUncleanLine(record, message, code, work, screened);
  return true;
}
// What a line's first character makes of it: a comment, the line that ends the block ("*" or "$"),
// or any other; looked up in one step.
enum class LineStart : std::uint8_t { Counted, Comment, Terminator };
inline constexpr auto kLineStarts = [] {
  std::array<LineStart, 256> starts{};
  starts['*'] = starts['$'] = LineStart::Terminator;
  starts['C'] = starts['c'] = LineStart::Comment;
  return starts;
}();
inline bool IsTerminator(Text line) {
  return !line.empty() && kLineStarts[static_cast<unsigned char>(line.front())] == LineStart::Terminator;
}
}  // namespace detail

// The data reader walk. Rules provide
//   Flow DataLine(const Line&)    a line to interpret; Stop ends the call
//   void EndOfBlock(const Line&)  the line that starts the next keyword or section
// The status becomes 0 and every line ends with a blank message and code 0 unless screening or
// the rules wrote them; lines after the terminator, or after a Stop, keep those. When the records
// run out before a terminator the call simply ends: no end-of-block check is made.
template <class Rules>
void WalkDataBlock(const DataBlock& block, Rules&& rules) {
  WorkLine work(block.lineLength);
  detail::StartDataWalk(block);
  // Held here, since a code or count the rules write could, as far as the compiler knows, be one
  // of the block's own numbers.
  const std::int32_t lineCount = block.lineCount;
  const std::size_t lineLength = block.lineLength;
  const std::size_t messageLength = block.messageLength;
  if (lineLength == 0) {
    // Every record is blank, and so passed over: and past this, none is empty.
    detail::BlankMessagesFrom(block, 0);
    return;
  }
  const char* record = block.lines;
  char* message = block.messages;
  std::int32_t* code = block.lineCodes;
  // Each line is screened into this one, which the line in hand refers to.
  toolkit::ScreenedLine screened{};
  for (std::int32_t index = 0; index < lineCount; ++index, record += lineLength, message += messageLength, ++code) {
    // Each message is blanked as its line comes, so that the stores reach memory while lines are
    // read, rather than in a pass of their own before.
    toolkit::bytes::FillLine(message, messageLength, ' ');
    if (!detail::ScreenLine({record, lineLength}, {message, messageLength}, *code, work, screened)) {
      continue;
    }
    const Line line(block, index, screened);
    if (detail::IsTerminator(screened.text)) {
      rules.EndOfBlock(line);
      detail::BlankMessagesFrom(block, index + 1);
      return;
    }
    if (rules.DataLine(line) == Flow::Stop) {
      detail::BlankMessagesFrom(block, index + 1);
      return;
    }
  }
}

// The end-of-block rule of the readers that must see data: the terminator always gets code 3, and
// the no-data message when no data line came before it.
void MarkEndOfBlock(const Line& terminator, bool sawData, const toolkit::Message& noData);

// The texts of a block that holds exactly one data line.
struct SingleLineMessages {
  const toolkit::Message& secondDataLine;
  const toolkit::Message& noData;
};

namespace detail {
template <class ReadLine>
class SingleLineRules {
 public:
  SingleLineRules(const SingleLineMessages& messages, ReadLine& readLine) : messages_(messages), readLine_(readLine) {}

  Flow DataLine(const Line& line) {
    if (sawDataLine_) {
      return line.Report(messages_.secondDataLine);
    }
    readLine_(line);
    sawDataLine_ = true;
    return Flow::Continue;
  }
  void EndOfBlock(const Line& terminator) const { MarkEndOfBlock(terminator, sawDataLine_, messages_.noData); }

 private:
  const SingleLineMessages& messages_;
  ReadLine& readLine_;
  bool sawDataLine_ = false;
};
}  // namespace detail

// A block of exactly one data line: `readLine(line)` interprets the first; a second is a serious
// error that ends the call; a block without one gets the no-data message on its terminator.
template <class ReadLine>
void WalkSingleLineBlock(const DataBlock& block, const SingleLineMessages& messages, ReadLine&& readLine) {
  WalkDataBlock(block, detail::SingleLineRules<std::remove_reference_t<ReadLine>>(messages, readLine));
}

// The arguments that every maxes reader shares.
struct MaxesBlock {
  MaxesBlock(const std::int32_t* lineCount, const char* lines, std::int32_t* lineCodes, std::int64_t lineLength);

  std::int32_t lineCount;
  const char* lines;
  std::int32_t* lineCodes;
  std::size_t lineLength;
};

namespace detail {
// Zeroes every code; false when there are no lines to walk.
bool StartMaxesWalk(const MaxesBlock& block);
// The record from its first non-blank character. Not by a test of the first byte: indented and
// unindented records come mixed, and the processor cannot foresee which.
inline Text LeftJustify(Text record) {
  return record.substr(toolkit::bytes::FirstNonBlank(record.data(), record.size()));
}
}  // namespace detail

// The maxes reader walk: no screening; each line is taken from its first non-blank character.
// A line starting with "*" or "$" gets code 3 and ends the call; blank lines and lines starting
// with "C" or "c" are passed over; every other line goes to `countLine(leftJustified, code)`.
// The reader sets its counts to 0 before the walk.
template <class CountLine>
void WalkMaxesBlock(const MaxesBlock& block, CountLine&& countLine) {
  if (!detail::StartMaxesWalk(block)) {
    return;
  }
  // Held here, since a code written through `codes` could, as far as the compiler knows, be the
  // block's own line count.
  const char* record = block.lines;
  const std::size_t width = block.lineLength;
  const std::int32_t lineCount = block.lineCount;
  std::int32_t* const codes = block.lineCodes;
  if (width == 0) {
    return;
  }
  for (std::int32_t index = 0; index < lineCount; ++index, record += width) {
    const Text line = detail::LeftJustify({record, width});
    if (line.empty()) {
      continue;
    }
    switch (detail::kLineStarts[static_cast<unsigned char>(line.front())]) {
      case detail::LineStart::Terminator:
        codes[index] = 3;
        return;
      case detail::LineStart::Comment:
        break;
      case detail::LineStart::Counted:
        countLine(line, codes[index]);
    }
  }
}

}  // namespace orvane::readers
