// A realistic input file with all six keyword blocks, split into blocks the way a host splits it,
// each block read by its maxes reader and then its data reader with arrays sized from the counts.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "abi/guarded.h"

namespace orvane::test {
namespace {

// The data lines after each keyword line, followed by the keyword or section line that ends them.
std::map<std::string, std::vector<std::string>> SplitIntoBlocks(const std::string& path) {
  std::ifstream file(path);
  std::map<std::string, std::vector<std::string>> blocks;
  std::vector<std::string>* current = nullptr;
  for (std::string line; std::getline(file, line);) {
    const bool starts = !line.empty() && (line[0] == '*' || line[0] == '$');
    if (current != nullptr) {
      current->push_back(line);
    }
    if (starts) {
      current = line[0] == '*' ? &blocks[line] : nullptr;
    }
  }
  return blocks;
}

// Every line has code 0 and a blank message, but the last, which has `lastCode`.
void ExpectCleanBlock(const Block& block, std::int32_t lastCode) {
  std::vector<std::pair<std::int32_t, std::string>> expected(static_cast<std::size_t>(block.lineCount), {0, ""});
  expected.back().first = lastCode;
  block.ExpectLines(expected);
  EXPECT_EQ(block.status, 0);
  block.ExpectIntact();
}

class WholeFile : public ::testing::Test {
 protected:
  const Api& lib = Library::Get();
  Storage storage;
  std::map<std::string, std::vector<std::string>> blocks =
      SplitIntoBlocks(ORVANE_SOURCE_DIR "/examples/inputs/clean.inp");
};

TEST_F(WholeFile, SingleLineBlocks) {
  Block damping(blocks.at("*NON-ORTHOGONAL DAMPING"));
  std::int32_t enabled = -7;
  lib.ReadNonOrthogonalDampingData01(&storage.handle, &damping.lineCount, damping.records.data(),
                                     damping.messages.data(), damping.codes.data(), &damping.status, &enabled,
                                     damping.lineLength, damping.messageLength);
  EXPECT_EQ(enabled, 0);
  ExpectCleanBlock(damping, 3);

  Block diameter(blocks.at("*REFERENCE DIAMETER"));
  double value = -7.0;
  lib.ReadReferenceDiameterData01(&storage.handle, &diameter.lineCount, diameter.records.data(),
                                  diameter.messages.data(), diameter.codes.data(), &diameter.status, &value,
                                  diameter.lineLength, diameter.messageLength);
  EXPECT_EQ(value, static_cast<double>(1.829F));
  ExpectCleanBlock(diameter, 3);

  Block harmonics(blocks.at("*HIGHER HARMONICS"));
  double factor = -7.0;
  double threshold = -7.0;
  lib.ReadHigherHarmonicsData01(&storage.handle, &harmonics.lineCount, harmonics.records.data(),
                                harmonics.messages.data(), harmonics.codes.data(), &harmonics.status, &factor,
                                &threshold, harmonics.lineLength, harmonics.messageLength);
  EXPECT_EQ(factor, static_cast<double>(0.85F));
  EXPECT_EQ(threshold, static_cast<double>(0.002F));
  ExpectCleanBlock(harmonics, 3);
}

TEST_F(WholeFile, AxialLoad) {
  Block block(blocks.at("*AXIAL LOAD"));
  std::int32_t capacity = -1;
  lib.ReadAxialLoadMaxes01(&storage.handle, &block.lineCount, block.records.data(), block.codes.data(), &capacity,
                           block.lineLength);
  ASSERT_EQ(capacity, 4);
  Guarded<std::int32_t> nodes(4);
  Guarded<float> loads(4);
  Guarded<float> lower(4);
  Guarded<float> upper(4);
  std::int32_t count = -1;
  lib.ReadAxialLoadData01(&storage.handle, &block.lineCount, block.records.data(), block.messages.data(),
                          block.codes.data(), &block.status, &count, &capacity, nodes.data(), loads.data(),
                          lower.data(), upper.data(), block.lineLength, block.messageLength);
  EXPECT_EQ(count, 4);
  const float expectedLoads[] = {-18500.0F, -18200.0F, -18900.0F, -18650.0F};
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(nodes[k], 1001 + static_cast<std::int32_t>(k));
    EXPECT_EQ(loads[k], expectedLoads[k]);
    EXPECT_EQ(lower[k], 0.0F);
    EXPECT_EQ(upper[k], 1.0F);
  }
  EXPECT_TRUE(nodes.GuardsIntact() && loads.GuardsIntact() && lower.GuardsIntact() && upper.GuardsIntact());
  ExpectCleanBlock(block, 3);
}

TEST_F(WholeFile, WaveGeneralReadsAlikeInBothForms) {
  for (const bool form02 : {false, true}) {
    Block block(blocks.at("*WAVE-GENERAL"));
    std::int32_t capacity = -1;
    (form02 ? lib.ReadWaveGeneralMaxes02 : lib.ReadWaveGeneralMaxes01)(
        &storage.handle, &block.lineCount, block.records.data(), block.codes.data(), &capacity, block.lineLength);
    ASSERT_EQ(capacity, 7);
    Guarded<float> frequencies(7);
    std::int32_t option = -7, seed = -7, count = -7, convolution = -7, rao = -7, qtf = -7;
    std::int32_t analysisType = 1, restrictedType = 1, frequencyDomain = 1;
    float zone = -7.0F, origin1 = -7.0F, origin2 = -7.0F;
    if (form02) {
      lib.ReadWaveGeneralData02(&storage.handle, &block.lineCount, block.records.data(), block.messages.data(),
                                block.codes.data(), &block.status, &option, &seed, &count, &capacity,
                                frequencies.data(), &convolution, &rao, &qtf, &zone, &analysisType, &restrictedType,
                                &frequencyDomain, &origin1, &origin2, block.lineLength, block.messageLength);
    } else {
      lib.ReadWaveGeneralData01(&storage.handle, &block.lineCount, block.records.data(), block.messages.data(),
                                block.codes.data(), &block.status, &option, &seed, &count, &capacity,
                                frequencies.data(), &convolution, &rao, &qtf, &zone, &analysisType, &restrictedType,
                                &frequencyDomain, block.lineLength, block.messageLength);
    }
    EXPECT_EQ(seed, 20240611);
    EXPECT_EQ(option, 3);
    EXPECT_EQ(zone, 35.0F);
    EXPECT_EQ(convolution, 0);
    EXPECT_EQ(rao, -1);
    EXPECT_EQ(qtf, 0);
    EXPECT_EQ(origin1, -7.0F);
    EXPECT_EQ(origin2, -7.0F);
    ASSERT_EQ(count, 7);
    const float expected[] = {0.040F, 0.055F, 0.070F, 0.085F, 0.100F, 0.125F, 0.150F};
    for (std::size_t k = 0; k < 7; ++k) {
      EXPECT_EQ(frequencies[k], expected[k]) << k;
    }
    EXPECT_TRUE(frequencies.GuardsIntact());
    ExpectCleanBlock(block, 0);  // this reader writes nothing on the line that ends the block
  }
}

TEST_F(WholeFile, PYCurves) {
  Block block(blocks.at("*P-Y CURVES"));
  std::int32_t maxCurves = -1;
  std::int32_t maxPoints = -1;
  lib.ReadPYMaxes01(&storage.handle, &block.lineCount, block.records.data(), block.codes.data(), &maxCurves, &maxPoints,
                    block.lineLength);
  ASSERT_EQ(maxCurves, 3);
  ASSERT_EQ(maxPoints, 4);
  Guarded<float> points(3 * 4 * 2, -7.0F);
  Guarded<float> depth(3, -7.0F);
  Guarded<std::int32_t> pointCount(3, 0);
  Guarded<std::int32_t> node(12, -7);
  Guarded<std::int32_t> kind(3, -7);
  Guarded<char> setName(16, '#');
  float scour = -7.0F;
  std::int32_t curveCount = 0;
  lib.ReadPYData01(&storage.handle, &block.lineCount, block.records.data(), block.messages.data(), block.codes.data(),
                   &block.status, nullptr, &maxCurves, &maxPoints, &curveCount, points.data(), depth.data(),
                   pointCount.data(), node.data(), kind.data(), setName.data(), &scour, block.lineLength,
                   block.messageLength, 16);
  EXPECT_EQ(curveCount, 3);
  EXPECT_EQ(std::string(setName.data(), 16), "CLAY-LOWER      ");
  EXPECT_EQ(scour, 0.0F) << "a new set allows one more SCOUR=";
  EXPECT_EQ(std::vector<std::int32_t>({kind[0], kind[1], kind[2]}), std::vector<std::int32_t>({-1, -1, 0}));
  EXPECT_EQ(std::vector<float>({depth[0], depth[1], depth[2]}), std::vector<float>({-2.0F, -6.0F, -7.0F}));
  EXPECT_EQ(std::vector<std::int32_t>(node.data(), node.data() + 12),
            std::vector<std::int32_t>({-7, -7, -7, -7, -7, -7, -7, -7, 1001, -7, -7, -7}));
  const float y[3][4] = {
      {0.0F, 0.005F, 0.020F, 0.060F}, {0.0F, 0.005F, 0.020F, 0.060F}, {0.0F, 0.010F, 0.040F, 0.120F}};
  const float p[3][4] = {{0, 120, 310, 450}, {0, 410, 980, 1350}, {0, 250, 600, 720}};
  for (std::size_t c = 0; c < 3; ++c) {
    EXPECT_EQ(pointCount[c], 4);
    for (std::size_t k = 0; k < 4; ++k) {
      EXPECT_EQ(points[k * 3 + c], y[c][k]) << c << ' ' << k;  // (c, k, 1) of a (3, 4, 2) array
      EXPECT_EQ(points[(4 + k) * 3 + c], p[c][k]) << c << ' ' << k;
    }
  }
  EXPECT_TRUE(points.GuardsIntact() && depth.GuardsIntact() && node.GuardsIntact() && setName.GuardsIntact());
  ExpectCleanBlock(block, 3);
}

}  // namespace
}  // namespace orvane::test
