// One field of a data line: the usual field read as a whole from the classes of its sixteen bytes,
// any other character by character, and the separators after it. Converting what was found into
// a float is decimal.h's part; splitting a line into fields is numbers.cpp's. Internal to the
// toolkit, but for ReadUsualNumbers, which the readers take in line.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <tuple>

#include "toolkit/bytes.h"
#include "toolkit/dataline.h"
#include "toolkit/decimal.h"

namespace orvane::toolkit::fields {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsSign(char c) { return c == '+' || c == '-'; }
inline bool IsFieldSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }
// What ends the number of a field: the end of the field, or a slash, after which the rest of the
// field is ignored.
inline bool EndsNumber(char c) { return IsFieldSeparator(c) || c == '/'; }

// Whether the first two of four bytes (the first the least significant) are an exponent letter,
// E or D in either case, and a sign. Folded to lower case the letter is d or e, which differ in
// the lowest bit alone; the sign is + or -, two apart, with the comma between them.
inline bool IsUsualExponent(std::uint32_t bytes) { return (((bytes | 0x20U) - 0x2B64U) & 0xFDFEU) == 0; }

// ---- Digits, eight at a time ----

inline constexpr std::array<std::uint64_t, 9> kPowersOfTen{1,       10,        100,        1'000,      10'000,
                                                           100'000, 1'000'000, 10'000'000, 100'000'000};

// The value of the eight digit values in a word, the first byte the most significant: byte pairs
// combine into two-digit numbers, then pairs of those into four-digit ones, two at a time by one
// multiplication each.
[[gnu::always_inline]] inline std::uint64_t EightDigits(std::uint64_t values) {
  values = values * 10 + (values >> 8);  // bytes 0, 2, 4, 6: 10 x the first digit + the second
  constexpr std::uint64_t kPairs = 0x000000FF000000FF;
  constexpr std::uint64_t kFirstAndThird = 100 + (1'000'000ULL << 32);
  constexpr std::uint64_t kSecondAndFourth = 1 + (10'000ULL << 32);
  return ((values & kPairs) * kFirstAndThird + ((values >> 16) & kPairs) * kSecondAndFourth) >> 32;
}

// What the field scanner made of one field.
struct Field {
  FieldValue value;
  const char* stop;  // where its number ended: at a separator, a slash, the end, or where it failed
  // Where the next field starts (or the comma of an empty one), past the blanks and the one comma
  // that part the two, or the line's end; nullptr from the character walk, which leaves the
  // separators to the field walk.
  const char* next = nullptr;
};

// ---- The usual field, as a whole ----

// How many bytes from a field's first the usual field's reading may look at: sixteen for its
// classes, and seventeen from the mantissa's first digit, the sixteen that hold its digits with
// the point left out.
inline constexpr std::ptrdiff_t kUsualReach = 18;

// Masks that keep the bytes before byte i of sixteen, for i from 0 to 16: the first eight's and
// the last eight's.
inline constexpr auto kBytesBefore = [] {
  std::array<std::array<std::uint64_t, 2>, 17> masks{};
  for (unsigned i = 0; i <= 16; ++i) {
    masks[i][0] = i >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * i)) - 1;
    masks[i][1] = i <= 8 ? 0 : i == 16 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * (i - 8))) - 1;
  }
  return masks;
}();

// What a mantissa's shape makes of its digits, for each sign (0 or 1 byte), point (its place, or
// 16 for none) and end: which bytes come from the first load and which from the second (see
// Digits), how many digits it has and how many of them follow the point, and how far its digits
// are shifted to end a word. No digits: a shape that is no number. Looked up rather than worked
// out, which takes a dozen steps fewer a field.
struct MantissaShape {
  std::array<std::uint64_t, 2> keep;
  std::uint8_t digitCount;
  std::uint8_t fractionDigits;
  std::uint8_t shift;
};
inline constexpr auto kMantissaShapes = [] {
  std::array<MantissaShape, std::size_t{17} * 16 * 2> shapes{};  // points (or none), ends, signs
  for (unsigned point = 0; point <= 16; ++point) {
    for (unsigned end = 0; end < 16; ++end) {
      for (unsigned sign = 0; sign <= 1; ++sign) {
        MantissaShape& shape = shapes[(point * 16 + end) * 2 + sign];
        // A point among the digits, after the sign; or none, and the end not before the sign.
        const bool hasPoint = point != 16;
        if (hasPoint ? point < sign || point >= end : end < sign) {
          continue;
        }
        const unsigned count = end - sign - (hasPoint ? 1 : 0);
        shape.keep = kBytesBefore[point - sign];
        shape.digitCount = static_cast<std::uint8_t>(count);
        shape.fractionDigits = static_cast<std::uint8_t>(hasPoint ? end - point - 1 : 0);
        shape.shift = static_cast<std::uint8_t>(8 * ((count <= 8 ? 8 : 16) - count));
      }
    }
  }
  return shapes;
}();

