// *NON-ORTHOGONAL DAMPING through the exported function, with guarded buffers. The walk every
// data reader shares (comments, blank lines, terminators, screening, no lines, odd widths, narrow
// message fields) is tested here once; each other reader's tests keep only what it adds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "abi/guarded.h"

namespace orvane::test {
namespace {

constexpr const char* kInvalid = "This is not a valid value. ENABLED can be either YES or NO:";
constexpr const char* kSecond = "Only one data line is permitted under *NON-ORTHOGONAL DAMPING.";
constexpr const char* kNoData = "No NON-ORTHOGONAL DAMPING data defined:";
constexpr const char* kInclude =
    "The #INCLUDE directive is not supported by the analysis control module. Please run the analysis through the "
    "GUI. Otherwise, the following data will be be ignored: ";
constexpr const char* kNonStandard =
    "Non-standard characters on the following line were ignored. Please check that data was read correctly by "
    "examining the input echo in the output file:";

struct Outcome {
  std::int32_t enabled;
  std::int32_t status;
};

Outcome Read(Block& block, std::int32_t preset = -7) {
  Storage storage;
  Outcome outcome{preset, -99};
  const std::int32_t returned = Library::Get().ReadNonOrthogonalDampingData01(
      &storage.handle, &block.lineCount, block.records.data(), block.messages.data(), block.codes.data(), &block.status,
      &outcome.enabled, block.lineLength, block.messageLength);
  EXPECT_EQ(returned, 0);
  outcome.status = block.status;
  block.ExpectIntact();
  return outcome;
}

struct ValueCase {
  std::string line;
  std::int32_t enabled;  // -7: the preset stays
  bool invalid;
};

TEST(NonOrthogonalDamping, ReadsTheEnabledSwitch) {
  // Where the value is found is the option extraction's concern; here, how it is judged.
  const ValueCase cases[] = {
      {"ENABLED=YES", 1, false}, {"ENABLED=yes", 1, false},       {"ENABLED=NO", 0, false},
      {"ENABLED=NOT", 0, false}, {"ENABLED=YESTERDAY", 1, false}, {"enabled=yes", -7, true},
      {"ENABLED=Y", -7, true},   {"ENABLED=", -7, true},          {"ENABLED=N O", -7, true},
  };
  for (const auto& c : cases) {
    Block block({c.line, "*NEXT KEYWORD"});
    const Outcome outcome = Read(block);
    EXPECT_EQ(outcome.enabled, c.enabled) << c.line;
    EXPECT_EQ(outcome.status, 0) << c.line;
    block.ExpectLines({{c.invalid ? 3 : 0, c.invalid ? kInvalid : ""}, {3, ""}});
  }
}

struct BlockCase {
  const char* name;
  std::vector<std::string> lines;
  std::int32_t enabled;
  std::int32_t status;
  std::vector<std::pair<std::int32_t, std::string>> expected;
};

TEST(NonOrthogonalDamping, WalksTheBlock) {
  const BlockCase cases[] = {
      {"comments and blanks are skipped",
       {"C damping", "", "ENABLED=NO", "   ", "$ section"},
       0,
       0,
       {{0, ""}, {0, ""}, {0, ""}, {0, ""}, {3, ""}}},
      {"no data line", {"C only a comment", "*NEXT"}, -7, 0, {{0, ""}, {3, kNoData}}},
      {"terminator first", {"*NEXT"}, -7, 0, {{3, kNoData}}},
      {"second data line",
       {"ENABLED=YES", "ENABLED=NO", "C after", "*NEXT"},
       1,
       -1,
       {{0, ""}, {3, kSecond}, {0, ""}, {0, ""}}},
      {"invalid then second", {"ENABLED=MAYBE", "ENABLED=NO", "*NEXT"}, -7, -1, {{3, kInvalid}, {3, kSecond}, {0, ""}}},
      {"no terminator", {"C nothing"}, -7, 0, {{0, ""}}},
      {"indented asterisk is data", {"ENABLED=YES", " *NEXT"}, 1, -1, {{0, ""}, {3, kSecond}}},
      {"include line is skipped",
       {"#INCLUDE more.inp", "ENABLED=YES", "*NEXT"},
       1,
       0,
       {{2, kInclude}, {0, ""}, {3, ""}}},
      {"screening warning stays on the data line", {"ENABLED=YES \x01", "*NEXT"}, 1, 0, {{2, kNonStandard}, {3, ""}}},
      {"lines after the end keep nothing", {"ENABLED=YES", "*NEXT", "ENABLED=NO"}, 1, 0, {{0, ""}, {3, ""}, {0, ""}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Block block(c.lines);
    const Outcome outcome = Read(block);
    EXPECT_EQ(outcome.enabled, c.enabled);
    EXPECT_EQ(outcome.status, c.status);
    block.ExpectLines(c.expected);
  }
}

TEST(NonOrthogonalDamping, NoLinesWritesOnlyTheStatus) {
  for (const std::int32_t count : {0, -1, -2147483647 - 1}) {
    Block block({"ENABLED=YES"});
    block.lineCount = count;
    const Outcome outcome = Read(block);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.enabled, -7);
    EXPECT_EQ(block.Code(1), -99);
    EXPECT_EQ(block.Message(1), std::string(163, '#'));
  }
}

TEST(NonOrthogonalDamping, NarrowMessageFieldsAreCutNeverOverrun) {
  for (const std::int64_t width : {0, 1, 36, 148, 162, 163, 200}) {
    Block block({"#INCLUDE x", "ENABLED=MAYBE", "ENABLED=NO", "*NEXT"}, 80, width);
    const Outcome outcome = Read(block);
    EXPECT_EQ(outcome.status, -1);
    block.ExpectLines({{2, kInclude}, {3, kInvalid}, {3, kSecond}, {0, ""}});
  }
}

TEST(NonOrthogonalDamping, OddRecordWidths) {
  {
    Block block({"", ""}, 0);  // every record is empty, so every line is skipped
    const Outcome outcome = Read(block);
    EXPECT_EQ(outcome.status, 0);
    block.ExpectLines({{0, ""}, {0, ""}});
  }
  {
    Block block({"ENABLED=YES", "*"}, 11);  // the value ends at the record's last column
    const Outcome outcome = Read(block);
    EXPECT_EQ(outcome.enabled, 1);
    block.ExpectLines({{0, ""}, {3, ""}});
  }
  {
    const std::string wide = std::string(5000, ' ') + "ENABLED=NO";  // wider than the work line's own buffer
    Block block({wide, "*"}, 5010);
    const Outcome outcome = Read(block);
    EXPECT_EQ(outcome.enabled, 0);
    block.ExpectLines({{0, ""}, {3, ""}});
  }
}

TEST(NonOrthogonalDamping, EveryByteValueIsSurvived) {
  for (int byte = 0; byte < 256; ++byte) {
    std::string line = "ENABLED=YES ";
    line += static_cast<char>(byte);
    Block block({std::string(1, static_cast<char>(byte)) + line, line, "*"});
    const Outcome outcome = Read(block);
    EXPECT_TRUE(outcome.status == 0 || outcome.status == -1) << byte;
    for (std::int32_t n = 1; n <= 3; ++n) {
      const std::int32_t code = block.Code(n);
      EXPECT_TRUE(code == 0 || code == 2 || code == 3) << byte;
    }
  }
}

}  // namespace
}  // namespace orvane::test
