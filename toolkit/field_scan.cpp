// The character walk that takes apart every field the usual-field reading does not, and the usual
// line read near the end of what may be read. Kept out of line, so that the usual field's few
// registers stay free.
#include "toolkit/field_scan.h"

#include <algorithm>
#include <limits>

namespace orvane::toolkit::fields {
namespace {

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

}  // namespace

std::ptrdiff_t ReadUsualFieldsNearEnd(const char* at, const char* lineEnd, std::span<float> values) {
  // A copy of the line, followed by blanks. A line too long for it goes to the field walk.
  std::array<char, 256> copy;
  const auto size = static_cast<std::size_t>(lineEnd - at);
  if (size > copy.size() - kUsualReach) {
    return kNotUsual;
  }
  std::fill(std::copy(at, lineEnd, copy.begin()), copy.end(), ' ');
  return ReadUsualLine(copy.data(), copy.data() + size, values);
}

Field ScanAnyField(const char* at, const char* end) {
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

}  // namespace orvane::toolkit::fields
