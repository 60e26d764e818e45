// Bytes eight at a time in one 64-bit word, or sixteen at a time with SSE2: the loads and masks
// that find blanks, digits and non-standard characters without a loop over single bytes.
// Internal to the toolkit.
//
// Every word holds its bytes in text order, the first byte lowest, whatever the machine's byte
// order; a mask marks a byte by setting its top bit. A load never reads past the end it is given.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// SSE2 where the processor has it, unless the portable path is asked for (ORVANE_PORTABLE, which
// the tests build too, so that both paths are tested).
#if defined(__SSE2__) && !defined(ORVANE_PORTABLE)
#define ORVANE_SSE2 1
#include <emmintrin.h>
#else
#define ORVANE_SSE2 0
#endif

namespace orvane::toolkit::bytes {

// `byte` in every byte of a word.
constexpr std::uint64_t Repeat(std::uint8_t byte) { return 0x0101010101010101ULL * byte; }
inline constexpr std::uint64_t kTopBits = Repeat(0x80);
inline constexpr std::uint64_t kBlanks = Repeat(' ');

// The eight bytes at `at`.
inline std::uint64_t Load(const char* at) {
  std::uint64_t word = 0;
  std::memcpy(&word, at, sizeof word);
  if constexpr (std::endian::native == std::endian::big) {
    std::uint64_t swapped = 0;
    for (int i = 0; i < 8; ++i) {
      swapped = (swapped << 8) | ((word >> (8 * i)) & 0xFFU);
    }
    word = swapped;
  }
  return word;
}

// The four bytes at `at`, the first the least significant, as Load has them.
inline std::uint32_t Load4(const char* at) {
  std::uint32_t word = 0;
  std::memcpy(&word, at, sizeof word);
  if constexpr (std::endian::native == std::endian::big) {
    word = (word >> 24) | ((word >> 8) & 0xFF00U) | ((word << 8) & 0xFF0000U) | (word << 24);
  }
  return word;
}

// The bytes from `at`, eight of them, or as many as there are before `end` followed by blanks.
inline std::uint64_t LoadUpTo(const char* at, const char* end) {
  if (end - at >= 8) {
    return Load(at);
  }
  std::uint64_t word = kBlanks;
  for (unsigned shift = 0; at < end; ++at, shift += 8) {
    word ^= (std::uint64_t{static_cast<unsigned char>(*at)} ^ ' ') << shift;
  }
  return word;
}

// Marks every byte that is not zero. Exact: the addition never carries out of a byte.
inline std::uint64_t NonZero(std::uint64_t word) { return (((word & ~kTopBits) + ~kTopBits) | word) & kTopBits; }

// Marks every byte that is not a blank.
inline std::uint64_t NonBlank(std::uint64_t word) { return NonZero(word ^ kBlanks); }

// Marks the first byte that is not a digit 0 to 9 (and perhaps bytes after it, never one before):
// below '0' the subtraction sets the top bit, above '9' the addition does, and neither borrows or
// carries out of a digit.
inline std::uint64_t NonDigit(std::uint64_t word) {
  return ((word - Repeat('0')) | (word + Repeat(0x7F - '9'))) & kTopBits;
}

// Marks exactly the zero bytes.
inline std::uint64_t ZeroBytes(std::uint64_t word) { return ~NonZero(word) & kTopBits; }

// Marks exactly the bytes equal to `byte`.
inline std::uint64_t EqualBytes(std::uint64_t word, std::uint8_t byte) { return ZeroBytes(word ^ Repeat(byte)); }

// Marks exactly the digits 0 to 9: on the low seven bits of each byte, adding 0x80 - '0' reaches
// the top bit from '0' on and adding 0x7F - '9' from past '9' on, without carrying out of a byte;
// a byte with its top bit set is no digit.
inline std::uint64_t DigitBytes(std::uint64_t word) {
  const std::uint64_t low = word & ~kTopBits;
  return (low + Repeat(0x80 - '0')) & ~(low + Repeat(0x7F - '9')) & ~word & kTopBits;
}

// One bit per marked byte, bit i for byte i: the multiplication gathers the eight top bits into
// the highest byte without any two products meeting.
inline unsigned MarkBits(std::uint64_t marks) {
  return static_cast<unsigned>(((marks >> 7) * 0x0102040810204080ULL) >> 56);
}

// Whether any byte is below 32 or above 127: subtracting 32 sets the top bit of the first byte
// below 32, and a byte above 127 has it set already.
inline bool AnyNonStandard(std::uint64_t word) { return (((word - Repeat(32)) | word) & kTopBits) != 0; }

// The index of the first marked byte; 8 when none is.
inline unsigned First(std::uint64_t marks) { return static_cast<unsigned>(std::countr_zero(marks)) / 8; }
// One past the index of the last marked byte; 0 when none is.
inline unsigned PastLast(std::uint64_t marks) { return static_cast<unsigned>(std::bit_width(marks)) / 8; }

#if ORVANE_SSE2
// One bit per byte of the sixteen at `at`, set where the byte is a blank.
inline unsigned BlankBits(const char* at) {
  const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(' '))));
}
// One bit per byte of the sixteen at `at`, set where the byte is not a blank.
inline unsigned NonBlankBits(const char* at) { return ~BlankBits(at) & 0xFFFFU; }
#endif

