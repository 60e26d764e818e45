// Runs the library's readers on one keyword block as a host does: the counting pass where the
// keyword has one, arrays sized from its counts, then the data reader; and turns what they wrote
// into diagnostics with the file's line numbers and a tree of the values the block set.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "region.h"
#include "report.h"
#include "splitter.h"

namespace orvane::check {

struct Settings {
  bool frequencyDomain = true;  // FREQUENCIES=SELECTED is checked as for a frequency-domain analysis
  bool allValues = false;       // list every value of a large block rather than counts and ranges
};

// Lists longer than this are condensed to counts and ranges unless every value is asked for.
inline constexpr std::size_t kListLimit = 10;
// The largest P-Y point array the checker allocates for one block.
inline constexpr std::uint64_t kMaxPointBytes = std::uint64_t{1} << 30;

class Checker {
 public:
  // Creates the library storage object that every call goes through; throws std::runtime_error
  // when the library has none to give.
  explicit Checker(Settings settings);
  ~Checker();
  Checker(const Checker&) = delete;
  Checker& operator=(const Checker&) = delete;

  // Checks a block of a known keyword; `report` is overwritten. Throws std::runtime_error when the
  // library refuses a call (it then wrote nothing).
  void Check(const Block& block, BlockReport& report);

 private:
  struct Call;

  void Prepare(const Block& block, Call& call);
  void Damping(Call& call, BlockReport& report);
  void ReferenceDiameter(Call& call, BlockReport& report);
  void HigherHarmonics(Call& call, BlockReport& report);
  void AxialLoad(Call& call, BlockReport& report);
  void WaveGeneral(Call& call, BlockReport& report);
  void PY(const Block& block, Call& call, BlockReport& report);
  void Diagnose(const Block& block, const Call& call, BlockReport& report) const;

  std::int32_t handle_ = 0;
  Settings settings_;

  // One buffer per array, grown to the largest block and reused.
  Region messages_;
  Region codes_;
  Region countCodes_;
  std::vector<std::int32_t> nodeNumbers_;
  std::vector<float> loadColumns_[3];
  std::vector<float> frequencies_;
  std::vector<float> pyPoints_;
  std::vector<float> curveDepth_;
  std::vector<std::int32_t> pointCount_;
  std::vector<std::int32_t> curveNode_;
  std::vector<std::int32_t> curveKind_;
};

}  // namespace orvane::check
