// *AXIAL LOAD: any number of lines, each a node and three values.
#include <array>

#include "readers/readers.h"
#include "readers/walk.h"
#include "toolkit/messages.h"

namespace orvane::readers {
namespace {

using toolkit::Text;

// The data reader's number work storage: node, then the three values. An element the number
// reader leaves unwritten (a null field, or a field after a too-large one) keeps what the previous
// data line left there, in this call or an earlier one, and is stored as if read.
std::array<float, 4> work{};

// A data line's numbers, read out of line: on its own the reading has the registers for its
// values, which in the walk the compiler keeps on the stack.
[[gnu::noinline]] void ReadWork(const Line& line) { line.ReadNumbers(" ", work, 0.0F); }

struct AxialLoadArrays {
  std::int32_t* nodeNumbers;
  float* column2;
  float* column3;
  float* column4;
};

class AxialLoadRules {
 public:
  AxialLoadRules(std::int32_t* nodeCount, std::int32_t maxNodes, const AxialLoadArrays& arrays)
      : nodeCount_(nodeCount), maxNodes_(maxNodes), arrays_(arrays) {}

  Flow DataLine(const Line& line) {
    ReadWork(line);
    ++count_;
    *nodeCount_ = count_;
    if (count_ > maxNodes_) {
      // The count stays one past the arrays, so the host can tell that the block did not fit.
      return line.Report(toolkit::messages::kTooManyNodes);
    }
    const auto k = static_cast<std::size_t>(count_ - 1);
    arrays_.nodeNumbers[k] = toolkit::RoundToInt32(work[0]);
    arrays_.column2[k] = work[1];
    arrays_.column3[k] = work[2];
    arrays_.column4[k] = work[3];
    return Flow::Continue;
  }

  void EndOfBlock(const Line& terminator) const {
    readers::MarkEndOfBlock(terminator, count_ > 0, toolkit::messages::kAxialNoData);
  }

 private:
  std::int32_t* nodeCount_;
  std::int32_t maxNodes_;
  AxialLoadArrays arrays_;
  std::int32_t count_ = 0;
};

}  // namespace

void ReadAxialLoadMaxes01(const std::int32_t* lineCount, const char* lines, std::int32_t* lineCodes,
                          std::int32_t* maxNodeCount, std::int64_t lineLength) {
  const readers::MaxesBlock block(lineCount, lines, lineCodes, lineLength);
  *maxNodeCount = 0;
  // Every line that could be a data line counts; nothing in it is looked at.
  readers::WalkMaxesBlock(block, [maxNodeCount](Text /*leftJustified*/, std::int32_t& /*code*/) { ++*maxNodeCount; });
}

void ReadAxialLoadData01(const std::int32_t* lineCount, const char* lines, char* messages, std::int32_t* lineCodes,
                         std::int32_t* status, std::int32_t* nodeCount, const std::int32_t* maxNodes,
                         std::int32_t* nodeNumbers, float* axialLoadColumn2, float* axialLoadColumn3,
                         float* axialLoadColumn4, std::int64_t lineLength, std::int64_t messageLength) {
  // Read before anything is written, so that a host passing one variable as both the count and
  // the limit still gets the limit it held.
  const std::int32_t limit = *maxNodes;
  const readers::DataBlock block(lineCount, lines, messages, lineCodes, status, lineLength, messageLength);
  *nodeCount = 0;
  readers::WalkDataBlock(
      block, AxialLoadRules(nodeCount, limit, {nodeNumbers, axialLoadColumn2, axialLoadColumn3, axialLoadColumn4}));
}

}  // namespace orvane::readers
