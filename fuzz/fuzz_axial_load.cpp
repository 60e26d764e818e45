// *AXIAL LOAD: the maxes reader, then the data reader with a capacity from the input.
#include "fuzz_common.h"

using namespace orvane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  Block block(input, 64);
  std::int32_t maxNodes = input.Take(0, 64);
  block.Fill(input);

  std::int32_t counted = -99;
  Require(ReadAxialLoadMaxes01(Handle(), &block.lineCount, block.lines.data(), block.codes.data(), &counted,
                               block.lineLength) == 0,
          "maxes returns 0");
  block.CheckMaxesCodes();
  Require(counted >= 0 && static_cast<std::size_t>(counted) <= block.Rows(), "maxNodeCount within the lines");

  const auto capacity = static_cast<std::size_t>(maxNodes);
  Fenced<std::int32_t> nodes(capacity, 12345);
  Fenced<float> column2(capacity, -7.0F);
  Fenced<float> column3(capacity, -7.0F);
  Fenced<float> column4(capacity, -7.0F);
  std::int32_t nodeCount = -99;
  Require(ReadAxialLoadData01(Handle(), &block.lineCount, block.lines.data(), block.messages.data(), block.codes.data(),
                              &block.status, &nodeCount, &maxNodes, nodes.data(), column2.data(), column3.data(),
                              column4.data(), block.lineLength, block.messageLength) == 0,
          "data returns 0");
  block.CheckDataOutputs(block.status);
  Require(nodeCount >= 0 && nodeCount <= maxNodes + 1, "nodeCount at most maxNodes + 1");
  Require(nodeCount <= maxNodes || block.status == -1, "an overflow is a serious error");
  for (auto k = static_cast<std::size_t>(std::min(nodeCount, maxNodes)); k < capacity; ++k) {
    Require(nodes[k] == 12345 && column2[k] == -7.0F && column3[k] == -7.0F && column4[k] == -7.0F,
            "entries beyond nodeCount untouched");
  }
  return 0;
}
