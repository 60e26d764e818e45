// P-Y curve blocks through the exported functions, with every caller array guarded.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "abi/guarded.h"

namespace orvane::test {
namespace {

constexpr float kUnset = -777.0F;       // a value no block below gives
constexpr std::int32_t kMark = -99999;  // an integer no block below gives
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
const std::string kUntouchedName = "########";

constexpr const char* kNoSetName = "Expecting Set Name here instead of:";
constexpr const char* kScourTwice = "SCOUR= already specified for this set. Input is ignored.";
constexpr const char* kTooManyCurves = "Internal P-Y curve count exceeded:";
constexpr const char* kTooFewPoints = "Expecting more P-Y curve data here instead of:";
constexpr const char* kNoHeader = "Expecting DEPTH= or NODE= instead of:";
constexpr const char* kTooManyPoints = "Internal P-Y curve data point count exceeded:";
constexpr const char* kNoCurves = "No P-Y curves defined:";
constexpr const char* kTooLarge = "Number is too large for the program.";
constexpr const char* kNonStandard =
    "Non-standard characters on the following line were ignored. Please check that data was read correctly by "
    "examining the input echo in the output file:";

using Lines = std::vector<std::pair<std::int32_t, std::string>>;
using Pairs = std::vector<std::pair<float, float>>;

std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }
std::size_t Size(std::int64_t n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }

// One curve as the arrays must hold it.
struct Curve {
  std::int32_t kind;
  float depth;  // as stored, sign already reversed; kUnset for a node curve
  std::int32_t node;
  std::int32_t pointCount;
  Pairs points;
};
Curve Depth(float stored, Pairs points) {
  const auto n = static_cast<std::int32_t>(points.size());
  return {-1, stored, kMark, n, std::move(points)};
}
Curve Node(std::int32_t node, Pairs points) {
  const auto n = static_cast<std::int32_t>(points.size());
  return {0, kUnset, node, n, std::move(points)};
}
Curve WithCount(Curve curve, std::int32_t pointCount) {
  curve.pointCount = pointCount;
  return curve;
}

// The caller's arrays of one P-Y block, preset so that every untouched place shows.
struct PYArrays {
  PYArrays(std::int32_t curves, std::int32_t points)
      : maxCurves(curves),
        maxPoints(points),
        pyPoints(Size(curves) * Size(points) * 2, kUnset),
        curveDepth(Size(curves), kUnset),
        pointCount(Size(curves), 0),
        curveNode(Size(curves) * 4, kMark),
        curveKind(Size(curves), kMark) {}

  std::int32_t maxCurves;
  std::int32_t maxPoints;
  std::int32_t curveCount = 0;
  Guarded<float> pyPoints;
  Guarded<float> curveDepth;
  Guarded<std::int32_t> pointCount;
  Guarded<std::int32_t> curveNode;
  Guarded<std::int32_t> curveKind;
  Guarded<char> setName{8, '#'};
  Guarded<char> reserved{16, 'R'};
  Guarded<float> scour{1, kUnset};

  void Read(Block& block) {
    Storage storage;
    EXPECT_EQ(0, Library::Get().ReadPYData01(&storage.handle, &block.lineCount, block.records.data(),
                                             block.messages.data(), block.codes.data(), &block.status, reserved.data(),
                                             &maxCurves, &maxPoints, &curveCount, pyPoints.data(), curveDepth.data(),
                                             pointCount.data(), curveNode.data(), curveKind.data(), setName.data(),
                                             scour.data(), block.lineLength, block.messageLength, 8));
    block.ExpectIntact();
    EXPECT_TRUE(pyPoints.GuardsIntact() && curveDepth.GuardsIntact() && pointCount.GuardsIntact() &&
                curveNode.GuardsIntact() && curveKind.GuardsIntact() && setName.GuardsIntact() &&
                reserved.GuardsIntact() && scour.GuardsIntact());
    EXPECT_EQ(std::string(reserved.data(), 16), std::string(16, 'R'));
  }

