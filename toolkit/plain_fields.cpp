// The checker's cheap test for the usual line of plain numbers, which hands every other line to
// ScanFields.
#include "toolkit/bytes.h"
#include "toolkit/dataline.h"
#include "toolkit/field_scan.h"

namespace orvane::toolkit {

bool ScanPlainFields(const ScreenedLine& line, std::size_t start, std::span<FieldSpan> fields) {
  // At most nine digits times at most 10^29 stays below 3.4e38: such a field is never too large.
  constexpr int kMostDigits = 9;
  constexpr int kMostExponent = 29;
  const char* const origin = line.text.data();
  const char* const end = origin + line.text.size();
  const char* p = origin + start;
  // Digits, and blanks past the first, eight at a time. A screened line has no TAB; one here ends
  // the plain line.
  const char* const readable = origin + line.readable;
  const auto pastBlanks = [end, readable](const char* at) {
    if (at < end && *at == ' ' && ++at < end && *at == ' ') {
      std::uint64_t marks = 0;
      while (at < end && (marks = bytes::NonBlank(bytes::LoadUpTo(at, readable))) == 0) {
        at += 8;
      }
      at = at < end ? at + bytes::First(marks) : end;
    }
    return at;
  };
  const auto digits = [&p, readable] {  // past a run of digits, eight at a time
    const char* const first = p;
    for (unsigned count = 8; count == 8; p += count) {
      count = bytes::First(bytes::NonDigit(bytes::LoadUpTo(p, readable)));
    }
    return static_cast<int>(p - first);
  };
  std::size_t n = 0;
  for (p = pastBlanks(p); p < end; p = pastBlanks(p)) {
    if (n == fields.size()) {
      return false;
    }
    const char* const begin = p;
    p += fields::IsSign(*p) ? 1 : 0;
    int count = digits();
    if (p < end && *p == '.') {
      ++p;
      count += digits();
    }
    if (count == 0 || count > kMostDigits) {
      return false;
    }
    if (p < end && (*p == 'E' || *p == 'e' || *p == 'D' || *p == 'd')) {
      ++p;
      const bool negative = p < end && *p == '-';
      p += p < end && fields::IsSign(*p) ? 1 : 0;
      const char* const exponent = p;
      const int length = digits();
      if (length == 0 || length > 2) {
        return false;
      }
      const int value = length == 1 ? exponent[0] - '0' : (exponent[0] - '0') * 10 + (exponent[1] - '0');
      if (!negative && value > kMostExponent) {
        return false;
      }
    }
    fields[n++] = {static_cast<std::size_t>(begin - origin), static_cast<std::size_t>(p - origin), FieldKind::Number,
                   0.0F, false};
    // A field ends at the line's end, at blanks, or at one comma with a field after it.
    const char* const after = p;
    p = pastBlanks(p);
    if (p < end && *p == ',') {
      p = pastBlanks(p + 1);
      if (p == end || *p == ',') {
        return false;
      }
    } else if (p == after && p < end) {
      return false;
    }
  }
  return n == fields.size();
}

}  // namespace orvane::toolkit
