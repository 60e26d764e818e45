// The checker's lints: its own second opinion, beside the library's findings, on what the readers
// pass over without a word. One concern a file: lint_lines.cpp follows a block's lines as its reader
// takes them, lint_fields.cpp the number fields of one line, lint_values.cpp the values the reader
// stored, and lint_file.cpp what spans blocks (keywords given twice, ignore comments).
#pragma once

#include <bitset>
#include <cstdint>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "orvane.hpp"
#include "report.h"
#include "rules.h"
#include "splitter.h"

namespace orvane::check {

// Which lints are reported.
class LintSet {
 public:
  static LintSet All() { return LintSet(true); }
  static LintSet None() { return LintSet(false); }
  // "all", "none", or rule ids parted by commas; false with `error` set for an id that is no lint.
  static bool Parse(std::string_view text, LintSet& set, std::string& error);

  void Set(Lint lint, bool on) { on_.set(static_cast<std::size_t>(lint), on); }
  [[nodiscard]] bool operator[](Lint lint) const { return on_.test(static_cast<std::size_t>(lint)); }
  [[nodiscard]] bool Any() const { return on_.any(); }

 private:
  explicit LintSet(bool all) {
    if (all) {
      on_.set();
    }
  }
  std::bitset<kLints> on_;
};

// A lint's finding on line `line` of the file.
Diagnostic MakeLint(Lint lint, std::int64_t line, std::string message, std::optional<std::string> source = {},
                    std::optional<Columns> columns = {});

// `text` in backquotes, cut to a length a one-line message can hold.
std::string InBackquotes(std::string_view text);

// The records whose values the reader stored, in the order it stored them, so that each stored
// value can be traced to its line. A record that is a comment or keyword moved off column 1 is kept
// as ~record (negative): its values are no data the user meant, and the value lints pass it over.
// The walk over the lines goes on to the terminator; the records past the line at which the reader
// returned early are cut off once that is known.
struct TracedLines {
  std::vector<std::int32_t> entries;     // *AXIAL LOAD: the record of each node line, in order
  std::vector<std::int32_t> headers;     // P-Y: the record of each curve header
  std::vector<std::int32_t> points;      // P-Y: the record of each point line, curve after curve
  std::vector<std::int32_t> firstPoint;  // P-Y: for each curve, where its points start in `points`
  // *WAVE-GENERAL: the lines of the frequency list, which the reader stored or not as its codes
  // say, and the lines with "=" in it, which it ignores once a frequency is stored.
  std::vector<std::int32_t> frequencies;
  std::vector<std::int32_t> listEquals;

  void Clear();
  // Keeps the records before `stop`.
  void CutAt(std::int32_t stop);
};

// The lints of a block's lines and values. The lines' lints need nothing the library reports, so a
// large block's are worked out on a second thread while the library reads it; the findings that the
// reading makes moot (past the line where it stopped) are then dropped, and the values the reader
// stored are looked at.
class Linter {
 public:
  explicit Linter(const LintSet& on) : on_(on) {}
  Linter(const Linter&) = delete;
  Linter& operator=(const Linter&) = delete;
  ~Linter() { Wait(); }

  // Starts the lints of the block's lines; the block must stay as it is until Finish or Wait.
  void Start(const Block& block);
  // Adds the lints of a block the library has read to `report.diagnostics`, in no order.
  void Finish(const Block& block, const LineOutputs& lines, BlockReport& report);
  // Waits for the lines' lints and drops them, for a block that was not read after all.
  void Wait();

 private:
  LintSet on_;
  std::future<void> walking_;
  std::vector<Diagnostic> found_;  // the lines' lints
  TracedLines traced_;             // reused from block to block, like every buffer here
  std::vector<std::pair<std::int32_t, std::int32_t>> sorted_;
};

// The lints of each concern, called by the Linter.
void LintLines(const Block& block, const LintSet& on, TracedLines& traced, std::vector<Diagnostic>& out);
void LintValues(const Block& block, const BlockReport& report, const TracedLines& traced, const LintSet& on,
                std::vector<std::pair<std::int32_t, std::int32_t>>& scratch, std::vector<Diagnostic>& out);

}  // namespace orvane::check
