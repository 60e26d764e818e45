// P-Y curve blocks through their exports, with every caller array fenced.
#include <bit>
#include <limits>
#include <utility>

#include "abi/block.h"

namespace orvane::test {
namespace {

constexpr float kUnset = -777.0F;       // a value no block below gives
constexpr std::int32_t kMark = -99999;  // an integer no block below gives
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
const std::string kUntouchedName = "########";

const std::string kNoSetName = "Expecting Set Name here instead of:";
const std::string kScourTwice = "SCOUR= already specified for this set. Input is ignored.";
const std::string kTooManyCurves = "Internal P-Y curve count exceeded:";
const std::string kTooFewPoints = "Expecting more P-Y curve data here instead of:";
const std::string kNoHeader = "Expecting DEPTH= or NODE= instead of:";
const std::string kTooManyPoints = "Internal P-Y curve data point count exceeded:";
const std::string kNoCurves = "No P-Y curves defined:";

using Pairs = std::vector<std::pair<float, float>>;
std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

// One curve as the arrays must hold it.
struct Curve {
  std::int32_t kind;
  float depth;  // as stored, sign already reversed; kUnset for a node curve
  std::int32_t node;
  std::int32_t pointCount;
  Pairs points;
};
Curve Depth(float stored, Pairs points, std::int32_t n = kMark) {
  return {-1, stored, kMark, n == kMark ? static_cast<std::int32_t>(points.size()) : n, std::move(points)};
}
Curve Node(std::int32_t node, Pairs points) {
  const auto n = static_cast<std::int32_t>(points.size());
  return {0, kUnset, node, n, std::move(points)};
}
// A curve held from an earlier call, with its point count and nothing else written.
Curve Held(std::int32_t pointCount) { return {kMark, kUnset, kMark, pointCount, {}}; }

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
  Fenced<float> pyPoints;
  Fenced<float> curveDepth;
  Fenced<std::int32_t> pointCount;
  Fenced<std::int32_t> curveNode;
  Fenced<std::int32_t> curveKind;
  Fenced<char> setName{8, '#'};
  Fenced<char> reserved{16, 'R'};
  Fenced<float> scour{1, kUnset};

  void Read(Block& block) {
    reserved.Freeze();
    Opened().Call(&Api::ReadPYData01, &block.count, block.records.data(), block.messages.data(), block.codes.data(),
                  &block.status, static_cast<void*>(reserved.data()), &maxCurves, &maxPoints, &curveCount,
                  pyPoints.data(), curveDepth.data(), pointCount.data(), curveNode.data(), curveKind.data(),
                  setName.data(), scour.data(), block.width, block.messageWidth, std::int64_t{8});
  }
  std::string Name() { return {setName.data(), 8}; }

  // The arrays hold `curves` from curve 1 on, and nothing else of them was written.
  void Expect(const std::vector<Curve>& curves, const std::string& name, float scourValue) {
    const auto mc = Size(maxCurves);
    const auto mp = Size(maxPoints);
    std::vector<float> points(mc * mp * 2, kUnset);
    for (std::size_t c = 0; c < mc; ++c) {
      const Curve curve = c < curves.size() ? curves[c] : Curve{kMark, kUnset, kMark, 0, {}};
      EXPECT_EQ(curveKind[c], curve.kind) << "curve " << c + 1;
      EXPECT_EQ(Bits(curveDepth[c]), Bits(curve.depth)) << "curve " << c + 1;
      EXPECT_EQ(pointCount[c], curve.pointCount) << "curve " << c + 1;
      EXPECT_EQ(std::vector<std::int32_t>(curveNode.data() + 4 * c, curveNode.data() + 4 * c + 4),
                std::vector<std::int32_t>({curve.node, kMark, kMark, kMark}))
          << "curve " << c + 1;
      for (std::size_t p = 0; p < curve.points.size(); ++p) {
        points[PYPointIndex(maxCurves, maxPoints, c, p, 0)] = curve.points[p].first;
        points[PYPointIndex(maxCurves, maxPoints, c, p, 1)] = curve.points[p].second;
      }
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
      EXPECT_EQ(Bits(pyPoints[i]), Bits(points[i])) << "pyPoints element " << i;
    }
    EXPECT_EQ(Name(), name);
    EXPECT_EQ(Bits(scour[0]), Bits(scourValue));
  }
};

struct Maxes {
  std::int32_t curveCount;
  std::int32_t maxPoints;
  std::vector<std::int32_t> code3;  // lines (from 1) that get code 3; all others get 0
};

void ExpectMaxes(const std::vector<std::string>& lines, const Maxes& expected, std::int64_t width = 80) {
  Block block(lines, width);
  std::int32_t curves = 77;
  std::int32_t points = 77;
  Opened().Count(&Api::ReadPYMaxes01, block, &curves, &points);
  EXPECT_EQ(curves, expected.curveCount);
  EXPECT_EQ(points, expected.maxPoints);
  Notes ends;
  for (const std::int32_t line : expected.code3) {
    ends.push_back({line, 3, ""});
  }
  block.Expect(ends, false);
}

const std::vector<std::string> kSand = {"SET=SAND1", "SCOUR=2.0", "DEPTH=10.0", "0.0 0.0",  "0.5 100.0",
                                        "NODE=12",   "0.0 0.0",   "1.0 50.0",   "2.0 60.0", "*P-Y END"};

struct BlockCase {
  const char* name;
  std::vector<std::string> lines;
  std::int32_t maxCurves, maxPoints;
  std::int32_t curveCount, status;
  Notes marks;
  std::vector<Curve> curves;
  std::string setName;
  float scour;
  Maxes maxes;
  std::int64_t lineWidth = 80;
};

// Each message on a whole block, with the counts and values the checker shows beside it, is also in
// the checker's expected output on the shipped examples (the curve and point counts exceeded too);
// here the arrays are fenced.
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
    block.Expect(c.marks);
    arrays.Expect(c.curves, c.setName, c.scour);
    ExpectMaxes(c.lines, c.maxes, c.lineWidth);
  }
}

