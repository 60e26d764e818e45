// Decimal to single precision, rounded correctly: the conversion half of number reading, which
// starts from what the field scanner (numbers.cpp) found. Internal to the toolkit.
#pragma once

#include <array>
#include <bit>
#include <cfloat>
#include <cstdint>

#include "toolkit/dataline.h"

namespace orvane::toolkit {

// A written exponent is kept up to this bound, far beyond the digit count of any field that fits
// in memory, so that zeros written before the exponent are always offset exactly ("1" followed by
// ten million zeros and "E-10000000" is 1); the sum with the digit count still fits in 64 bits.
inline constexpr std::int64_t kWrittenExponentLimit = 1'000'000'000'000'000;

// Up to this many digits, a decimal's digits fit in 64 bits whatever they are.
inline constexpr std::size_t kMostQuickDigits = 19;

// A decimal number as the scanner found it: (integer digits, fraction digits) x 10^exponent.
struct Decimal {
  bool negative = false;
  Text integer;               // the digits before the point, leading zeros included
  Text fraction;              // the digits after the point
  std::int64_t exponent = 0;  // as written, its magnitude capped at kWrittenExponentLimit
};

// The bits of the float nearest to w x 10^q, for 0 < w < 10^19, or -1 in the rare case that the
// quick method cannot decide; 0x7F800000 when it rounds beyond the largest float.
std::int64_t QuickFloatBits(std::uint64_t w, std::int64_t q);

// The float nearest to the decimal (ties to even), decided from all its digits however many there
// are: a Number, or TooLarge when it rounds beyond the largest float. A value too small for single
// precision becomes the nearest subnormal or a signed zero.
FieldValue ToFloatExactly(const Decimal& decimal);

// The largest |q| for which the quick conversion scales by 10^q in double precision, where 10^q is
// exact for q >= 0.
inline constexpr std::int64_t kMostQuickPower = 22;

// For every q from -kMostQuickPower to kMostQuickPower, the double nearest to 10^q at index
// 2 (q + kMostQuickPower), and its negation after it.
inline constexpr auto kQuickScales = [] {
  constexpr auto kMost = static_cast<std::size_t>(kMostQuickPower);
  std::array<double, 4 * kMost + 2> scales{};
  double power = 1.0;  // 10^i, exact up to 10^22
  for (std::size_t i = 0; i <= kMost; ++i) {
    // Each with its negation after it.
    scales[2 * (kMost + i)] = power;
    scales[2 * (kMost + i) + 1] = -power;
    scales[2 * (kMost - i)] = 1.0 / power;  // one correctly rounded division
    scales[2 * (kMost - i) + 1] = -1.0 / power;
    power *= 10.0;
  }
  return scales;
}();

// The same for a decimal of at most 19 digits w x 10^q, found from w and q alone, where it can be:
// for w < 2^53 and |q| <= kMostQuickPower by one multiplication in double precision, else by
// QuickFloatBits. False when it cannot. A caller whose w has at most fifteen digits says so, and
// w is then not compared with 2^53.
template <bool kAtMostFifteenDigits = false>
[[gnu::always_inline]] inline bool QuickFloat(std::uint64_t w, std::int64_t q, bool negative, FieldValue& result) {
#if FLT_EVAL_METHOD == 0
  if ((kAtMostFifteenDigits || w < (std::uint64_t{1} << 53)) && q >= -kMostQuickPower && q <= kMostQuickPower)
      [[likely]] {
    // w is exact, and so is 10^q for q >= 0; each rounding (of 10^q below, of the product) is off
    // by at most half a unit in the double's last place, so the product lies within two units of
    // w x 10^q, and its sign is the number's (+0 or -0 for w = 0). Rounded to a float it gives the
    // float nearest to w x 10^q, unless a point halfway between two floats lies within those two
    // units: then the 29 bits that a float leaves out of a double's are near 2^28. (The product is
    // between 10^-22 and 2^53 x 10^22: a float neither overflows nor loses precision below.)
    const auto scale = static_cast<std::size_t>(2 * (q + kMostQuickPower)) + (negative ? 1 : 0);
    const double scaled = static_cast<double>(static_cast<std::int64_t>(w)) * kQuickScales[scale];
    constexpr std::uint64_t kLeftOut = (std::uint64_t{1} << 29) - 1;
    constexpr std::uint64_t kHalfway = std::uint64_t{1} << 28;
    constexpr std::uint64_t kNear = 4;
    if ((std::bit_cast<std::uint64_t>(scaled) & kLeftOut) - (kHalfway - kNear) > 2 * kNear) [[likely]] {
      result = {FieldKind::Number, static_cast<float>(scaled)};
      return true;
    }
  }
#endif
  const std::uint32_t sign = negative ? 0x80000000U : 0U;
  if (w == 0) {
    result = {FieldKind::Number, std::bit_cast<float>(sign)};
    return true;
  }
  const std::int64_t bits = QuickFloatBits(w, q);
  if (bits < 0) {
    return false;
  }
  result = bits >= 0x7F800000
               ? FieldValue{FieldKind::TooLarge, 0.0F}
               : FieldValue{FieldKind::Number, std::bit_cast<float>(static_cast<std::uint32_t>(bits) | sign)};
  return true;
}

}  // namespace orvane::toolkit
