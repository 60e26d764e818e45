// The three single-line blocks through their exports. The walk every data reader shares (comments,
// blank lines, terminators, screening, no lines, odd widths, narrow message fields) is tested once,
// on *NON-ORTHOGONAL DAMPING; each other reader's rows keep only what it adds. What the shipped
// diagnostics example shows (an #INCLUDE, a stray byte, a bad value then a second line, a block of
// comments only, both harmonics values refused) is not repeated.
#include <bit>
#include <limits>

#include "abi/block.h"

namespace orvane::test {
namespace {

const std::string kInvalid = "This is not a valid value. ENABLED can be either YES or NO:";
const std::string kSecond = "Only one data line is permitted under *NON-ORTHOGONAL DAMPING.";
const std::string kNotPositive = "*REFERENCE DIAMETER: Reference diameter must be strictly positive. Value ignored.";
const std::string kFactor = "*HIGHER HARMONICS: Higher harmonics factor cannot be negative. Value ignored.";
const std::string kThreshold = "*HIGHER HARMONICS: Higher harmonics threshold cannot be negative. Value ignored.";
constexpr double kPreset = -7.0;

std::int32_t ReadDamping(Block& block) {
  std::int32_t enabled = -7;
  Opened().Read(&Api::ReadNonOrthogonalDampingData01, block, &enabled);
  return enabled;
}

struct DampingCase {
  std::vector<std::string> lines;
  std::int32_t enabled;  // -7: the preset stays
  std::int32_t status;
  Notes notes;
  std::int64_t width = 80;
};

TEST(NonOrthogonalDamping, JudgesTheValueAndWalksTheBlock) {
  const std::string wide = std::string(5000, ' ') + "ENABLED=NO";  // wider than the work line's own buffer
  // clang-format off
  const DampingCase cases[] = {
      // The value, by its first letters in any case; the name only in capitals.
      {{"ENABLED=yes", "*N"}, 1, 0, {{2, 3, ""}}},         {{"ENABLED=NOT", "*N"}, 0, 0, {{2, 3, ""}}},
      {{"ENABLED=YESTERDAY", "*N"}, 1, 0, {{2, 3, ""}}},   {{"enabled=yes", "*N"}, -7, 0, {{1, 3, kInvalid}, {2, 3, ""}}},
      {{"ENABLED=Y", "*N"}, -7, 0, {{1, 3, kInvalid}, {2, 3, ""}}},
      {{"ENABLED=N O", "*N"}, -7, 0, {{1, 3, kInvalid}, {2, 3, ""}}},
      // The walk.
      {{"C damping", "", "ENABLED=NO", "   ", "$ section"}, 0, 0, {{5, 3, ""}}},
      {{"ENABLED=YES", "ENABLED=NO", "C after", "*NEXT"}, 1, -1, {{2, 3, kSecond}}},
      {{"C nothing"}, -7, 0, {}},
      {{"ENABLED=YES", " *NEXT"}, 1, -1, {{2, 3, kSecond}}},  // an indented asterisk is data
      {{"ENABLED=YES", "*NEXT", "ENABLED=NO"}, 1, 0, {{2, 3, ""}}},  // lines after the end keep nothing
      {{"", ""}, -7, 0, {}, 0},  // every record empty: every line skipped
      {{"ENABLED=YES", "*"}, 1, 0, {{2, 3, ""}}, 11},  // the value ends at the record's last column
      {{wide, "*"}, 0, 0, {{2, 3, ""}}, 5010},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines.front());
    Block block(c.lines, c.width);
    EXPECT_EQ(ReadDamping(block), c.enabled);
    EXPECT_EQ(block.status, c.status);
    block.Expect(c.notes);
  }
}

TEST(NonOrthogonalDamping, NoLinesWritesOnlyTheStatus) {
  for (const std::int32_t count : {0, -1, std::numeric_limits<std::int32_t>::min()}) {
    Block block({"ENABLED=YES"});
    block.count = count;
    EXPECT_EQ(ReadDamping(block), -7);
    EXPECT_EQ(block.status, 0);
    EXPECT_EQ(block.Code(1), -99);
    EXPECT_EQ(block.Message(1), std::string(163, '#'));
  }
}

TEST(NonOrthogonalDamping, NarrowMessageFieldsAreCutNeverOverrun) {
  for (const std::int64_t width : {0, 1, 36, 162, 200}) {
    Block block({"#INCLUDE x", "ENABLED=MAYBE", "ENABLED=NO", "*NEXT"}, 80, width);
    ReadDamping(block);
    EXPECT_EQ(block.status, -1);
    block.Expect({{1, 2, kInclude}, {2, 3, kInvalid}, {3, 3, kSecond}});
  }
}

TEST(NonOrthogonalDamping, EveryByteValueIsSurvived) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string line = "ENABLED=YES " + std::string(1, static_cast<char>(byte));
    Block block({std::string(1, static_cast<char>(byte)) + line, line, "*"});
    ReadDamping(block);
    EXPECT_TRUE(block.status == 0 || block.status == -1) << byte;
    for (std::int32_t n = 1; n <= 3; ++n) {
      EXPECT_TRUE(block.Code(n) == 0 || block.Code(n) == 2 || block.Code(n) == 3) << byte;
    }
  }
}