// Where kMantissaShapes holds the shape of a mantissa of `end` bytes, the first `sign` of them a
// sign, with its point at `point` (16: none); that of a mantissa `fewer` bytes shorter lies
// ShapesBack(fewer) before it.
inline unsigned ShapeIndex(unsigned sign, unsigned point, unsigned end) { return (point * 16 + end) * 2 + sign; }
inline unsigned ShapesBack(unsigned fewer) { return 2 * fewer; }
inline const MantissaShape& ShapeOf(unsigned sign, unsigned point, unsigned end) {
  return kMantissaShapes[ShapeIndex(sign, point, end)];
}

// The value of the mantissa of shape `shape` whose first digit is at `at`, all the bytes it
// counts digits but its point. The bytes before the point come from one load and those after it
// from another one byte further on; the last eight are loaded only when there are more than eight
// digits. A byte past the digits may borrow from the one above it, never from a digit below, and
// is shifted out.
[[gnu::always_inline]] inline std::uint64_t Digits(const char* at, const MantissaShape& shape) {
  constexpr std::uint64_t kZeros = bytes::Repeat('0');
  const std::uint64_t low = (bytes::Load(at) & shape.keep[0]) | (bytes::Load(at + 1) & ~shape.keep[0]);
  if (shape.digitCount <= 8) {
    return EightDigits((low - kZeros) << shape.shift);
  }
  const std::uint64_t high = (bytes::Load(at + 8) & shape.keep[1]) | (bytes::Load(at + 9) & ~shape.keep[1]);
  return EightDigits(low - kZeros) * kPowersOfTen[shape.digitCount - 8] + EightDigits((high - kZeros) << shape.shift);
}

