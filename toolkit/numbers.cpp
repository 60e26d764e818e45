#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "toolkit/dataline.h"

namespace orvane::toolkit {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSign(char c) { return c == '+' || c == '-'; }
bool IsFieldSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }
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

// Float halfway points carry at most 113 significant decimal digits, so keeping 120 digits and
// standing in a single nonzero digit for whatever follows never moves a value across one: the
// rounding stays exact however long the field is.
constexpr std::size_t kKeptDigits = 120;
// A decimal exponent this large over- or underflows whatever the 121 digits are.
constexpr std::int64_t kExponentLimit = 999'999;
// A written exponent is kept up to this bound, far beyond the digit count of any field that fits
// in memory, so that zeros written before the exponent are always offset exactly
// ("1" followed by ten million zeros and "E-10000000" is 1); the sum with the digit count still
// fits in 64 bits.
constexpr std::int64_t kWrittenExponentLimit = 1'000'000'000'000'000;

// The decimal number D x 10^E of a field, gathered in a fixed buffer for std::from_chars.
class DecimalText {
 public:
  void SetNegative() { text_[size_++] = '-'; }

  void AddDigit(char digit, bool afterPoint) {
    if (!seenNonZero_ && digit == '0') {
      exponent_ -= afterPoint ? 1 : 0;
      return;
    }
    seenNonZero_ = true;
    if (digitCount_ < kKeptDigits) {
      text_[size_++] = digit;
      ++digitCount_;
      exponent_ -= afterPoint ? 1 : 0;
    } else {
      exponent_ += afterPoint ? 0 : 1;
      sticky_ = sticky_ || digit != '0';
    }
  }

  void AddExponent(std::int64_t written) { exponent_ += written; }

  FieldValue Convert() {
    if (!seenNonZero_) {
      text_[size_++] = '0';
    }
    if (sticky_) {
      text_[size_++] = '1';
      ++digitCount_;
      --exponent_;
    }
    const std::int64_t exponent = std::clamp(exponent_, -kExponentLimit, kExponentLimit);
    AppendExponent(exponent);
    float value = 0.0F;
    const auto result = std::from_chars(text_.data(), text_.data() + size_, value);
    if (result.ec == std::errc{}) {
      return {FieldKind::Number, value};
    }
    // Out of range: |value| >= 1 can only overflow; anything smaller underflows to a signed zero.
    const auto magnitude = static_cast<std::int64_t>(digitCount_) + exponent_;
    if (magnitude > 0) {
      return {FieldKind::TooLarge, 0.0F};
    }
    return {FieldKind::Number, text_[0] == '-' ? -0.0F : 0.0F};
  }

 private:
  // Written by hand: std::to_chars would pull a shared digits table into the library's dynamic
  // symbols.
  void AppendExponent(std::int64_t exponent) {
    text_[size_++] = 'e';
    if (exponent < 0) {
      text_[size_++] = '-';
      exponent = -exponent;
    }
    std::array<char, 8> reversed{};
    std::size_t count = 0;
    do {
      reversed[count++] = static_cast<char>('0' + exponent % 10);
      exponent /= 10;
    } while (exponent != 0);
    while (count > 0) {
      text_[size_++] = reversed[--count];
    }
  }

  std::array<char, 1 + kKeptDigits + 1 + 2 + 24> text_;  // only the first size_ characters are ever read
  std::size_t size_ = 0;
  std::size_t digitCount_ = 0;
  std::int64_t exponent_ = 0;
  bool seenNonZero_ = false;
  bool sticky_ = false;
};

// The words INF, INFINITY and NAN, in any case.
FieldValue ConvertWord(Text word, bool negative) {
  if (EqualsIgnoreCase(word, "INF") || EqualsIgnoreCase(word, "INFINITY")) {
    const float infinity = std::numeric_limits<float>::infinity();
    return {FieldKind::Number, negative ? -infinity : infinity};
  }
  if (EqualsIgnoreCase(word, "NAN")) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    return {FieldKind::Number, negative ? -nan : nan};
  }
  return {FieldKind::NotNumber, 0.0F};
}

