#include <algorithm>

#include "toolkit/dataline.h"

namespace orvane::toolkit {

void FillBlanks(TextOut record) { std::fill(record.begin(), record.end(), ' '); }

void WriteText(TextOut record, Text text) {
  const std::size_t kept = std::min(record.size(), text.size());
  std::copy_n(text.begin(), kept, record.begin());
  std::fill(record.begin() + static_cast<std::ptrdiff_t>(kept), record.end(), ' ');
}

Text TrimTrailingBlanks(Text text) {
  const std::size_t last = text.find_last_not_of(' ');
  return last == Text::npos ? Text{} : text.substr(0, last + 1);
}

Text SkipLeadingBlanks(Text text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == Text::npos ? Text{} : text.substr(first);
}

}  // namespace orvane::toolkit
