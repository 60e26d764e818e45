#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
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
  // Rounding, exponent letters and the halfway points between floats are the round-trip tests'
  // concern; here, what is a number, what is too large and what is null.
  const FieldCase cases[] = {
      // clang-format off
      {"5.", N, 0x40a00000},        {".5", N, 0x3f000000},       {"-5.25", N, 0xc0a80000},    {"1.e5", N, 0x47c35000},
      {"1.0D3", N, 0x447a0000},     {"-0", N, 0x80000000},       {"0e999999999999", N, 0},    {"1e-50", N, 0},
      {"-1e-50", N, 0x80000000},    {"1e-45", N, 0x00000001},    {"INF", N, 0x7f800000},      {"+inf", N, 0x7f800000},
      {"-Infinity", N, 0xff800000}, {"nan", N, 0x7fc00000},      {"-NAN", N, 0xffc00000},     {"2*3.5", N, 0x40600000},
      {"10*-1", N, 0xbf800000},     {"02*3", N, 0x40400000},     {"1.5/2", N, 0x3fc00000},    {"2*3.5/x", N, 0x40600000},
      {"-inf/3", N, 0xff800000},
      {"1.0E39", L, 0}, {"-1.0E39", L, 0}, {".5E39", L, 0}, {"3.5e38", L, 0}, {"2*1e39", L, 0}, {"2*-1e39", L, 0},
      {"1E", L, 0},     {"1.5D", L, 0},    {"-1E", L, 0},   {"1E/", L, 0},
      {"2*", U, 0},     {"/", U, 0},       {"/5", U, 0},    {"2*/5", U, 0},
      {"ABC", X, 0},    {"12ABC", X, 0},   {"1.2.3", X, 0}, {"1e5.", X, 0},   {"1E+", X, 0},    {"1e-", X, 0},
      {"1-", X, 0},     {"+", X, 0},       {".", X, 0},     {"+-1", X, 0},    {"E5", X, 0},     {"*5", X, 0},
      {"0*5", X, 0},    {"00*3", X, 0},    {"+2*5", X, 0},  {"2*3*4", X, 0},  {"INFX", X, 0},   {"INFINITE", X, 0},
      {"1 ", X, 0},
      // clang-format on
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
  EXPECT_EQ(ConvertField("1" + std::string(39, '0')).kind, FieldKind::TooLarge);
  EXPECT_EQ(Bits(ConvertField(std::string(30, '0') + "1").value), 0x3f800000U);
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
      {"N", "ORIGIN=", {k, k}, {d, d}, 0},
      {"N", "ORIGIN= 100.0, 250.0", {k, k}, {100.0F, 250.0F}, 0},
      {" ", "1.5,", {k, k}, {1.5F, d}, 0},
      {" ", "1.5\t", {k, k}, {1.5F, d}, 0},
      {" ", "/ 2* 1e39 5", {k, k, k, k}, {k, k, d, k}, 3},
      {" ", "1E 5", {k, k}, {d, k}, 3},
      {" ", "-1E 5", {k, k}, {d, 5.0F}, 0},
      {" ", "1.2.3,12ABC 1E+ 7", {k, k, k, k}, {d, d, d, 7.0F}, 0},
      {"H", "HEIGHT H =1 DEPTH=2", {k}, {2.0F}, 0},
      {"E", "WAVEZONE=5,6", {k, k}, {5.0F, 6.0F}, 0},
      // Lines that leave the usual shape after a field or two, and separators past sixteen bytes.
      {" ", "1.5 2* -3", {k, k, k}, {1.5F, k, -3.0F}, 0},
      {" ", "1.5 1E39 4", {k, k, k}, {1.5F, d, k}, 3},
      {" ", "1.5                    2.5", {k, k}, {1.5F, 2.5F}, 0},
      {" ", "1.5                    , 2.5", {k, k}, {1.5F, 2.5F}, 0},
      {" ", "1.5,                   ,2.5", {k, k, k}, {1.5F, d, 2.5F}, 0},
      {" ", "1.2345678901234567 -2.5E+01", {k, k}, {1.2345679F, -25.0F}, 0},
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

// Lines of usual and unusual fields made at random: the reader, which takes the usual line at
// once, settles every element as the field walk that ScanFields shares finds the fields.
TEST(ReadNumericFields, AgreesWithTheFieldWalkOnMixedLines) {
  std::mt19937 random(29);
  const auto pick = [&random](std::initializer_list<const char*> choices) {
    return std::string(choices.begin()[random() % choices.size()]);
  };
  const float d = -9.0F;
  const float k = 42.0F;
  for (int i = 0; i < 20000; ++i) {
    std::string line = pick({"", " ", ","});
    for (std::size_t n = 1 + random() % 5; n > 0; --n) {
      line += pick({"", "-", "+"}) + pick({"7", "12.5", ".25", "3.", "0.000123456789", "98765432109876543", ""}) +
              pick({"", "", "e5", "E-07", "d+12", "e+05", "E+5", "D-3", "q2", "e39", "e", "E+", "/", "*", "x", "-2",
                    "E+1.", "d-1.5", "e+.5"}) +
              pick({" ", ",", " , ", ",,", "\t", "                  ", "2* ", "/ "});
    }
    // Now and then a line too long to be copied when it ends near the end of its record.
    const std::string record = (i % 64 == 0 ? std::string(240, ' ') : "") + line + std::string(random() % 20, ' ');
    std::vector<float> values(1 + random() % 6, k);
    std::string message(40, '#');
    int code = -1;
    ReadNumericFields(code, message, " ", record, values, d);

    const orvane::toolkit::ScreenedLine screened{orvane::toolkit::TrimTrailingBlanks(record), 0, record.size()};
    std::vector<orvane::toolkit::FieldSpan> fields(values.size());
    const std::size_t found = orvane::toolkit::ScanFields(screened, 0, fields);
    std::vector<float> expected(values.size(), d);
    int expectedCode = 0;
    for (std::size_t f = 0; f < found && expectedCode == 0; ++f) {
      const auto& field = fields[f];
      if (field.kind == FieldKind::Null) {
        expected[f] = k;
      } else if (field.kind == FieldKind::Number) {
        expected[f] = field.value;
      } else if (field.kind == FieldKind::TooLarge && record[field.begin] >= '0' && record[field.begin] <= '9') {
        expectedCode = 3;
        std::fill(expected.begin() + static_cast<std::ptrdiff_t>(f) + 1, expected.end(), k);
      }
    }
    ASSERT_EQ(code, expectedCode) << record;
    for (std::size_t f = 0; f < values.size(); ++f) {
      ASSERT_EQ(Bits(values[f]), Bits(expected[f])) << "element " << f << " of [" << record << "]";
    }
  }
}

// Whole numbers are rounded as the standard library's parser rounds them, halfway cases to the
// even float, with negative zero kept: random ones of every length up to ten digits, and those
// next to the floats' first gaps wider than one.
TEST(ReadNumericFields, RoundsWholeNumbersToTheNearestFloat) {
  std::mt19937 random(31);
  std::vector<std::string> numbers{"0",        "-0",       "+0",       "00000000",  "16777217",  "-16777217",
                                   "16777219", "33554434", "99999999", "-99999999", "+12345678", "4294967295"};
  for (int i = 0; i < 20000; ++i) {
    const auto digits = static_cast<unsigned>(1 + random() % 10);
    std::string text = i % 3 == 0 ? "-" : i % 3 == 1 ? "+" : "";
    for (unsigned d = 0; d < digits; ++d) {
      text += static_cast<char>('0' + random() % 10);
    }
    numbers.push_back(text);
  }
  for (const std::string& number : numbers) {
    const std::string unsignedPart = number[0] == '+' ? number.substr(1) : number;
    float expected = 0.0F;
    std::from_chars(unsignedPart.data(), unsignedPart.data() + unsignedPart.size(), expected);
    std::vector<float> values{7.0F, 7.0F};
    int code = -1;
    std::string message(8, '#');
    ReadNumericFields(code, message, " ", number + " 1 ", values, -9.0F);
    ASSERT_EQ(Bits(values[0]), Bits(expected)) << number;
    ASSERT_EQ(values[1], 1.0F) << number;
    ASSERT_EQ(code, 0) << number;
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

// ScanFields walks the reader's own way; what it adds is where each field stands and that it goes on
// past a field too large to read.
TEST(ScanFields, GivesEachFieldsPlaceAndKind) {
  const struct {
    const char* key;
    std::string line;
    std::size_t room;
    std::string fields;  // [begin,end) and N number, U null, X not a number, L too large, E empty; / cut
  } cases[] = {
      {" ", " 1.5,,2.5/3 x", 8, "[1,4)N [5,5)E [6,11)N/ [12,13)X"},
      {" ", "1E39 2* /4 -1E39 5", 8, "[0,4)L [5,7)U [8,10)U [11,16)L [17,18)N"},
      {" ", "1 2 3", 2, "[0,1)N [2,3)N"},
      {"H", "WIDTH=3 DEPTH=10.0", 8, "[6,7)N [8,18)X"},
      {"H", "depth=10.0", 8, ""},
  };
  for (const auto& c : cases) {
    std::vector<orvane::toolkit::FieldSpan> spans(c.room);
    const std::string record = c.line + std::string(20, ' ');
    const std::size_t start = orvane::toolkit::FieldStart(c.line, c.key);
    const std::size_t n =
        start == std::string::npos
            ? 0
            : orvane::toolkit::ScanFields({std::string_view(record).substr(0, c.line.size()), 0, record.size()}, start,
                                          spans);
    std::string found;
    for (std::size_t i = 0; i < n; ++i) {
      const auto& f = spans[i];
      found += (i == 0 ? "[" : " [") + std::to_string(f.begin) + "," + std::to_string(f.end) + ")" +
               "NUXLE"[static_cast<int>(f.kind)] + (f.cutBySlash ? "/" : "");
    }
    EXPECT_EQ(found, c.fields) << c.line;
  }
}

// ScanPlainFields speaks only where ScanFields finds as many numbers, none cut, at the same places;
// lines of plain fields with every separator and the forms at its edges are made at random.
TEST(ScanPlainFields, SaysYesOnlyWhereScanFieldsFindsPlainNumbers) {
  std::mt19937 random(17);
  const auto pick = [&random](std::initializer_list<const char*> choices) {
    return std::string(choices.begin()[random() % choices.size()]);
  };
  std::size_t said = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string line = pick({"", " ", "   "});
    const std::size_t written = 1 + random() % 4;
    for (std::size_t k = 0; k < written; ++k) {
      line += pick({"", "-", "+"}) + std::to_string(random() % (random() % 4 == 0 ? 2000000000 : 100000)) +
              pick({"", ".", ".5", "e", "E-45", "d29", "D30", "e+7", "/2", "*3", "x"});
      line += k + 1 < written ? pick({" ", "  ", ",", " , ", ",,", "\t"}) : pick({"", " ", ","});
    }
    const std::string record = line + std::string(16, ' ');
    const orvane::toolkit::ScreenedLine screened{orvane::toolkit::TrimTrailingBlanks(record), 0, record.size()};
    std::vector<orvane::toolkit::FieldSpan> plain(random() % 4 == 0 ? 1 + random() % 4 : written);
    std::vector<orvane::toolkit::FieldSpan> all(16);
    if (!orvane::toolkit::ScanPlainFields(screened, 0, plain)) {
      continue;
    }
    ++said;
    ASSERT_EQ(orvane::toolkit::ScanFields(screened, 0, all), plain.size()) << line;
    for (std::size_t k = 0; k < plain.size(); ++k) {
      EXPECT_EQ(all[k].kind, FieldKind::Number) << line;
      EXPECT_FALSE(all[k].cutBySlash) << line;
      EXPECT_EQ(all[k].begin, plain[k].begin) << line;
      EXPECT_EQ(all[k].end, plain[k].end) << line;
    }
  }
  EXPECT_GT(said, 1000U);  // and it does speak
}

}  // namespace
