// *HIGHER HARMONICS through the exported function, with guarded buffers: how its values are judged.
// The walk and the one-data-line rule are shown once by the damping tests; this reader's messages
// for a second data line and for none, by the checker's expected output on the shipped examples.
#include <gtest/gtest.h>

#include <bit>
#include <string>

#include "abi/guarded.h"

namespace orvane::test {
namespace {

const std::string kFactor = "*HIGHER HARMONICS: Higher harmonics factor cannot be negative. Value ignored.";
const std::string kThreshold = "*HIGHER HARMONICS: Higher harmonics threshold cannot be negative. Value ignored.";
const std::string kTooLarge = "Number is too large for the program.";
constexpr double kPreset = -7.0;

struct Outcome {
  double factor;
  double threshold;
  std::int32_t status;
};

Outcome Read(Block& block) {
  Storage storage;
  Outcome outcome{kPreset, kPreset, -99};
  EXPECT_EQ(0, Library::Get().ReadHigherHarmonicsData01(
                   &storage.handle, &block.lineCount, block.records.data(), block.messages.data(), block.codes.data(),
                   &block.status, &outcome.factor, &outcome.threshold, block.lineLength, block.messageLength));
  outcome.status = block.status;
  block.ExpectIntact();
  return outcome;
}

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

struct LineCase {
  std::string line;
  double factor;  // kPreset: the caller's value stays
  double threshold;
  std::int32_t code;
  std::string message;
};

// Each of the two values is judged on its own; a refused one keeps the caller's value.
TEST(HigherHarmonics, JudgesFactorAndThresholdIndependently) {
  const LineCase cases[] = {
      {"0.5 0.01", 0.5, static_cast<double>(0.01F), 0, ""},
      {"1.5", 1.5, 0.0, 0, ""},
      {", 2", 0.0, 2.0, 0, ""},
      {"-1e-11 -1E-10", static_cast<double>(-1e-11F), static_cast<double>(-1e-10F), 0, ""},
      {"-1.0000001e-10 1", kPreset, 1.0, 2, kFactor},
      {"1 -2", 1.0, kPreset, 2, kThreshold},
      {"-1 -2", kPreset, kPreset, 2, kFactor + kThreshold},
      {"5 1.0E39", 5.0, 0.0, 3, kTooLarge},
      {"-5 1.0E39", kPreset, 0.0, 2, kFactor},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Block block({c.line, "*NEXT"}, 80, 200);
    const Outcome outcome = Read(block);
    EXPECT_EQ(Bits(outcome.factor), Bits(c.factor)) << outcome.factor;
    EXPECT_EQ(Bits(outcome.threshold), Bits(c.threshold)) << outcome.threshold;
    EXPECT_EQ(outcome.status, 0);
    block.ExpectLines({{c.code, c.message}, {3, ""}});
  }
}

// A value the number reader leaves unwritten (a null field, or the threshold after a too-large
// factor) is the one read before, in this call or an earlier one.
TEST(HigherHarmonics, UnwrittenValuesTakeThePreviousOnes) {
  const LineCase sequence[] = {
      {"0.25 0.5", 0.25, 0.5, 0, ""},
      {"/ /", 0.25, 0.5, 0, ""},
      {"/", 0.25, 0.0, 0, ""},  // an absent field is 0, not the previous value
      {"2* 4", 0.25, 4.0, 0, ""},
      {"1.0E39 6", 0.0, 4.0, 3, kTooLarge},
      {"1 -3", 1.0, kPreset, 2, kThreshold},
      {"1.0E39", 0.0, kPreset, 2, kTooLarge + kThreshold},  // appended after the number reader's message
      {"-2, /", kPreset, kPreset, 2, kFactor + kThreshold},
  };
  for (const auto& c : sequence) {
    SCOPED_TRACE(c.line);
    Block block({c.line, "*"}, 80, 200);
    const Outcome outcome = Read(block);
    EXPECT_EQ(Bits(outcome.factor), Bits(c.factor));
    EXPECT_EQ(Bits(outcome.threshold), Bits(c.threshold));
    block.ExpectLines({{c.code, c.message}, {3, ""}});
  }
}

// The threshold text goes after the message's last non-blank character, and the whole is cut at
// the field's width: a factor text cut just after a blank loses that blank.
TEST(HigherHarmonics, AppendedThresholdTextIsCutAtTheField) {
  const std::pair<std::int64_t, std::string> cases[] = {
      {0, ""},
      {36, "*HIGHER HARMONICS: Higher harmonics*"},
      {77, kFactor},
      {100, kFactor + kThreshold.substr(0, 23)},
      {163, kFactor + kThreshold},
  };
  for (const auto& [width, message] : cases) {
    SCOPED_TRACE(width);
    Block both({"-1 -2", "*"}, 80, width);
    Read(both);
    both.ExpectLines({{2, message}, {3, ""}});
    Block threshold({"1 -2", "*"}, 80, width);
    Read(threshold);
    threshold.ExpectLines({{2, kThreshold}, {3, ""}});
  }
}

}  // namespace
}  // namespace orvane::test
