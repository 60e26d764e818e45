// *HIGHER HARMONICS: one data line, a factor and a threshold, neither negative.
#include <array>

#include "readers/readers.h"
#include "readers/walk.h"
#include "toolkit/messages.h"

namespace orvane::readers {
namespace {

using toolkit::Text;

// The reader's number work storage: factor, then threshold. An element the number reader leaves
// unwritten (a null field, or the threshold after a too-large factor) keeps what the previous data
// line left there, and is judged and stored as if read.
std::array<float, 2> work{};

// Adds `text` directly after the message's last non-blank character, cut at the field's width.
void AppendMessage(const Line& line, Text text) {
  const toolkit::TextOut message = line.Message();
  const std::size_t kept = toolkit::TrimTrailingBlanks(Text(message.data(), message.size())).size();
  toolkit::WriteText(message.subspan(kept), text);
}

}  // namespace

void ReadHigherHarmonicsData01(const std::int32_t* lineCount, const char* lines, char* messages,
                               std::int32_t* lineCodes, std::int32_t* status, double* harmonicsFactor,
                               double* harmonicsThreshold, std::int64_t lineLength, std::int64_t messageLength) {
  const readers::DataBlock block(lineCount, lines, messages, lineCodes, status, lineLength, messageLength);
  const readers::SingleLineMessages texts{toolkit::messages::kHarmonicsSecondLine, toolkit::messages::kHarmonicsNoData};
  readers::WalkSingleLineBlock(block, texts, [harmonicsFactor, harmonicsThreshold](const Line& line) {
    line.ReadNumbers(" ", work, 0.0F);
    // The two values are judged independently; a refused one leaves the caller's value alone.
    if (work[0] < -toolkit::kTiny) {
      line.Report(toolkit::messages::kFactorNegative);
    } else {
      *harmonicsFactor = static_cast<double>(work[0]);
    }
    if (work[1] < -toolkit::kTiny) {
      // The one message that is appended rather than replaced: after the factor's warning (or the
      // number reader's), so that both reach the host.
      AppendMessage(line, toolkit::messages::kThresholdNegative.text);
      line.Code() = 2;
    } else {
      *harmonicsThreshold = static_cast<double>(work[1]);
    }
  });
}

}  // namespace orvane::readers
