// P-Y curves, the counting pass: how many curves the block holds and the most points any of them
// has, for the host to size its arrays by.
#include <algorithm>

#include "readers/readers.h"
#include "readers/walk.h"

namespace orvane::readers {

using toolkit::StartsWithIgnoreCase;

void ReadPYMaxes01(const std::int32_t* lineCount, const char* lines, std::int32_t* lineCodes, std::int32_t* curveCount,
                   std::int32_t* maxPoints, std::int64_t lineLength) {
  const readers::MaxesBlock block(lineCount, lines, lineCodes, lineLength);
  std::int32_t curves = 0;
  std::int32_t most = 0;
  std::int32_t points = 0;
  readers::WalkMaxesBlock(block, [&](Text line, std::int32_t& code) {
    // No "=" is looked for: SETTINGS passes as a set line and NODES as a header. The first letter
    // decides which names can match at all; a point line, which starts with a digit, a sign or a
    // point, below every letter, with none of them.
    if (line.front() >= 'A') {
      const char first = static_cast<char>(line.front() | 0x20);
      if (first == 's' && (StartsWithIgnoreCase(line, "SET") || StartsWithIgnoreCase(line, "SCOUR"))) {
        return;
      }
      if ((first == 'd' || first == 'n') &&
          (StartsWithIgnoreCase(line, "DEPTH") || StartsWithIgnoreCase(line, "NODE"))) {
        ++curves;
        points = 0;
        return;
      }
    }
    if (curves == 0) {
      code = 3;
      return;
    }
    most = std::max(most, ++points);
  });
  *curveCount = curves;
  *maxPoints = most;
}

}  // namespace orvane::readers
