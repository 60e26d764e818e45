// *REFERENCE DIAMETER through the exported function, with guarded buffers: how its value is judged.
// The walk and the one-data-line rule are shown once by the damping tests; this reader's messages
// for a second data line and for none, by the checker's expected output on the shipped examples.
#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <string>

#include "abi/guarded.h"

namespace orvane::test {
namespace {

constexpr const char* kNotPositive =
    "*REFERENCE DIAMETER: Reference diameter must be strictly positive. Value ignored.";
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
      {"-1.5", kPreset, 2, kNotPositive},
      {"ABC", kPreset, 2, kNotPositive},
      {"1.0E39", kPreset, 2, kNotPositive},  // the too-large message is replaced
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

// A null field gives no new value: the one read before, in this call or an earlier one, is judged.
TEST(ReferenceDiameter, NullFieldTakesThePreviousValue) {
  const ValueCase sequence[] = {
      {"0.5", 0.5, 0, ""},
      {"/", 0.5, 0, ""},
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

}  // namespace
}  // namespace orvane::test
