// Number reading: the one scanner that takes a field apart, character classes and digits eight at
// a time, and the splitting of a line into fields around it. Converting what the scanner found
// into a float is decimal.cpp's part.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>

#include "toolkit/bytes.h"
#include "toolkit/dataline.h"
#include "toolkit/decimal.h"

namespace orvane::toolkit {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSign(char c) { return c == '+' || c == '-'; }
bool IsFieldSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }
// What ends the number of a field: the end of the field, or a slash, after which the rest of the
// field is ignored.
bool EndsNumber(char c) { return IsFieldSeparator(c) || c == '/'; }
bool IsExponentLetter(char c) {
  switch (c) {
    case 'E':
    case 'e':
    case 'D':
    case 'd':
    case 'Q':
    case 'q':
      return true;
    default:
      return false;
  }
}

// The character at `at`, or a blank at and past `end`: past a line's last character it is blank
// padding.
char At(const char* at, const char* end) { return at < end ? *at : ' '; }

// ---- Digits, eight at a time ----

constexpr std::array<std::uint64_t, 9> kPowersOfTen{1,       10,        100,        1'000,      10'000,
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

// The words INF, INFINITY and NAN, in any case, from `at`: where the word ends, or nullptr.
const char* ScanWord(const char* at, const char* end, bool negative, float& value) {
  const auto matches = [at, end](std::string_view lowerCase) {
    const char* p = at;
    for (const char letter : lowerCase) {
      if (p == end || (*p | 0x20) != letter) {  // only 'A' to 'Z' fold onto 'a' to 'z' here
        return false;
      }
      ++p;
    }
    return true;
  };
  const float infinity = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  if (matches("infinity")) {
    value = negative ? -infinity : infinity;
    return at + 8;
  }
  if (matches("inf") || matches("nan")) {
    value = (*at | 0x20) == 'i' ? (negative ? -infinity : infinity) : (negative ? -nan : nan);
    return at + 3;
  }
  return nullptr;
}

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
// classes, and sixteen from the mantissa's first digit.
constexpr std::ptrdiff_t kUsualReach = 17;

// Drops byte `index` of the sixteen bytes low, high, moving the bytes after it one place down.
[[gnu::always_inline]] inline void DropByte(std::uint64_t& low, std::uint64_t& high, unsigned index) {
  if (index < 8) {
    const std::uint64_t below = (std::uint64_t{1} << (8 * index)) - 1;
    low = (low & below) | ((low >> 8) & ~below) | (high << 56);
    high >>= 8;
  } else {
    const std::uint64_t below = (std::uint64_t{1} << (8 * (index - 8))) - 1;
    high = (high & below) | ((high >> 8) & ~below);
  }
}

// The value of the first `count` bytes (1 to 16) of low, high, all of them digits. A byte past
// them may borrow from the one above it, never from a digit below, and is shifted out.
[[gnu::always_inline]] inline std::uint64_t LeadingDigits(std::uint64_t low, std::uint64_t high, unsigned count) {
  constexpr std::uint64_t kZeros = bytes::Repeat('0');
  if (count <= 8) {
    return EightDigits((low - kZeros) << (8 * (8 - count)));
  }
  return EightDigits(low - kZeros) * kPowersOfTen[count - 8] + EightDigits((high - kZeros) << (8 * (16 - count)));
}

// The value of the usual field, [sign] digits [. digits] [E or D [sign] digits] with at least
// one digit before the exponent, that fills the first `length` (below 16) of the kUsualReach
// bytes from `chunk`, where `digits` marks the digits among the first sixteen (bit i for byte i).
// Its shape is read off the marks at once, and its mantissa digits come eight at a time from the
// first one on, the point dropped. False for a field of any other shape, or one too large for
// single precision, which the character walk then takes.
[[gnu::always_inline]] inline bool ConvertUsualField(const char* chunk, unsigned length, unsigned digits,
                                                     float& value) {
  constexpr unsigned kNone = 16;
  unsigned others = ((1U << length) - 1) & ~digits;
  const unsigned sign = (others & 1U) != 0 && IsSign(chunk[0]) ? 1 : 0;
  others &= ~sign;
  unsigned point = kNone;
  if (others != 0 && chunk[std::countr_zero(others)] == '.') {
    point = static_cast<unsigned>(std::countr_zero(others));
    others &= others - 1;
  }
  unsigned mantissaEnd = length;
  std::int64_t exponent = 0;
  if (others != 0) {
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
    if (length - digitsFrom == 2) {  // the usual exponent
      exponent = (chunk[digitsFrom] - '0') * 10 + (chunk[digitsFrom + 1] - '0');
    } else {
      for (unsigned i = digitsFrom; i < length; ++i) {
        exponent = exponent * 10 + (chunk[i] - '0');
      }
    }
    exponent = chunk[letter + 1] == '-' ? -exponent : exponent;
    mantissaEnd = letter;
  }
  const unsigned digitCount = mantissaEnd - sign - (point == kNone ? 0 : 1);
  if (digitCount == 0) {
    return false;
  }
  // The mantissa's bytes from its first digit, the point dropped.
  std::uint64_t low = bytes::Load(chunk + sign);
  std::uint64_t high = bytes::Load(chunk + sign + 8);
  if (point != kNone) {
    DropByte(low, high, point - sign);
  }
  const unsigned fractionDigits = point == kNone ? 0 : mantissaEnd - point - 1;
  const bool negative = chunk[0] == '-';
  FieldValue converted{};
  if (!QuickFloat(LeadingDigits(low, high, digitCount), exponent - fractionDigits, negative, converted)) {
    const unsigned integerDigits = (point == kNone ? mantissaEnd : point) - sign;
    const Text fraction = point == kNone ? Text() : Text(chunk + point + 1, fractionDigits);
    converted = ToFloatExactly({negative, Text(chunk + sign, integerDigits), fraction, exponent});
  }
  if (converted.kind != FieldKind::Number) {
    return false;
  }
  value = converted.value;
  return true;
}

// The first character from `at` that is neither a blank nor a TAB, or `end`; eight at a time,
// reading up to `readableEnd` (blanks past `end`).
const char* SkipBlanks(const char* at, const char* end, const char* readableEnd) {
  if (at < end && *at != ' ' && *at != '\t') {  // fields close together
    return at;
  }
  while (at < end) {
    const std::uint64_t marks = bytes::NonBlank(bytes::LoadUpTo(at, readableEnd));
    if (marks == 0) {
      at += 8;
      continue;
    }
    at += bytes::First(marks);
    if (*at != '\t') {
      return at;
    }
    ++at;
  }
  return end;
}

// Past the blanks from `at` and one comma among them: where the next field starts, the comma of
// an empty one, or `lineEnd`.
const char* PastSeparator(const char* at, const char* lineEnd, const char* readableEnd) {
  at = SkipBlanks(at, lineEnd, readableEnd);
  return at != lineEnd && *at == ',' ? SkipBlanks(at + 1, lineEnd, readableEnd) : at;
}

// The usual field at `at`, on a line that ends at `lineEnd` and may be read to `readableEnd`,
// ended by a separator within sixteen bytes, and where the next field starts, both read off the
// classes of those sixteen bytes as far as they reach. False for any other field.
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
  // Past the blanks after the field and one comma among them. Bytes past the line's end are
  // blanks, so a non-blank one found here is on the line.
  if (field.stop == lineEnd) {
    field.next = lineEnd;
    return true;
  }
  const unsigned nonBlank = ~classes.blanks & 0xFFFFU;
  const auto after = static_cast<unsigned>(std::countr_zero((nonBlank & (0xFFFFU << length)) | 0x10000U));
  if (after == kNone) {  // blanks to the end of the sixteen bytes
    field.next = PastSeparator(at + kNone, lineEnd, readableEnd);
  } else if (((classes.commas >> after) & 1U) == 0) {
    field.next = at + after;
  } else {
    const auto beyond = static_cast<unsigned>(std::countr_zero((nonBlank & (0xFFFFU << (after + 1))) | 0x10000U));
    field.next = beyond != kNone ? at + beyond : SkipBlanks(at + kNone, lineEnd, readableEnd);
  }
  return true;
}