// Signed decimal with optional point and exponent, or one of the words INF, INFINITY, NAN.
FieldValue ConvertDecimal(Text field) {
  constexpr FieldValue kNotNumber{FieldKind::NotNumber, 0.0F};
  DecimalText decimal;
  std::size_t i = 0;
  bool negative = false;
  if (i < field.size() && IsSign(field[i])) {
    negative = field[i] == '-';
    ++i;
  }
  if (i < field.size() && !IsDigit(field[i]) && field[i] != '.') {
    return ConvertWord(field.substr(i), negative);
  }
  if (negative) {
    decimal.SetNegative();
  }
  bool afterPoint = false;
  bool anyDigit = false;
  for (; i < field.size(); ++i) {
    const char c = field[i];
    if (IsDigit(c)) {
      decimal.AddDigit(c, afterPoint);
      anyDigit = true;
    } else if (c == '.' && !afterPoint) {
      afterPoint = true;
    } else {
      break;
    }
  }
  if (!anyDigit) {
    return kNotNumber;
  }
  if (i < field.size()) {
    if (IsExponentLetter(field[i])) {
      ++i;
      if (i == field.size()) {
        return {FieldKind::TooLarge, 0.0F};  // "1E": a conversion that fails, like an overflow
      }
    }
    bool negativeExponent = false;
    if (i < field.size() && IsSign(field[i])) {
      negativeExponent = field[i] == '-';
      ++i;
    }
    if (i == field.size() || !IsDigit(field[i])) {
      return kNotNumber;
    }
    std::int64_t exponent = 0;
    for (; i < field.size(); ++i) {
      if (!IsDigit(field[i])) {
        return kNotNumber;
      }
      exponent = std::min<std::int64_t>(exponent * 10 + (field[i] - '0'), kWrittenExponentLimit);
    }
    decimal.AddExponent(negativeExponent ? -exponent : exponent);
  }
  return decimal.Convert();
}

std::size_t FindKeyEquals(Text line, Text key) {
  for (std::size_t p = line.find(key); p != Text::npos; p = line.find(key, p + 1)) {
    if (p + key.size() < line.size() && line[p + key.size()] == '=') {
      return p;
    }
  }
  return Text::npos;
}

// ---- The fast path: a plain decimal of few digits, read while the field is split ----

