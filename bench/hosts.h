// A host's way of reading each benchmarked block through the exported functions: count with the
// maxes reader, size the arrays to the counts once, then read the data. The arrays are kept, so
// that repeated reads measure the library rather than the allocator.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

#include "blocks.h"
#include "orvane.h"

namespace orvane::bench {

inline constexpr std::int64_t kMessageLength = 163;

// One storage object serves every host of the program: the registry holds only three.
inline const std::int32_t* SharedHandle() {
  static const std::int32_t handle = CreateStorage();
  return &handle;
}

// The records, one message and code per record, and the status: what every data reader shares.
class HostBlock {
 public:
  explicit HostBlock(Records records)
      : block(std::move(records)),
        codes(static_cast<std::size_t>(block.lineCount)),
        messages(codes.size() * static_cast<std::size_t>(kMessageLength)) {}

  Records block;
  std::vector<std::int32_t> codes;
  std::vector<char> messages;
  std::int32_t status = 0;
  const std::int32_t* handle = SharedHandle();
};

class PYHost : public HostBlock {
 public:
  explicit PYHost(Records records) : HostBlock(std::move(records)) {
    Maxes();
    const auto curves = static_cast<std::size_t>(maxCurves);
    points.resize(curves * static_cast<std::size_t>(maxPoints) * 2);
    depth.resize(curves);
    pointCount.resize(curves);
    node.resize(curves * 4);
    kind.resize(curves);
  }

  void Maxes() {
    ReadPYMaxes01(handle, &block.lineCount, block.text.data(), codes.data(), &maxCurves, &maxPoints, block.lineLength);
  }
  void Data() {
    curveCount = 0;
    std::fill(pointCount.begin(), pointCount.end(), 0);
    ReadPYData01(handle, &block.lineCount, block.text.data(), messages.data(), codes.data(), &status, nullptr,
                 &maxCurves, &maxPoints, &curveCount, points.data(), depth.data(), pointCount.data(), node.data(),
                 kind.data(), setName, &scour, block.lineLength, kMessageLength, sizeof setName);
  }
  // Every point number, summed by bit pattern, and how many there are.
  [[nodiscard]] std::uint64_t PointBitSum(std::int64_t& values) const {
    std::uint64_t sum = 0;
    values = 0;
    const auto curves = static_cast<std::size_t>(maxCurves);
    for (std::size_t c = 0; c < static_cast<std::size_t>(curveCount); ++c) {
      for (std::size_t p = 0; p < static_cast<std::size_t>(pointCount[c]); ++p) {
        for (std::size_t k = 0; k < 2; ++k) {
          sum += std::bit_cast<std::uint32_t>(points[(k * static_cast<std::size_t>(maxPoints) + p) * curves + c]);
          ++values;
        }
      }
    }
    return sum;
  }

  std::int32_t maxCurves = 0;
  std::int32_t maxPoints = 0;
  std::int32_t curveCount = 0;
  std::vector<float> points;
  std::vector<float> depth;
  std::vector<std::int32_t> pointCount;
  std::vector<std::int32_t> node;
  std::vector<std::int32_t> kind;
  char setName[16] = {};
  float scour = 0.0F;
};

class AxialHost : public HostBlock {
 public:
  explicit AxialHost(Records records) : HostBlock(std::move(records)) {
    Maxes();
    const auto size = static_cast<std::size_t>(maxNodes);
    nodes.resize(size);
    column2.resize(size);
    column3.resize(size);
    column4.resize(size);
  }

  void Maxes() {
    ReadAxialLoadMaxes01(handle, &block.lineCount, block.text.data(), codes.data(), &maxNodes, block.lineLength);
  }
  void Data() {
    ReadAxialLoadData01(handle, &block.lineCount, block.text.data(), messages.data(), codes.data(), &status, &nodeCount,
                        &maxNodes, nodes.data(), column2.data(), column3.data(), column4.data(), block.lineLength,
                        kMessageLength);
  }
  // The nodes and the three values of every line, summed by bit pattern.
  [[nodiscard]] std::uint64_t BitSum() const {
    std::uint64_t sum = 0;
    for (std::size_t k = 0; k < static_cast<std::size_t>(nodeCount); ++k) {
      sum += static_cast<std::uint32_t>(nodes[k]);
      for (const float value : {column2[k], column3[k], column4[k]}) {
        sum += std::bit_cast<std::uint32_t>(value);
      }
    }
    return sum;
  }

  std::int32_t maxNodes = 0;
  std::int32_t nodeCount = 0;
  std::vector<std::int32_t> nodes;
  std::vector<float> column2;
  std::vector<float> column3;
  std::vector<float> column4;
};

class WaveGeneralHost : public HostBlock {
 public:
  explicit WaveGeneralHost(Records records) : HostBlock(std::move(records)) {
    Maxes();
    frequencies.resize(static_cast<std::size_t>(maxFrequencies));
  }

  void Maxes() {
    ReadWaveGeneralMaxes01(handle, &block.lineCount, block.text.data(), codes.data(), &maxFrequencies,
                           block.lineLength);
  }
  void Data() {
    ReadWaveGeneralData01(handle, &block.lineCount, block.text.data(), messages.data(), codes.data(), &status,
                          &waveOption, &seed, &frequencyCount, &maxFrequencies, frequencies.data(), &floatConvolution,
                          &floatRaoForces, &floatQtfForces, &waveZone, &analysisType, &restrictedAnalysisType,
                          &frequencyDomain, block.lineLength, kMessageLength);
  }

  std::int32_t maxFrequencies = 0;
  std::int32_t frequencyCount = 0;
  std::vector<float> frequencies;
  std::int32_t waveOption = 0;
  std::int32_t seed = 0;
  std::int32_t floatConvolution = 0;
  std::int32_t floatRaoForces = 0;
  std::int32_t floatQtfForces = 0;
  float waveZone = 0.0F;
  std::int32_t analysisType = 1;
  std::int32_t restrictedAnalysisType = 2;
  std::int32_t frequencyDomain = 0;
};

}  // namespace orvane::bench