// A value is stored as the double the single-precision number widens to, bit for bit.
struct ValueCase {
  std::string line;
  double first;  // kPreset: the caller's value stays
  double second;
  std::int32_t code;
  std::string message;
};

void ExpectDiameters(const std::vector<ValueCase>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Block block({c.line, "*"});
    double diameter = kPreset;
    Opened().Read(&Api::ReadReferenceDiameterData01, block, &diameter);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(diameter), std::bit_cast<std::uint64_t>(c.first)) << diameter;
    EXPECT_EQ(block.status, 0);
    block.Expect({{1, c.code, c.message}, {2, 3, ""}});
  }
}

TEST(ReferenceDiameter, JudgesTheFirstField) {
  ExpectDiameters({
      {"0.3", 0.30000001192092896, 0, 0, ""},
      {"  2.5 7.5 junk", 2.5, 0, 0, ""},
      {"1.0D-10", 1.000000013351432e-10, 0, 0, ""},     // the bound itself is accepted
      {"9.99999944E-11", kPreset, 0, 2, kNotPositive},  // the float just below it is not
      {"ABC", kPreset, 0, 2, kNotPositive},
      {"1.0E39", kPreset, 0, 2, kNotPositive},  // the too-large message is replaced
      {"inf", std::numeric_limits<double>::infinity(), 0, 0, ""},
      {"NaN", std::numeric_limits<double>::quiet_NaN(), 0, 0, ""},  // not below the bound, so stored
  });
}

// A null field gives no new value: the one read before, in this call or an earlier one, is judged.
TEST(ReferenceDiameter, NullFieldTakesThePreviousValue) {
  ExpectDiameters({{"0.5", 0.5, 0, 0, ""},
                   {"/", 0.5, 0, 0, ""},
                   {"-2", kPreset, 0, 2, kNotPositive},
                   {"2*/", kPreset, 0, 2, kNotPositive}});
}

void ExpectHarmonics(const std::vector<ValueCase>& cases, std::int64_t messageWidth = 200) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Block block({c.line, "*"}, 80, messageWidth);
    double factor = kPreset;
    double threshold = kPreset;
    Opened().Read(&Api::ReadHigherHarmonicsData01, block, &factor, &threshold);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(factor), std::bit_cast<std::uint64_t>(c.first)) << factor;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(threshold), std::bit_cast<std::uint64_t>(c.second)) << threshold;
    EXPECT_EQ(block.status, 0);
    block.Expect({{1, c.code, c.message}, {2, 3, ""}});
  }
}

// Each value is judged on its own; a refused one keeps the caller's value.
TEST(HigherHarmonics, JudgesFactorAndThresholdIndependently) {
  ExpectHarmonics({
      {"0.5 0.01", 0.5, static_cast<double>(0.01F), 0, ""},
      {"1.5", 1.5, 0.0, 0, ""},
      {", 2", 0.0, 2.0, 0, ""},
      {"-1e-11 -1E-10", static_cast<double>(-1e-11F), static_cast<double>(-1e-10F), 0, ""},
      {"-1.0000001e-10 1", kPreset, 1.0, 2, kFactor},
      {"1 -2", 1.0, kPreset, 2, kThreshold},
      {"5 1.0E39", 5.0, 0.0, 3, kTooLarge},
      {"-5 1.0E39", kPreset, 0.0, 2, kFactor},
  });
}

// A value the number reader leaves unwritten (a null field, or the threshold after a too-large
// factor) is the one read before, in this call or an earlier one; an absent field is 0.
TEST(HigherHarmonics, UnwrittenValuesTakeThePreviousOnes) {
  ExpectHarmonics({
      {"0.25 0.5", 0.25, 0.5, 0, ""},
      {"/ /", 0.25, 0.5, 0, ""},
      {"/", 0.25, 0.0, 0, ""},
      {"2* 4", 0.25, 4.0, 0, ""},
      {"1.0E39 6", 0.0, 4.0, 3, kTooLarge},
      {"1 -3", 1.0, kPreset, 2, kThreshold},
      {"1.0E39", 0.0, kPreset, 2, kTooLarge + kThreshold},  // appended after the number reader's message
      {"-2, /", kPreset, kPreset, 2, kFactor + kThreshold},
  });
}

// The threshold text goes after the message's last non-blank character, and the whole is cut at
// the field's width: a factor text cut just after a blank loses that blank.
TEST(HigherHarmonics, AppendedThresholdTextIsCutAtTheField) {
  ExpectHarmonics(
      {{"-1 -2", kPreset, kPreset, 2, "*HIGHER HARMONICS: Higher harmonics*"}, {"1 -2", 1, kPreset, 2, kThreshold}},
      36);
  ExpectHarmonics({{"-1 -2", kPreset, kPreset, 2, kFactor}}, 77);
  ExpectHarmonics({{"-1 -2", kPreset, kPreset, 2, kFactor + kThreshold.substr(0, 23)}}, 100);
}

}  // namespace
}  // namespace orvane::test
