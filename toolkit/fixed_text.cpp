#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "toolkit/dataline.h"

namespace orvane::toolkit {
namespace {

// Records are mostly blanks, so they are searched sixteen bytes at a time where the processor
// compares sixteen at once, then eight at a time: a word of blanks XORed with blanks is zero, and
// the first (or last) non-zero byte of the XOR is the first (or last) non-blank character.
constexpr std::uint64_t kBlanks = 0x2020202020202020ULL;

std::uint64_t LoadWord(const char* at) {
  std::uint64_t word = 0;
  std::memcpy(&word, at, sizeof word);
  return word;
}

#if defined(__SSE2__)
// One bit per byte of the sixteen at `at`, set where the byte is not a blank.
unsigned NonBlankBits(const char* at) {
  const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  return ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(' ')))) & 0xFFFFU;
}
#endif

}  // namespace

void FillBlanks(TextOut record) { std::fill(record.begin(), record.end(), ' '); }

void WriteText(TextOut record, Text text) {
  const std::size_t kept = std::min(record.size(), text.size());
  std::copy_n(text.begin(), kept, record.begin());
  std::fill(record.begin() + static_cast<std::ptrdiff_t>(kept), record.end(), ' ');
}

Text TrimTrailingBlanks(Text text) {
  std::size_t end = text.size();
#if defined(__SSE2__)
  for (; end >= 16; end -= 16) {
    if (const unsigned bits = NonBlankBits(text.data() + end - 16); bits != 0) {
      return text.substr(0, end - 16 + static_cast<std::size_t>(std::bit_width(bits)));
    }
  }
#endif
  if constexpr (std::endian::native == std::endian::little) {
    while (end >= 8) {
      const std::uint64_t marks = LoadWord(text.data() + end - 8) ^ kBlanks;
      if (marks != 0) {
        return text.substr(0, end - static_cast<std::size_t>(std::countl_zero(marks)) / 8);
      }
      end -= 8;
    }
  }
  while (end > 0 && text[end - 1] == ' ') {
    --end;
  }
  return text.substr(0, end);
}

Text SkipLeadingBlanks(Text text) {
  std::size_t first = 0;
#if defined(__SSE2__)
  for (; first + 16 <= text.size(); first += 16) {
    if (const unsigned bits = NonBlankBits(text.data() + first); bits != 0) {
      return text.substr(first + static_cast<std::size_t>(std::countr_zero(bits)));
    }
  }
#endif
  if constexpr (std::endian::native == std::endian::little) {
    while (first + 8 <= text.size()) {
      const std::uint64_t marks = LoadWord(text.data() + first) ^ kBlanks;
      if (marks != 0) {
        return text.substr(first + static_cast<std::size_t>(std::countr_zero(marks)) / 8);
      }
      first += 8;
    }
  }
  while (first < text.size() && text[first] == ' ') {
    ++first;
  }
  return text.substr(first);
}

}  // namespace orvane::toolkit