  // The arrays hold `curves` from curve 1 on, and nothing else of them was written.
  void Expect(const std::vector<Curve>& curves, const std::string& name, float scourValue) const {
    const auto mc = Size(maxCurves);
    const auto mp = Size(maxPoints);
    std::vector<float> points(mc * mp * 2, kUnset);
    for (std::size_t c = 0; c < mc; ++c) {
      const Curve curve = c < curves.size() ? curves[c] : Curve{kMark, kUnset, kMark, 0, {}};
      EXPECT_EQ(curveKind[c], curve.kind) << "curve " << c + 1;
      EXPECT_EQ(Bits(curveDepth[c]), Bits(curve.depth)) << "curve " << c + 1;
      EXPECT_EQ(pointCount[c], curve.pointCount) << "curve " << c + 1;
      EXPECT_EQ(curveNode[4 * c], curve.node) << "curve " << c + 1;
      for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(curveNode[4 * c + i], kMark) << "curve " << c + 1;
      }
      for (std::size_t p = 0; p < curve.points.size(); ++p) {
        points[p * mc + c] = curve.points[p].first;
        points[(mp + p) * mc + c] = curve.points[p].second;
      }
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
      EXPECT_EQ(Bits(pyPoints[i]), Bits(points[i])) << "pyPoints element " << i;
    }
    EXPECT_EQ(std::string(setName.data(), 8), name);
    EXPECT_EQ(Bits(scour[0]), Bits(scourValue));
  }
};

struct Maxes {
  std::int32_t curveCount;
  std::int32_t maxPoints;
  std::vector<std::int32_t> code3;  // lines (1-based) that get code 3; all others get 0
};

void ExpectMaxes(Block block, const Maxes& expected) {
  Storage storage;
  std::int32_t curves = 77;
  std::int32_t points = 77;
  EXPECT_EQ(0, Library::Get().ReadPYMaxes01(&storage.handle, &block.lineCount, block.records.data(), block.codes.data(),
                                            &curves, &points, block.lineLength));
  block.ExpectIntact();
  EXPECT_EQ(curves, expected.curveCount);
  EXPECT_EQ(points, expected.maxPoints);
  for (std::int32_t n = 1; n <= static_cast<std::int32_t>(block.codes.size()); ++n) {
    const bool marked = std::find(expected.code3.begin(), expected.code3.end(), n) != expected.code3.end();
    EXPECT_EQ(block.Code(n), block.lineCount < 1 ? -99 : marked ? 3 : 0) << "maxes code of line " << n;
  }
}

struct Mark {
  std::int32_t line;
  std::int32_t code;
  const char* message;
};

// `count` lines with code 0 and a blank message, except the marked ones.
Lines Marked(std::int32_t count, const std::vector<Mark>& marks) {
  Lines lines(static_cast<std::size_t>(count), {0, ""});
  for (const Mark& mark : marks) {
    lines[static_cast<std::size_t>(mark.line - 1)] = {mark.code, mark.message};
  }
  return lines;
}

const std::vector<std::string> kSand = {"SET=SAND1", "SCOUR=2.0", "DEPTH=10.0", "0.0 0.0",  "0.5 100.0",
                                        "NODE=12",   "0.0 0.0",   "1.0 50.0",   "2.0 60.0", "*P-Y END"};

struct BlockCase {
  const char* name;
  std::vector<std::string> lines;
  std::int32_t maxCurves, maxPoints;
  std::int32_t curveCount, status;
  std::vector<Mark> marks;
  std::vector<Curve> curves;
  std::string setName;
  float scour;
  Maxes maxes;
  std::int64_t lineWidth = 80;
};

