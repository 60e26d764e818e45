// KEYWORD (module KWDREADING): the storage object type. Its one datum is the example value; its
// operations are virtual, in the slot order hosts rely on, so a type that extends KEYWORD and
// replaces an operation is reached by the same exports. The readers are defined in readers/, one
// source per keyword block; they ignore the object and work only on their arguments.
#pragma once

#include <cstdint>

namespace orvane::KWDREADING {

class KEYWORD {
 public:
  KEYWORD() = default;
  KEYWORD(const KEYWORD&) = delete;
  KEYWORD& operator=(const KEYWORD&) = delete;
  KEYWORD(KEYWORD&&) = delete;
  KEYWORD& operator=(KEYWORD&&) = delete;
  virtual ~KEYWORD() = default;

  // Slot 0.
  virtual void ExampleSet(const std::int32_t* newValue);
  // Slot 1.
  virtual std::int32_t ExampleGet();
  // Slot 2.
  virtual void ExamplePrint(const char* text, std::int64_t textLength);
  // Slot 3; slot 5 runs the same reader.
  virtual void ReadWaveGeneralMaxes01(const std::int32_t* lineCount, const char* lines, std::int32_t* lineCodes,
                                      std::int32_t* selectedFrequencyCount, std::int64_t lineLength);
  // Slot 4.
  virtual void ReadWaveGeneralData01(const std::int32_t* lineCount, const char* lines, char* messages,
                                     std::int32_t* lineCodes, std::int32_t* status, std::int32_t* waveOption,
                                     std::int32_t* seed, std::int32_t* selectedFrequencyCount,
                                     const std::int32_t* maxSelectedFrequencies, float* selectedFrequencies,
                                     std::int32_t* floatConvolution, std::int32_t* floatRaoForces,
                                     std::int32_t* floatQtfForces, float* waveZoneExtent,
                                     const std::int32_t* analysisType, const std::int32_t* restrictedAnalysisType,
                                     const std::int32_t* frequencyDomain, std::int64_t lineLength,
                                     std::int64_t messageLength);
  // Slot 5.
  virtual void ReadWaveGeneralMaxes02(const std::int32_t* lineCount, const char* lines, std::int32_t* lineCodes,
                                      std::int32_t* selectedFrequencyCount, std::int64_t lineLength);
  // Slot 6.
  virtual void ReadWaveGeneralData02(const std::int32_t* lineCount, const char* lines, char* messages,
                                     std::int32_t* lineCodes, std::int32_t* status, std::int32_t* waveOption,
                                     std::int32_t* seed, std::int32_t* selectedFrequencyCount,
                                     const std::int32_t* maxSelectedFrequencies, float* selectedFrequencies,
                                     std::int32_t* floatConvolution, std::int32_t* floatRaoForces,
                                     std::int32_t* floatQtfForces, float* waveZoneExtent,
                                     const std::int32_t* analysisType, const std::int32_t* restrictedAnalysisType,
                                     const std::int32_t* frequencyDomain, float* origin1, float* origin2,
                                     std::int64_t lineLength, std::int64_t messageLength);
  // Slot 7.
  virtual void ReadPYMaxes01(const std::int32_t* lineCount, const char* lines, std::int32_t* lineCodes,
                             std::int32_t* curveCount, std::int32_t* maxPoints, std::int64_t lineLength);
  // Slot 8.
  virtual void ReadPYData01(const std::int32_t* lineCount, const char* lines, char* messages, std::int32_t* lineCodes,
                            std::int32_t* status, void* reserved, const std::int32_t* maxCurves,
                            const std::int32_t* maxPoints, std::int32_t* curveCount, float* pyPoints, float* curveDepth,
                            std::int32_t* pointCount, std::int32_t* curveNode, std::int32_t* curveKind, char* setName,
                            float* scour, std::int64_t lineLength, std::int64_t messageLength,
                            std::int64_t setNameLength);
  // Slot 9.
  virtual void ReadAxialLoadMaxes01(const std::int32_t* lineCount, const char* lines, std::int32_t* lineCodes,
                                    std::int32_t* maxNodeCount, std::int64_t lineLength);
  // Slot 10.
  virtual void ReadAxialLoadData01(const std::int32_t* lineCount, const char* lines, char* messages,
                                   std::int32_t* lineCodes, std::int32_t* status, std::int32_t* nodeCount,
                                   const std::int32_t* maxNodes, std::int32_t* nodeNumbers, float* axialLoadColumn2,
                                   float* axialLoadColumn3, float* axialLoadColumn4, std::int64_t lineLength,
                                   std::int64_t messageLength);
  // Slot 11.
  virtual void ReadHigherHarmonicsData01(const std::int32_t* lineCount, const char* lines, char* messages,
                                         std::int32_t* lineCodes, std::int32_t* status, double* harmonicsFactor,
                                         double* harmonicsThreshold, std::int64_t lineLength,
                                         std::int64_t messageLength);
  // Slot 12.
  virtual void ReadReferenceDiameterData01(const std::int32_t* lineCount, const char* lines, char* messages,
                                           std::int32_t* lineCodes, std::int32_t* status, double* referenceDiameter,
                                           std::int64_t lineLength, std::int64_t messageLength);
  // Slot 13.
  virtual void ReadNonOrthogonalDampingData01(const std::int32_t* lineCount, const char* lines, char* messages,
                                              std::int32_t* lineCodes, std::int32_t* status, std::int32_t* enabled,
                                              std::int64_t lineLength, std::int64_t messageLength);

 private:
  std::int32_t exampleValue_ = 0;
};

}  // namespace orvane::KWDREADING
