// The data line toolkit: every rule a reader applies to one line of a keyword block.
//
// Texts are fixed-width and blank-padded, never terminated. An input text is a std::string_view
// whose size is its width; an output text is a std::span<char> that the operation fills to its
// whole width. Nothing here allocates, throws or keeps state, except the caller-owned number work
// storage handed to ReadNumericFields.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

#include "toolkit/bytes.h"
#include "toolkit/messages.h"

namespace orvane::toolkit {

using Text = std::string_view;
using TextOut = std::span<char>;

// ---- Fixed-width text ----

// Fills the whole record with blanks.
void FillBlanks(TextOut record);

// Replaces the whole record with `text`: cut after the record's width, or blank-padded up to it.
void WriteText(TextOut record, Text text);

// `text` without its trailing blanks.
Text TrimTrailingBlanks(Text text);

// `text` from its first non-blank character on (Fortran's ADJUSTL without the padding: the
// padding is implied by the blank-padding rule of every comparison here).
Text SkipLeadingBlanks(Text text);

// ---- Case-insensitive comparison ----

// True when `a` and `b` are equal once the shorter is blank-padded to the longer's width and the
// letters A to Z are folded to lower case. Leading blanks count; no other byte is folded.
bool EqualsIgnoreCase(Text a, Text b);

// EqualsIgnoreCase over the first name.size() characters of `text` (blank-padded when `text` is
// narrower), the prefix test every reader uses to recognise an option or a keyword. Defined here
// so that the usual case, a line that differs from the name at its first character, costs no call.
inline bool StartsWithIgnoreCase(Text text, Text name) {
  const auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; };
  if (!text.empty() && !name.empty() && fold(text.front()) != fold(name.front())) {
    return false;
  }
  return EqualsIgnoreCase(text.substr(0, std::min(text.size(), name.size())), name);
}

// ---- Line screening ----

// Screens one data line before a reader interprets it. Blanks `message`, sets `code` to 0 and
// `skipLine` to false, then:
//   "#INCLUDE" in columns 1-8: the include message, code 2, skipped, line untouched;
//   "C" or "c" in column 1, or a line of only blanks (or blanks and TABs): skipped silently;
//   otherwise NUL and TAB become blanks silently, and any other byte below 32 or above 127
//   becomes a blank with the non-standard-characters message and code 2 (not skipped).
void LineScreen(TextOut line, TextOut message, std::int32_t& code, bool& skipLine);

// LineScreen in two steps, for a caller that has blanked `message` and set `code` to 0 already and
// wants to leave the line itself alone where it can. ClassifyLine reads the line and writes only
// the include message and its code; a line that NeedsCleaning is then cleaned by CleanLine, on a
// copy of the caller's choosing, which writes the non-standard-characters message and its code.
enum class LineState : std::uint8_t {
  Skip,           // not to be interpreted
  Ready,          // to be interpreted as it stands
  NeedsCleaning,  // to be interpreted once CleanLine has cleaned it
};
struct LineClass {
  LineState state;
  std::size_t first;   // of a Ready line: where its first non-blank character stands
  std::size_t length;  // of a Ready line without its trailing blanks
};
LineClass ClassifyLine(Text line, TextOut message, std::int32_t& code);
void CleanLine(TextOut line, TextOut message, std::int32_t& code);

inline constexpr Text kIncludeMessage = messages::kInclude.text;
inline constexpr Text kNonStandardMessage = messages::kNonStandard.text;

// ---- Option values ----

// Extracts the value of an option written as NAME=value. `key` is the last letter of the name: the
// value starts after the first occurrence of `key` followed directly by "=" (case-sensitive;
// a blank key means column 1). Blanks and commas after "=" are skipped; the value runs to a
// colon, blank, comma or the end of the line, and at most `maxLength` characters are kept.
// `value` is blanked first; it stays blank when the pair is not found.
void ExtractOptionValue(Text line, char key, TextOut value, std::int32_t maxLength);

// ---- Numeric fields ----