// The value of the usual field, [sign] digits [. digits] [E or D [sign] digits] with at least
// one digit before the exponent, that fills the first `length` (below 16) of the kUsualReach
// bytes from `chunk`, where `digits` marks the digits among the first sixteen (bit i for byte i).
// Its shape is read off the marks at once, and its mantissa digits come eight at a time from the
// first one on, the point dropped. False for a field of any other shape, one too large for single
// precision, or one the quick conversion cannot decide, which the character walk then takes.
[[gnu::always_inline]] inline bool ConvertUsualField(const char* chunk, unsigned length, unsigned digits,
                                                     float& value) {
  constexpr unsigned kNone = 16;
  unsigned others = ((1U << length) - 1) & ~digits;
  // Without a branch: signed and unsigned numbers come mixed, and the processor cannot foresee it.
  const unsigned sign = others & static_cast<unsigned>(IsSign(chunk[0])) & 1U;
  others ^= sign;
  if (others == 0 && length - sign <= 8) {
    // A whole number of up to eight digits: exact in a 32-bit integer, whose conversion rounds
    // correctly. The sign is applied after, so that "-0" gives negative zero.
    if (length == sign) {
      return false;
    }
    const auto whole =
        static_cast<float>(static_cast<std::int32_t>(Digits(chunk + sign, ShapeOf(sign, kNone, length))));
    value = chunk[0] == '-' ? -whole : whole;
    return true;
  }
  unsigned point = kNone;
  if (others != 0 && chunk[std::countr_zero(others)] == '.') [[likely]] {
    point = static_cast<unsigned>(std::countr_zero(others));
    others &= others - 1;
  }
  // The usual exponent, a letter, a sign and two digits that end the field, is told by its last
  // four bytes, and taken without a branch: fields with and without one come mixed, and the
  // processor cannot foresee which. (In a field too short to hold it, those four bytes reach the
  // separator after it, and its marks are not all in the field.) Any other exponent, or anything
  // else left among the marks, is taken apart from its letter on.
  const std::uint32_t lastFour = bytes::Load4(chunk + std::max(length, 4U) - 4);
  // All ones with it, zeros without.
  const std::int64_t usualExponent = IsUsualExponent(lastFour) ? -1 : 0;
  others ^= (3U << length) >> 4 & static_cast<unsigned>(usualExponent);
  // Its two digits' value, signed: '+' and '-' lie one either side of ','.
  const auto twoDigits = static_cast<std::int64_t>((((lastFour >> 16) & 0x0F0FU) * 0x0A01U >> 8) & 0xFFU);
  std::int64_t exponent = ((',' - static_cast<std::int64_t>((lastFour >> 8) & 0xFFU)) * twoDigits) & usualExponent;
  // The mantissa's shape as if it filled the field, then four bytes shorter with the exponent: the
  // look-up waits on the exponent's test for one step only.
  unsigned shapeIndex = ShapeIndex(sign, point, length) - (ShapesBack(4) & static_cast<unsigned>(usualExponent));
  if (others != 0) [[unlikely]] {
    if (usualExponent != 0) {
      return false;
    }
    const auto letter = static_cast<unsigned>(std::countr_zero(others));
    const char folded = static_cast<char>(chunk[letter] | 0x20);
    if (folded != 'e' && folded != 'd') {
      return false;
    }
    others &= others - 1;
    unsigned digitsFrom = letter + 1;
    if (others != 0) {
      if (others != 1U << digitsFrom || !IsSign(chunk[digitsFrom])) {
        return false;
      }
      ++digitsFrom;
    }
    if (digitsFrom == length) {
      return false;
    }
    for (unsigned i = digitsFrom; i < length; ++i) {
      exponent = exponent * 10 + (chunk[i] - '0');
    }
    exponent = chunk[letter + 1] == '-' ? -exponent : exponent;
    shapeIndex = ShapeIndex(sign, point, letter);
  }
  const MantissaShape& shape = kMantissaShapes[shapeIndex];
  if (shape.digitCount == 0) [[unlikely]] {
    return false;
  }
  // The rare field that the quick conversion cannot decide goes to the character walk, which
  // converts it from all its digits: nothing of this one need be kept for it meanwhile.
  FieldValue converted{};
  // A field of fewer than sixteen bytes has at most fifteen digits.
  if (!QuickFloat<true>(Digits(chunk + sign, shape), exponent - shape.fractionDigits, chunk[0] == '-', converted) ||
      converted.kind != FieldKind::Number) [[unlikely]] {
    return false;
  }
  value = converted.value;
  return true;
}

// The first character from `at` that is not a blank (nor a TAB, when it counts as one), or `end`;
// eight at a time, reading up to `readableEnd` (blanks past `end`). In line with no call, since a
// call in the reading of a line would make the compiler keep the line's values where a call leaves
// them.
template <bytes::Tab tab = bytes::Tab::Blank>
[[gnu::always_inline]] inline const char* SkipBlanks(const char* at, const char* end, const char* readableEnd) {
  const auto isBlank = [](char c) { return c == ' ' || (tab == bytes::Tab::Blank && c == '\t'); };
  if (at < end && !isBlank(*at)) {  // fields close together
    return at;
  }
  while (at < end) {
    const std::uint64_t marks = bytes::NonBlank(bytes::LoadUpTo(at, readableEnd));
    if (marks == 0) {
      at += 8;
      continue;
    }
    at += bytes::First(marks);
    if (!isBlank(*at)) {
      return at;
    }
    ++at;
  }
  return end;
}

// Past the blanks from `at` and one comma among them: where the next field starts, the comma of
// an empty one, or `lineEnd`.
template <bytes::Tab tab = bytes::Tab::Blank>
inline const char* PastSeparator(const char* at, const char* lineEnd, const char* readableEnd) {
  at = SkipBlanks<tab>(at, lineEnd, readableEnd);
  return at != lineEnd && *at == ',' ? SkipBlanks<tab>(at + 1, lineEnd, readableEnd) : at;
}

