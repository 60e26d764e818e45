// *REFERENCE DIAMETER through the exported function, with guarded buffers.
#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <string>
#include <vector>

#include "abi/guarded.h"

namespace orvane::test {
namespace {

constexpr const char* kNotPositive =
    "*REFERENCE DIAMETER: Reference diameter must be strictly positive. Value ignored.";
constexpr const char* kSecond = "Only one data line is permitted under *REFERENCE DIAMETER.";
constexpr const char* kNoData = "No REFERENCE DIAMETER data defined:";
constexpr const char* kInclude =
    "The #INCLUDE directive is not supported by the analysis control module. Please run the analysis through the "
    "GUI. Otherwise, the following data will be be ignored: ";
constexpr double kPreset = -7.0;

struct Outcome {
  double diameter;
  std::int32_t status;
};

Outcome Read(Block& block) {
  Storage storage;
  Outcome outcome{kPreset, -99};
  EXPECT_EQ(0, Library::Get().ReadReferenceDiameterData01(&storage.handle, &block.lineCount, block.records.data(),
                                                          block.messages.data(), block.codes.data(), &block.status,
                                                          &outcome.diameter, block.lineLength, block.messageLength));
  outcome.status = block.status;
  block.ExpectIntact();
  return outcome;
}

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

struct ValueCase {
  std::string line;
  double diameter;  // kPreset: the caller's value stays
  std::int32_t code;
  const char* message;
};

TEST(ReferenceDiameter, JudgesTheFirstFieldWidenedFromSinglePrecision) {
  const ValueCase cases[] = {
      {"0.75", 0.75, 0, ""},
      {"0.3", 0.30000001192092896, 0, ""},
      {"  2.5 7.5 junk", 2.5, 0, ""},
      {"1.0D-10", 1.000000013351432e-10, 0, ""},     // the bound itself is accepted
      {"9.99999944E-11", kPreset, 2, kNotPositive},  // the float just below it is not
      {"1e-11", kPreset, 2, kNotPositive},
      {"0", kPreset, 2, kNotPositive},
      {"-1.5", kPreset, 2, kNotPositive},
      {",4", kPreset, 2, kNotPositive},
      {"ABC", kPreset, 2, kNotPositive},
      {"1.0E39", kPreset, 2, kNotPositive},  // the too-large message is replaced
      {"-1.0E39 4", kPreset, 2, kNotPositive},
      {"1E39x", kPreset, 2, kNotPositive},
      {"0.5 \x01", 0.5, 0, ""},  // the number reader wipes the screening warning
      {"inf", std::numeric_limits<double>::infinity(), 0, ""},
      {"NaN", std::numeric_limits<double>::quiet_NaN(), 0, ""},  // not below the bound, so stored
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Block block({c.line, "*NEXT"});
    const Outcome outcome = Read(block);
    EXPECT_EQ(Bits(outcome.diameter), Bits(c.diameter)) << outcome.diameter;
    EXPECT_EQ(outcome.status, 0);
    block.ExpectLines({{c.code, c.message}, {3, ""}});
  }
}

struct BlockCase {
  const char* name;
  std::vector<std::string> lines;
  double diameter;
  std::int32_t status;
  std::vector<std::pair<std::int32_t, std::string>> expected;
};

TEST(ReferenceDiameter, WalksTheBlock) {
  const BlockCase cases[] = {
      {"second data line", {"0.5", "0.6", "*NEXT"}, 0.5, -1, {{0, ""}, {3, kSecond}, {0, ""}}},
      {"refused then second", {"-1", "0.6", "*NEXT"}, kPreset, -1, {{2, kNotPositive}, {3, kSecond}, {0, ""}}},
      {"only comments", {"C one", "c two", "*NEXT"}, kPreset, 0, {{0, ""}, {0, ""}, {3, kNoData}}},
      {"terminator first", {"$ section", "0.5"}, kPreset, 0, {{3, kNoData}, {0, ""}}},
      {"no terminator", {"C x", "0.5"}, 0.5, 0, {{0, ""}, {0, ""}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Block block(c.lines);
    const Outcome outcome = Read(block);
    EXPECT_EQ(Bits(outcome.diameter), Bits(c.diameter));
    EXPECT_EQ(outcome.status, c.status);
    block.ExpectLines(c.expected);
  }
}

// A null field gives no new value: the one read before, in this call or an earlier one, is judged.
TEST(ReferenceDiameter, NullFieldTakesThePreviousValue) {
  const ValueCase sequence[] = {
      {"0.5", 0.5, 0, ""},
      {"/", 0.5, 0, ""},
      {"3*", 0.5, 0, ""},
      {"-2", kPreset, 2, kNotPositive},
      {"2*/", kPreset, 2, kNotPositive},
  };
  for (const auto& c : sequence) {
    SCOPED_TRACE(c.line);
    Block block({c.line, "*"});
    EXPECT_EQ(Read(block).diameter, c.diameter);
    block.ExpectLines({{c.code, c.message}, {3, ""}});
  }
}

TEST(ReferenceDiameter, NarrowMessageFieldsAreCutNeverOverrun) {
  for (const std::int64_t width : {0, 1, 36, 77, 100, 157, 163}) {
    SCOPED_TRACE(width);
    Block tooLarge({"1.0E39", "*"}, 80, width);
    Read(tooLarge);
    tooLarge.ExpectLines({{2, kNotPositive}, {3, ""}});
    Block second({"#INCLUDE x", "2", "3", "*"}, 80, width);
    Read(second);
    second.ExpectLines({{2, kInclude}, {0, ""}, {3, kSecond}, {0, ""}});
    Block none({"*"}, 80, width);
    Read(none);
    none.ExpectLines({{3, kNoData}});
  }
}

}  // namespace
}  // namespace orvane::test