// One field, from its first character `at` (which is no separator), by the number syntax:
// [sign] digits [. digits] [exponent] with at least one digit, or [sign] and a word; the repeat
// form r*c; a slash that ends the number. Every character is looked at once, and the digits of
// the mantissa eight at a time, point and all: a point among them is folded out of the word.
// Characters up to `end` may be read; past the field's last character there must be a separator
// or `end`. Kept out of line, so that the usual field's few registers stay free.
[[gnu::noinline]] Field ScanAnyField(const char* at, const char* end) {
  constexpr FieldValue kNull{FieldKind::Null, 0.0F};
  constexpr FieldValue kNotNumber{FieldKind::NotNumber, 0.0F};
  if (*at == '/') {
    return {kNull, at};
  }
  const char* p = at;
  for (bool repeated = false;; repeated = true) {
    const char* const start = p;
    const bool negative = *p == '-';
    p += IsSign(*p) ? 1 : 0;
    const char* const digits = p;
    const char* point = nullptr;
    std::uint64_t w = 0;  // the digits, modulo 2^64 past 19 of them
    for (;;) {
      std::uint64_t word = bytes::LoadUpTo(p, end);
      unsigned count = bytes::First(bytes::NonDigit(word));
      unsigned used = count;
      if (count < 8 && point == nullptr && ((word >> (8 * count)) & 0xFFU) == '.') {
        const std::uint64_t below = (std::uint64_t{1} << (8 * count)) - 1;
        word = (word & below) | ((word >> 8) & ~below) | (std::uint64_t{' '} << 56);
        point = p + count;
        count = bytes::First(bytes::NonDigit(word));
        used = count + 1;
      }
      if (count > 0) {
        w = w * kPowersOfTen[count] + EightDigits((word - bytes::Repeat('0')) << (8 * (8 - count)));
      }
      p += used;
      if (used < 8) {
        break;
      }
    }
    const char* const integerEnd = point == nullptr ? p : point;
    const auto integerDigits = static_cast<std::size_t>(integerEnd - digits);
    const std::size_t fractionDigits = point == nullptr ? 0 : static_cast<std::size_t>(p - point - 1);
    if (integerDigits + fractionDigits == 0) {
      if (point != nullptr) {
        return {kNotNumber, p};
      }
      float word = 0.0F;
      const char* const wordEnd = ScanWord(p, end, negative, word);
      if (wordEnd == nullptr || !EndsNumber(At(wordEnd, end))) {
        return {kNotNumber, p};
      }
      return {{FieldKind::Number, word}, wordEnd};
    }
    char c = At(p, end);
    if (c == '*' && !repeated && point == nullptr && digits == start) {
      // A repeat count r*: digits only, not all of them zeros; then the constant, or nothing.
      const bool nonZero =
          integerDigits <= kMostQuickDigits ? w != 0 : Text(digits, integerDigits).find_first_not_of('0') != Text::npos;
      if (!nonZero) {
        return {kNotNumber, p};
      }
      if (EndsNumber(At(++p, end))) {
        return {kNull, p};
      }
      continue;
    }
    std::int64_t exponent = 0;
    const bool letter = IsExponentLetter(c);
    if (letter) {
      c = At(++p, end);
      if (EndsNumber(c)) {  // "1E": a conversion that fails, like an overflow
        return {{FieldKind::TooLarge, 0.0F}, p};
      }
    }
    if (letter || IsSign(c)) {
      const bool negativeExponent = c == '-';
      p += IsSign(c) ? 1 : 0;
      if (!IsDigit(At(p, end))) {
        return {kNotNumber, p};
      }
      for (; IsDigit(c = At(p, end)); ++p) {
        exponent = std::min<std::int64_t>(exponent * 10 + (c - '0'), kWrittenExponentLimit);
      }
      exponent = negativeExponent ? -exponent : exponent;
    }
    if (!EndsNumber(c)) {
      return {kNotNumber, p};
    }
    FieldValue value{};
    if (integerDigits + fractionDigits > kMostQuickDigits ||
        !QuickFloat(w, exponent - static_cast<std::int64_t>(fractionDigits), negative, value)) {
      const Text fraction = point == nullptr ? Text() : Text(point + 1, fractionDigits);
      value = ToFloatExactly({negative, Text(digits, integerDigits), fraction, exponent});
    }
    return {value, p};
  }
}

