// P-Y curves: set name, scour, and curves placed by DEPTH= or NODE= with their point pairs.
//
// Every name is recognised by its first characters on the line taken from its first non-blank
// character, compared blank-padded: a record narrower than the name is read as if blanks followed
// it, so it never matches a name that ends in "=".
#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <span>

#include "readers/readers.h"
#include "readers/walk.h"
#include "toolkit/messages.h"

namespace orvane::readers {

using toolkit::StartsWithIgnoreCase;
using toolkit::Text;
using toolkit::TextOut;

namespace {

// Every number of every P-Y line lands here first and is used from here, so a field that a read
// leaves unwritten (a null field, or one after a number too large to hold) yields what an earlier
// read left, in this call or an earlier one.
std::array<float, 2> pyNumbers{};

using namespace toolkit::messages;

// Reads `count` numbers after the first `key` followed by "=" (an empty key: from column 1).
void ReadNumbers(const Line& line, Text key, std::size_t count) {
  line.ReadNumbers(key, std::span(pyNumbers).first(count), 0.0F);
}

// A point line's two numbers, read out of line: on its own the reading has the registers for its
// values, which in the walk the compiler keeps on the stack.
[[gnu::noinline]] void ReadPointNumbers(const Line& line) { line.ReadNumbers("", pyNumbers, 0.0F); }

// The caller's arrays. Curve c (1-based) is only ever touched when 1 <= c <= maxCurves, and point p
// when 1 <= p <= maxPoints, whatever the counts the caller hands in.
struct CurveArrays {
  std::int32_t maxCurves;
  std::int32_t maxPoints;
  std::int32_t* curveCount;
  float* pyPoints;
  float* curveDepth;
  std::int32_t* pointCount;
  std::int32_t* curveNode;
  std::int32_t* curveKind;
  TextOut setName;
  float* scour;

  static std::size_t Slot(std::int32_t c) { return static_cast<std::size_t>(c - 1); }
  [[nodiscard]] std::int32_t& Points(std::int32_t c) const { return pointCount[Slot(c)]; }
};

// How many curves ahead PointLine asks for the memory of the curves to come.
constexpr std::int32_t kCurvesAhead = 16;

class PYRules {
 public:
  explicit PYRules(const CurveArrays& arrays)
      : arrays_(arrays),
        entryCurveCount_(*arrays.curveCount),
        pointRow_(static_cast<std::size_t>(std::max(arrays.maxCurves, 0))),
        secondNumbers_(pointRow_ * static_cast<std::size_t>(std::max(arrays.maxPoints, 0))) {}

  Flow DataLine(const Line& line) {
    // The first letter decides which names can match at all; a point line starts with none of them,
    // and with a digit, sign or point, below every letter. A line that cleaning left blank has none.
    const Text text = line.LeftJustified();
    switch (text.empty() || text.front() < 'A' ? ' ' : text.front() | 0x20) {
      case 's':
        if (StartsWithIgnoreCase(text, "SET=")) {
          return SetLine(line);
        }
        if (StartsWithIgnoreCase(text, "SCOUR=")) {
          ScourLine(line);
          return Flow::Continue;
        }
        break;
      case 'd':
        if (StartsWithIgnoreCase(text, "DEPTH=")) {
          return Header(line, true);
        }
        break;
      case 'n':
        if (StartsWithIgnoreCase(text, "NODE=")) {
          return Header(line, false);
        }
        break;
      default:
        break;
    }
    return PointLine(line);
  }

  void EndOfBlock(const Line& terminator) const {
    const bool sawCurve = *arrays_.curveCount != entryCurveCount_;
    if (sawCurve && arrays_.Points(*arrays_.curveCount) < 2) {
      terminator.ReportAtEnd(kTooFewPoints);
      return;
    }
    readers::MarkEndOfBlock(terminator, sawCurve, kNoCurves);
  }

 private:
  Flow SetLine(const Line& line) {
    const auto maxLength = static_cast<std::int32_t>(
        std::min<std::size_t>(arrays_.setName.size(), std::numeric_limits<std::int32_t>::max()));
    toolkit::ExtractOptionValue(line.Screened(), 'T', arrays_.setName, maxLength);
    if (toolkit::TrimTrailingBlanks({arrays_.setName.data(), arrays_.setName.size()}).empty()) {
      return line.Report(kNoSetName);
    }
    scourSeen_ = false;
    return Flow::Continue;
  }

  void ScourLine(const Line& line) {
    if (scourSeen_) {
      line.Report(kScourTwice);
      return;
    }
    scourSeen_ = true;
    ReadNumbers(line, "R", 1);
    *arrays_.scour = pyNumbers[0];
  }

