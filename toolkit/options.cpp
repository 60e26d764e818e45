#include "toolkit/dataline.h"

namespace orvane::toolkit {

void ExtractOptionValue(Text line, char key, TextOut value, std::int32_t maxLength) {
  FillBlanks(value);
  std::size_t position = 0;
  if (key != ' ') {
    // The "=" must be found before the line's last character: an "=" in the last column has no
    // value after it and is never taken.
    std::size_t p = 0;
    while (p + 2 < line.size() && !(line[p] == key && line[p + 1] == '=')) {
      ++p;
    }
    if (p + 2 >= line.size()) {
      return;
    }
    position = p + 2;
  }
  while (position + 1 < line.size() && (line[position] == ' ' || line[position] == ',')) {
    ++position;
  }
  const std::size_t limit = maxLength > 0 ? static_cast<std::size_t>(maxLength) : 0;
  for (std::size_t j = 0; j < limit && j < value.size() && position < line.size(); ++j, ++position) {
    const char c = line[position];
    if (c == ':' || c == ' ' || c == ',') {
      break;
    }
    value[j] = c;
  }
}

}  // namespace orvane::toolkit