// One field, from its first character `at` (which is no separator) on a line that ends at
// `lineEnd`: the usual field as a whole where it can be, any other character by character.
// Characters up to `end` may be read.
[[gnu::always_inline]] inline Field ScanField(const char* at, const char* lineEnd, const char* end) {
  if (Field usual{}; ScanUsualField(at, lineEnd, end, usual)) {
    return usual;
  }
  return ScanAnyField(at, end);
}

// ---- A line of fields ----

std::size_t FindKeyEquals(Text line, Text key) {
  for (std::size_t p = line.find(key); p != Text::npos; p = line.find(key, p + 1)) {
    if (p + key.size() < line.size() && line[p + key.size()] == '=') {
      return p;
    }
  }
  return Text::npos;
}

// The one walk over a line's fields, which the reader and ScanFields share: from `at`, fields
// parted by blanks, TABs and commas up to `lineEnd` (characters up to `readableEnd` may be read,
// all blanks past `lineEnd`). `visit(begin, end, scanned)` is handed each field, where
// [begin, end) is the whole field and `scanned` what ScanField made of it, or Empty for a comma
// with no field before it; the walk ends at the line's end or when `visit` returns false.
template <typename Visit>
[[gnu::always_inline]] inline void WalkFields(const char* at, const char* lineEnd, const char* readableEnd,
                                              Visit visit) {
  // At the top of each round `at` is at a non-blank character or the line's end.
  for (at = SkipBlanks(at, lineEnd, readableEnd); at != lineEnd;) {
    if (*at == ',') {
      if (!visit(at, at, Field{{FieldKind::Empty, 0.0F}, at})) {
        return;
      }
      at = SkipBlanks(at + 1, lineEnd, readableEnd);
      continue;
    }
    const char* const begin = at;
    const Field field = ScanField(at, lineEnd, readableEnd);
    if (field.next != nullptr) {
      if (!visit(begin, field.stop, field)) {
        return;
      }
      at = field.next;
      continue;
    }
    // The rest of the field, after a slash or where it stopped being a number.
    at = field.stop;
    while (at < lineEnd && !IsFieldSeparator(*at)) {
      ++at;
    }
    if (!visit(begin, at, field)) {
      return;
    }
    at = SkipBlanks(at, lineEnd, readableEnd);
    if (at < lineEnd && *at == ',') {
      at = SkipBlanks(at + 1, lineEnd, readableEnd);
    }
  }
}

