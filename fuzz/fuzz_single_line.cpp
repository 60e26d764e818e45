// The three single-line blocks: damping, reference diameter, higher harmonics.
#include <cmath>

#include "fuzz_common.h"

using namespace orvane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::int32_t which = input.Take(0, 2);
  Block block(input, 8);
  block.Fill(input);
  constexpr double kPreset = -7.0;
  Fenced<double> first(1, kPreset);
  Fenced<double> second(1, kPreset);
  Fenced<std::int32_t> enabled(1, -7);
  std::int32_t result = -1;
  switch (which) {
    case 0:
      result = ReadNonOrthogonalDampingData01(Handle(), &block.lineCount, block.lines.data(), block.messages.data(),
                                              block.codes.data(), &block.status, enabled.data(), block.lineLength,
                                              block.messageLength);
      Require(enabled[0] == -7 || enabled[0] == 0 || enabled[0] == 1, "enabled is 1 or 0");
      break;
    case 1:
      result = ReadReferenceDiameterData01(Handle(), &block.lineCount, block.lines.data(), block.messages.data(),
                                           block.codes.data(), &block.status, first.data(), block.lineLength,
                                           block.messageLength);
      Require(first[0] == kPreset || !(static_cast<float>(first[0]) < 1e-10F), "a diameter is positive");
      Require(std::isnan(first[0]) || static_cast<double>(static_cast<float>(first[0])) == first[0],
              "a diameter is a widened single");
      break;
    default:
      result = ReadHigherHarmonicsData01(Handle(), &block.lineCount, block.lines.data(), block.messages.data(),
                                         block.codes.data(), &block.status, first.data(), second.data(),
                                         block.lineLength, block.messageLength);
      Require(first[0] == kPreset || !(static_cast<float>(first[0]) < -1e-10F), "a factor is not negative");
      Require(second[0] == kPreset || !(static_cast<float>(second[0]) < -1e-10F), "a threshold is not negative");
      break;
  }
  Require(result == 0, "a valid handle returns 0");
  block.CheckDataOutputs(block.status);
  return 0;
}
