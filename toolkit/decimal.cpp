#include "toolkit/decimal.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <limits>
#include <system_error>

namespace orvane::toolkit {
namespace {

constexpr std::uint32_t kInfinityBits = 0x7F800000;
constexpr int kMantissaBits = 23;  // stored, besides the implicit leading one

// ---- Quick: w x 10^q for w of at most 19 digits ----

// 5^q for q from -65 to 38, normalised to 128 bits (the top bit set) and cut there: for q >= 0 the
// leading 128 bits of 5^q; for q < 0 the leading bits of 2^b / 5^-q plus one, for a b that leaves
// 128 bits (from -27 on), or 2^b / 5^-q plus one cut to its leading 128 bits (below -27). Made
// with Python's integers.
constexpr int kSmallestPower = -65;  // below it w x 10^q < 10^19 x 10^-66 rounds to zero
constexpr int kLargestPower = 38;    // above it w x 10^q >= 10^39 overflows
constexpr std::array<std::array<std::uint64_t, 2>, 104> kPowersOfFive{{
    // clang-format off
    {0x86ccbb52ea94baea, 0x98e947129fc2b4e9},  // 5^-65
    {0xa87fea27a539e9a5, 0x3f2398d747b36224},  // 5^-64
    {0xd29fe4b18e88640e, 0x8eec7f0d19a03aad},  // 5^-63
    {0x83a3eeeef9153e89, 0x1953cf68300424ac},  // 5^-62
    {0xa48ceaaab75a8e2b, 0x5fa8c3423c052dd7},  // 5^-61
    {0xcdb02555653131b6, 0x3792f412cb06794d},  // 5^-60
    {0x808e17555f3ebf11, 0xe2bbd88bbee40bd0},  // 5^-59
    {0xa0b19d2ab70e6ed6, 0x5b6aceaeae9d0ec4},  // 5^-58
    {0xc8de047564d20a8b, 0xf245825a5a445275},  // 5^-57
    {0xfb158592be068d2e, 0xeed6e2f0f0d56712},  // 5^-56
    {0x9ced737bb6c4183d, 0x55464dd69685606b},  // 5^-55
    {0xc428d05aa4751e4c, 0xaa97e14c3c26b886},  // 5^-54
    {0xf53304714d9265df, 0xd53dd99f4b3066a8},  // 5^-53
    {0x993fe2c6d07b7fab, 0xe546a8038efe4029},  // 5^-52
    {0xbf8fdb78849a5f96, 0xde98520472bdd033},  // 5^-51
    {0xef73d256a5c0f77c, 0x963e66858f6d4440},  // 5^-50
    {0x95a8637627989aad, 0xdde7001379a44aa8},  // 5^-49
    {0xbb127c53b17ec159, 0x5560c018580d5d52},  // 5^-48
    {0xe9d71b689dde71af, 0xaab8f01e6e10b4a6},  // 5^-47
    {0x9226712162ab070d, 0xcab3961304ca70e8},  // 5^-46
    {0xb6b00d69bb55c8d1, 0x3d607b97c5fd0d22},  // 5^-45
    {0xe45c10c42a2b3b05, 0x8cb89a7db77c506a},  // 5^-44
    {0x8eb98a7a9a5b04e3, 0x77f3608e92adb242},  // 5^-43
    {0xb267ed1940f1c61c, 0x55f038b237591ed3},  // 5^-42
    {0xdf01e85f912e37a3, 0x6b6c46dec52f6688},  // 5^-41
    {0x8b61313bbabce2c6, 0x2323ac4b3b3da015},  // 5^-40
    {0xae397d8aa96c1b77, 0xabec975e0a0d081a},  // 5^-39
    {0xd9c7dced53c72255, 0x96e7bd358c904a21},  // 5^-38
    {0x881cea14545c7575, 0x7e50d64177da2e54},  // 5^-37
    {0xaa242499697392d2, 0xdde50bd1d5d0b9e9},  // 5^-36
    {0xd4ad2dbfc3d07787, 0x955e4ec64b44e864},  // 5^-35
    {0x84ec3c97da624ab4, 0xbd5af13bef0b113e},  // 5^-34
    {0xa6274bbdd0fadd61, 0xecb1ad8aeacdd58e},  // 5^-33
    {0xcfb11ead453994ba, 0x67de18eda5814af2},  // 5^-32
    {0x81ceb32c4b43fcf4, 0x80eacf948770ced7},  // 5^-31
    {0xa2425ff75e14fc31, 0xa1258379a94d028d},  // 5^-30
    {0xcad2f7f5359a3b3e, 0x096ee45813a04330},  // 5^-29
    {0xfd87b5f28300ca0d, 0x8bca9d6e188853fc},  // 5^-28
    {0x9e74d1b791e07e48, 0x775ea264cf55347e},  // 5^-27
    {0xc612062576589dda, 0x95364afe032a819e},  // 5^-26
    {0xf79687aed3eec551, 0x3a83ddbd83f52205},  // 5^-25
    {0x9abe14cd44753b52, 0xc4926a9672793543},  // 5^-24
    {0xc16d9a0095928a27, 0x75b7053c0f178294},  // 5^-23
    {0xf1c90080baf72cb1, 0x5324c68b12dd6339},  // 5^-22
    {0x971da05074da7bee, 0xd3f6fc16ebca5e04},  // 5^-21
    {0xbce5086492111aea, 0x88f4bb1ca6bcf585},  // 5^-20
    {0xec1e4a7db69561a5, 0x2b31e9e3d06c32e6},  // 5^-19
    {0x9392ee8e921d5d07, 0x3aff322e62439fd0},  // 5^-18
    {0xb877aa3236a4b449, 0x09befeb9fad487c3},  // 5^-17
    {0xe69594bec44de15b, 0x4c2ebe687989a9b4},  // 5^-16
    {0x901d7cf73ab0acd9, 0x0f9d37014bf60a11},  // 5^-15
    {0xb424dc35095cd80f, 0x538484c19ef38c95},  // 5^-14
    {0xe12e13424bb40e13, 0x2865a5f206b06fba},  // 5^-13
    {0x8cbccc096f5088cb, 0xf93f87b7442e45d4},  // 5^-12
    {0xafebff0bcb24aafe, 0xf78f69a51539d749},  // 5^-11
    {0xdbe6fecebdedd5be, 0xb573440e5a884d1c},  // 5^-10
    {0x89705f4136b4a597, 0x31680a88f8953031},  // 5^-9
    {0xabcc77118461cefc, 0xfdc20d2b36ba7c3e},  // 5^-8
    {0xd6bf94d5e57a42bc, 0x3d32907604691b4d},  // 5^-7
    {0x8637bd05af6c69b5, 0xa63f9a49c2c1b110},  // 5^-6
    {0xa7c5ac471b478423, 0x0fcf80dc33721d54},  // 5^-5
    {0xd1b71758e219652b, 0xd3c36113404ea4a9},  // 5^-4
    {0x83126e978d4fdf3b, 0x645a1cac083126ea},  // 5^-3
    {0xa3d70a3d70a3d70a, 0x3d70a3d70a3d70a4},  // 5^-2
    {0xcccccccccccccccc, 0xcccccccccccccccd},  // 5^-1
    {0x8000000000000000, 0x0000000000000000},  // 5^0
    {0xa000000000000000, 0x0000000000000000},  // 5^1
    {0xc800000000000000, 0x0000000000000000},  // 5^2
    {0xfa00000000000000, 0x0000000000000000},  // 5^3
    {0x9c40000000000000, 0x0000000000000000},  // 5^4
    {0xc350000000000000, 0x0000000000000000},  // 5^5
    {0xf424000000000000, 0x0000000000000000},  // 5^6
    {0x9896800000000000, 0x0000000000000000},  // 5^7
    {0xbebc200000000000, 0x0000000000000000},  // 5^8
    {0xee6b280000000000, 0x0000000000000000},  // 5^9
    {0x9502f90000000000, 0x0000000000000000},  // 5^10
    {0xba43b74000000000, 0x0000000000000000},  // 5^11
    {0xe8d4a51000000000, 0x0000000000000000},  // 5^12
    {0x9184e72a00000000, 0x0000000000000000},  // 5^13
    {0xb5e620f480000000, 0x0000000000000000},  // 5^14
    {0xe35fa931a0000000, 0x0000000000000000},  // 5^15
    {0x8e1bc9bf04000000, 0x0000000000000000},  // 5^16
    {0xb1a2bc2ec5000000, 0x0000000000000000},  // 5^17
    {0xde0b6b3a76400000, 0x0000000000000000},  // 5^18
    {0x8ac7230489e80000, 0x0000000000000000},  // 5^19
    {0xad78ebc5ac620000, 0x0000000000000000},  // 5^20
    {0xd8d726b7177a8000, 0x0000000000000000},  // 5^21
    {0x878678326eac9000, 0x0000000000000000},  // 5^22
    {0xa968163f0a57b400, 0x0000000000000000},  // 5^23
    {0xd3c21bcecceda100, 0x0000000000000000},  // 5^24
    {0x84595161401484a0, 0x0000000000000000},  // 5^25
    {0xa56fa5b99019a5c8, 0x0000000000000000},  // 5^26
    {0xcecb8f27f4200f3a, 0x0000000000000000},  // 5^27
    {0x813f3978f8940984, 0x4000000000000000},  // 5^28
    {0xa18f07d736b90be5, 0x5000000000000000},  // 5^29
    {0xc9f2c9cd04674ede, 0xa400000000000000},  // 5^30
    {0xfc6f7c4045812296, 0x4d00000000000000},  // 5^31
    {0x9dc5ada82b70b59d, 0xf020000000000000},  // 5^32
    {0xc5371912364ce305, 0x6c28000000000000},  // 5^33
    {0xf684df56c3e01bc6, 0xc732000000000000},  // 5^34
    {0x9a130b963a6c115c, 0x3c7f400000000000},  // 5^35
    {0xc097ce7bc90715b3, 0x4b9f100000000000},  // 5^36
    {0xf0bdc21abb48db20, 0x1e86d40000000000},  // 5^37
    {0x96769950b50d88f4, 0x1314448000000000},  // 5^38
    // clang-format on
}};

static_assert(kPowersOfFive.size() == kLargestPower - kSmallestPower + 1);

struct Product {
  std::uint64_t high;
  std::uint64_t low;
};

Product Multiply(std::uint64_t a, std::uint64_t b) {
#if defined(__SIZEOF_INT128__) && !defined(ORVANE_PORTABLE)
  const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
  return {static_cast<std::uint64_t>(product >> 64), static_cast<std::uint64_t>(product)};
#else
  // In 32-bit halves, where the compiler has no 128-bit integers (and in the portable build).
  const std::uint64_t aLow = a & 0xFFFFFFFFU;
  const std::uint64_t aHigh = a >> 32;
  const std::uint64_t bLow = b & 0xFFFFFFFFU;
  const std::uint64_t bHigh = b >> 32;
  const std::uint64_t lowLow = aLow * bLow;
  const std::uint64_t highLow = aHigh * bLow;
  const std::uint64_t lowHigh = aLow * bHigh;
  const std::uint64_t middle = (lowLow >> 32) + (highLow & 0xFFFFFFFFU) + (lowHigh & 0xFFFFFFFFU);
  return {aHigh * bHigh + (highLow >> 32) + (lowHigh >> 32) + (middle >> 32), (middle << 32) | (lowLow & 0xFFFFFFFFU)};
#endif
}

struct Quick {
  bool decided;
  std::uint32_t bits;  // of the magnitude; kInfinityBits when it overflows
};

// The float nearest to w x 10^q, w > 0, by the method of Eisel and Lemire: w times a 128-bit
// approximation of 5^q gives the leading bits of the product, whose binary exponent follows from
// q; the few products that stand too close to a halfway point for the approximation to tell are
// left undecided.
Quick EiselLemire(std::uint64_t w, std::int64_t q) {
  if (q < kSmallestPower) {
    return {true, 0};
  }
  if (q > kLargestPower) {
    return {true, kInfinityBits};
  }
  const int leadingZeros = std::countl_zero(w);
  w <<= leadingZeros;
  const auto& power = kPowersOfFive[static_cast<std::size_t>(q - kSmallestPower)];
  Product product = Multiply(w, power[0]);
  // The mantissa, a rounding bit and one bit in case the product's top bit is clear: when every
  // bit below them is set, a carry from the next 64 bits could still change them.
  constexpr std::uint64_t kBelowNeeded = ~std::uint64_t{0} >> (kMantissaBits + 3);
  if ((product.high & kBelowNeeded) == kBelowNeeded) {
    const Product second = Multiply(w, power[1]);
    product.low += second.high;
    product.high += second.high > product.low ? 1 : 0;
  }
  // Below 5^-27 the table's values are inexact, and a product whose low word is all ones may be
  // short of the carry that would decide it.
  if (product.low == ~std::uint64_t{0} && q < -27) {
    return {false, 0};
  }
  const int upperBit = static_cast<int>(product.high >> 63);
  const int shift = upperBit + 64 - kMantissaBits - 3;
  std::uint64_t mantissa = product.high >> shift;
  // floor(log2(10^q)) + 63, exact over the table's range (217706 / 2^16 stands for log2(10)),
  // then the float's exponent bias.
  const int scaled = 217706 * static_cast<int>(q);
  const int log2Power = (scaled >= 0 ? scaled / 65536 : -((65535 - scaled) / 65536)) + 63;
  int exponent = log2Power + upperBit - leadingZeros + 127;
  if (exponent <= 0) {  // a subnormal, or zero
    if (1 - exponent >= 64) {
      return {true, 0};
    }
    mantissa >>= 1 - exponent;
    mantissa += mantissa & 1U;
    mantissa >>= 1;
    // Rounding up may reach the smallest normal, whose bits the same expression gives.
    return {true, static_cast<std::uint32_t>(mantissa)};
  }
  // A product exactly halfway between two floats (possible only for small |q|, where it is exact)
  // rounds to the even one.
  if (product.low <= 1 && q >= -17 && q <= 10 && (mantissa & 3U) == 1 && (mantissa << shift) == product.high) {
    mantissa &= ~std::uint64_t{1};
  }
  mantissa += mantissa & 1U;
  mantissa >>= 1;
  if (mantissa >= (std::uint64_t{2} << kMantissaBits)) {
    mantissa = std::uint64_t{1} << kMantissaBits;
    ++exponent;
  }
  if (exponent >= 0xFF) {
    return {true, kInfinityBits};
  }
  mantissa &= ~(std::uint64_t{1} << kMantissaBits);
  return {true, static_cast<std::uint32_t>(exponent) << kMantissaBits | static_cast<std::uint32_t>(mantissa)};
}

// ---- Exact: every digit, however many ----

// Float halfway points carry at most 113 significant decimal digits, so keeping 120 digits and
// standing in a single nonzero digit for whatever follows never moves a value across one: the
// rounding stays exact however long the field is.
constexpr std::size_t kKeptDigits = 120;
// A decimal exponent this large over- or underflows whatever the 121 digits are.
constexpr std::int64_t kExponentLimit = 999'999;

// The decimal number D x 10^E of a field, gathered in a fixed buffer for std::from_chars.
class DecimalText {
 public:
  explicit DecimalText(bool negative) {
    if (negative) {
      text_[size_++] = '-';
    }
  }

  void AddDigits(Text digits, bool afterPoint) {
    for (const char digit : digits) {
      AddDigit(digit, afterPoint);
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

}  // namespace

std::int64_t QuickFloatBits(std::uint64_t w, std::int64_t q) {
  const Quick quick = EiselLemire(w, q);
  return quick.decided ? std::int64_t{quick.bits} : -1;
}

FieldValue ToFloatExactly(const Decimal& decimal) {
  DecimalText text(decimal.negative);
  text.AddDigits(decimal.integer, false);
  text.AddDigits(decimal.fraction, true);
  text.AddExponent(decimal.exponent);
  return text.Convert();
}

}  // namespace orvane::toolkit