// Whether a TAB parts fields as a blank does. Screening turns every TAB of a line into a blank, so
// the usual line, read from screened lines, takes a TAB for any other character: a line that
// still holds one is left to the field walk, which parts fields at TABs too.
enum class Tab : bool { Other, Blank };

// Sixteen bytes sorted into the classes that take a field apart, one bit per byte, bit i for the
// byte at i: what a field and its separators look like, found without a loop over the bytes.
struct Classes16 {
  unsigned blanks;  // blank, or TAB when it counts as one
  unsigned commas;
  unsigned digits;  // 0 to 9
};

template <Tab tab = Tab::Blank>
inline Classes16 Classify16(const char* at) {
#if ORVANE_SSE2
  const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  __m128i blanks = _mm_cmpeq_epi8(chunk, _mm_set1_epi8(' '));
  if constexpr (tab == Tab::Blank) {
    blanks = _mm_or_si128(blanks, _mm_cmpeq_epi8(chunk, _mm_set1_epi8('\t')));
  }
  // A digit is a byte whose distance above '0' is at most 9, unsigned.
  const __m128i aboveZero = _mm_sub_epi8(chunk, _mm_set1_epi8('0'));
  const __m128i digits = _mm_cmpeq_epi8(_mm_min_epu8(aboveZero, _mm_set1_epi8(9)), aboveZero);
  return {static_cast<unsigned>(_mm_movemask_epi8(blanks)),
          static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(',')))),
          static_cast<unsigned>(_mm_movemask_epi8(digits))};
#else
  const std::uint64_t low = Load(at);
  const std::uint64_t high = Load(at + 8);
  const auto both = [low, high](auto marks) { return MarkBits(marks(low)) | MarkBits(marks(high)) << 8; };
  return {both([](std::uint64_t w) {
            return EqualBytes(w, ' ') | (tab == Tab::Blank ? EqualBytes(w, '\t') : std::uint64_t{0});
          }),
          both([](std::uint64_t w) { return EqualBytes(w, ','); }), both(DigitBytes)};
#endif
}

// Where the non-blank bytes of [at, at + size) start: the index of the first one, `size` if none.
inline std::size_t FirstNonBlank(const char* at, std::size_t size) {
  std::size_t i = 0;
#if ORVANE_SSE2
  // Most often among the first sixteen.
  if (size >= 16) {
    if (const unsigned bits = NonBlankBits(at); bits != 0) {
      return static_cast<std::size_t>(std::countr_zero(bits));
    }
    i = 16;
  }
  for (; i + 16 <= size; i += 16) {
    if (const unsigned bits = NonBlankBits(at + i); bits != 0) {
      return i + static_cast<std::size_t>(std::countr_zero(bits));
    }
  }
#endif
  for (; i < size; i += 8) {
    if (const std::uint64_t marks = NonBlank(LoadUpTo(at + i, at + size)); marks != 0) {
      return i + First(marks);
    }
  }
  return size;
}

