// Each benchmarked block read as a host reads it, through the C++ host: the counting pass, then
// the data reader with arrays sized from the counts. The results are kept from read to read, so
// that repeated reads measure the library rather than the allocator.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

#include "blocks.h"
#include "orvane.hpp"

namespace orvane::bench {

inline constexpr std::int64_t kMessageLength = ORVANE_MESSAGE_LENGTH;

// One storage object serves every host of the program: the registry holds only three.
inline const Storage& SharedStorage() {
  static const Storage storage;
  return storage;
}

// The records, and message records for the yardsticks, which blank and write them as the readers do.
class HostBlock {
 public:
  explicit HostBlock(Records records)
      : block(std::move(records)), messages(static_cast<std::size_t>(block.lineCount) * kMessageLength) {}

  [[nodiscard]] orvane::Records View() const { return {block.text.data(), block.lineCount, block.lineLength}; }

  Records block;
  std::vector<char> messages;

 protected:
  std::vector<std::int32_t> countCodes_;
};

class PYHost : public HostBlock {
 public:
  explicit PYHost(Records records) : HostBlock(std::move(records)) { Warm(); }

  void Maxes() { counts_ = SharedStorage().CountPY(View(), countCodes_); }
  void Data() { SharedStorage().ReadPY(View(), counts_, result_, 16); }
  // One read sizes the result arrays, so that the reads measured after it allocate nothing.
  void Warm() {
    Maxes();
    Data();
  }

  [[nodiscard]] std::int32_t MaxCurves() const { return counts_.first; }
  [[nodiscard]] std::int32_t MaxPoints() const { return counts_.second; }
  [[nodiscard]] const PYResult& Result() const { return result_; }

  // Every point number, summed by bit pattern, and how many there are.
  [[nodiscard]] std::uint64_t PointBitSum(std::int64_t& values) const {
    std::uint64_t sum = 0;
    values = 0;
    for (std::size_t c = 0; c < result_.Curves(); ++c) {
      for (std::size_t p = 0; p < result_.Points(c); ++p) {
        for (std::size_t k = 0; k < 2; ++k) {
          sum += std::bit_cast<std::uint32_t>(result_.Point(c, p, k));
          ++values;
        }
      }
    }
    return sum;
  }

 private:
  Counts counts_;
  PYResult result_;
};

class AxialHost : public HostBlock {
 public:
  explicit AxialHost(Records records) : HostBlock(std::move(records)) { Warm(); }

  void Maxes() { counts_ = SharedStorage().CountAxialLoad(View(), countCodes_); }
  void Data() { SharedStorage().ReadAxialLoad(View(), counts_, result_); }
  // One read sizes the result arrays, so that the reads measured after it allocate nothing.
  void Warm() {
    Maxes();
    Data();
  }

  [[nodiscard]] std::int32_t MaxNodes() const { return counts_.first; }
  [[nodiscard]] const AxialLoadResult& Result() const { return result_; }

  // The nodes and the three values of every line, summed by bit pattern.
  [[nodiscard]] std::uint64_t BitSum() const {
    std::uint64_t sum = 0;
    for (std::size_t k = 0; k < result_.Held(); ++k) {
      sum += static_cast<std::uint32_t>(result_.nodeNumbers[k]);
      for (const auto& column : result_.columns) {
        sum += std::bit_cast<std::uint32_t>(column[k]);
      }
    }
    return sum;
  }

 private:
  Counts counts_;
  AxialLoadResult result_;
};

class WaveGeneralHost : public HostBlock {
 public:
  explicit WaveGeneralHost(Records records) : HostBlock(std::move(records)) { Warm(); }

  void Maxes() { counts_ = SharedStorage().CountWaveGeneral(View(), countCodes_, false); }
  void Data() { SharedStorage().ReadWaveGeneral(View(), counts_, result_, kSettings); }
  // One read sizes the result arrays, so that the reads measured after it allocate nothing.
  void Warm() {
    Maxes();
    Data();
  }

  [[nodiscard]] std::int32_t MaxFrequencies() const { return counts_.first; }
  [[nodiscard]] const WaveGeneralResult& Result() const { return result_; }

 private:
  // Form 01 in a time-domain analysis that still allows the frequency list.
  static constexpr WaveGeneralSettings kSettings{
      .withOrigin = false, .frequencyDomain = false, .analysisType = 1, .restrictedAnalysisType = 2};
  Counts counts_;
  WaveGeneralResult result_;
};

}  // namespace orvane::bench