// FieldStart, inlined into the reader.
[[gnu::always_inline]] inline std::size_t StartAfterKey(Text line, Text key) {
  if (std::all_of(key.begin(), key.end(), [](char c) { return c == ' '; })) {
    return 0;
  }
  const std::size_t found = FindKeyEquals(line, key);
  return found == Text::npos ? Text::npos : found + key.size() + 1;
}

// The usual line: from `at` to `lineEnd`, fields of the usual shape (see ConvertUsualField) parted
// by blanks and single commas, read into `values` with no step but the usual field's, their
// number in `count`. False for any other line, which the field walk then reads from the start: a
// value written here is then written once more, the same.
[[gnu::always_inline]] inline bool ReadUsualFields(const char* at, const char* lineEnd, const char* readableEnd,
                                                   std::span<float> values, std::size_t& count) {
  std::size_t k = 0;
  for (at = SkipBlanks(at, lineEnd, readableEnd); at != lineEnd && k < values.size(); ++k) {
    Field field{};
    if (*at == ',' || !ScanUsualField(at, lineEnd, readableEnd, field)) {
      return false;
    }
    values[k] = field.value.value;
    at = field.next;
  }
  count = k;
  return true;
}

// Splits [at, lineEnd) into fields by the field walk and reads them into `values`: how many
// elements it settled, those after a field too large to read included.
[[gnu::noinline]] std::size_t WalkAndReadFields(std::int32_t& code, TextOut message, const char* at,
                                                const char* lineEnd, const char* readableEnd, std::span<float> values,
                                                float defaultValue) {
  std::size_t k = 0;
  WalkFields(at, lineEnd, readableEnd, [&](const char* begin, const char* /*end*/, const Field& field) {
    switch (field.value.kind) {
      case FieldKind::Number:
        values[k] = field.value.value;
        break;
      case FieldKind::Null:
        break;
      case FieldKind::NotNumber:
      case FieldKind::Empty:
        values[k] = defaultValue;
        break;
      case FieldKind::TooLarge:
        values[k] = defaultValue;
        if (IsDigit(*begin)) {
          code = 3;
          WriteText(message, kTooLargeMessage);
          k = values.size();  // the elements after it are left as they are
          return false;
        }
        break;
    }
    return ++k < values.size();
  });
  return k;
}

