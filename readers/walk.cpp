#include "readers/walk.h"

#include <algorithm>

namespace orvane::readers {

std::size_t Width(std::int64_t length) { return length > 0 ? static_cast<std::size_t>(length) : 0; }

WorkLine::WorkLine(std::size_t width) {
  if (width > inline_.size()) {
    wide_.resize(width);
  }
}

TextOut WorkLine::Load(Text record) {
  char* start = inline_.data();
  if (record.size() > inline_.size()) {
    wide_.resize(record.size());
    start = wide_.data();
  }
  std::copy(record.begin(), record.end(), start);
  return {start, record.size()};
}

DataBlock::DataBlock(const std::int32_t* lineCount, const char* lines, char* messages, std::int32_t* lineCodes,
                     std::int32_t* status, std::int64_t lineLength, std::int64_t messageLength)
    : lineCount(*lineCount),
      lines(lines),
      messages(messages),
      lineCodes(lineCodes),
      status(status),
      lineLength(Width(lineLength)),
      messageLength(Width(messageLength)) {}

Text DataBlock::Record(std::int32_t index) const {
  return {lines + static_cast<std::size_t>(index) * lineLength, lineLength};
}

TextOut DataBlock::Message(std::int32_t index) const {
  return {messages + static_cast<std::size_t>(index) * messageLength, messageLength};
}

void Line::Report(std::int32_t code, Text message) const {
  toolkit::WriteText(Message(), message);
  Code() = code;
}

void Line::Fail(Text message) const {
  Report(3, message);
  Status() = -1;
}

void MarkEndOfBlock(const Line& terminator, bool sawData, Text noDataMessage) {
  if (!sawData) {
    toolkit::WriteText(terminator.Message(), noDataMessage);
  }
  terminator.Code() = 3;
}

MaxesBlock::MaxesBlock(const std::int32_t* lineCount, const char* lines, std::int32_t* lineCodes,
                       std::int64_t lineLength)
    : lineCount(*lineCount), lines(lines), lineCodes(lineCodes), lineLength(Width(lineLength)) {}

Text MaxesBlock::Record(std::int32_t index) const {
  return {lines + static_cast<std::size_t>(index) * lineLength, lineLength};
}

namespace detail {

bool StartDataWalk(const DataBlock& block) {
  *block.status = 0;
  if (block.lineCount < 1) {
    return false;
  }
  const auto count = static_cast<std::size_t>(block.lineCount);
  std::fill_n(block.messages, count * block.messageLength, ' ');
  std::fill_n(block.lineCodes, count, 0);
  return true;
}

bool ScreenLine(const DataBlock& block, std::int32_t index, WorkLine& work, TextOut& screened) {
  screened = work.Load(block.Record(index));
  bool skipLine = false;
  toolkit::LineScreen(screened, block.Message(index), block.lineCodes[index], skipLine);
  return !skipLine;
}

bool IsTerminator(Text line) { return !line.empty() && (line.front() == '*' || line.front() == '$'); }

bool StartMaxesWalk(const MaxesBlock& block) {
  if (block.lineCount < 1) {
    return false;
  }
  std::fill_n(block.lineCodes, static_cast<std::size_t>(block.lineCount), 0);
  return true;
}

bool IsMaxesComment(Text leftJustified) { return toolkit::EqualsIgnoreCase(leftJustified.substr(0, 1), "C"); }

}  // namespace detail
}  // namespace orvane::readers
