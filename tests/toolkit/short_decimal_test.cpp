// Fields read while a line is split agree with an independent correctly rounded reader
// (std::from_chars on the field rewritten in its syntax), including the fields that must leave
// the quick conversion: too many digits and exponents beyond its table, and decimals of up to 16
// digits within reach of a double's rounding of a halfway point between two floats. Other decimals
// next to a halfway point are the round-trip tests' concern.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/dataline.h"

namespace {

using orvane::toolkit::ReadNumericFields;

std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

// The field in std::from_chars syntax: no leading plus, and an "e" for every exponent form.
bool Oracle(std::string field, float& value) {
  if (!field.empty() && field.front() == '+') {
    field.erase(0, 1);
  }
  for (std::size_t i = 1; i < field.size(); ++i) {
    char& c = field[i];
    if (c == 'D' || c == 'd' || c == 'Q' || c == 'q' || c == 'E') {
      c = 'e';
    } else if ((c == '+' || c == '-') && field[i - 1] != 'e') {
      field.insert(i, 1, 'e');
      break;
    }
  }
  const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
  return result.ec == std::errc{} && result.ptr == field.data() + field.size();
}

// Reads `fields` as one line, separated in turn by a blank, a comma, a TAB and a comma between
// blanks, and compares each with the oracle.
void ExpectAgreement(const std::vector<std::string>& fields) {
  static const char* const kSeparators[] = {" ", ",", "\t", " , "};
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    line += (i == 0 ? "" : kSeparators[i % 4]) + fields[i];
  }
  std::vector<float> values(fields.size(), -1.0F);
  std::string message(40, '#');
  int code = -1;
  ReadNumericFields(code, message, " ", line, values, -9.0F);
  EXPECT_EQ(code, 0) << line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    float expected = 0.0F;
    ASSERT_TRUE(Oracle(fields[i], expected)) << fields[i];
    EXPECT_EQ(Bits(values[i]), Bits(expected)) << fields[i] << " in " << line;
  }
}

TEST(ShortDecimals, AgreeAtTheEdgesOfTheQuickConversion) {
  ExpectAgreement({"9007199254740992", "9007199254740993", "9007199254740991e-22", "90071992547409930"});
  ExpectAgreement({"1e22", "1e23", "1e-22", "1e-23", "-1.5e22", "1.5D-23"});
  ExpectAgreement({"1234567890123456789", "12345678901234567890", ".1234567890123456789", "1.0000000000000000001"});
  ExpectAgreement({"0.000000000000000000000000001", "000000000000000000000000012.5", "-0.0", "0e-99999"});
  ExpectAgreement({"3.4028234e38", "1.17549435E-38", "16777217", "16777219", "33554433.0", "+7-3"});
  ExpectAgreement({"2.5q+3", "2.5Q-3", "-2.5+3", "1.", ".5", "-.25d1"});
}

// Decimals w x 10^-k of 16 digits, the nearest to a halfway point M between two floats and its two
// neighbours: within one unit of w of M x 10^k, so closer to M than a double's precision tells
// apart. One multiplication in double precision and a rounding to float gets about one in twenty of
// them wrong.
TEST(ShortDecimals, AgreeWithinADoublesReachOfAHalfwayPoint) {
  int checked = 0;
  for (std::uint32_t bits = 0x34000000; bits < 0x5A000000; bits += 40'009) {  // 1.2e-7 to 9e15
    int exponent = 0;
    const double fraction = std::frexp(static_cast<double>(std::bit_cast<float>(bits)), &exponent);
    // M = halfway x 2^scale, halfway odd.
    const auto halfway = 2 * static_cast<std::uint64_t>(std::ldexp(fraction, 24)) + 1;
    const int scale = exponent - 25;
    for (int k = 1; k <= 22; ++k) {
      using Wide = unsigned __int128;
      Wide scaled = halfway;  // M x 10^k = halfway x 5^k x 2^(scale + k)
      for (int i = 0; i < k; ++i) {
        scaled *= 5;
      }
      const int shift = scale + k;
      if (shift > 0 || -shift > 100) {
        continue;
      }
      const Wide half = shift == 0 ? 0 : Wide{1} << (-shift - 1);  // of the last unit shifted out
      const auto nearest = static_cast<std::uint64_t>((scaled + half) >> -shift);
      if (nearest < (std::uint64_t{1} << 50) || nearest >= (std::uint64_t{1} << 53)) {
        continue;
      }
      const std::string power = "e-" + std::to_string(k);
      ExpectAgreement(
          {std::to_string(nearest - 1) + power, std::to_string(nearest) + power, std::to_string(nearest + 1) + power});
      checked += 3;
    }
  }
  EXPECT_GE(checked, 20'000);
}

// Decimals of 1 to 18 digits with the point anywhere and every exponent form, from a fixed seed.
TEST(ShortDecimals, AgreeOnGeneratedFields) {
  std::uint64_t state = 0x5EED;
  const auto next = [&state](std::uint64_t bound) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return (state >> 33) % bound;
  };
  static const char* const kLetters[] = {"E", "e", "D", "d", "Q", "q", ""};
  for (int line = 0; line < 50'000; ++line) {
    std::vector<std::string> fields;
    for (int k = 0; k < 3; ++k) {
      std::string digits;
      for (std::uint64_t n = 1 + next(18); n > 0; --n) {
        digits += static_cast<char>('0' + next(10));
      }
      digits.insert(next(digits.size() + 1), ".");
      std::string field = (next(3) == 0 ? "-" : next(2) == 0 ? "+" : "") + digits;
      if (next(2) == 0) {
        const auto exponent = static_cast<int>(next(61)) - 30;
        const char* letter = kLetters[next(7)];
        field += letter +
                 std::string(exponent < 0                        ? "-"
                             : (*letter == '\0' || next(2) == 0) ? "+"
                                                                 : "") +
                 std::to_string(std::abs(exponent));
      }
      if (field == "." || field == "-." || field == "+.") {
        field.insert(field.size() - 1, "0");
      }
      float ignored = 0.0F;
      if (Oracle(field, ignored)) {  // leaves out what overflows a float
        fields.push_back(field);
      }
    }
    ExpectAgreement(fields);
  }
}

}  // namespace