// Where the non-blank bytes of [at, at + size) end: one past the last one, 0 if none. A record's
// blank padding is often most of it, so the marks of thirty-two bytes at a time are looked at.
inline std::size_t PastLastNonBlank(const char* at, std::size_t size) {
  std::size_t end = size;
#if ORVANE_SSE2
  for (; end >= 32; end -= 32) {
    if (const unsigned blanks = BlankBits(at + end - 32) | BlankBits(at + end - 16) << 16; blanks != ~0U) {
      return end - 32 + static_cast<std::size_t>(std::bit_width(~blanks));
    }
  }
  if (end >= 16) {
    if (const unsigned bits = NonBlankBits(at + end - 16); bits != 0) {
      return end - 16 + static_cast<std::size_t>(std::bit_width(bits));
    }
    end -= 16;
  }
#endif
  for (; end >= 8; end -= 8) {
    if (const std::uint64_t marks = NonBlank(Load(at + end - 8)); marks != 0) {
      return end - 8 + PastLast(marks);
    }
  }
  while (end > 0 && at[end - 1] == ' ') {
    --end;
  }
  return end;
}

#if ORVANE_SSE2
// Whether the bytes from `from` to `size` are all blanks, sixteen at a time: the last sixteen,
// which must not start before `at`, then those before them from `from` on. Of the last sixteen,
// those before `from` are left out.
inline bool AllBlankFrom(const char* at, std::size_t from, std::size_t size) {
  const auto blanks = [at](std::size_t i) {
    return _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at + i)), _mm_set1_epi8(' '));
  };
  __m128i all = blanks(size - 16);
  for (std::size_t i = from; i + 16 < size; i += 16) {
    all = _mm_and_si128(all, blanks(i));
  }
  auto marks = static_cast<unsigned>(_mm_movemask_epi8(all));
  if (const std::size_t count = size - from; count < 16) {
    marks |= (1U << (16 - count)) - 1;
  }
  return marks == 0xFFFF;
}

// The first sixty-four bytes at `at`: one bit for each non-blank (bit i for byte i), and whether
// all are standard (32 to 127).
struct First64 {
  std::uint64_t nonBlanks;
  bool standard;
};
inline First64 MeasureFirst64(const char* at) {
  const auto load = [at](std::size_t i) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + i)); };
  const __m128i c0 = load(0);
  const __m128i c1 = load(16);
  const __m128i c2 = load(32);
  const __m128i c3 = load(48);
  const __m128i blank = _mm_set1_epi8(' ');
  const auto blanks = [blank](__m128i chunk) {
    return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, blank))));
  };
  const std::uint64_t all = blanks(c0) | blanks(c1) << 16 | blanks(c2) << 32 | blanks(c3) << 48;
  const __m128i below = _mm_set1_epi8(31);
  const __m128i standard = _mm_and_si128(_mm_and_si128(_mm_cmpgt_epi8(c0, below), _mm_cmpgt_epi8(c1, below)),
                                         _mm_and_si128(_mm_cmpgt_epi8(c2, below), _mm_cmpgt_epi8(c3, below)));
  return {~all, _mm_movemask_epi8(standard) == 0xFFFF};
}
#endif

// Whether any of [at, at + size) is below 32 or above 127; bytes up to `readableEnd` may be read,
// and those past `size` must be standard. A byte above 127 is negative as a signed byte, so one
// signed comparison with 31 finds the standard bytes sixteen at a time; the marks of every sixteen
// are gathered, and looked at once.
inline bool AnyNonStandard(const char* at, std::size_t size, const char* readableEnd) {
  std::size_t i = 0;
#if ORVANE_SSE2
  if (readableEnd - at >= 16) {
    const auto standard = [at](std::size_t from) {
      return _mm_cmpgt_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at + from)), _mm_set1_epi8(31));
    };
    __m128i allStandard = _mm_set1_epi8(-1);
    for (; i + 16 <= size; i += 16) {
      allStandard = _mm_and_si128(allStandard, standard(i));
    }
    // The last sixteen before the end, or the first sixteen, which may reach past the end: bytes
    // looked at twice, rather than bytes that may not be read.
    allStandard = _mm_and_si128(allStandard, standard(size >= 16 ? size - 16 : 0));
    return _mm_movemask_epi8(allStandard) != 0xFFFF;
  }
