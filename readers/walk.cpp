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

void Line::ReadNumbers(Text key, std::span<float> values, float defaultValue) const {
  if (Code() != 0) {
    toolkit::FillBlanks(Message());
  }
  toolkit::ReadNumericFieldsIntoBlank(Code(), Message(), key, Screened(), values, defaultValue);
}

Flow Line::Report(const toolkit::Message& message) const {
  using toolkit::Outcome;
  toolkit::WriteText(Message(), message.text);
  Code() = message.outcome == Outcome::kWarning ? 2 : 3;
  if (message.outcome == Outcome::kFailedGoesOn || message.outcome == Outcome::kEndsCall) {
    Status() = -1;
  }
  return message.outcome == Outcome::kEndsCall ? Flow::Stop : Flow::Continue;
}

void Line::ReportAtEnd(const toolkit::Message& message) const {
  toolkit::WriteText(Message(), message.text);
  Code() = 3;
}

void MarkEndOfBlock(const Line& terminator, bool sawData, const toolkit::Message& noData) {
  if (!sawData) {
    toolkit::WriteText(terminator.Message(), noData.text);
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

bool ScreenLine(const DataBlock& block, std::int32_t index, WorkLine& work, Text& screened) {
  const TextOut message = block.Message(index);
  std::int32_t& code = block.lineCodes[index];
  toolkit::FillBlanks(message);
  code = 0;
  const Text record = block.Record(index);
  const toolkit::LineClass line = toolkit::ClassifyLine(record, message, code);
  switch (line.state) {
    case toolkit::LineState::Skip:
      return false;
    case toolkit::LineState::Ready:
      // Without its trailing blanks, which every rule reads as the blank padding they are.
      screened = record.substr(0, line.length);
      return true;
    case toolkit::LineState::NeedsCleaning:
      break;
  }
  const TextOut copy = work.Load(record);
  toolkit::CleanLine(copy, message, code);
  screened = Text(copy.data(), copy.size());
  return true;
}

void ClearLinesFrom(const DataBlock& block, std::int32_t index) {
  if (index >= block.lineCount) {
    return;
  }
  const auto first = static_cast<std::size_t>(index);
  const auto count = static_cast<std::size_t>(block.lineCount) - first;
  std::fill_n(block.messages + first * block.messageLength, count * block.messageLength, ' ');
  std::fill_n(block.lineCodes + first, count, 0);
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
