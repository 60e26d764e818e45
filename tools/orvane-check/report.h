// What checking one block found: the diagnostics, with the file's line numbers, and the values.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "orvane.hpp"
#include "values.h"

namespace orvane::check {

inline constexpr std::int64_t kRecordWidth = 80;  // what hosts pass

// Library messages are warnings (code 2) and errors (code 3); the checker adds notes on how the
// library read a block and lints, its own second opinion on what the readers pass over silently.
// Ordered from the least to the most serious.
enum class Severity { kNote, kLint, kWarning, kError };

inline constexpr std::size_t kSeverities = 4;

// "note", "lint", "warning" or "error": the word every output uses.
constexpr std::string_view SeverityName(Severity severity) {
  constexpr std::string_view kNames[kSeverities] = {"note", "lint", "warning", "error"};
  return kNames[static_cast<std::size_t>(severity)];
}

// Columns of the input line a finding points at: 1-based, `end` one past the last (as SARIF
// counts); `begin == end` points between two characters, such as after the line's last one.
struct Columns {
  std::int32_t begin = 0;
  std::int32_t end = 0;
};

// One finding, the model every output is a view of.
struct Diagnostic {
  std::int64_t line = 0;  // 0: about the file as a whole
  Severity severity = Severity::kNote;
  std::optional<std::int32_t> code;  // the library's line code; none for the checker's own findings
  std::string_view rule;             // the stable rule id: the catalogue's or the checker's own (rules.h)
  std::string message;
  std::optional<std::string> source;  // the input line to show beneath the message
  std::optional<Columns> columns;     // none when the finding is about the whole line or more
  std::int64_t block = 0;             // the line of the keyword that starts its block; 0: the file's own
  std::string_view file;              // as named on the command line; set by the driver
};

// A finding of the checker's own, which carries no line code.
inline Diagnostic Finding(Severity severity, std::int64_t line, std::string_view rule, std::string message,
                          std::optional<std::string> source = std::nullopt,
                          std::optional<Columns> columns = std::nullopt) {
  Diagnostic d;
  d.line = line;
  d.severity = severity;
  d.rule = rule;
  d.message = std::move(message);
  d.source = std::move(source);
  d.columns = columns;
  return d;
}

// The arrays a block filled, whole, for outputs that draw them: views of the checker's buffers, valid
// until it checks the next block. Counts are of the entries held, which the arrays' sizes bound.
struct CurveArrays {
  std::size_t count = 0;
  std::size_t maxCurves = 0;
  std::size_t maxPoints = 0;
  const float* points = nullptr;  // column-major: curve, then point, then first or second number
  const float* depth = nullptr;   // as the reader stores it: the DEPTH= value with its sign reversed
  const std::int32_t* pointCount = nullptr;
  const std::int32_t* node = nullptr;  // four integers a curve; the first is the NODE= value
  const std::int32_t* kind = nullptr;  // -1 depth, 0 node, anything else: the header was not read

  // The points of curve `c` that the arrays hold: its count, at most maxPoints.
  [[nodiscard]] std::size_t Held(std::size_t c) const {
    return pointCount[c] <= 0 ? 0 : std::min(static_cast<std::size_t>(pointCount[c]), maxPoints);
  }
  // Number `k` (0: the first, 1: the second) of point `p` of curve `c`.
  [[nodiscard]] float At(std::size_t c, std::size_t p, std::size_t k) const {
    return points[PYPointIndex(static_cast<std::int32_t>(maxCurves), static_cast<std::int32_t>(maxPoints), c, p, k)];
  }
};

struct NodeArrays {
  std::size_t count = 0;
  const std::int32_t* numbers = nullptr;
  const float* columns[3] = {nullptr, nullptr, nullptr};  // axialLoadColumn2 to axialLoadColumn4
};

struct BlockArrays {
  CurveArrays curves;
  NodeArrays nodes;
  std::span<const float> frequencies;
};

struct BlockReport {
  std::optional<std::int32_t> status;  // none when the readers were not run
  Value counts = Value::Object();      // what the counting pass found, which sized the arrays
  Value values = Value::Object();      // condensed for large blocks unless every value is asked for
  std::vector<Diagnostic> diagnostics;
  BlockArrays arrays;

  std::int32_t stopRecord = -1;  // the record at which the data reader returned early, if it did

  [[nodiscard]] std::int64_t Count(Severity severity) const {
    std::int64_t n = 0;
    for (const auto& d : diagnostics) {
      n += d.severity == severity ? 1 : 0;
    }
    return n;
  }
};

}  // namespace orvane::check
