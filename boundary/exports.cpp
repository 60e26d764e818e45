#include "boundary/exports.h"

using orvane::boundary::ForwardRead;
using orvane::INTERFACEMANAGER::Registry;
using orvane::KWDREADING::KEYWORD;

extern "C" {

ORVANE_API int32_t CreateStorage(void) { return Registry().CreateStorage(); }

ORVANE_API int32_t DeleteStorage(const int32_t* handle) {
  return handle == nullptr ? 0 : Registry().DeleteStorage(*handle);
}

ORVANE_API int32_t DeleteAllStorage(void) { return Registry().DeleteAllStorage(); }

// The Example exports are not checked the way the readers are: a handle that names no object
// makes them do nothing (ExampleGet returns 0).
ORVANE_API void ExampleSet(const int32_t* handle, const int32_t* newValue) {
  KEYWORD* object = handle == nullptr ? nullptr : Registry().GetSlot(*handle);
  if (object != nullptr && newValue != nullptr) {
    object->ExampleSet(newValue);
  }
}

ORVANE_API int32_t ExampleGet(const int32_t* handle) {
  KEYWORD* object = handle == nullptr ? nullptr : Registry().GetSlot(*handle);
  return object == nullptr ? 0 : object->ExampleGet();
}

ORVANE_API void ExamplePrint(const int32_t* handle, const char* text, int64_t textLength) {
  KEYWORD* object = handle == nullptr ? nullptr : Registry().GetSlot(*handle);
  if (object != nullptr && (text != nullptr || textLength <= 0)) {
    object->ExamplePrint(text, textLength);
  }
}

ORVANE_API int32_t ReadWaveGeneralMaxes01(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                          int32_t* lineCodes, int32_t* selectedFrequencyCount, int64_t lineLength) {
  return ForwardRead<&KEYWORD::ReadWaveGeneralMaxes01>(handle, lineCount, lines, lineCodes, selectedFrequencyCount,
                                                       lineLength);
}

ORVANE_API int32_t ReadWaveGeneralData01(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                         char* messages, int32_t* lineCodes, int32_t* status, int32_t* waveOption,
                                         int32_t* seed, int32_t* selectedFrequencyCount,
                                         const int32_t* maxSelectedFrequencies, float* selectedFrequencies,
                                         int32_t* floatConvolution, int32_t* floatRaoForces, int32_t* floatQtfForces,
                                         float* waveZoneExtent, const int32_t* analysisType,
                                         const int32_t* restrictedAnalysisType, const int32_t* frequencyDomain,
                                         int64_t lineLength, int64_t messageLength) {
  return ForwardRead<&KEYWORD::ReadWaveGeneralData01>(
      handle, lineCount, lines, messages, lineCodes, status, waveOption, seed, selectedFrequencyCount,
      maxSelectedFrequencies, selectedFrequencies, floatConvolution, floatRaoForces, floatQtfForces, waveZoneExtent,
      analysisType, restrictedAnalysisType, frequencyDomain, lineLength, messageLength);
}

ORVANE_API int32_t ReadWaveGeneralMaxes02(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                          int32_t* lineCodes, int32_t* selectedFrequencyCount, int64_t lineLength) {
  return ForwardRead<&KEYWORD::ReadWaveGeneralMaxes02>(handle, lineCount, lines, lineCodes, selectedFrequencyCount,
                                                       lineLength);
}

ORVANE_API int32_t ReadWaveGeneralData02(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                         char* messages, int32_t* lineCodes, int32_t* status, int32_t* waveOption,
                                         int32_t* seed, int32_t* selectedFrequencyCount,
                                         const int32_t* maxSelectedFrequencies, float* selectedFrequencies,
                                         int32_t* floatConvolution, int32_t* floatRaoForces, int32_t* floatQtfForces,
                                         float* waveZoneExtent, const int32_t* analysisType,
                                         const int32_t* restrictedAnalysisType, const int32_t* frequencyDomain,
                                         float* origin1, float* origin2, int64_t lineLength, int64_t messageLength) {
  return ForwardRead<&KEYWORD::ReadWaveGeneralData02>(
      handle, lineCount, lines, messages, lineCodes, status, waveOption, seed, selectedFrequencyCount,
      maxSelectedFrequencies, selectedFrequencies, floatConvolution, floatRaoForces, floatQtfForces, waveZoneExtent,
      analysisType, restrictedAnalysisType, frequencyDomain, origin1, origin2, lineLength, messageLength);
}

ORVANE_API int32_t ReadPYMaxes01(const int32_t* handle, const int32_t* lineCount, const char* lines, int32_t* lineCodes,
                                 int32_t* curveCount, int32_t* maxPoints, int64_t lineLength) {
  return ForwardRead<&KEYWORD::ReadPYMaxes01>(handle, lineCount, lines, lineCodes, curveCount, maxPoints, lineLength);
}

ORVANE_API int32_t ReadPYData01(const int32_t* handle, const int32_t* lineCount, const char* lines, char* messages,
                                int32_t* lineCodes, int32_t* status, void* reserved, const int32_t* maxCurves,
                                const int32_t* maxPoints, int32_t* curveCount, float* pyPoints, float* curveDepth,
                                int32_t* pointCount, int32_t* curveNode, int32_t* curveKind, char* setName,
                                float* scour, int64_t lineLength, int64_t messageLength, int64_t setNameLength) {
  return ForwardRead<&KEYWORD::ReadPYData01>(handle, lineCount, lines, messages, lineCodes, status, reserved, maxCurves,
                                             maxPoints, curveCount, pyPoints, curveDepth, pointCount, curveNode,
                                             curveKind, setName, scour, lineLength, messageLength, setNameLength);
}

ORVANE_API int32_t ReadAxialLoadMaxes01(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                        int32_t* lineCodes, int32_t* maxNodeCount, int64_t lineLength) {
  return ForwardRead<&KEYWORD::ReadAxialLoadMaxes01>(handle, lineCount, lines, lineCodes, maxNodeCount, lineLength);
}

ORVANE_API int32_t ReadAxialLoadData01(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                       char* messages, int32_t* lineCodes, int32_t* status, int32_t* nodeCount,
                                       const int32_t* maxNodes, int32_t* nodeNumbers, float* axialLoadColumn2,
                                       float* axialLoadColumn3, float* axialLoadColumn4, int64_t lineLength,
                                       int64_t messageLength) {
  return ForwardRead<&KEYWORD::ReadAxialLoadData01>(handle, lineCount, lines, messages, lineCodes, status, nodeCount,
                                                    maxNodes, nodeNumbers, axialLoadColumn2, axialLoadColumn3,
                                                    axialLoadColumn4, lineLength, messageLength);
}

ORVANE_API int32_t ReadHigherHarmonicsData01(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                             char* messages, int32_t* lineCodes, int32_t* status,
                                             double* harmonicsFactor, double* harmonicsThreshold, int64_t lineLength,
                                             int64_t messageLength) {
  return ForwardRead<&KEYWORD::ReadHigherHarmonicsData01>(handle, lineCount, lines, messages, lineCodes, status,
                                                          harmonicsFactor, harmonicsThreshold, lineLength,
                                                          messageLength);
}

ORVANE_API int32_t ReadReferenceDiameterData01(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                               char* messages, int32_t* lineCodes, int32_t* status,
                                               double* referenceDiameter, int64_t lineLength, int64_t messageLength) {
  return ForwardRead<&KEYWORD::ReadReferenceDiameterData01>(handle, lineCount, lines, messages, lineCodes, status,
                                                            referenceDiameter, lineLength, messageLength);
}

ORVANE_API int32_t ReadNonOrthogonalDampingData01(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                                  char* messages, int32_t* lineCodes, int32_t* status, int32_t* enabled,
                                                  int64_t lineLength, int64_t messageLength) {
  return ForwardRead<&KEYWORD::ReadNonOrthogonalDampingData01>(handle, lineCount, lines, messages, lineCodes, status,
                                                               enabled, lineLength, messageLength);
}

}  // extern "C"