// Where the field that fills the first `length` of the sixteen bytes at `at`, classed in
// `classes`, is followed by the next one: past the blanks after it and one comma among them, read
// off the classes as far as they reach. Bytes past the line's end are blanks, so a non-blank one
// found here is on the line.
template <bytes::Tab tab = bytes::Tab::Blank>
[[gnu::always_inline]] inline const char* NextField(const char* at, unsigned length, const bytes::Classes16& classes,
                                                    const char* lineEnd, const char* readableEnd) {
  constexpr unsigned kNone = 16;
  // The non-blanks after the field, and every bit from the sixteenth on, which marks the end of
  // the bytes classed.
  unsigned rest = ~classes.blanks & (~0U << length);
  const unsigned comma = rest & (0U - rest) & classes.commas;  // the first one after the field, if any
  rest ^= comma;
  const auto next = static_cast<unsigned>(std::countr_zero(rest));
  if (next != kNone) [[likely]] {
    return at + next;
  }
  // Blanks, and perhaps a comma, to the end of the sixteen bytes.
  return comma != 0 ? SkipBlanks<tab>(at + kNone, lineEnd, readableEnd)
                    : PastSeparator<tab>(at + kNone, lineEnd, readableEnd);
}

// The usual field at `at`, on a line that ends at `lineEnd` and may be read to `readableEnd`,
// ended by a separator within sixteen bytes, and where the next field starts, both read off the
// classes of those sixteen bytes. False for any other field.
[[gnu::always_inline]] inline bool ScanUsualField(const char* at, const char* lineEnd, const char* readableEnd,
                                                  Field& field) {
  constexpr unsigned kNone = 16;
  // The field's own bytes, or near the end of what may be read a blank-padded copy of them.
  std::array<char, kUsualReach> padded;
  const char* chunk = at;
  if (readableEnd - at < kUsualReach) {
    padded.fill(' ');
    std::copy(at, readableEnd, padded.begin());
    chunk = padded.data();
  }
  const bytes::Classes16 classes = bytes::Classify16(chunk);
  const auto length = static_cast<unsigned>(std::countr_zero(classes.blanks | classes.commas | 0x10000U));
  if (length == kNone || !ConvertUsualField(chunk, length, classes.digits, field.value.value)) {
    return false;
  }
  field.value.kind = FieldKind::Number;
  field.stop = at + length;
  field.next = field.stop == lineEnd ? lineEnd : NextField(at, length, classes, lineEnd, readableEnd);
  return true;
}

// One field, from its first character `at` (which is no separator), by the number syntax:
// [sign] digits [. digits] [exponent] with at least one digit, or [sign] and a word; the repeat
// form r*c; a slash that ends the number. Every character is looked at once, and the digits of
// the mantissa eight at a time, point and all: a point among them is folded out of the word.
// Characters up to `end` may be read; past the field's last character there must be a separator
// or `end`. Kept out of line, so that the usual field's few registers stay free.
Field ScanAnyField(const char* at, const char* end);

// One field, from its first character `at` (which is no separator) on a line that ends at
// `lineEnd`: the usual field as a whole where it can be, any other character by character.
// Characters up to `end` may be read.
[[gnu::always_inline]] inline Field ScanField(const char* at, const char* lineEnd, const char* end) {
  if (Field usual{}; ScanUsualField(at, lineEnd, end, usual)) {
    return usual;
  }
  return ScanAnyField(at, end);
}

// What ReadUsualFields gives for a line that is not of usual fields.
inline constexpr std::ptrdiff_t kNotUsual = -1;

// The indices 0 to `Count` - 1, which std::apply hands over as a pack, each known when compiling.
template <std::size_t Count>
inline constexpr auto kIndices = [] {
  std::array<std::size_t, Count> indices{};
  for (std::size_t i = 0; i < Count; ++i) {
    indices[i] = i;
  }
  return indices;
}();

