#include <algorithm>

#include "toolkit/bytes.h"
#include "toolkit/dataline.h"

namespace orvane::toolkit {
namespace {

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

bool IsStandard(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 32 && byte <= 127;
}

}  // namespace

LineClass ClassifyLine(Text line, TextOut message, std::int32_t& code) {
  constexpr LineClass kSkip{LineState::Skip, 0, 0};
  if (line.starts_with("#INCLUDE")) {
    WriteText(message, kIncludeMessage);
    code = 2;
    return kSkip;
  }
  if (!line.empty() && (line.front() == 'C' || line.front() == 'c')) {
    return kSkip;
  }
  // Bytes past the last non-blank one are blanks, and blanks are standard.
  const std::size_t end = bytes::PastLastNonBlank(line.data(), line.size());
  if (end == 0) {
    return kSkip;
  }
  // A line of plain characters cannot be all blanks and TABs once it has a non-blank one.
  if (!bytes::AnyNonStandard(line.data(), end, line.data() + line.size())) {
    return {LineState::Ready, bytes::FirstNonBlank(line.data(), end), end};
  }
  if (std::all_of(line.begin(), line.end(), IsBlankOrTab)) {
    return kSkip;
  }
  return {LineState::NeedsCleaning, 0, line.size()};
}

void CleanLine(TextOut line, TextOut message, std::int32_t& code) {
  // Bytes outside the first..last non-blank range are blanks already, so the whole line can be
  // cleaned byte by byte.
  bool marked = false;
  for (char& c : line) {
    if (IsStandard(c)) {
      continue;
    }
    marked = marked || (c != '\0' && c != '\t');
    c = ' ';
  }
  if (marked) {
    WriteText(message, kNonStandardMessage);
    code = 2;
  }
}

void LineScreen(TextOut line, TextOut message, std::int32_t& code, bool& skipLine) {
  FillBlanks(message);
  code = 0;
  const LineState state = ClassifyLine(Text(line.data(), line.size()), message, code).state;
  skipLine = state == LineState::Skip;
  if (state == LineState::NeedsCleaning) {
    CleanLine(line, message, code);
  }
}

}  // namespace orvane::toolkit