// Each message on a whole block, with the counts and values the checker shows beside it, is also in
// the checker's expected output on the shipped examples; here the arrays are guarded.
TEST(PYCurves, ReadsWholeBlocksAndCountsThemAlike) {
  const std::string none = kUntouchedName;
  const Pairs two = {{1, 2}, {3, 4}};
  // clang-format off
  const BlockCase cases[] = {
      {"sand then clay", kSand, 3, 4, 2, 0, {{10, 3, ""}},
       {Depth(-10, {{0, 0}, {0.5F, 100}}), Node(12, {{0, 0}, {1, 50}, {2, 60}})}, "SAND1   ", 2, {2, 3, {10}}},
      {"lower-case names are recognised, but their numbers are searched case-sensitively",
       {"depth=10.0", "1 2", "3 4", "node=12.6", "5 6", "7 8", "scour=2.0", "set=SAND1", "*"}, 3, 4, 2, -1,
       {{8, 3, kNoSetName}}, {Depth(-0.0F, {{1, 2}, {3, 4}}), Node(0, {{5, 6}, {7, 8}})}, "        ", 0,
       {2, 2, {9}}},
      {"one scour per set, also between the points of a curve",
       {"SET=A", "SCOUR=1.5", "DEPTH=3", "1 1", "SCOUR=2.5", "2 2", "SET=B", "SCOUR=3.5", "SCOUR=4.5", "*"},
       3, 4, 1, 0, {{5, 2, kScourTwice}, {9, 2, kScourTwice}, {10, 3, ""}}, {Depth(-3, {{1, 1}, {2, 2}})},
       "B       ", 3.5F, {1, 2, {10}}},
      {"curve count exceeded", {"DEPTH=1", "1 1", "2 2", "NODE=5", "3 3", "*"}, 1, 4, 1, -1,
       {{4, 3, kTooManyCurves}}, {Depth(-1, {{1, 1}, {2, 2}})}, none, kUnset, {2, 2, {6}}},
      {"point count exceeded", {"DEPTH=1", "1 1", "2 2", "3 3", "4 4", "*"}, 3, 2, 1, -1,
       {{4, 3, kTooManyPoints}}, {WithCount(Depth(-1, {{1, 1}, {2, 2}}), 3)}, none, kUnset, {1, 4, {6}}},
      {"point fields", {"NODE=3", "5", "1 2 3", "1,,3", "ABC 4", "*"}, 2, 5, 1, 0, {{6, 3, ""}},
       {Node(3, {{5, 0}, {1, 2}, {1, 0}, {0, 4}})}, none, kUnset, {1, 4, {6}}},
      {"unread fields keep the numbers of earlier reads",
       {"DEPTH=10", "/ 3", "1.0E39 9", "4 2*", "-1.0E39 6", ".5E39 7", "7 1.0E39", "*"}, 2, 6, 1, 0,
       {{3, 3, kTooLarge}, {7, 3, kTooLarge}, {8, 3, ""}},
       {Depth(-10, {{10, 3}, {0, 3}, {4, 3}, {0, 6}, {0, 7}, {7, 0}})}, none, kUnset, {1, 6, {8}}},
      {"screened and indented lines",
       {"C P-Y curves", "  DEPTH=2", "1 1\x01", "", " *NOT AN END", "SCOUR=1", "SCOUR=2\x01", "SET=S\x02", "*END"},
       2, 3, 1, 0, {{7, 2, kScourTwice}, {8, 2, kNonStandard}, {9, 3, ""}}, {Depth(-2, {{1, 1}, {0, 0}})},
       "S       ", 1, {1, 1, {5}}},
      {"depths are stored negated, nodes rounded half away from zero",
       {"DEPTH=0", "1 2", "3 4", "DEPTH=-2.5", "1 2", "3 4", "NODE=12.5", "1 2", "3 4", "NODE=2147483648", "1 2", "3 4",
        "*"}, 4, 2, 4, 0, {{13, 3, ""}},
       {Depth(-0.0F, two), Depth(2.5F, two), Node(13, two), Node(kMin, two)}, none, kUnset, {4, 2, {13}}},
      {"a header value too large to hold is read as 0",
       {"DEPTH=1.0E39", "1 2", "3 4", "NODE=1.0E39", "1 2", "3 4", "*"}, 2, 2, 2, 0,
       {{1, 3, kTooLarge}, {4, 3, kTooLarge}, {7, 3, ""}}, {Depth(-0.0F, two), Node(0, two)}, none, kUnset,
       {2, 2, {7}}},
      {"a record as wide as NODE= is a header", {"NODE=", "1 2", "3 4", "*"}, 2, 2, 1, 0, {{4, 3, ""}},
       {Node(0, {{1, 2}, {3, 4}})}, none, kUnset, {1, 2, {4}}, 5},
      {"a record narrower than NODE= is a point", {"NODE", "1 2", "*"}, 2, 2, 0, -1, {{1, 3, kNoHeader}}, {},
       none, kUnset, {1, 1, {3}}, 4},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Block block(c.lines, c.lineWidth);
    PYArrays arrays(c.maxCurves, c.maxPoints);
    arrays.Read(block);
    EXPECT_EQ(arrays.curveCount, c.curveCount);
    EXPECT_EQ(block.status, c.status);
    block.ExpectLines(Marked(block.lineCount, c.marks));
    arrays.Expect(c.curves, c.setName, c.scour);
    ExpectMaxes(Block(c.lines, c.lineWidth), c.maxes);
  }
}

