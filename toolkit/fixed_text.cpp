#include <algorithm>

#include "toolkit/bytes.h"
#include "toolkit/dataline.h"

namespace orvane::toolkit {

void FillBlanks(TextOut record) { bytes::Fill(record.data(), record.size(), ' '); }

void WriteText(TextOut record, Text text) {
  const std::size_t kept = std::min(record.size(), text.size());
  std::copy_n(text.begin(), kept, record.begin());
  bytes::Fill(record.data() + kept, record.size() - kept, ' ');
}

Text TrimTrailingBlanks(Text text) { return text.substr(0, bytes::PastLastNonBlank(text.data(), text.size())); }

Text SkipLeadingBlanks(Text text) { return text.substr(bytes::FirstNonBlank(text.data(), text.size())); }

}  // namespace orvane::toolkit
