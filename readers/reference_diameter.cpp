// *REFERENCE DIAMETER: one data line whose first field is a strictly positive diameter.
#include <array>

#include "readers/readers.h"
#include "readers/walk.h"
#include "toolkit/messages.h"

namespace orvane::readers {
namespace {

// The reader's number work storage. A null first field leaves it as the previous data line left
// it (in this call or an earlier one), and that value is judged as if read.
std::array<float, 1> work{};

}  // namespace

void ReadReferenceDiameterData01(const std::int32_t* lineCount, const char* lines, char* messages,
                                 std::int32_t* lineCodes, std::int32_t* status, double* referenceDiameter,
                                 std::int64_t lineLength, std::int64_t messageLength) {
  const readers::DataBlock block(lineCount, lines, messages, lineCodes, status, lineLength, messageLength);
  const readers::SingleLineMessages texts{toolkit::messages::kDiameterSecondLine, toolkit::messages::kDiameterNoData};
  readers::WalkSingleLineBlock(block, texts, [referenceDiameter](const Line& line) {
    line.ReadNumbers(" ", work, 0.0F);
    // Whatever the number reader reported, its value is judged: a field it could not read is 0
    // and so refused here, which replaces its message.
    if (work[0] < toolkit::kTiny) {
      line.Report(toolkit::messages::kDiameterNotPositive);
      return;
    }
    *referenceDiameter = static_cast<double>(work[0]);
  });
}

}  // namespace orvane::readers
