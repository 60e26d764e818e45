#include "splitter.h"

#include <algorithm>
#include <cstring>

namespace orvane::check {

Splitter::Splitter(const KeywordTable& keywords, std::size_t width, Sink sink)
    : keywords_(keywords), width_(width), sink_(std::move(sink)) {
  block_.width = width;
  block_.records.Reserve(width);  // so that even a block without records hands a reader an array
}

void Splitter::AppendRecord(std::string_view text) {
  if (block_.recordBytes / width_ + 1 > static_cast<std::size_t>(kMaxRecords)) {
    block_.tooLarge = true;
    return;
  }
  block_.records.Reserve(block_.recordBytes + width_);
  char* record = block_.records.data() + block_.recordBytes;
  const std::size_t kept = std::min(text.size(), width_);
  std::memcpy(record, text.data(), kept);
  std::memset(record + kept, ' ', width_ - kept);
  block_.recordBytes += width_;
}

void Splitter::Add(const SourceLine& line) {
  const char first = line.text.empty() ? ' ' : line.text.front();
  if (first == '*' || first == '$') {
    Close(&line);
    if (first == '*') {
      const auto end = line.text.find_last_not_of(' ');
      block_.keyword.assign(line.text.substr(0, end == std::string_view::npos ? 0 : end + 1));
      block_.line = line.number;
      block_.reader = keywords_.Find(line.text);
      open_ = true;
    }
    return;
  }
  if (!open_) {
    return;  // before the first keyword, or in a section: no reader sees these lines
  }
  ++block_.dataLines;
  if (block_.reader == Reader::kNone) {
    return;
  }
  const auto index = static_cast<std::int32_t>(std::min<std::int64_t>(block_.dataLines - 1, kMaxRecords));
  // A comment line loses nothing by being cut, so only other lines earn the warning.
  if (line.cutNonBlank > 0 && !IsComment(line.text)) {
    block_.longLines.push_back({index, line.length, std::string(line.text)});
  }
  AppendRecord(line.text);
}

void Splitter::Close(const SourceLine* terminator) {
  if (!open_) {
    return;
  }
  block_.terminated = terminator != nullptr;
  if (terminator != nullptr && block_.reader != Reader::kNone) {
    AppendRecord(terminator->text);
  }
  ++blocks_;
  sink_(block_);
  block_.recordBytes = 0;
  block_.longLines.clear();
  block_.dataLines = 0;
  block_.terminated = false;
  block_.tooLarge = false;
  open_ = false;
}

void Splitter::Finish() { Close(nullptr); }

}  // namespace orvane::check