TEST(PYCurves, SetNames) {
  const struct {
    std::string line;
    std::string name;
    const char* failure;  // nullptr: the line is accepted
  } cases[] = {
      {"SET=SAND1", "SAND1   ", nullptr},
      {"SET= ,SAND2:loose", "SAND2   ", nullptr},
      {"SET=VERYLONGNAME", "VERYLONG", nullptr},
      {"set=x T=LOOSE", "LOOSE   ", nullptr},
      {"SET=", "        ", kNoSetName},
      {"set=SAND1", "        ", kNoSetName},
      {"SETNAME=CLAY", kUntouchedName, kNoHeader},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Block block({c.line, "*"});
    PYArrays arrays(2, 2);
    arrays.Read(block);
    EXPECT_EQ(std::string(arrays.setName.data(), 8), c.name);
    const bool fails = c.failure != nullptr;
    EXPECT_EQ(block.status, fails ? -1 : 0);
    block.ExpectLines(fails ? Marked(2, {{1, 3, c.failure}}) : Marked(2, {{2, 3, kNoCurves}}));
  }
}

TEST(PYCurves, SecondBlockAppendsAfterTheFirst) {
  PYArrays arrays(4, 3);
  Block first(kSand);
  arrays.Read(first);
  // The node header reads only the first number, so the second work number is still 60 from the
  // last point of the first call when the too-large first field stops the read.
  Block second({"SET=CLAY2", "NODE=7", "1.0E39 9", "4 5", "DEPTH=20", "6 7", "8 9", "*"});
  arrays.Read(second);
  EXPECT_EQ(arrays.curveCount, 4);
  EXPECT_EQ(second.status, 0);
  second.ExpectLines(Marked(8, {{3, 3, kTooLarge}, {8, 3, ""}}));
  const std::vector<Curve> curves = {Depth(-10, {{0, 0}, {0.5F, 100}}), Node(12, {{0, 0}, {1, 50}, {2, 60}}),
                                     Node(7, {{0, 60}, {4, 5}}), Depth(-20, {{6, 7}, {8, 9}})};
  arrays.Expect(curves, "CLAY2   ", 2);

  Block third(kSand);
  arrays.Read(third);
  EXPECT_EQ(arrays.curveCount, 4);
  EXPECT_EQ(third.status, -1);
  third.ExpectLines(Marked(10, {{3, 3, kTooManyCurves}}));
  arrays.Expect(curves, "SAND1   ", 2);
}

// A curve held from an earlier call, with its point count and nothing else written.
Curve Held(std::int32_t pointCount) { return {kMark, kUnset, kMark, pointCount, {}}; }