TEST(PYCurves, SetNames) {
  const struct {
    std::string line;
    std::string name;
    std::string failure = "";  // empty: the line is accepted
  } cases[] = {
      {"SET=SAND1", "SAND1   "},     {"SET= ,SAND2:loose", "SAND2   "},     {"SET=VERYLONGNAME", "VERYLONG"},
      {"set=x T=LOOSE", "LOOSE   "}, {"set=SAND1", "        ", kNoSetName}, {"SETNAME=CLAY", kUntouchedName, kNoHeader},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Block block({c.line, "*"});
    PYArrays arrays(2, 2);
    arrays.Read(block);
    EXPECT_EQ(arrays.Name(), c.name);
    const bool fails = !c.failure.empty();
    EXPECT_EQ(block.status, fails ? -1 : 0);
    block.Expect(fails ? Notes{{1, 3, c.failure}} : Notes{{2, 3, kNoCurves}});
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
  second.Expect(Notes{{3, 3, kTooLarge}, {8, 3, ""}});
  const std::vector<Curve> curves = {Depth(-10, {{0, 0}, {0.5F, 100}}), Node(12, {{0, 0}, {1, 50}, {2, 60}}),
                                     Node(7, {{0, 60}, {4, 5}}), Depth(-20, {{6, 7}, {8, 9}})};
  arrays.Expect(curves, "CLAY2   ", 2);
}

// Counts the caller hands in that break its own limits: nothing is written outside any array.
TEST(PYCurves, EntryCounts) {
  const std::vector<std::string> curve = {"DEPTH=1", "1 1", "2 2", "*"};
  const Notes tooMany = {{1, 3, kTooManyCurves}};
  const Notes refused = {{2, 3, kTooManyPoints}};
  const struct {
    const char* name;
    std::int32_t maxCurves, maxPoints, entryCount;
    std::vector<std::int32_t> pointCounts;  // on entry
    std::vector<std::string> lines;
    std::int32_t curveCount, status;
    Notes marks;
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
      {"negative maxPoints", 1, -2, 0, {}, curve, 1, -1, refused, {Depth(-1, {}, 1)}},
      {"point count -5", 1, 3, 0, {-5}, curve, 1, -1, refused, {Depth(-1, {}, -4)}},
      {"point count at the integer limit", 1, 3, 0, {kMax}, curve, 1, -1, refused, {Depth(-1, {}, kMax)}},
      {"stale point count inside the arrays", 1, 4, 0, {1}, curve, 1, 0, {{4, 3, ""}},
       {Depth(-1, {{kUnset, kUnset}, {1, 1}, {2, 2}}, 3)}},
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
    block.Expect(c.marks);
    arrays.Expect(c.curves, kUntouchedName, kUnset);
  }
}

TEST(PYCurves, NoLinesTouchOnlyTheStatusAndTheCounts) {
  for (const std::int32_t count : {0, -1}) {
    Block block({"DEPTH=1", "1 1", "2 2", "*"});
    block.count = count;
    PYArrays arrays(2, 2);
    arrays.curveCount = 1;
    arrays.Read(block);
    std::int32_t curves = 77;
    std::int32_t points = 77;
    Opened().Count(&Api::ReadPYMaxes01, block, &curves, &points);
    EXPECT_EQ(block.status, 0);
    EXPECT_EQ(arrays.curveCount, 1);
    EXPECT_EQ(curves, 0);
    EXPECT_EQ(points, 0);
    EXPECT_EQ(block.Code(1), -99);
    EXPECT_EQ(block.Message(1), std::string(163, '#'));
    arrays.Expect({}, kUntouchedName, kUnset);
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
    ExpectMaxes(c.lines, c.maxes, c.width);
  }
}

}  // namespace
}  // namespace orvane::test
