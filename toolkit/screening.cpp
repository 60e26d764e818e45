#include <algorithm>

#include "toolkit/dataline.h"

namespace orvane::toolkit {
namespace {

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

}  // namespace

void LineScreen(TextOut line, TextOut message, std::int32_t& code, bool& skipLine) {
  FillBlanks(message);
  code = 0;
  skipLine = false;
  const Text text(line.data(), line.size());

  if (text.starts_with("#INCLUDE")) {
    WriteText(message, kIncludeMessage);
    code = 2;
    skipLine = true;
    return;
  }
  const bool commentLetter = !text.empty() && (text.front() == 'C' || text.front() == 'c');
  if (commentLetter || TrimTrailingBlanks(text).empty() || std::all_of(text.begin(), text.end(), IsBlankOrTab)) {
    skipLine = true;
    return;
  }
  // Bytes outside the first..last non-blank range are blanks already, so the whole line can be
  // cleaned byte by byte.
  bool marked = false;
  for (char& c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte <= 127) {
      continue;
    }
    marked = marked || (byte != 0 && byte != '\t');
    c = ' ';
  }
  if (marked) {
    WriteText(message, kNonStandardMessage);
    code = 2;
  }
}

}  // namespace orvane::toolkit
