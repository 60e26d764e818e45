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

// The powers of ten that a float holds exactly (5^10 < 2^24).
inline constexpr std::array<float, 11> kExactFloatPowers{1e0F, 1e1F, 1e2F, 1e3F, 1e4F, 1e5F,
                                                         1e6F, 1e7F, 1e8F, 1e9F, 1e10F};

// The bits of the float nearest to w x 10^q, for 0 < w < 10^19, or -1 in the rare case that the
// quick method cannot decide; 0x7F800000 when it rounds beyond the largest float.
std::int64_t QuickFloatBits(std::uint64_t w, std::int64_t q);

// The float nearest to the decimal (ties to even), decided from all its digits however many there
// are: a Number, or TooLarge when it rounds beyond the largest float. A value too small for single
// precision becomes the nearest subnormal or a signed zero.
FieldValue ToFloatExactly(const Decimal& decimal);

// The largest |q| for which 10^q is a float exactly.
inline constexpr std::size_t kMostExactFloatPower = kExactFloatPowers.size() - 1;
// How many q the quick conversion's tables hold, from -kMostExactFloatPower to kMostExactFloatPower.
inline constexpr std::size_t kQuickScales = 2 * kMostExactFloatPower + 1;

// For every q the tables hold, the multiplier and the divisor that scale a whole number by 10^q:
// 10^q and 1 for q >= 0, 1 and 10^-q below. At index i = q + kMostExactFloatPower, the divisor is
// at i, the multiplier for a positive number at 2 i and for a negative one, negated, at 2 i + 1.
inline constexpr auto kQuickMultipliers = [] {
  std::array<float, 2 * kQuickScales> multipliers{};
  for (std::size_t i = 0; i < kQuickScales; ++i) {
    multipliers[2 * i] = i >= kMostExactFloatPower ? kExactFloatPowers[i - kMostExactFloatPower] : 1.0F;
    multipliers[2 * i + 1] = -multipliers[2 * i];
  }
  return multipliers;
}();
inline constexpr auto kQuickDivisors = [] {
  std::array<float, kQuickScales> divisors{};
  for (std::size_t i = 0; i < kQuickScales; ++i) {
    divisors[i] = i < kMostExactFloatPower ? kExactFloatPowers[kMostExactFloatPower - i] : 1.0F;
  }
  return divisors;
}();

// The same for a decimal of at most 19 digits w x 10^q, found from w and q alone, where it can be:
// directly when both w and 10^|q| are floats exactly (w <= 2^24, |q| <= 10), since one correctly
// rounded multiplication or division then gives it, else by QuickFloatBits. False when it cannot.
[[gnu::always_inline]] inline bool QuickFloat(std::uint64_t w, std::int64_t q, bool negative, FieldValue& result) {
#if FLT_EVAL_METHOD == 0
  // Zero too: +0 from a positive multiplier, -0 from a negative one.
  constexpr auto kMost = static_cast<std::int64_t>(kMostExactFloatPower);
  if (w <= (std::uint64_t{1} << 24) && q >= -kMost && q <= kMost) {
    const auto whole = static_cast<float>(static_cast<std::int64_t>(w));  // exact, and one instruction
    // One multiplication and one division, with no branch on the signs of q or of the number: one
    // of the two is by 1 and exact, and so is the sign that the multiplication gives.
    const auto scale = static_cast<std::size_t>(q + kMost);
    result = {FieldKind::Number, whole * kQuickMultipliers[2 * scale + (negative ? 1 : 0)] / kQuickDivisors[scale]};
    return true;
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