  Flow Header(const Line& line, bool byDepth) {
    std::int32_t& count = *arrays_.curveCount;
    // A count the arrays cannot hold one more curve after, including a negative one from the
    // caller, fails here and is brought back to the nearest count they can mean.
    const std::int32_t capacity = std::max(arrays_.maxCurves, 0);
    if (count < 0 || count >= capacity) {
      count = std::clamp(count, std::int32_t{0}, capacity);
      return line.Report(kTooManyCurves);
    }
    const std::int32_t c = ++count;
    if (c > 1 && arrays_.Points(c - 1) < 2) {
      return line.Report(kTooFewPoints);
    }
    const std::size_t slot = CurveArrays::Slot(c);
    openPoints_ = &arrays_.Points(c);
    openFirstPoint_ = arrays_.pyPoints + slot;
    openCurveAhead_ = c <= arrays_.maxCurves - kCurvesAhead;
    if (byDepth) {
      ReadNumbers(line, "H", 1);
      // Depths are stored positive upwards: a depth read as 0 becomes -0.
      arrays_.curveDepth[slot] = -pyNumbers[0];
      arrays_.curveKind[slot] = -1;
    } else {
      ReadNumbers(line, "E", 1);
      // Only the first integer of the node's four-integer record is ours; the host owns the rest.
      arrays_.curveNode[4 * slot] = toolkit::RoundToInt32(pyNumbers[0]);
      arrays_.curveKind[slot] = 0;
    }
    return Flow::Continue;
  }

  Flow PointLine(const Line& line) {
    if (openPoints_ == nullptr) {
      return line.Report(kNoCurveHeader);
    }
    // Read before the count is checked: a rejected point still leaves its numbers behind.
    ReadPointNumbers(line);
    std::int32_t& points = *openPoints_;
    // A caller's point count that was not zeroed can lie anywhere; a point it would place outside
    // the arrays is refused like one beyond the last, and still counted unless the count is full.
    const bool fits = points >= 0 && points < arrays_.maxPoints;
    if (points < std::numeric_limits<std::int32_t>::max()) {
      ++points;
    }
    if (!fits) {
      return line.Report(kTooManyPoints);
    }
    float* const first = openFirstPoint_ + static_cast<std::size_t>(points - 1) * pointRow_;
    float* const second = first + secondNumbers_;
    *first = pyNumbers[0];
    *second = pyNumbers[1];
    // The same point of the next curves lies right after this one, and of the curve sixteen on, 64
    // bytes on: asked for now, that memory is in the caches when the curve comes, rather than
    // fetched when its points are stored, one wait for each of its points.
    if (openCurveAhead_) {
      toolkit::bytes::PrefetchForWriting(first + kCurvesAhead);
      toolkit::bytes::PrefetchForWriting(second + kCurvesAhead);
    }
    return Flow::Continue;
  }

  const CurveArrays arrays_;
  const std::int32_t entryCurveCount_;
  const std::size_t pointRow_;       // floats from one point of a curve to its next: maxCurves
  const std::size_t secondNumbers_;  // floats from a point's first number to its second
  bool scourSeen_ = false;
  // The curve that point lines add to, from its header on (none before the call's first): its
  // point count, and its point 1's first number. The points are a (maxCurves, maxPoints, 2) array
  // whose first index varies fastest: point p's first number lies p - 1 rows of maxCurves on.
  std::int32_t* openPoints_ = nullptr;
  float* openFirstPoint_ = nullptr;
  bool openCurveAhead_ = false;  // whether the curve kCurvesAhead on is in the array
};

}  // namespace

void ReadPYData01(const std::int32_t* lineCount, const char* lines, char* messages, std::int32_t* lineCodes,
                  std::int32_t* status, void* /*reserved*/, const std::int32_t* maxCurves,
                  const std::int32_t* maxPoints, std::int32_t* curveCount, float* pyPoints, float* curveDepth,
                  std::int32_t* pointCount, std::int32_t* curveNode, std::int32_t* curveKind, char* setName,
                  float* scour, std::int64_t lineLength, std::int64_t messageLength, std::int64_t setNameLength) {
  const readers::DataBlock block(lineCount, lines, messages, lineCodes, status, lineLength, messageLength);
  if (block.lineCount < 1) {
    // Nothing but the status is touched, not even read, when there are no lines.
    *status = 0;
    return;
  }
  const CurveArrays arrays{.maxCurves = *maxCurves,
                           .maxPoints = *maxPoints,
                           .curveCount = curveCount,
                           .pyPoints = pyPoints,
                           .curveDepth = curveDepth,
                           .pointCount = pointCount,
                           .curveNode = curveNode,
                           .curveKind = curveKind,
                           .setName = {setName, readers::Width(setNameLength)},
                           .scour = scour};
  readers::WalkDataBlock(block, PYRules(arrays));
}

}  // namespace orvane::readers
