// *NON-ORTHOGONAL DAMPING: one data line, ENABLED=YES or ENABLED=NO.
#include <array>

#include "readers/readers.h"
#include "readers/walk.h"
#include "toolkit/messages.h"

namespace orvane::readers {

using toolkit::EqualsIgnoreCase;
using toolkit::Text;

void ReadNonOrthogonalDampingData01(const std::int32_t* lineCount, const char* lines, char* messages,
                                    std::int32_t* lineCodes, std::int32_t* status, std::int32_t* enabled,
                                    std::int64_t lineLength, std::int64_t messageLength) {
  const readers::DataBlock block(lineCount, lines, messages, lineCodes, status, lineLength, messageLength);
  const readers::SingleLineMessages texts{toolkit::messages::kDampingSecondLine, toolkit::messages::kDampingNoData};
  readers::WalkSingleLineBlock(block, texts, [enabled](const Line& line) {
    // Only the first D= of the line is looked for, whatever word it ends, and only three characters
    // of its value are kept: YESTERDAY counts as YES and NOT as NO.
    std::array<char, 3> value{};
    toolkit::ExtractOptionValue(line.Screened(), 'D', value, 3);
    const Text text(value.data(), value.size());
    if (EqualsIgnoreCase(text, "YES")) {
      *enabled = 1;
    } else if (EqualsIgnoreCase(text.substr(0, 2), "NO")) {
      *enabled = 0;
    } else {
      line.Report(toolkit::messages::kEnabledInvalid);
    }
  });
}

}  // namespace orvane::readers
