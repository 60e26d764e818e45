// Runs the library's readers on one keyword block as a host does: the counting pass where the
// keyword has one, arrays sized from its counts, then the data reader; and turns what they wrote
// into diagnostics with the file's line numbers and a tree of the values the block set.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lint.h"
#include "orvane.hpp"
#include "report.h"
#include "splitter.h"

namespace orvane::check {

using orvane::AxialLoadResult;
using orvane::Counts;
using orvane::LineOutputs;
using orvane::PYResult;
using orvane::Records;
using orvane::Storage;
using orvane::WaveGeneralResult;

struct Settings {
  bool frequencyDomain = true;  // FREQUENCIES=SELECTED is checked as for a frequency-domain analysis
  bool allValues = false;       // list every value of a large block rather than counts and ranges
  LintSet lints = LintSet::All();
};

// Lists longer than this are condensed to counts and ranges unless every value is asked for.
inline constexpr std::size_t kListLimit = 10;
// The largest P-Y point array the checker allocates for one block.
inline constexpr std::uint64_t kMaxPointBytes = std::uint64_t{1} << 30;

class Checker {
 public:
  // Creates the library storage object that every call goes through; throws std::runtime_error
  // when the library has none to give.
  explicit Checker(Settings settings) : settings_(settings), linter_(settings.lints) {}

  // Checks a block of a known keyword; `report` is overwritten. Throws std::runtime_error when the
  // library refuses a call (it then wrote nothing).
  void Check(const Block& block, BlockReport& report);

 private:
  void Damping(const Block& block, const Records& records, BlockReport& report);
  void ReferenceDiameter(const Block& block, const Records& records, BlockReport& report);
  void HigherHarmonics(const Block& block, const Records& records, BlockReport& report);
  void AxialLoad(const Block& block, const Records& records, BlockReport& report);
  void WaveGeneral(const Block& block, const Records& records, BlockReport& report);
  bool PY(const Block& block, const Records& records, BlockReport& report);
  // The library's findings, the notes on them and the block's lints, in line order.
  void Diagnose(const Block& block, const LineOutputs& lines, const Counts* counts, BlockReport& report);

  Settings settings_;
  Storage storage_;
  Linter linter_;

  // One result per block form, reused from block to block so that their arrays keep their storage.
  std::vector<std::int32_t> countCodes_;
  AxialLoadResult axialLoad_;
  WaveGeneralResult waveGeneral_;
  PYResult py_;
};

}  // namespace orvane::check
