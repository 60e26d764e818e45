// *AXIAL LOAD through the exported functions, with guarded buffers and guarded value arrays.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <limits>
#include <string>
#include <vector>

#include "abi/guarded.h"

namespace orvane::test {
namespace {

const std::string kOverflow =
    "The number of nodes specified under *AXIAL LOAD is greater than the maximum number of axial load nodes.";
const std::string kNoData = "No AXIAL LOAD data defined:";
const std::string kTooLarge = "Number is too large for the program.";
const std::string kInclude =
    "The #INCLUDE directive is not supported by the analysis control module. Please run the analysis through the "
    "GUI. Otherwise, the following data will be be ignored: ";
constexpr std::int32_t kMarker = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kNodePreset = -77;
constexpr float kValuePreset = -7.0F;

std::int32_t CountMaxes(Block& block) {
  Storage storage;
  std::int32_t count = -1;
  EXPECT_EQ(0, Library::Get().ReadAxialLoadMaxes01(&storage.handle, &block.lineCount, block.records.data(),
                                                   block.codes.data(), &count, block.lineLength));
  block.ExpectIntact();
  return count;
}

// One row of the four parallel arrays.
struct Row {
  std::int32_t node;
  float column2;
  float column3;
  float column4;
};

struct Outcome {
  std::int32_t nodeCount;
  std::int32_t status;
  std::vector<Row> rows;  // all maxNodes entries, filled or not
};

Outcome ReadData(Block& block, std::int32_t maxNodes) {
  const auto size = static_cast<std::size_t>(std::max(maxNodes, 0));
  Guarded<std::int32_t> nodes(size, kNodePreset);
  Guarded<float> column2(size, kValuePreset);
  Guarded<float> column3(size, kValuePreset);
  Guarded<float> column4(size, kValuePreset);
  Storage storage;
  Outcome outcome{-1, -99, {}};
  EXPECT_EQ(0, Library::Get().ReadAxialLoadData01(
                   &storage.handle, &block.lineCount, block.records.data(), block.messages.data(), block.codes.data(),
                   &block.status, &outcome.nodeCount, &maxNodes, nodes.data(), column2.data(), column3.data(),
                   column4.data(), block.lineLength, block.messageLength));
  outcome.status = block.status;
  block.ExpectIntact();
  EXPECT_TRUE(nodes.GuardsIntact() && column2.GuardsIntact() && column3.GuardsIntact() && column4.GuardsIntact())
      << "written past maxNodes";
  for (std::size_t k = 0; k < size; ++k) {
    outcome.rows.push_back({nodes[k], column2[k], column3[k], column4[k]});
  }
  return outcome;
}

// Rows compared bit for bit, so that -0, NaN and the exact single-precision values all count.
std::vector<std::array<std::uint32_t, 4>> Bits(const std::vector<Row>& rows) {
  std::vector<std::array<std::uint32_t, 4>> bits;
  for (const Row& row : rows) {
    bits.push_back({std::bit_cast<std::uint32_t>(row.node), std::bit_cast<std::uint32_t>(row.column2),
                    std::bit_cast<std::uint32_t>(row.column3), std::bit_cast<std::uint32_t>(row.column4)});
  }
  return bits;
}

void ExpectRows(const std::vector<Row>& actual, const std::vector<Row>& expected) {
  EXPECT_EQ(Bits(actual), Bits(expected));
}

constexpr Row kUnwritten{kNodePreset, kValuePreset, kValuePreset, kValuePreset};

struct MaxesCase {
  const char* name;
  std::vector<std::string> lines;
  std::int32_t count;
  std::vector<std::int32_t> codes;
};

TEST(AxialLoadMaxes, CountsEveryLineThatCouldHoldANode) {
  const MaxesCase cases[] = {
      {"comments, data, blank", {"C a", "c b", "1 2 3 4", "5", "x", "", "*END"}, 3, {0, 0, 0, 0, 0, 0, 3}},
      {"indented keyword ends the block", {"1", "   *END", "2"}, 1, {0, 3, 0}},
      {"indented comment is not counted", {"   C a", "  c", "$"}, 0, {0, 0, 3}},
      {"unscreened lines count", {"#INCLUDE f", "\x01", "\t1", "*"}, 3, {0, 0, 0, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Block block(c.lines);
    EXPECT_EQ(CountMaxes(block), c.count);
    for (std::int32_t n = 1; n <= block.lineCount; ++n) {
      EXPECT_EQ(block.Code(n), c.codes[static_cast<std::size_t>(n - 1)]) << "line " << n;
    }
  }
}

struct DataCase {
  const char* name;
  std::vector<std::string> lines;
  std::int32_t maxNodes;
  std::int32_t nodeCount;
  std::int32_t status;
  std::vector<Row> rows;
  std::vector<std::pair<std::int32_t, std::string>> expected;
};

// What the walk does with comments, blank lines, terminators and screening is the damping tests'
// concern; here, what this reader adds.
TEST(AxialLoadData, FillsOneEntryPerDataLine) {
  const float kTenth = 0.1F;
  // clang-format off
  const DataCase cases[] = {
      {"three lines", {"1 10 20 30", "C note", "2, 0.1, -2.5D-1, 1+3", "3\t4\t5\t6", "*NEXT"}, 3, 3, 0,
       {{1, 10, 20, 30}, {2, kTenth, -0.25F, 1000}, {3, 4, 5, 6}}, {{0, ""}, {0, ""}, {0, ""}, {0, ""}, {3, ""}}},
      {"room to spare", {"7", "8 1.5", "*"}, 4, 2, 0, {{7, 0, 0, 0}, {8, 1.5F, 0, 0}, kUnwritten, kUnwritten},
       {{0, ""}, {0, ""}, {3, ""}}},
      {"one too many is counted", {"1 1 1 1", "2 2 2 2", "3 3 3 3", "4 4 4 4", "*"}, 3, 4, -1,
       {{1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}}, {{0, ""}, {0, ""}, {0, ""}, {3, kOverflow}, {0, ""}}},
      {"no room", {"C", "1 2 3 4", "*"}, 0, 1, -1, {}, {{0, ""}, {3, kOverflow}, {0, ""}}},
      {"negative room", {"1 2 3 4"}, -5, 1, -1, {}, {{3, kOverflow}}},
      {"no data", {"C a", "", "*END"}, 2, 0, 0, {kUnwritten, kUnwritten}, {{0, ""}, {0, ""}, {3, kNoData}}},
      {"no lines: the count is set, nothing else", {}, 1, 0, 0, {kUnwritten}, {}},
      {"indented keyword and comment are data", {"1 2 3 4", "  *END", "  C x"}, 3, 3, 0,
       {{1, 2, 3, 4}, {0, 0, 0, 0}, {0, 0, 0, 0}}, {{0, ""}, {0, ""}, {0, ""}}},
      {"the number reader wipes a screening warning", {"#INCLUDE f", "9 1 2 3 \x02", "*"}, 1, 1, 0, {{9, 1, 2, 3}},
       {{2, kInclude}, {0, ""}, {3, ""}}},
      {"too-large last value", {"6 1 2 5.0E38", "*"}, 1, 1, 0, {{6, 1, 2, 0}}, {{3, kTooLarge}, {3, ""}}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Block block(c.lines);
    const Outcome outcome = ReadData(block, c.maxNodes);
    EXPECT_EQ(outcome.nodeCount, c.nodeCount);
    EXPECT_EQ(outcome.status, c.status);
    ExpectRows(outcome.rows, c.rows);
    block.ExpectLines(c.expected);
  }
}

TEST(AxialLoadData, NodeNumbersRoundHalfAwayFromZero) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"12.5", 13},       {"-12.5", -13},           {"0.49999997", 0},       {"2147483520", 2147483520},
      {"3.0E9", kMarker}, {"-2147483648", kMarker}, {"2147483648", kMarker}, {"NaN", kMarker},
  };
  for (const auto& [field, node] : cases) {
    Block block({std::string(field) + " 1", "*"});
    const Outcome outcome = ReadData(block, 1);
    EXPECT_EQ(outcome.rows[0].node, node) << field;
    EXPECT_EQ(outcome.rows[0].column2, 1.0F) << field;
  }
}

// The limit is read once, before anything is written: a host passing one variable as both the
// count and the limit gets the limit it held, and the count afterwards.
TEST(AxialLoadData, LimitIsReadBeforeTheCountIsWritten) {
  Block block({"1", "2", "3", "*"});
  Guarded<std::int32_t> nodes(2, kNodePreset);
  Guarded<float> columns(3 * 2, kValuePreset);
  std::int32_t countAndLimit = 2;
  Storage storage;
  Library::Get().ReadAxialLoadData01(&storage.handle, &block.lineCount, block.records.data(), block.messages.data(),
                                     block.codes.data(), &block.status, &countAndLimit, &countAndLimit, nodes.data(),
                                     columns.data(), columns.data() + 2, columns.data() + 4, block.lineLength,
                                     block.messageLength);
  EXPECT_EQ(countAndLimit, 3);
  EXPECT_EQ(block.status, -1);
  EXPECT_EQ(nodes[0], 1);
  EXPECT_EQ(nodes[1], 2);
  EXPECT_TRUE(nodes.GuardsIntact() && columns.GuardsIntact());
  block.ExpectLines({{0, ""}, {0, ""}, {3, kOverflow}, {0, ""}});
}

// A null field, or a field after a too-large one, stores what the reader read there before, on an
// earlier line of this call or in an earlier call; an absent field stores 0.
TEST(AxialLoadData, UnwrittenFieldsStoreThePreviousValues) {
  {
    Block block({"1 10 20 30", "2 / 2* ,", "*"});
    const Outcome outcome = ReadData(block, 2);
    ExpectRows(outcome.rows, {{1, 10, 20, 30}, {2, 10, 20, 0}});
  }
  {
    Block block({"/ / / 4", "1.0E39 / 5 6", "/ 7", "*"});
    const Outcome outcome = ReadData(block, 3);
    ExpectRows(outcome.rows, {{2, 10, 20, 4}, {0, 10, 20, 4}, {0, 7, 0, 0}});
    block.ExpectLines({{0, ""}, {3, kTooLarge}, {0, ""}, {3, ""}});
  }
}

}  // namespace
}  // namespace orvane::test