// ReadUsualFields on a line followed by at least kUsualReach readable bytes, which are blanks.
template <std::size_t Extent = std::dynamic_extent>
[[gnu::always_inline]] inline std::ptrdiff_t ReadUsualLine(const char* at, const char* lineEnd,
                                                           std::span<float, Extent> values) {
  constexpr unsigned kNone = 16;
  // Everything the reading may look at lies within kUsualReach bytes past the line's end.
  const char* const readableEnd = lineEnd + kUsualReach;
  // A screened line holds no TAB: one that does is no usual line.
  constexpr bytes::Tab kTab = bytes::Tab::Other;
  at = SkipBlanks<kTab>(at, lineEnd, readableEnd);
  std::ptrdiff_t read = 0;
  // Reads field k; false, with `read` set, when the line ends before it or it is not usual.
  const auto readField = [&](std::size_t k) __attribute__((always_inline)) {
    if (at == lineEnd) {
      read = static_cast<std::ptrdiff_t>(k);
      return false;
    }
    // A comma here, with no field before it, makes a field of no characters, which the
    // conversion refuses.
    const bytes::Classes16 classes = bytes::Classify16<kTab>(at);
    const auto length = static_cast<unsigned>(std::countr_zero(classes.blanks | classes.commas | 0x10000U));
    if (length == kNone) [[unlikely]] {
      read = kNotUsual;
      return false;
    }
    const char* const next =
        at + length == lineEnd ? lineEnd : NextField<kTab>(at, length, classes, lineEnd, readableEnd);
    if (!ConvertUsualField(at, length, classes.digits, values[k])) [[unlikely]] {
      read = kNotUsual;
      return false;
    }
    at = next;
    return true;
  };
  if constexpr (Extent == std::dynamic_extent || Extent == 1) {
    for (std::size_t k = 0; k < values.size(); ++k) {
      if (!readField(k)) {
        return read;
      }
    }
  } else {
    // A fixed number of fields is read with no loop, so that each field's values get registers
    // of their own: in a loop the compiler keeps some of them on the stack. (A single value goes
    // the loop's way: its readers, which read one value in several places, come out larger in
    // line, and slower.)
    if (!std::apply(
            [&](auto... k) __attribute__((always_inline)) { return (readField(k) && ...); }, kIndices<Extent>)) {
      return read;
    }
  }
  return static_cast<std::ptrdiff_t>(values.size());
}

// ReadUsualFields on a line near the end of what may be read: on a blank-padded copy.
std::ptrdiff_t ReadUsualFieldsNearEnd(const char* at, const char* lineEnd, std::span<float> values);

// The usual line: from `at` to `lineEnd`, fields of the usual shape (see ConvertUsualField) parted
// by blanks and single commas, read into `values` with no step but the usual field's; how many it
// read. kNotUsual for any other line, which the field walk then reads from the start: a value
// written here is then written once more, the same. The count is returned, not written through a
// reference, so that it never needs a place in memory.
template <std::size_t Extent = std::dynamic_extent>
[[gnu::always_inline]] inline std::ptrdiff_t ReadUsualFields(const char* at, const char* lineEnd,
                                                             const char* readableEnd, std::span<float, Extent> values) {
  return readableEnd - lineEnd >= kUsualReach ? ReadUsualLine(at, lineEnd, values)
                                              : ReadUsualFieldsNearEnd(at, lineEnd, values);
}

// ReadNumericFieldsIntoBlank in its usual case, in line for the readers: a blank key (the numbers
// from column 1, after the line's leading blanks) and a line of usual fields. False for any other,
// having written no more than values that the full reading then writes again, the same.
template <std::size_t Extent = std::dynamic_extent>
[[gnu::always_inline]] inline bool ReadUsualNumbers(Text key, const ScreenedLine& line, std::span<float, Extent> values,
                                                    float defaultValue) {
  if (values.empty() || key.find_first_not_of(' ') != Text::npos) {
    return false;
  }
  const char* const text = line.text.data();
  const std::ptrdiff_t count =
      ReadUsualFields(text + line.first, text + line.text.size(), text + line.readable, values);
  if (count == kNotUsual) {
    return false;
  }
  std::fill(values.begin() + count, values.end(), defaultValue);
  return true;
}

}  // namespace orvane::toolkit::fields