// Counts the caller hands in that break its own limits: nothing is written outside any array.
TEST(PYCurves, EntryCounts) {
  const std::vector<std::string> curve = {"DEPTH=1", "1 1", "2 2", "*"};
  const std::vector<Mark> tooMany = {{1, 3, kTooManyCurves}};
  const std::vector<Mark> refused = {{2, 3, kTooManyPoints}};
  const struct {
    const char* name;
    std::int32_t maxCurves, maxPoints, entryCount;
    std::vector<std::int32_t> pointCounts;  // on entry
    std::vector<std::string> lines;
    std::int32_t curveCount, status;
    std::vector<Mark> marks;
    std::vector<Curve> curves;  // on return
  } cases[] = {
      // clang-format off
      {"entry curve with one point", 4, 2, 3, {2, 2, 1}, curve, 4, -1, {{1, 3, kTooFewPoints}},
       {Held(2), Held(2), Held(1)}},
      {"arrays already full", 2, 2, 2, {2, 2}, curve, 2, -1, tooMany, {Held(2), Held(2)}},
      {"entry count at the integer limit", 2, 2, kMax, {2, 2}, curve, 2, -1, tooMany, {Held(2), Held(2)}},
      {"negative entry count", 2, 2, -1, {}, curve, 0, -1, tooMany, {}},
      {"negative entry count, point line", 2, 2, -1, {}, {"1 1", "*"}, -1, -1, {{1, 3, kNoHeader}}, {}},
      {"negative entry count, no header", 2, 2, -3, {}, {"C none", "*"}, -3, 0, {{2, 3, kNoCurves}}, {}},
      {"negative maxCurves", -3, 2, 0, {}, curve, 0, -1, tooMany, {}},
      {"negative maxPoints", 1, -2, 0, {}, curve, 1, -1, refused, {WithCount(Depth(-1, {}), 1)}},
      {"point count -5", 1, 3, 0, {-5}, curve, 1, -1, refused, {WithCount(Depth(-1, {}), -4)}},
      {"point count at the integer limit", 1, 3, 0, {kMax}, curve, 1, -1, refused,
       {WithCount(Depth(-1, {}), kMax)}},
      {"stale point count inside the arrays", 1, 4, 0, {1}, curve, 1, 0, {{4, 3, ""}},
       {WithCount(Depth(-1, {{kUnset, kUnset}, {1, 1}, {2, 2}}), 3)}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Block block(c.lines);
    PYArrays arrays(c.maxCurves, c.maxPoints);
    arrays.curveCount = c.entryCount;
    std::copy(c.pointCounts.begin(), c.pointCounts.end(), arrays.pointCount.data());
    arrays.Read(block);
    EXPECT_EQ(arrays.curveCount, c.curveCount);
    EXPECT_EQ(block.status, c.status);
    block.ExpectLines(Marked(block.lineCount, c.marks));
    arrays.Expect(c.curves, kUntouchedName, kUnset);
  }
}

TEST(PYCurves, NoLinesTouchOnlyTheStatusAndTheCounts) {
  for (const std::int32_t count : {0, -1}) {
    Block block({"DEPTH=1", "1 1", "2 2", "*"});
    block.lineCount = count;
    PYArrays arrays(2, 2);
    arrays.curveCount = 1;
    arrays.Read(block);
    EXPECT_EQ(block.status, 0);
    EXPECT_EQ(arrays.curveCount, 1);
    EXPECT_EQ(block.Code(1), -99);
    EXPECT_EQ(block.Message(1), std::string(163, '#'));
    arrays.Expect({}, kUntouchedName, kUnset);
    ExpectMaxes(block, {0, 0, {}});
  }
}

TEST(PYCurves, MaxesCountsBeginningsOnly) {
  const struct {
    const char* name;
    std::vector<std::string> lines;
    Maxes maxes;
    std::int64_t width = 80;
  } cases[] = {
      {"names without equals signs, comments and include lines",
       {"SETTINGS=1", "SCOURING", "NODES 4", "1 2", "CLAY 3 4", "#INCLUDE x", "  3 4", "depth", "*"},
       {2, 3, {9}}},
      {"points before the first header", {"1 2", "3 4", "NODE=1", "5 6", "*"}, {1, 1, {1, 2, 5}}},
      {"a header without points", {"DEPTH=1", "*", "1 2"}, {1, 0, {2}}},
      {"an indented terminator", {"DEPTH=1", "1 2", "  $", "3 4"}, {1, 1, {3}}},
      {"narrow records compare blank-padded", {"NODE", "1 2", "SCOU", "SET", "*"}, {1, 2, {5}}, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectMaxes(Block(c.lines, c.width), c.maxes);
  }
}

}  // namespace
}  // namespace orvane::test
