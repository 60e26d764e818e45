// What the lints of a block's lines share: a data line as its reader sees it, and the lints of the
// number fields one read of the reader takes from it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lint.h"
#include "toolkit/dataline.h"

namespace orvane::check {

struct DataLine {
  std::int32_t record = 0;
  std::int64_t number = 0;         // in the file
  toolkit::ScreenedLine screened;  // as screening leaves it, to its last non-blank character
  toolkit::Text justified;         // from its first non-blank character
  toolkit::Text written;           // the record as it stands in the file, its whole width
  bool shifted = false;            // a comment or keyword line that does not start in column 1, read as data

  [[nodiscard]] toolkit::Text Text() const { return screened.text; }
  // The screened line at the record's whole width, blank-padded, as the reader passes it on.
  [[nodiscard]] toolkit::Text Padded() const { return {screened.text.data(), screened.readable}; }
};

// One read of numbers the reader makes from a line.
struct FieldRead {
  char key = ' ';          // the letter before "=" after which the numbers stand; ' ': from column 1
  std::int32_t count = 1;  // how many numbers it takes
  std::string_view what;   // the option, for messages ("DEPTH=")
  bool node = false;       // the first number is a node number, which the reader rounds
};

class FieldLinter {
 public:
  FieldLinter(const LintSet& on, std::vector<Diagnostic>& out) : on_(on), out_(out) {}

  // Lints the fields that `read` takes from `line`.
  void Check(const DataLine& line, const FieldRead& read);

  void Report(Lint lint, const DataLine& line, std::string message, std::optional<Columns> columns);

 private:
  const LintSet& on_;
  std::vector<Diagnostic>& out_;
  // The fields the reader takes, and after them those it drops (fewer where one too large to read
  // ends the reading): the usual line holds the fields it should and nothing the lints look at.
  void Fields(const DataLine& line, const FieldRead& read, std::span<const toolkit::FieldSpan> fields);
  void NodeRounded(const DataLine& line, const toolkit::FieldSpan& field, float value);
  // A comma between two digits that parts what may be one number; the index of its first field.
  std::optional<std::size_t> DecimalCommas(const DataLine& line, std::span<const toolkit::FieldSpan> fields,
                                           std::size_t count);

  std::array<toolkit::FieldSpan, kRecordWidth / 2 + 1> fields_{};  // the most a record can hold
};

}  // namespace orvane::check