// Splits [at, lineEnd) into fields and reads them into `values`: the usual line at once, any
// other by the field walk.
[[gnu::always_inline]] inline void ReadFields(std::int32_t& code, TextOut message, const char* at, const char* lineEnd,
                                              const char* readableEnd, std::span<float> values, float defaultValue) {
  std::size_t k = 0;
  if (!values.empty() && !ReadUsualFields(at, lineEnd, readableEnd, values, k)) {
    k = WalkAndReadFields(code, message, at, lineEnd, readableEnd, values, defaultValue);
  }
  std::fill(values.begin() + static_cast<std::ptrdiff_t>(k), values.end(), defaultValue);
}

}  // namespace

FieldValue ConvertField(Text field) {
  if (field.empty()) {
    return {FieldKind::NotNumber, 0.0F};
  }
  const char* const end = field.data() + field.size();
  const Field converted = ScanField(field.data(), end, end);
  // A separator inside the field, before any slash, makes it something other than a number.
  if (converted.stop < end && *converted.stop != '/') {
    return {FieldKind::NotNumber, 0.0F};
  }
  return converted.value;
}

std::size_t FieldStart(Text line, Text key) { return StartAfterKey(line, key); }

std::size_t ScanFields(const ScreenedLine& line, std::size_t start, std::span<FieldSpan> fields) {
  std::size_t n = 0;
  if (fields.empty() || start >= line.text.size()) {
    return 0;
  }
  const char* const origin = line.text.data();
  WalkFields(origin + start, origin + line.text.size(), origin + line.readable,
             [&](const char* begin, const char* end, const Field& field) {
               FieldSpan& span = fields[n];
               span.begin = static_cast<std::size_t>(begin - origin);
               span.end = static_cast<std::size_t>(end - origin);
               span.kind = field.value.kind;
               span.value = field.value.value;
               span.cutBySlash = span.kind == FieldKind::Number && field.stop < end && *field.stop == '/';
               return ++n < fields.size();
             });
  return n;
}

