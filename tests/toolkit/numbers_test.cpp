#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "toolkit/dataline.h"

namespace {

using orvane::toolkit::ConvertField;
using orvane::toolkit::FieldKind;
using orvane::toolkit::kTooLargeMessage;
using orvane::toolkit::ReadNumericFields;

std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

struct FieldCase {
  std::string field;
  FieldKind kind;
  std::uint32_t bits;  // of the value, for numbers
};

TEST(ConvertField, FollowsTheFreeFormatNumberSyntax) {
  constexpr auto N = FieldKind::Number;
  constexpr auto X = FieldKind::NotNumber;
  constexpr auto L = FieldKind::TooLarge;
  constexpr auto U = FieldKind::Null;
  const FieldCase cases[] = {
      {"5", N, 0x40a00000},
      {"5.", N, 0x40a00000},
      {".5", N, 0x3f000000},
      {"+5.25", N, 0x40a80000},
      {"-5.25", N, 0xc0a80000},
      {"1.0D3", N, 0x447a0000},
      {"1.0d3", N, 0x447a0000},
      {"1.0Q3", N, 0x447a0000},
      {"1.0q+3", N, 0x447a0000},
      {"1.0+3", N, 0x447a0000},
      {"2.5-3", N, 0x3b23d70a},
      {"1E-3", N, 0x3a83126f},
      {"0.3", N, 0x3e99999a},
      {"-0", N, 0x80000000},
      {"0e999999999999", N, 0},
      {"1e-50", N, 0},
      {"-1e-50", N, 0x80000000},
      {"1e-45", N, 0x00000001},
      {"1e-40", N, 0x000116c2},
      {"3.4028235e38", N, 0x7f7fffff},
      {"INF", N, 0x7f800000},
      {"-Infinity", N, 0xff800000},
      {"+inf", N, 0x7f800000},
      {"nan", N, 0x7fc00000},
      {"2*3.5", N, 0x40600000},
      {"10*-1", N, 0xbf800000},
      {"1.5/2", N, 0x3fc00000},
      {"2*3.5/x", N, 0x40600000},
      {"0000000000000000000000000000001", N, 0x3f800000},
      {"1.0E39", L, 0},
      {"9.0E39", L, 0},
      {"0.5E39", L, 0},
      {"-1.0E39", L, 0},
      {".5E39", L, 0},
      {"1E", L, 0},
      {"1d", L, 0},
      {"2*1e39", L, 0},
      {"3.5e38", L, 0},
      {"2*", U, 0},
      {"/", U, 0},
      {"/5", U, 0},
      {"2*/5", U, 0},
      {"ABC", X, 0},
      {"12ABC", X, 0},
      {"1.2.3", X, 0},
      {"1E5E5", X, 0},
      {"1E+", X, 0},
      {"1-", X, 0},
      {"+", X, 0},
      {".", X, 0},
      {"+-1", X, 0},
      {"--1", X, 0},
      {"E5", X, 0},
      {"*5", X, 0},
      {"0*5", X, 0},
      {"+2*5", X, 0},
      {"2*3*4", X, 0},
      {"INFX", X, 0},
      {"INFINITE", X, 0},
      {"+-inf", X, 0},
      {"1.5e+-3", X, 0},
      {"1 ", X, 0},
      // Signs, repeat counts and slashes in less common places.
      {"-NAN", N, 0xffc00000},
      {"-inf/3", N, 0xff800000},
      {"+.5", N, 0x3f000000},
      {"1.e5", N, 0x47c35000},
      {"02*3", N, 0x40400000},
      {"00*3", X, 0},
      {"1e5.", X, 0},
      {"1.5D", L, 0},
      {"-1E", L, 0},
      {"1E/", L, 0},
      {"2*-1e39", L, 0},
      {"1e-", X, 0},
      // Integers are rounded like any decimal: 2^24 + 1 is a tie, 2^24 + 3 rounds up.
      {"16777217", N, 0x4b800000},
      {"16777219", N, 0x4b800002},
      {"1" + std::string(39, '0'), L, 0},
      // Next to the smallest subnormal's halfway point and the largest float's.
      {"7.006492321624085e-46", N, 0},
      {"7.0064923216240854e-46", N, 1},
      {"-7.1e-46", N, 0x80000001},
      {"3.4028235677973366e38", N, 0x7f7fffff},
      {"3.4028235677973367e38", L, 0},
      {"-3.4028235677973367e38", L, 0},
  };
  for (const auto& c : cases) {
    const auto converted = ConvertField(c.field);
    EXPECT_EQ(converted.kind, c.kind) << c.field;
    if (c.kind == N && converted.kind == N) {
      EXPECT_EQ(Bits(converted.value), c.bits) << c.field << " gave " << converted.value;
    }
  }
}

TEST(ConvertField, KeepsEveryDigitThatDecidesTheRounding) {
  // 1 + 2^-24 is exactly halfway between 1 and the next float: ties go to even (1), anything above
  // rounds up, however far down the deciding digit stands.
  const std::string halfway = "1.000000059604644775390625";
  EXPECT_EQ(Bits(ConvertField(halfway).value), 0x3f800000U);
  EXPECT_EQ(Bits(ConvertField(halfway + std::string(300, '0') + "1").value), 0x3f800001U);
  EXPECT_EQ(Bits(ConvertField(halfway + std::string(300, '0')).value), 0x3f800000U);
  EXPECT_EQ(Bits(ConvertField("0." + std::string(400, '0') + "1e401").value), 0x3f800000U);
  EXPECT_EQ(Bits(ConvertField("1" + std::string(400, '0') + "e-400").value), 0x3f800000U);
  // More zeros than any fixed cap on the written exponent would allow for.
  EXPECT_EQ(Bits(ConvertField("1" + std::string(10'000'000, '0') + "E-10000000").value), 0x3f800000U);
}

struct LineCase {
  std::string key;
  std::string line;
  std::vector<float> before;
  std::vector<float> after;
  int code;
};

TEST(ReadNumericFields, SplitsFieldsAndAppliesTheDefaults) {
  const float d = -9.0F;  // the default, distinguishable from every value read
  const float k = 42.0F;  // what the element held before the call
  const LineCase cases[] = {
      {" ", "1.5 2.5", {k, k}, {1.5F, 2.5F}, 0},
      {" ", "1.5 2.5 3.5", {k, k}, {1.5F, 2.5F}, 0},
      {" ", "1.5", {k, k, k, k}, {1.5F, d, d, d}, 0},
      {" ", "1.5,,2.5", {k, k, k}, {1.5F, d, 2.5F}, 0},
      {" ", "1.5 , 2.5", {k, k, k}, {1.5F, 2.5F, d}, 0},
      {" ", ",2.5", {k, k}, {d, 2.5F}, 0},
      {" ", "\t1.5\t,\t2.5", {k, k}, {1.5F, 2.5F}, 0},
      {" ", "ABC 2", {k, k}, {d, 2.0F}, 0},
      {" ", "2* 7 /", {k, k, k}, {k, 7.0F, k}, 0},
      {" ", "1.0E39 5 6", {k, k, k}, {d, k, k}, 3},
      {" ", "-1.0E39 5", {k, k}, {d, 5.0F}, 0},
      {" ", ".5E39 5", {k, k}, {d, 5.0F}, 0},
      {" ", "", {k}, {d}, 0},
      {"H", "DEPTH=10.0", {k}, {10.0F}, 0},
      {"H", "WIDTH=3 DEPTH=10.0", {k}, {3.0F}, 0},
      {"H", "depth=10.0", {k}, {d}, 0},
      {"H", "NO KEY HERE", {k, k}, {d, d}, 0},
      {"N", "ORIGIN=", {k, k}, {d, d}, 0},
      {"N", "ORIGIN= 100.0, 250.0", {k, k}, {100.0F, 250.0F}, 0},
      {" ", "1.5 , , 2.5", {k, k, k}, {1.5F, d, 2.5F}, 0},
      {" ", "1.5,", {k, k}, {1.5F, d}, 0},
      {" ", "1.5\t", {k, k}, {1.5F, d}, 0},
      {" ", "/ 2* 1e39 5", {k, k, k, k}, {k, k, d, k}, 3},
      {" ", "1E 5", {k, k}, {d, k}, 3},
      {" ", "-1E 5", {k, k}, {d, 5.0F}, 0},
      {" ", "1.2.3,12ABC 1E+ 7", {k, k, k, k}, {d, d, d, 7.0F}, 0},
      {"H", "HEIGHT H =1 DEPTH=2", {k}, {2.0F}, 0},
      {"E", "WAVEZONE=5,6", {k, k}, {5.0F, 6.0F}, 0},
  };
  for (const auto& c : cases) {
    std::vector<float> values = c.before;
    std::string message(40, '#');
    int code = -1;
    ReadNumericFields(code, message, c.key, c.line, values, d);
    EXPECT_EQ(code, c.code) << c.line;
    EXPECT_EQ(values, c.after) << c.line;
    const std::string expected = c.code == 3 ? std::string(kTooLargeMessage) + "    " : std::string(40, ' ');
    EXPECT_EQ(message, expected) << c.line;
  }
}

TEST(ReadNumericFields, CutsItsMessageToANarrowField) {
  for (const std::size_t width : {0U, 1U, 35U, 36U}) {
    std::string field(width + 4, '#');
    float value = 0.0F;
    int code = 0;
    ReadNumericFields(code, std::span<char>(field.data(), width), " ", "7E99", std::span<float>(&value, 1), 0.0F);
    EXPECT_EQ(code, 3);
    EXPECT_EQ(field, std::string(kTooLargeMessage.substr(0, width)) + "####");
  }
}

TEST(RoundToInt32, RoundsHalfAwayFromZeroAndMarksWhatDoesNotFit) {
  using orvane::toolkit::RoundToInt32;
  constexpr std::int32_t kMarker = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(RoundToInt32(12.5F), 13);
  EXPECT_EQ(RoundToInt32(-12.5F), -13);
  EXPECT_EQ(RoundToInt32(2.4999F), 2);
  EXPECT_EQ(RoundToInt32(7.0F), 7);
  EXPECT_EQ(RoundToInt32(-0.4F), 0);
  EXPECT_EQ(RoundToInt32(2147483520.0F), 2147483520);
  EXPECT_EQ(RoundToInt32(-2147483648.0F), kMarker);
  EXPECT_EQ(RoundToInt32(2147483648.0F), kMarker);
  EXPECT_EQ(RoundToInt32(3.0E9F), kMarker);
  EXPECT_EQ(RoundToInt32(std::numeric_limits<float>::infinity()), kMarker);
  EXPECT_EQ(RoundToInt32(-std::numeric_limits<float>::infinity()), kMarker);
  EXPECT_EQ(RoundToInt32(std::numeric_limits<float>::quiet_NaN()), kMarker);
}

}  // namespace
