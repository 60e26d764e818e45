// What checking one block found: the diagnostics, with the file's line numbers, and the values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "values.h"

namespace orvane::check {

inline constexpr std::int64_t kRecordWidth = 80;    // what hosts pass
inline constexpr std::int64_t kMessageWidth = 163;  // holds every message of the library whole

enum class Severity { kNote, kWarning, kError };

struct Diagnostic {
  std::int64_t line = 0;  // 0: about the file as a whole
  Severity severity = Severity::kNote;
  std::optional<std::int32_t> code;  // the library's line code; none for the checker's own findings
  std::string message;
  std::optional<std::string> source;  // the input line to show beneath the message
};

struct BlockReport {
  std::optional<std::int32_t> status;  // none when the readers were not run
  Value counts = Value::Object();      // what the counting pass found, which sized the arrays
  Value values = Value::Object();
  std::vector<Diagnostic> diagnostics;

  [[nodiscard]] std::int64_t Count(Severity severity) const {
    std::int64_t n = 0;
    for (const auto& d : diagnostics) {
      n += d.severity == severity ? 1 : 0;
    }
    return n;
  }
};

}  // namespace orvane::check
