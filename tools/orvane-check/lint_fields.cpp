// The number fields of one line, split and converted by the library's own field walk
// (toolkit::ScanFields), against what the reader takes from them.
#include <algorithm>
#include <array>
#include <cmath>

#include "lint_lines.h"
#include "toolkit/dataline.h"

namespace orvane::check {

namespace {

using toolkit::FieldKind;
using toolkit::FieldSpan;

std::string Ordinal(std::size_t n) {
  const char* suffix = (n % 100 >= 11 && n % 100 <= 13) ? "th"
                       : n % 10 == 1                    ? "st"
                       : n % 10 == 2                    ? "nd"
                       : n % 10 == 3                    ? "rd"
                                                        : "th";
  return std::to_string(n) + suffix;
}

Columns Span(std::size_t begin, std::size_t end) {
  return {static_cast<std::int32_t>(begin) + 1, static_cast<std::int32_t>(end) + 1};
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The comma at the end of field k, between two digits, that makes "0,5" two fields: reported on a
// line whose other fields are parted by blanks, or where it makes a field the reader drops.
std::optional<std::size_t> DecimalComma(toolkit::Text text, std::span<const FieldSpan> fields, std::size_t count) {
  const auto joined = [&](std::size_t k) {  // fields k and k + 1 parted by a comma alone, between digits
    const FieldSpan& a = fields[k];
    const FieldSpan& b = fields[k + 1];
    return a.kind != FieldKind::Empty && b.kind != FieldKind::Empty && b.begin == a.end + 1 && text[a.end] == ',' &&
           IsDigit(text[a.end - 1]) && IsDigit(text[b.begin]);
  };
  std::size_t k = 0;
  while (k + 1 < fields.size() && !joined(k)) {
    ++k;
  }
  if (k + 1 >= fields.size()) {
    return std::nullopt;
  }
  if (k + 1 >= count) {
    return k;  // the comma makes a field that the reader drops
  }
  for (std::size_t j = 0; j + 1 < fields.size(); ++j) {
    const toolkit::Text between = text.substr(fields[j].end, fields[j + 1].begin - fields[j].end);
    if (fields[j].kind != FieldKind::Empty && fields[j + 1].kind != FieldKind::Empty &&
        between.find(',') == toolkit::Text::npos) {
      return k;  // the line parts its other fields by blanks
    }
  }
  return std::nullopt;
}

}  // namespace

void FieldLinter::Check(const DataLine& line, const FieldRead& read) {
  const std::size_t start =
      read.key == ' ' ? line.screened.first : toolkit::FieldStart(line.Text(), std::string_view(&read.key, 1));
  if (start == toolkit::Text::npos) {
    if (on_[Lint::kKeyMissing]) {
      Report(Lint::kKeyMissing, line,
             "the number of " + std::string(read.what) + " is read after `" + read.key +
                 "=`, which this line does not hold (in capitals, with no blank before `=`); read as 0",
             std::nullopt);
    }
    return;
  }
  const auto count = static_cast<std::size_t>(read.count);
  const auto taken = std::span(fields_).first(count);
  if (toolkit::ScanPlainFields(line.screened, start, taken)) {
    // Plain numbers, as many as the reader takes: only a comma straight between two of them can
    // say more.
    const auto tight = [&](const FieldSpan& a, const FieldSpan& b) {
      return b.begin == a.end + 1 && line.Text()[a.end] == ',';
    };
    if (on_[Lint::kDecimalComma] && std::adjacent_find(taken.begin(), taken.end(), tight) != taken.end()) {
      DecimalCommas(line, taken, count);
    }
    if (read.node) {
      // A node written as digits, perhaps with a point and zeros after it, is whole; any other is
      // converted to see whether it is.
      const toolkit::Text node = line.Text().substr(taken[0].begin, taken[0].end - taken[0].begin);
      const std::size_t point = std::min(node.find('.'), node.size());
      const bool whole = std::all_of(node.begin(), node.begin() + static_cast<std::ptrdiff_t>(point),
                                     [](char c) { return IsDigit(c) || c == '-' || c == '+'; }) &&
                         node.find_first_not_of('0', point + 1) == toolkit::Text::npos;
      if (!whole) {
        NodeRounded(line, taken[0], toolkit::ConvertField(node).value);
      }
    }
    return;
  }
  const std::size_t n = toolkit::ScanFields(line.screened, start, fields_);
  const std::span<const FieldSpan> fields(fields_.data(), n);
  Fields(line, read, fields);
  if (read.node && n > 0 && fields[0].kind == FieldKind::Number) {
    NodeRounded(line, fields[0], fields[0].value);
  }
}

void FieldLinter::Fields(const DataLine& line, const FieldRead& read, std::span<const FieldSpan> fields) {
  const std::size_t n = fields.size();
  const auto count = static_cast<std::size_t>(read.count);
  const auto text = [&](const FieldSpan& f) { return InBackquotes(line.Text().substr(f.begin, f.end - f.begin)); };
  const auto name = [&](std::size_t k) { return "field " + std::to_string(k + 1) + " "; };

  const std::optional<std::size_t> comma = on_[Lint::kDecimalComma] ? DecimalCommas(line, fields, count) : std::nullopt;
  const std::size_t taken = std::min(n, count);
  // Most lines hold no repeat form: one search of the line spares one in every field.
  const bool anyStar = n > 0 && line.Text().find('*', fields[0].begin) != toolkit::Text::npos;
  for (std::size_t k = 0; k < taken; ++k) {
    const FieldSpan& f = fields[k];
    switch (f.kind) {
      case FieldKind::Number:
        if (f.cutBySlash && on_[Lint::kNumberCutBySlash]) {
          Report(Lint::kNumberCutBySlash, line,
                 name(k) + text(f) + " is cut at the slash; read as " + FormatSingle(f.value), Span(f.begin, f.end));
        } else if (anyStar && line.Text().substr(f.begin, f.end - f.begin).find('*') != toolkit::Text::npos &&
                   on_[Lint::kNumberRepeat]) {
          const toolkit::Text field = line.Text().substr(f.begin, f.end - f.begin);
          Report(Lint::kNumberRepeat, line,
                 name(k) + text(f) + " gives one value, " + FormatSingle(f.value) + ", not " +
                     std::string(field.substr(0, field.find('*'))),
                 Span(f.begin, f.end));
        }
        break;
      case FieldKind::Null:
        if (on_[Lint::kNumberNull]) {
          Report(Lint::kNumberNull, line,
                 name(k) + text(f) + " is a null value; the number read last in its place is used",
                 Span(f.begin, f.end));
        }
        break;
      case FieldKind::NotNumber:
        if (on_[Lint::kNumberDefaulted]) {
          Report(Lint::kNumberDefaulted, line, name(k) + text(f) + " is not a number; read as 0", Span(f.begin, f.end));
        }
        break;
      case FieldKind::TooLarge:
        if (IsDigit(line.Text()[f.begin])) {
          return;  // the library's error; the reader reads no further
        }
        if (on_[Lint::kNumberOutOfRange]) {
          Report(Lint::kNumberOutOfRange, line, name(k) + text(f) + " is beyond single precision; read as 0",
                 Span(f.begin, f.end));
        }
        break;
      case FieldKind::Empty:
        if (on_[Lint::kFieldMissing]) {
          Report(Lint::kFieldMissing, line, name(k) + "is empty; read as 0", Span(f.begin, f.begin + 1));
        }
        break;
    }
  }
  const std::size_t end = line.Text().size();
  if (n < count && on_[Lint::kFieldMissing] && (n > 0 || read.key != ' ')) {
    const std::string rest =
        n + 1 == count ? "the " + Ordinal(count) + " is" : "the " + Ordinal(n + 1) + " to " + Ordinal(count) + " are";
    Report(Lint::kFieldMissing, line,
           n == 0 ? std::string(read.what) + " is followed by no number; read as 0"
                  : "the line gives " + std::to_string(n) + (n == 1 ? " number" : " numbers") + " where " +
                        std::to_string(count) + " are read; " + rest + " read as 0",
           Span(end, end));
  }
  // A decimal comma among the fields read shifts the fields after it: its lint says why.
  if (n > count && on_[Lint::kFieldSurplus] && comma.value_or(count) >= count) {
    std::size_t last = n;
    while (last > count && fields[last - 1].kind == FieldKind::Empty) {
      --last;
    }
    if (last > count) {
      const FieldSpan& first = fields[count];
      const toolkit::Text dropped = line.Text().substr(first.begin, fields[last - 1].end - first.begin);
      Report(Lint::kFieldSurplus, line,
             (last == count + 1 ? name(count) + text(first) + " is"
                                : "fields " + std::to_string(count + 1) + " to " + std::to_string(last) + " (" +
                                      InBackquotes(dropped) + ") are") +
                 " not read: the line takes " + std::to_string(count) + (count == 1 ? " number" : " numbers"),
             Span(first.begin, fields[last - 1].end));
    }
  }
}

std::optional<std::size_t> FieldLinter::DecimalCommas(const DataLine& line, std::span<const FieldSpan> fields,
                                                      std::size_t count) {
  const std::optional<std::size_t> comma = DecimalComma(line.Text(), fields, count);
  if (comma) {
    const FieldSpan& a = fields[*comma];
    const FieldSpan& b = fields[*comma + 1];
    Report(Lint::kDecimalComma, line,
           InBackquotes(line.Text().substr(a.begin, b.end - a.begin)) + " is read as two fields, " +
               std::string(line.Text().substr(a.begin, a.end - a.begin)) + " and " +
               std::string(line.Text().substr(b.begin, b.end - b.begin)) + ": a comma parts fields",
           Span(a.begin, b.end));
  }
  return comma;
}

void FieldLinter::NodeRounded(const DataLine& line, const FieldSpan& field, float value) {
  if (on_[Lint::kNodeRounded] && std::isfinite(value) && std::trunc(value) != value &&
      std::fabs(value) < 2147483647.0F) {
    Report(Lint::kNodeRounded, line,
           "node number " + FormatSingle(value) + " is read as " + std::to_string(toolkit::RoundToInt32(value)),
           Span(field.begin, field.end));
  }
}

void FieldLinter::Report(Lint lint, const DataLine& line, std::string message, std::optional<Columns> columns) {
  out_.push_back(
      MakeLint(lint, line.number, std::move(message), std::string(toolkit::TrimTrailingBlanks(line.written)), columns));
}

}  // namespace orvane::check