#endif
  for (; i < size; i += 8) {
    if (AnyNonStandard(LoadUpTo(at + i, readableEnd))) {
      return true;
    }
  }
  return false;
}

// Fills `count` bytes from `at` with `byte`, sixteen at a time where it can: the walk zeroes every
// code of a block with this in one go, and blanks the messages of the lines it does not come to.
inline void Fill(char* at, std::size_t count, char byte) {
  std::size_t i = 0;
#if ORVANE_SSE2
  const __m128i chunk = _mm_set1_epi8(byte);
  // A block's codes, or the messages past its end, can be hundreds of kilobytes: sixteen stores a
  // step.
  for (; i + 256 <= count; i += 256) {
    for (std::size_t k = 0; k < 256; k += 16) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(at + i + k), chunk);
    }
  }
  for (; i + 64 <= count; i += 64) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at + i), chunk);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at + i + 16), chunk);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at + i + 32), chunk);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at + i + 48), chunk);
  }
  for (; i + 16 <= count; i += 16) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at + i), chunk);
  }
#endif
  const std::uint64_t word = Repeat(static_cast<std::uint8_t>(byte));
  for (; i + 8 <= count; i += 8) {
    std::memcpy(at + i, &word, sizeof word);
  }
  for (; i < count; ++i) {
    at[i] = byte;
  }
}

// Asks for the memory at `at` to be brought into the caches to be written, ahead of the writing.
inline void PrefetchForWriting(const void* at) {
#if defined(__GNUC__)
  __builtin_prefetch(at, 1);
#else
  static_cast<void>(at);
#endif
}

// Fill, kept out of line for the lines that FillLine does not fill itself.
[[gnu::noinline]] inline void FillOutOfLine(char* at, std::size_t count, char byte) { Fill(at, count, byte); }

// Fills one line's `count` bytes from `at` with `byte`: the walk blanks each message with it as it
// comes to the line. A line of 16 to 272 bytes takes sixteen-byte stores and no loop: those that cover
// the bytes before the last sixteen, jumped into by their number, then one for the last sixteen.
inline void FillLine(char* at, std::size_t count, char byte) {
#if ORVANE_SSE2
  const std::size_t before = count - 16;  // beyond 256 too when it wraps, below sixteen bytes
  if (before <= 256) {
    const __m128i chunk = _mm_set1_epi8(byte);
    const auto store = [chunk](char* to) { _mm_storeu_si128(reinterpret_cast<__m128i*>(to), chunk); };
    switch ((before + 15) / 16) {
      case 16:
        store(at + 240);
        [[fallthrough]];
      case 15:
        store(at + 224);
        [[fallthrough]];
      case 14:
        store(at + 208);
        [[fallthrough]];
      case 13:
        store(at + 192);
        [[fallthrough]];
      case 12:
        store(at + 176);
        [[fallthrough]];
      case 11:
        store(at + 160);
        [[fallthrough]];
      case 10:
        store(at + 144);
        [[fallthrough]];
      case 9:
        store(at + 128);
        [[fallthrough]];
      case 8:
        store(at + 112);
        [[fallthrough]];
      case 7:
        store(at + 96);
        [[fallthrough]];
      case 6:
        store(at + 80);
        [[fallthrough]];
      case 5:
        store(at + 64);
        [[fallthrough]];
      case 4:
        store(at + 48);
        [[fallthrough]];
      case 3:
        store(at + 32);
        [[fallthrough]];
      case 2:
        store(at + 16);
        [[fallthrough]];
      case 1:
        store(at);
        [[fallthrough]];
      default:
        break;
    }
    store(at + before);
    return;
  }
#endif
  FillOutOfLine(at, count, byte);
}

}  // namespace orvane::toolkit::bytes
