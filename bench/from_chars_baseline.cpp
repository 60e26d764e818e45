// The std::from_chars yardstick: what a careful C++ host writes without the library. Every field is
// handed to std::from_chars where it stands, and the field ends where std::from_chars stops; only
// a field with a D exponent letter, which std::from_chars does not take, is read once more from a
// copy with an E. Lines are never trimmed: a line is read up to its last wanted field.
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
  std::size_t first = 0;
  while (first < line.size() && line[first] == ' ') {
    ++first;
  }
  return line.substr(first);
}

bool IsSeparator(char c) { return c == ' ' || c == ',' || c == '\t'; }

// Reads the number that starts at `at`; returns where it ends.
const char* ParseField(const char* at, const char* end, float& value) {
  const char* const first = at + (*at == '+' ? 1 : 0);
  const auto result = std::from_chars(first, end, value);
  if (result.ptr < end && (*result.ptr == 'D' || *result.ptr == 'd')) {
    char copy[48];
    std::size_t size = 0;
    const char* p = first;
    for (; p < end && !IsSeparator(*p) && size < sizeof copy; ++p) {
      copy[size++] = *p == 'D' || *p == 'd' ? 'e' : *p;
    }
    std::from_chars(copy, copy + size, value);
    return p;
  }
  if (result.ec != std::errc{}) {  // not a number: on to the next separator
    const char* p = first;
    while (p < end && !IsSeparator(*p)) {
      ++p;
    }
    return p;
  }
  return result.ptr;
}

// Reads up to `count` numbers from `text` into `values`; returns how many fields there were.
std::size_t ParseFields(Text text, float* values, std::size_t count) {
  const char* p = text.data();
  const char* const end = text.data() + text.size();
  std::size_t k = 0;
  while (k < count) {
    while (p < end && IsSeparator(*p)) {
      ++p;
    }
    if (p == end) {
      break;
    }
    p = ParseField(p, end, values[k++]);
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

// The data pass of both blocks: returns the line to interpret from its first non-blank character,
// or an empty text for a line passed over; `end` becomes true at the next keyword.
Text Classify(Text record, char* message, std::size_t messageLength, bool& end) {
  std::memset(message, ' ', messageLength);
  if (record.empty() || record.front() == 'C' || record.front() == 'c') {
    return {};
  }
  if (record.front() == '*' || record.front() == '$') {
    end = true;
    return {};
  }
  return LeftJustified(record);
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
    const Text line = Classify(RecordOf(block, i), messages + static_cast<std::size_t>(i) * width, width, end);
    if (line.empty()) {
      continue;
    }
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