// Reads up to values.size() single-precision numbers from `line`, from column 1 when `key` is
// all blanks, else from just after the first occurrence of `key` followed by "=" (case-sensitive;
// when there is none every value becomes `defaultValue`). Fields are separated by blanks, TABs
// and commas; an empty, absent or non-numeric field gives `defaultValue`; a null field (r* or one
// starting with "/") leaves its element as it was. A number beyond single precision gives
// `defaultValue`; when its field begins with a digit, the line gets code 3 with
// kTooLargeMessage and the elements after it are left unwritten. `code` is set to 0 and
// `message` blanked first. Every number is rounded correctly from its decimal text.
void ReadNumericFields(std::int32_t& code, TextOut message, Text key, Text line, std::span<float> values,
                       float defaultValue);

// A line as screening leaves it: `text` from column 1 to the last non-blank character, `first`
// where the first non-blank one stands, and `readable` characters from text.data() that may be
// read, all of them blanks past text.size() (the rest of the record).
struct ScreenedLine {
  Text text;
  std::size_t first;
  std::size_t readable;
};

// ReadNumericFields for a caller who has screened the line and whose `message` is blank already:
// the same outcome, without measuring the line or blanking the message once more.
void ReadNumericFieldsIntoBlank(std::int32_t& code, TextOut message, Text key, const ScreenedLine& line,
                                std::span<float> values, float defaultValue);

inline constexpr Text kTooLargeMessage = messages::kTooLarge.text;

// The outcome of converting one field (no blank, TAB or comma inside).
enum class FieldKind : std::uint8_t {
  Number,     // `value` holds the correctly rounded number
  Null,       // r* or a leading slash: the element keeps its value
  NotNumber,  // silently the default
  TooLarge,   // beyond single precision (or an exponent letter with no exponent)
  Empty,      // ScanFields only: a comma with no field before it; the default
};

struct FieldValue {
  FieldKind kind;
  float value;
};

// Where ReadNumericFields starts reading for `key` on `line`: 0 for an all-blank key, else just
// after the first occurrence of `key` followed by "=", or Text::npos when there is none.
std::size_t FieldStart(Text line, Text key);

// One field of a line as ReadNumericFields splits and converts it.
struct FieldSpan {
  std::size_t begin = 0;  // its first character, from 0
  std::size_t end = 0;    // one past its last (begin, for an Empty field)
  FieldKind kind = FieldKind::Empty;
  float value = 0.0F;       // a Number's value
  bool cutBySlash = false;  // a Number read from the characters before a slash inside the field
};

// The fields of a screened line from position `start`, split and converted exactly as
// ReadNumericFields does, through the same walk, into `fields`: returns how many were found, at
// most fields.size(). Unlike the reader, it goes on past a field too large to read.
std::size_t ScanFields(const ScreenedLine& line, std::size_t start, std::span<FieldSpan> fields);

// The usual line at a fraction of ScanFields' cost: true when `line` from `start` holds exactly
// fields.size() fields, each [sign] digits [. digits] [E or D, sign, one or two digits] with at most
// nine digits and no exponent above 29, so that each is a number and none too large, parted by
// blanks or by one comma with no field left empty. Each field's place is then in `fields`, its kind
// Number (its value is not worked out). False says nothing about the line: ScanFields decides.
bool ScanPlainFields(const ScreenedLine& line, std::size_t start, std::span<FieldSpan> fields);

// Converts one field by the free-format number syntax.
FieldValue ConvertField(Text field);

// The single-precision constant nearest to 1e-10, the lower bound of every "positive" value.
inline constexpr float kTiny = 1e-10F;

// Rounds half away from zero to a 32-bit integer; values outside the 32-bit range, infinities and
// NaN give INT32_MIN.
inline std::int32_t RoundToInt32(float value) {
  // Every float of magnitude below 2^31 plus or minus one half is exact as a double, and cutting
  // off its fraction then rounds halves away from zero; everything else, NaN included, does not
  // fit (or, for -2^31 itself, fits as the very value that marks a misfit).
  const auto widened = static_cast<double>(value);
  const double rounded = widened + std::copysign(0.5, widened);
#if ORVANE_SSE2
  // The processor's own conversion gives INT32_MIN for every value that does not fit, NaN too.
  return _mm_cvttsd_si32(_mm_set_sd(rounded));
#else
  if (!(std::fabs(widened) < 2147483648.0)) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(rounded);
#endif
}

}  // namespace orvane::toolkit
