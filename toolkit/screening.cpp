#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "toolkit/dataline.h"

namespace orvane::toolkit {
namespace {

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

bool IsStandard(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 32 && byte <= 127;
}

// Whether any byte is below 32 or above 127, eight bytes at a time: subtracting 32 from every byte
// of a word borrows first at the lowest byte below 32, which sets that byte's top bit, and a byte
// above 127 has its top bit set already; bytes from 32 to 127 leave every top bit clear.
// With sixteen-byte compares, a byte above 127 is negative as a signed byte, so one signed
// comparison with 32 finds both kinds.
bool HasNonStandardByte(Text text) {
  constexpr std::uint64_t kThirtyTwos = 0x2020202020202020ULL;
  constexpr std::uint64_t kTopBits = 0x8080808080808080ULL;
  std::size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= text.size(); i += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    if (_mm_movemask_epi8(_mm_cmplt_epi8(chunk, _mm_set1_epi8(32))) != 0) {
      return true;
    }
  }
#endif
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + i, sizeof word);
    if ((((word - kThirtyTwos) | word) & kTopBits) != 0) {
      return true;
    }
  }
  return !std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(), IsStandard);
}

}  // namespace

LineClass ClassifyLine(Text line, TextOut message, std::int32_t& code) {
  constexpr LineClass kSkip{LineState::Skip, 0};
  if (line.starts_with("#INCLUDE")) {
    WriteText(message, kIncludeMessage);
    code = 2;
    return kSkip;
  }
  if (!line.empty() && (line.front() == 'C' || line.front() == 'c')) {
    return kSkip;
  }
  const Text used = TrimTrailingBlanks(line);
  if (used.empty()) {
    return kSkip;
  }
  // A line of plain characters cannot be all blanks and TABs once it has a non-blank one.
  if (!HasNonStandardByte(used)) {
    return {LineState::Ready, used.size()};
  }
  if (std::all_of(line.begin(), line.end(), IsBlankOrTab)) {
    return kSkip;
  }
  return {LineState::NeedsCleaning, used.size()};
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
