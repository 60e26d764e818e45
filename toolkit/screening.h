// Screening's look at the usual record, inline for the walk over a block's lines, which makes it
// once per line. Internal to the toolkit and the readers.
#pragma once

#include <bit>

#include "toolkit/bytes.h"
#include "toolkit/dataline.h"

namespace orvane::toolkit {

// ClassifyLine, with the usual record decided in line: a comment, a blank record, or one of plain
// characters. Any other record (one that starts with "#" or holds a byte below 32 or above 127)
// goes to ClassifyLine itself.
[[gnu::always_inline]] inline LineClass ClassifyRecord(Text line, TextOut message, std::int32_t& code) {
  constexpr LineClass kSkip{LineState::Skip, 0, 0};
  if (line.empty() || line.front() == 'C' || line.front() == 'c') {
    return kSkip;
  }
  if (line.front() == '#') {
    return ClassifyLine(line, message, code);
  }
#if ORVANE_SSE2
  // Most records hold their text in their first sixty-four bytes: measured from those alone once
  // the rest are found blank.
  if (line.size() >= 64 && bytes::AllBlankFrom(line.data(), 64, line.size())) {
    const bytes::First64 first = bytes::MeasureFirst64(line.data());
    if (first.nonBlanks == 0) {
      return kSkip;
    }
    if (!first.standard) {
      return ClassifyLine(line, message, code);
    }
    return {LineState::Ready, static_cast<std::size_t>(std::countr_zero(first.nonBlanks)),
            static_cast<std::size_t>(std::bit_width(first.nonBlanks))};
  }
#endif
  // Bytes past the last non-blank one are blanks, and blanks are standard.
  const std::size_t end = bytes::PastLastNonBlank(line.data(), line.size());
  if (end == 0) {
    return kSkip;
  }
  if (bytes::AnyNonStandard(line.data(), end, line.data() + line.size())) {
    return ClassifyLine(line, message, code);
  }
  // Indented and unindented records come mixed: a test of the first byte would be a branch the
  // processor cannot foresee.
  return {LineState::Ready, bytes::FirstNonBlank(line.data(), line.size()), end};
}

}  // namespace orvane::toolkit
