// The std::from_chars yardstick: what a careful C++ host writes without the library. Each field is
// handed to std::from_chars in place; only a field with a D exponent letter or a leading plus sign,
// which std::from_chars does not take, is first copied and fixed up.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

#include "baselines.h"

namespace orvane::bench {
namespace {

using Text = std::string_view;

Text RecordOf(const Records& block, std::int32_t index) {
  const auto width = static_cast<std::size_t>(block.lineLength);
  return {block.text.data() + static_cast<std::size_t>(index) * width, width};
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWith(Text text, Text name) {
  if (text.size() < name.size()) {
    return false;
  }
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (Upper(text[i]) != name[i]) {
      return false;
    }
  }
  return true;
}

Text LeftJustified(Text line) {
  const std::size_t first = line.find_first_not_of(' ');
  return first == Text::npos ? Text{} : line.substr(first);
}

bool IsSeparator(char c) { return c == ' ' || c == ',' || c == '\t'; }

float ParseField(Text field) {
  if (!field.empty() && field.front() == '+') {
    field.remove_prefix(1);
  }
  float value = 0.0F;
  if (field.find_first_of("Dd") == Text::npos) {
    std::from_chars(field.data(), field.data() + field.size(), value);
    return value;
  }
  char copy[64];
  const std::size_t size = std::min(field.size(), sizeof copy);
  std::copy_n(field.begin(), size, copy);
  std::replace_if(
      copy, copy + size, [](char c) { return c == 'D' || c == 'd'; }, 'e');
  std::from_chars(copy, copy + size, value);
  return value;
}

// Reads up to `count` numbers from `text` into `values`; returns how many fields there were.
std::size_t ParseFields(Text text, float* values, std::size_t count) {
  std::size_t k = 0;
  std::size_t position = 0;
  while (k < count) {
    while (position < text.size() && IsSeparator(text[position])) {
      ++position;
    }
    if (position == text.size()) {
      break;
    }
    std::size_t end = position;
    while (end < text.size() && !IsSeparator(text[end])) {
      ++end;
    }
    values[k++] = ParseField(text.substr(position, end - position));
    position = end;
  }
  return k;
}

float ValueAfter(Text line, Text key) {
  float value = 0.0F;
  const std::size_t found = line.find(key);
  if (found != Text::npos) {
    ParseFields(line.substr(found + key.size()), &value, 1);
  }
  return value;
}

void Add(Tally& tally, float value) {
  tally.bitSum += std::bit_cast<std::uint32_t>(value);
  ++tally.values;
}

// The data pass of both blocks: returns the line to interpret, or an empty text for a line passed
// over; `end` becomes true at the next keyword.
Text Classify(Text record, char* message, std::size_t messageLength, bool& end) {
  std::memset(message, ' ', messageLength);
  const std::size_t last = record.find_last_not_of(' ');
  if (last == Text::npos || record.front() == 'C' || record.front() == 'c') {
    return {};
  }
  if (record.front() == '*' || record.front() == '$') {
    end = true;
    return {};
  }
  return record.substr(0, last + 1);
}

}  // namespace

Tally FromCharsPYMaxes(const Records& block) {
  Tally tally;
  std::int32_t points = 0;
  for (std::int32_t i = 0; i < block.lineCount; ++i) {
    const Text line = LeftJustified(RecordOf(block, i));
    if (!line.empty() && (line.front() == '*' || line.front() == '$')) {
      break;
    }
    if (line.empty() || Upper(line.front()) == 'C' || StartsWith(line, "SET") || StartsWith(line, "SCOUR")) {
      continue;
    }
    if (StartsWith(line, "DEPTH") || StartsWith(line, "NODE")) {
      ++tally.counted;
      points = 0;
    } else if (tally.counted > 0) {
      tally.mostPoints = std::max(tally.mostPoints, ++points);
    }
  }
  return tally;
}

Tally FromCharsPYData(const Records& block, char* messages, std::int64_t messageLength) {
  Tally tally;
  const auto width = static_cast<std::size_t>(messageLength);
  bool end = false;
  for (std::int32_t i = 0; i < block.lineCount && !end; ++i) {
    const Text record = Classify(RecordOf(block, i), messages + static_cast<std::size_t>(i) * width, width, end);
    if (record.empty()) {
      continue;
    }
    const Text line = LeftJustified(record);
    if (StartsWith(line, "SET=")) {
      continue;
    }
    if (StartsWith(line, "SCOUR=")) {
      ValueAfter(line, "R=");
    } else if (StartsWith(line, "DEPTH=")) {
      ValueAfter(line, "H=");
      ++tally.counted;
    } else if (StartsWith(line, "NODE=")) {
      static_cast<void>(std::lround(ValueAfter(line, "E=")));
      ++tally.counted;
    } else {
      float point[2] = {0.0F, 0.0F};
      ParseFields(line, point, 2);
      Add(tally, point[0]);
      Add(tally, point[1]);
    }
  }
  return tally;
}

Tally FromCharsAxialMaxes(const Records& block) {
  Tally tally;
  for (std::int32_t i = 0; i < block.lineCount; ++i) {
    const Text line = LeftJustified(RecordOf(block, i));
    if (!line.empty() && (line.front() == '*' || line.front() == '$')) {
      break;
    }
    if (!line.empty() && Upper(line.front()) != 'C') {
      ++tally.counted;
    }
  }
  return tally;
}

Tally FromCharsAxialData(const Records& block, char* messages, std::int64_t messageLength) {
  Tally tally;
  const auto width = static_cast<std::size_t>(messageLength);
  bool end = false;
  for (std::int32_t i = 0; i < block.lineCount && !end; ++i) {
    const Text line = Classify(RecordOf(block, i), messages + static_cast<std::size_t>(i) * width, width, end);
    if (line.empty()) {
      continue;
    }
    float fields[4] = {0.0F, 0.0F, 0.0F, 0.0F};
    ParseFields(line, fields, 4);
    tally.bitSum += static_cast<std::uint32_t>(std::lround(fields[0]));
    for (int k = 1; k < 4; ++k) {
      Add(tally, fields[k]);
    }
    ++tally.counted;
  }
  return tally;
}

}  // namespace orvane::bench
