// *WAVE-GENERAL: both maxes exports, then the form 01 or form 02 data reader.
#include <cmath>

#include "fuzz_common.h"

using namespace orvane::fuzz;

namespace {
bool NotBelowTiny(float value) { return !(value < 1e-10F); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  Block block(input, 64);
  const bool form02 = input.Take(0, 1) == 1;
  std::int32_t capacity = input.Take(0, 64);
  std::int32_t analysisType = input.Take(0, 2);
  std::int32_t restrictedType = input.Take(0, 2);
  std::int32_t frequencyDomain = input.Take(-3, 3);
  block.Fill(input);

  std::int32_t counted01 = -99;
  std::int32_t counted02 = -98;
  Require(ReadWaveGeneralMaxes01(Handle(), &block.lineCount, block.lines.data(), block.codes.data(), &counted01,
                                 block.lineLength) == 0,
          "maxes 01 returns 0");
  std::vector<std::int32_t> codes01(block.codes.data(), block.codes.data() + block.Rows());
  Require(ReadWaveGeneralMaxes02(Handle(), &block.lineCount, block.lines.data(), block.codes.data(), &counted02,
                                 block.lineLength) == 0,
          "maxes 02 returns 0");
  block.CheckMaxesCodes();
  Require(counted01 == counted02 && std::equal(codes01.begin(), codes01.end(), block.codes.data()),
          "both maxes exports agree");
  Require(counted01 >= 0 && static_cast<std::size_t>(counted01) <= block.Rows(), "count within the lines");

  const auto slots = static_cast<std::size_t>(capacity);
  Fenced<float> frequencies(slots, -7.0F);
  std::int32_t option = -7, seed = -7, count = -99, convolution = -7, rao = -7, qtf = -7;
  float zone = -7.0F, origin1 = -7.0F, origin2 = -7.0F;
  std::int32_t result = 0;
  if (form02) {
    result = ReadWaveGeneralData02(Handle(), &block.lineCount, block.lines.data(), block.messages.data(),
                                   block.codes.data(), &block.status, &option, &seed, &count, &capacity,
                                   frequencies.data(), &convolution, &rao, &qtf, &zone, &analysisType, &restrictedType,
                                   &frequencyDomain, &origin1, &origin2, block.lineLength, block.messageLength);
  } else {
    result = ReadWaveGeneralData01(Handle(), &block.lineCount, block.lines.data(), block.messages.data(),
                                   block.codes.data(), &block.status, &option, &seed, &count, &capacity,
                                   frequencies.data(), &convolution, &rao, &qtf, &zone, &analysisType, &restrictedType,
                                   &frequencyDomain, block.lineLength, block.messageLength);
    Require(origin1 == -7.0F && origin2 == -7.0F, "form 01 has no origin");
  }
  Require(result == 0, "data returns 0");
  block.CheckDataOutputs(block.status);
  Require(count >= 0 && count <= capacity, "count within the capacity");
  Require(option == -7 || (option >= 1 && option <= 3), "wave option 1 to 3");
  for (const std::int32_t flag : {convolution, rao, qtf}) {
    Require(flag == -7 || flag == -1 || flag == 0, "switches are -1 or 0");
  }
  Require(zone == -7.0F || NotBelowTiny(zone), "wave zone positive");
  for (std::size_t k = 0; k < slots; ++k) {
    Require(k < static_cast<std::size_t>(count) ? NotBelowTiny(frequencies[k]) : frequencies[k] == -7.0F,
            "frequencies positive, untouched beyond the count");
  }
  return 0;
}
