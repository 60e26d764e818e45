// Number reading: a line split into fields, each taken apart by the field scanner (field_scan.h)
// and its number converted (decimal.h), and read into a reader's elements.
#include <algorithm>

#include "toolkit/dataline.h"
#include "toolkit/field_scan.h"

namespace orvane::toolkit {
namespace {

using fields::Field;
using fields::IsDigit;
using fields::IsFieldSeparator;
using fields::ReadUsualFields;
using fields::ScanField;
using fields::SkipBlanks;

// ---- A line of fields ----

std::size_t FindKeyEquals(Text line, Text key) {
  for (std::size_t p = line.find(key); p != Text::npos; p = line.find(key, p + 1)) {
    if (p + key.size() < line.size() && line[p + key.size()] == '=') {
      return p;
    }
  }
  return Text::npos;
}

// The one walk over a line's fields, which the reader and ScanFields share: from `at`, fields
// parted by blanks, TABs and commas up to `lineEnd` (characters up to `readableEnd` may be read,
// all blanks past `lineEnd`). `visit(begin, end, scanned)` is handed each field, where
// [begin, end) is the whole field and `scanned` what ScanField made of it, or Empty for a comma
// with no field before it; the walk ends at the line's end or when `visit` returns false.
template <typename Visit>
[[gnu::always_inline]] inline void WalkFields(const char* at, const char* lineEnd, const char* readableEnd,
                                              Visit visit) {
  // At the top of each round `at` is at a non-blank character or the line's end.
  for (at = SkipBlanks(at, lineEnd, readableEnd); at != lineEnd;) {
    if (*at == ',') {
      if (!visit(at, at, Field{{FieldKind::Empty, 0.0F}, at})) {
        return;
      }
      at = SkipBlanks(at + 1, lineEnd, readableEnd);
      continue;
    }
    const char* const begin = at;
    const Field field = ScanField(at, lineEnd, readableEnd);
    if (field.next != nullptr) {
      if (!visit(begin, field.stop, field)) {
        return;
      }
      at = field.next;
      continue;
    }
    // The rest of the field, after a slash or where it stopped being a number.
    at = field.stop;
    while (at < lineEnd && !IsFieldSeparator(*at)) {
      ++at;
    }
    if (!visit(begin, at, field)) {
      return;
    }
    at = SkipBlanks(at, lineEnd, readableEnd);
    if (at < lineEnd && *at == ',') {
      at = SkipBlanks(at + 1, lineEnd, readableEnd);
    }
  }
}

// FieldStart, inlined into the reader.
[[gnu::always_inline]] inline std::size_t StartAfterKey(Text line, Text key) {
  if (std::all_of(key.begin(), key.end(), [](char c) { return c == ' '; })) {
    return 0;
  }
  const std::size_t found = FindKeyEquals(line, key);
  return found == Text::npos ? Text::npos : found + key.size() + 1;
}

// Splits [at, lineEnd) into fields by the field walk and reads them into `values`: how many
// elements it settled, those after a field too large to read included.
[[gnu::noinline]] std::size_t WalkAndReadFields(std::int32_t& code, TextOut message, const char* at,
                                                const char* lineEnd, const char* readableEnd, std::span<float> values,
                                                float defaultValue) {
  std::size_t k = 0;
  WalkFields(at, lineEnd, readableEnd, [&](const char* begin, const char* /*end*/, const Field& field) {
    switch (field.value.kind) {
      case FieldKind::Number:
        values[k] = field.value.value;
        break;
      case FieldKind::Null:
        break;
      case FieldKind::NotNumber:
      case FieldKind::Empty:
        values[k] = defaultValue;
        break;
      case FieldKind::TooLarge:
        values[k] = defaultValue;
        if (IsDigit(*begin)) {
          code = 3;
          WriteText(message, kTooLargeMessage);
          k = values.size();  // the elements after it are left as they are
          return false;
        }
        break;
    }
    return ++k < values.size();
  });
  return k;
}

// Splits [at, lineEnd) into fields and reads them into `values`: the usual line at once, any
// other by the field walk.
[[gnu::always_inline]] inline void ReadFields(std::int32_t& code, TextOut message, const char* at, const char* lineEnd,
                                              const char* readableEnd, std::span<float> values, float defaultValue) {
  std::ptrdiff_t k = values.empty() ? 0 : ReadUsualFields(at, lineEnd, readableEnd, values);
  if (k == fields::kNotUsual) {
    k = static_cast<std::ptrdiff_t>(WalkAndReadFields(code, message, at, lineEnd, readableEnd, values, defaultValue));
  }
  std::fill(values.begin() + k, values.end(), defaultValue);
}

}  // namespace

FieldValue ConvertField(Text field) {
  if (field.empty()) {
    return {FieldKind::NotNumber, 0.0F};
  }
  const char* const end = field.data() + field.size();
  const Field converted = ScanField(field.data(), end, end);
  // A separator inside the field, before any slash, makes it something other than a number.
  if (converted.stop < end && *converted.stop != '/') {
    return {FieldKind::NotNumber, 0.0F};
  }
  return converted.value;
}

std::size_t FieldStart(Text line, Text key) { return StartAfterKey(line, key); }

std::size_t ScanFields(const ScreenedLine& line, std::size_t start, std::span<FieldSpan> fields) {
  std::size_t n = 0;
  if (fields.empty() || start >= line.text.size()) {
    return 0;
  }
  const char* const origin = line.text.data();
  WalkFields(origin + start, origin + line.text.size(), origin + line.readable,
             [&](const char* begin, const char* end, const Field& field) {
               FieldSpan& span = fields[n];
               span.begin = static_cast<std::size_t>(begin - origin);
               span.end = static_cast<std::size_t>(end - origin);
               span.kind = field.value.kind;
               span.value = field.value.value;
               span.cutBySlash = span.kind == FieldKind::Number && field.stop < end && *field.stop == '/';
               return ++n < fields.size();
             });
  return n;
}

void ReadNumericFields(std::int32_t& code, TextOut message, Text key, Text line, std::span<float> values,
                       float defaultValue) {
  FillBlanks(message);
  const Text used = TrimTrailingBlanks(line);
  ReadNumericFieldsIntoBlank(code, message, key, {used, 0, line.size()}, values, defaultValue);
}

void ReadNumericFieldsIntoBlank(std::int32_t& code, TextOut message, Text key, const ScreenedLine& line,
                                std::span<float> values, float defaultValue) {
  code = 0;
  const std::size_t start = StartAfterKey(line.text, key);
  if (start == Text::npos) {
    std::fill(values.begin(), values.end(), defaultValue);
    return;
  }
  // A key and its "=" stand past the first non-blank character; from column 1 the blanks before it
  // need no skipping.
  const char* const at = line.text.data() + std::max(start, line.first);
  ReadFields(code, message, at, line.text.data() + line.text.size(), line.text.data() + line.readable, values,
             defaultValue);
}

}  // namespace orvane::toolkit