// The powers of ten that a double holds exactly (5^22 < 2^53).
constexpr std::array<double, 23> kExactPowers{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;
constexpr std::ptrdiff_t kMostDigits = 19;  // any 19 digits fit in 64 bits

struct ShortDecimal {
  bool exact;  // false: the field is left to ConvertField
  float value;
  const char* end;  // where the field ends, at a separator or `last`
};

// The digits w and decimal exponent e of a field written [sign] digits [. digits] [exponent],
// taken while the field is scanned, give the float nearest to w x 10^e directly when w < 2^53 and
// |e| <= 22: w and 10^|e| are then exact doubles, so their product or quotient is the double
// nearest to the decimal, rounded once. Rounding that double to float gives the float nearest the
// decimal unless the double lies exactly halfway between two floats (the decimal itself may lie a
// little to either side); such a field, like every other form and everything longer or larger,
// goes to ConvertField, which decides from all its digits.
ShortDecimal ScanShortDecimal(const char* p, const char* last) {
  constexpr ShortDecimal kHard{false, 0.0F, nullptr};
  bool negative = false;
  if (IsSign(*p)) {
    negative = *p == '-';
    ++p;
  }
  // Digits are gathered without a bound on their count, which is checked once at the end; w may
  // wrap meanwhile, but is then never used.
  const char* const first = p;
  while (p < last && *p == '0') {
    ++p;
  }
  std::uint64_t w = 0;
  const char* significant = p;
  for (; p < last && IsDigit(*p); ++p) {
    w = w * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  auto digits = p - significant;
  std::int64_t exponent = 0;
  bool anyDigit = p > first;
  if (p < last && *p == '.') {
    const char* const fraction = ++p;
    if (w == 0) {
      while (p < last && *p == '0') {
        ++p;
      }
    }
    significant = p;
    for (; p < last && IsDigit(*p); ++p) {
      w = w * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    digits += p - significant;
    exponent = -(p - fraction);
    anyDigit = anyDigit || p > fraction;
  }
  if (!anyDigit || digits > kMostDigits) {
    return kHard;
  }
  if (p < last && !IsFieldSeparator(*p)) {
    if (IsExponentLetter(*p)) {
      ++p;
    } else if (!IsSign(*p)) {
      return kHard;
    }
    bool negativeExponent = false;
    if (p < last && IsSign(*p)) {
      negativeExponent = *p == '-';
      ++p;
    }
    if (p == last || !IsDigit(*p)) {
      return kHard;
    }
    std::int64_t written = 0;
    for (; p < last && IsDigit(*p); ++p) {
      written = std::min<std::int64_t>(written * 10 + (*p - '0'), 1'000'000);
    }
    if (p < last && !IsFieldSeparator(*p)) {
      return kHard;
    }
    exponent += negativeExponent ? -written : written;
  }
  if (w == 0) {
    return {true, negative ? -0.0F : 0.0F, p};
  }
  if (w > kExactMantissa || exponent < -22 || exponent > 22) {
    return kHard;
  }
  const double magnitude = exponent >= 0 ? static_cast<double>(w) * kExactPowers[static_cast<std::size_t>(exponent)]
                                         : static_cast<double>(w) / kExactPowers[static_cast<std::size_t>(-exponent)];
  // Every value here is a normal float, 1e-22 to 9e37, so a halfway point between floats has as a
  // double the bit below the float's last one set and all further bits clear.
  constexpr std::uint64_t kBelowFloat = (std::uint64_t{1} << 29) - 1;
  constexpr std::uint64_t kHalfway = std::uint64_t{1} << 28;
  if ((std::bit_cast<std::uint64_t>(magnitude) & kBelowFloat) == kHalfway) {
    return kHard;
  }
  const auto value = static_cast<float>(magnitude);
  return {true, negative ? -value : value, p};
}

// Every form of the number syntax, decided from all the digits of the field.
FieldValue ConvertFieldExactly(Text field) {
  constexpr FieldValue kNotNumber{FieldKind::NotNumber, 0.0F};
  constexpr FieldValue kNull{FieldKind::Null, 0.0F};
  const std::size_t slash = field.find('/');
  if (slash == 0) {
    return kNull;
  }
  field = field.substr(0, slash);
  const std::size_t star = field.find('*');
  if (star == Text::npos) {
    return ConvertDecimal(field);
  }
  const Text repeat = field.substr(0, star);
  const bool validRepeat = !repeat.empty() && repeat.find_first_not_of("0123456789") == Text::npos &&
                           repeat.find_first_not_of('0') != Text::npos;
  if (!validRepeat) {
    return kNotNumber;
  }
  const Text constant = field.substr(star + 1);
  return constant.empty() ? kNull : ConvertDecimal(constant);
}

}  // namespace

FieldValue ConvertField(Text field) {
  if (!field.empty()) {
    const ShortDecimal fast = ScanShortDecimal(field.data(), field.data() + field.size());
    if (fast.exact && fast.end == field.data() + field.size()) {
      return {FieldKind::Number, fast.value};
    }
  }
  return ConvertFieldExactly(field);
}

void ReadNumericFields(std::int32_t& code, TextOut message, Text key, Text line, std::span<float> values,
                       float defaultValue) {
  FillBlanks(message);
  ReadNumericFieldsIntoBlank(code, message, key, line, values, defaultValue);
}

void ReadNumericFieldsIntoBlank(std::int32_t& code, TextOut message, Text key, Text line, std::span<float> values,
                                float defaultValue) {
  code = 0;
  std::size_t position = 0;
  if (!TrimTrailingBlanks(key).empty()) {
    const std::size_t found = FindKeyEquals(line, key);
    if (found == Text::npos) {
      std::fill(values.begin(), values.end(), defaultValue);
      return;
    }
    position = found + key.size() + 1;
  }
  const std::size_t end = TrimTrailingBlanks(line).size();
  std::size_t k = 0;
  while (position < end && k < values.size()) {
    const char c = line[position];
    if (c == ' ' || c == '\t') {
      ++position;
      if (position < end && line[position] == ' ') {  // a run of blanks, as between columns
        position = end - SkipLeadingBlanks(line.substr(position, end - position)).size();
      }
      continue;
    }
    if (c == ',') {
      values[k++] = defaultValue;
      ++position;
      continue;
    }
    const ShortDecimal fast = ScanShortDecimal(line.data() + position, line.data() + end);
    std::size_t fieldEnd = position;
    if (fast.exact) {
      values[k] = fast.value;
      fieldEnd = static_cast<std::size_t>(fast.end - line.data());
    } else {
      while (fieldEnd < end && !IsFieldSeparator(line[fieldEnd])) {
        ++fieldEnd;
      }
      const Text field = line.substr(position, fieldEnd - position);
      const FieldValue converted = ConvertFieldExactly(field);
      switch (converted.kind) {
        case FieldKind::Number:
          values[k] = converted.value;
          break;
        case FieldKind::Null:
          break;
        case FieldKind::NotNumber:
          values[k] = defaultValue;
          break;
        case FieldKind::TooLarge:
          values[k] = defaultValue;
          if (IsDigit(field.front())) {
            code = 3;
            WriteText(message, kTooLargeMessage);
            return;
          }
          break;
      }
    }
    ++k;
    position = fieldEnd;
    while (position < end && (line[position] == ' ' || line[position] == '\t')) {
      ++position;
    }
    if (position < end && line[position] == ',') {
      ++position;
    }
  }
  std::fill(values.begin() + static_cast<std::ptrdiff_t>(k), values.end(), defaultValue);
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