bool ScanPlainFields(const ScreenedLine& line, std::size_t start, std::span<FieldSpan> fields) {
  // At most nine digits times at most 10^29 stays below 3.4e38: such a field is never too large.
  constexpr int kMostDigits = 9;
  constexpr int kMostExponent = 29;
  const char* const origin = line.text.data();
  const char* const end = origin + line.text.size();
  const char* p = origin + start;
  // Digits, and blanks past the first, eight at a time. A screened line has no TAB; one here ends
  // the plain line.
  const char* const readable = origin + line.readable;
  const auto pastBlanks = [end, readable](const char* at) {
    if (at < end && *at == ' ' && ++at < end && *at == ' ') {
      std::uint64_t marks = 0;
      while (at < end && (marks = bytes::NonBlank(bytes::LoadUpTo(at, readable))) == 0) {
        at += 8;
      }
      at = at < end ? at + bytes::First(marks) : end;
    }
    return at;
  };
  const auto digits = [&p, readable] {  // past a run of digits, eight at a time
    const char* const first = p;
    for (unsigned count = 8; count == 8; p += count) {
      count = bytes::First(bytes::NonDigit(bytes::LoadUpTo(p, readable)));
    }
    return static_cast<int>(p - first);
  };
  std::size_t n = 0;
  for (p = pastBlanks(p); p < end; p = pastBlanks(p)) {
    if (n == fields.size()) {
      return false;
    }
    const char* const begin = p;
    p += IsSign(*p) ? 1 : 0;
    int count = digits();
    if (p < end && *p == '.') {
      ++p;
      count += digits();
    }
    if (count == 0 || count > kMostDigits) {
      return false;
    }
    if (p < end && (*p == 'E' || *p == 'e' || *p == 'D' || *p == 'd')) {
      ++p;
      const bool negative = p < end && *p == '-';
      p += p < end && IsSign(*p) ? 1 : 0;
      const char* const exponent = p;
      const int length = digits();
      if (length == 0 || length > 2) {
        return false;
      }
      const int value = length == 1 ? exponent[0] - '0' : (exponent[0] - '0') * 10 + (exponent[1] - '0');
      if (!negative && value > kMostExponent) {
        return false;
      }
    }
    fields[n++] = {static_cast<std::size_t>(begin - origin), static_cast<std::size_t>(p - origin), FieldKind::Number,
                   0.0F, false};
    // A field ends at the line's end, at blanks, or at one comma with a field after it.
    const char* const after = p;
    p = pastBlanks(p);
    if (p < end && *p == ',') {
      p = pastBlanks(p + 1);
      if (p == end || *p == ',') {
        return false;
      }
    } else if (p == after && p < end) {
      return false;
    }
  }
  return n == fields.size();
}

void ReadNumericFields(std::int32_t& code, TextOut message, Text key, Text line, std::span<float> values,
                       float defaultValue) {
  FillBlanks(message);
  const Text used = TrimTrailingBlanks(line);
  ReadNumericFieldsIntoBlank(code, message, key, {used, 0, line.size()}, values, defaultValue);
}

void ReadNumericFieldsIntoBlank(std::int32_t& code, TextOut message, Text key, const ScreenedLine& line,
                                std::span<float> values, float defaultValue) {
  code = 0;
  const std::size_t start = StartAfterKey(line.text, key);
  if (start == Text::npos) {
    std::fill(values.begin(), values.end(), defaultValue);
    return;
  }
  // A key and its "=" stand past the first non-blank character; from column 1 the blanks before it
  // need no skipping.
  const char* const at = line.text.data() + std::max(start, line.first);
  ReadFields(code, message, at, line.text.data() + line.text.size(), line.text.data() + line.readable, values,
             defaultValue);
}

std::int32_t RoundToInt32(float value) {
  // Every float of magnitude below 2^31 plus or minus one half is exact as a double, and cutting
  // off its fraction then rounds halves away from zero; everything else, NaN included, does not
  // fit (or, for -2^31 itself, fits as the very value that marks a misfit).
  const auto widened = static_cast<double>(value);
  if (!(std::fabs(widened) < 2147483648.0)) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(widened + (widened < 0.0 ? -0.5 : 0.5));
}

}  // namespace orvane::toolkit
