// P-Y curves: the maxes reader, then the data reader appending after curves already held.
#include "fuzz_common.h"

using namespace orvane::fuzz;

namespace {
constexpr std::int32_t kUntouched = 0x5A5A5A5A;
constexpr float kUntouchedReal = -7.0F;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  Block block(input, 64);
  std::int32_t maxCurves = input.Take(0, 64);
  std::int32_t maxPoints = input.Take(0, 64);
  const std::int32_t entryCount = input.Take(0, maxCurves);
  const std::int32_t setNameLength = input.Take(0, 40);
  std::vector<std::int32_t> heldPoints;
  for (std::int32_t c = 0; c < entryCount; ++c) {
    heldPoints.push_back(input.Take(0, maxPoints));
  }
  block.Fill(input);

  std::int32_t countedCurves = -99;
  std::int32_t countedPoints = -99;
  Require(ReadPYMaxes01(Handle(), &block.lineCount, block.lines.data(), block.codes.data(), &countedCurves,
                        &countedPoints, block.lineLength) == 0,
          "maxes returns 0");
  block.CheckMaxesCodes();
  Require(countedCurves >= 0 && countedPoints >= 0, "counts not negative");

  const auto curves = static_cast<std::size_t>(maxCurves);
  const auto points = static_cast<std::size_t>(maxPoints);
  Fenced<float> pyPoints(curves * points * 2, kUntouchedReal);
  Fenced<float> depth(curves, kUntouchedReal);
  Fenced<std::int32_t> pointCount(curves, 0);
  Fenced<std::int32_t> node(4 * curves, kUntouched);
  Fenced<std::int32_t> kind(curves, kUntouched);
  Fenced<char> setName(static_cast<std::size_t>(setNameLength), '#');
  Fenced<std::int32_t> reserved(1, kUntouched);
  std::copy(heldPoints.begin(), heldPoints.end(), pointCount.data());
  float scour = kUntouchedReal;
  std::int32_t curveCount = entryCount;
  Require(ReadPYData01(Handle(), &block.lineCount, block.lines.data(), block.messages.data(), block.codes.data(),
                       &block.status, reserved.data(), &maxCurves, &maxPoints, &curveCount, pyPoints.data(),
                       depth.data(), pointCount.data(), node.data(), kind.data(), setName.data(), &scour,
                       block.lineLength, block.messageLength, setNameLength) == 0,
          "data returns 0");
  block.CheckDataOutputs(block.status);
  Require(reserved[0] == kUntouched, "reserved untouched");
  Require(curveCount >= entryCount && curveCount <= maxCurves, "curveCount within entry and maxCurves");
  for (std::size_t c = 0; c < curves; ++c) {
    const bool held = c < static_cast<std::size_t>(entryCount);
    const bool added = !held && c < static_cast<std::size_t>(curveCount);
    for (std::size_t i = 1; i < 4; ++i) {
      Require(node[4 * c + i] == kUntouched, "only the first integer of a node record is written");
    }
    Require(added || kind[c] == kUntouched, "only curves of this block get a kind");
    Require(kind[c] != -1 || node[4 * c] == kUntouched, "a depth curve has no node");
    Require(kind[c] != 0 || depth[c] == kUntouchedReal, "a node curve has no depth");
    if (held) {
      Require(pointCount[c] == heldPoints[c], "curves already held are untouched");
    } else if (!added) {
      Require(pointCount[c] == 0, "curves beyond the count untouched");
    }
    Require(pointCount[c] >= 0 && pointCount[c] <= maxPoints + 1, "pointCount at most maxPoints + 1");
    const auto stored = held ? 0 : static_cast<std::size_t>(std::min(pointCount[c], maxPoints));
    for (std::size_t p = stored; p < points; ++p) {
      if (held) {
        break;
      }
      Require(pyPoints[orvane::PYPointIndex(maxCurves, maxPoints, c, p, 0)] == kUntouchedReal &&
                  pyPoints[orvane::PYPointIndex(maxCurves, maxPoints, c, p, 1)] == kUntouchedReal,
              "points beyond the count untouched");
    }
    if (held) {
      for (std::size_t p = 0; p < points; ++p) {
        Require(pyPoints[orvane::PYPointIndex(maxCurves, maxPoints, c, p, 0)] == kUntouchedReal,
                "points of curves already held untouched");
      }
    }
  }
  return 0;
}
