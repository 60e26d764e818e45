#include "readers/walk.h"

#include <algorithm>

#include "toolkit/bytes.h"

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

namespace detail {

// Codes are zeroed as bytes, sixteen at a time, like the messages.
void ZeroCodes(std::int32_t* codes, std::int32_t count) {
  toolkit::bytes::Fill(reinterpret_cast<char*>(codes), static_cast<std::size_t>(count) * sizeof *codes, 0);
}

void StartDataWalk(const DataBlock& block) {
  *block.status = 0;
  if (block.lineCount < 1) {
    return;
  }
  ZeroCodes(block.lineCodes, block.lineCount);
}

void ScreenUncleanLine(Text record, TextOut message, std::int32_t& code, WorkLine& work,
                       toolkit::ScreenedLine& screened) {
  const TextOut copy = work.Load(record);
  toolkit::CleanLine(copy, message, code);
  const Text cleaned(copy.data(), copy.size());
  const Text used = toolkit::TrimTrailingBlanks(cleaned);
  screened = {used, used.size() - toolkit::SkipLeadingBlanks(used).size(), cleaned.size()};
}

void BlankMessagesFrom(const DataBlock& block, std::int32_t from) {
  if (from < block.lineCount) {
    toolkit::bytes::Fill(block.messages + static_cast<std::size_t>(from) * block.messageLength,
                         static_cast<std::size_t>(block.lineCount - from) * block.messageLength, ' ');
  }
}

bool StartMaxesWalk(const MaxesBlock& block) {
  if (block.lineCount < 1) {
    return false;
  }
  ZeroCodes(block.lineCodes, block.lineCount);
  return true;
}

}  // namespace detail
}  // namespace orvane::readers
