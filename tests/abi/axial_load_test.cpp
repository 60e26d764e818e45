// *AXIAL LOAD through its exports, with fenced value arrays: what this reader adds to the walk.
#include <array>
#include <bit>
#include <limits>

#include "abi/block.h"

namespace orvane::test {
namespace {

const std::string kOverflow =
    "The number of nodes specified under *AXIAL LOAD is greater than the maximum number of axial load nodes.";
const std::string kNoData = "No AXIAL LOAD data defined:";
constexpr std::int32_t kMarker = std::numeric_limits<std::int32_t>::min();
constexpr float kPreset = -7.0F;

// One entry of the four parallel arrays, bit for bit, so that -0, NaN and exact singles all count.
using Row = std::array<float, 4>;  // the node number as a float
using Bits = std::vector<std::array<std::uint32_t, 4>>;
constexpr Row kUnwritten{-77, kPreset, kPreset, kPreset};

Bits ToBits(const std::vector<Row>& rows, bool nodesAreFloats) {
  Bits bits;
  for (const Row& row : rows) {
    const auto node = nodesAreFloats ? static_cast<std::int32_t>(row[0]) : std::bit_cast<std::int32_t>(row[0]);
    bits.push_back({std::bit_cast<std::uint32_t>(node), std::bit_cast<std::uint32_t>(row[1]),
                    std::bit_cast<std::uint32_t>(row[2]), std::bit_cast<std::uint32_t>(row[3])});
  }
  return bits;
}

// Reads with room for `maxNodes`; gives the node count and every entry, written or not.
std::vector<Row> ReadData(Block& block, std::int32_t maxNodes, std::int32_t& nodeCount) {
  const std::size_t size = Size(maxNodes);
  Fenced<std::int32_t> nodes(size, -77);
  Fenced<float> columns[3] = {Fenced<float>(size, kPreset), Fenced<float>(size, kPreset), Fenced<float>(size, kPreset)};
  nodeCount = -1;
  Opened().Read(&Api::ReadAxialLoadData01, block, &nodeCount, &maxNodes, nodes.data(), columns[0].data(),
                columns[1].data(), columns[2].data());
  std::vector<Row> rows;
  for (std::size_t k = 0; k < size; ++k) {
    rows.push_back({std::bit_cast<float>(nodes[k]), columns[0][k], columns[1][k], columns[2][k]});
  }
  return rows;
}

TEST(AxialLoadMaxes, CountsEveryLineThatCouldHoldANode) {
  const struct {
    std::vector<std::string> lines;
    std::int32_t count;
    std::int32_t end;  // the line given code 3
  } cases[] = {
      {{"C a", "c b", "1 2 3 4", "5", "x", "", "*END"}, 3, 7},  // comments are not counted, blank lines are
      {{"1", "   *END", "2"}, 1, 2},                            // an indented keyword ends the block
      {{"   C a", "  c", "$"}, 0, 3},                           // an indented comment is not counted
      {{"#INCLUDE f", "\x01", "\t1", "*"}, 3, 4},               // lines are not screened
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines.front());
    Block block(c.lines);
    std::int32_t count = -1;
    Opened().Count(&Api::ReadAxialLoadMaxes01, block, &count);
    EXPECT_EQ(count, c.count);
    block.Expect({{c.end, 3, ""}}, false);
  }
}

TEST(AxialLoadData, FillsOneEntryPerDataLine) {
  // clang-format off
  const struct {
    std::vector<std::string> lines;
    std::int32_t maxNodes, nodeCount, status;
    std::vector<Row> rows;
    Notes notes;
  } cases[] = {
      {{"1 10 20 30", "C note", "2, 0.1, -2.5D-1, 1+3", "3\t4\t5\t6", "*NEXT"}, 3, 3, 0,
       {{1, 10, 20, 30}, {2, 0.1F, -0.25F, 1000}, {3, 4, 5, 6}}, {{5, 3, ""}}},
      {{"7", "8 1.5", "*"}, 4, 2, 0, {{7, 0, 0, 0}, {8, 1.5F, 0, 0}, kUnwritten, kUnwritten}, {{3, 3, ""}}},
      {{"1 1 1 1", "2 2 2 2", "3 3 3 3", "4 4 4 4", "*"}, 3, 4, -1,  // one too many is counted
       {{1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}}, {{4, 3, kOverflow}}},
      {{"C", "1 2 3 4", "*"}, 0, 1, -1, {}, {{2, 3, kOverflow}}},
      {{"1 2 3 4"}, -5, 1, -1, {}, {{1, 3, kOverflow}}},
      {{"C a", "", "*END"}, 2, 0, 0, {kUnwritten, kUnwritten}, {{3, 3, kNoData}}},
      {{}, 1, 0, 0, {kUnwritten}, {}},  // no lines: the count is set, nothing else
      {{"1 2 3 4", "  *END", "  C x"}, 3, 3, 0, {{1, 2, 3, 4}, {0, 0, 0, 0}, {0, 0, 0, 0}}, {}},  // indented: data
      {{"#INCLUDE f", "9 1 2 3 \x02", "*"}, 1, 1, 0, {{9, 1, 2, 3}}, {{1, 2, kInclude}, {3, 3, ""}}},  // the number reader wipes a screening warning
      {{"6 1 2 5.0E38", "*"}, 1, 1, 0, {{6, 1, 2, 0}}, {{1, 3, kTooLarge}, {2, 3, ""}}},
      // Node numbers round half away from zero; one out of range, or NaN, is the lowest integer.
      {{"12.5", "-12.5", "0.49999997", "2147483520", "2147483648", "NaN"}, 6, 6, 0,
       {{13, 0, 0, 0}, {-13, 0, 0, 0}, {0, 0, 0, 0}, {2147483520, 0, 0, 0}, {kMarker, 0, 0, 0}, {kMarker, 0, 0, 0}}, {}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines.empty() ? "no lines" : c.lines.front());
    Block block(c.lines);
    std::int32_t nodeCount = 0;
    const std::vector<Row> rows = ReadData(block, c.maxNodes, nodeCount);
    EXPECT_EQ(nodeCount, c.nodeCount);
    EXPECT_EQ(block.status, c.status);
    EXPECT_EQ(ToBits(rows, false), ToBits(c.rows, true));
    block.Expect(c.notes);
  }
}

// The limit is read once, before anything is written: a host passing one variable as both the
// count and the limit gets the limit it held, and the count afterwards.
TEST(AxialLoadData, LimitIsReadBeforeTheCountIsWritten) {
  Block block({"1", "2", "3", "*"});
  Fenced<std::int32_t> nodes(2, -77);
  Fenced<float> columns(3 * 2, kPreset);
  std::int32_t countAndLimit = 2;
  Opened().Read(&Api::ReadAxialLoadData01, block, &countAndLimit, &countAndLimit, nodes.data(), columns.data(),
                columns.data() + 2, columns.data() + 4);
  EXPECT_EQ(countAndLimit, 3);
  EXPECT_EQ(block.status, -1);
  EXPECT_EQ(nodes[0], 1);
  EXPECT_EQ(nodes[1], 2);
  block.Expect({{3, 3, kOverflow}});
}

// A null field, or a field after a too-large one, stores what the reader read there before, on an
// earlier line of this call or in an earlier call; an absent field stores 0.
TEST(AxialLoadData, UnwrittenFieldsStoreThePreviousValues) {
  std::int32_t nodeCount = 0;
  Block first({"1 10 20 30", "2 / 2* ,", "*"});
  EXPECT_EQ(ToBits(ReadData(first, 2, nodeCount), false), ToBits({{1, 10, 20, 30}, {2, 10, 20, 0}}, true));
  Block second({"/ / / 4", "1.0E39 / 5 6", "/ 7", "*"});
  EXPECT_EQ(ToBits(ReadData(second, 3, nodeCount), false),
            ToBits({{2, 10, 20, 4}, {0, 10, 20, 4}, {0, 7, 0, 0}}, true));
  second.Expect({{2, 3, kTooLarge}, {4, 3, ""}});
}

}  // namespace
}  // namespace orvane::test
