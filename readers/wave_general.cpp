// *WAVE-GENERAL: the ordered options, the selected-frequency list, and ORIGIN= of form 02.
#include "boundary/keyword.h"
#include "readers/walk.h"

namespace orvane::KWDREADING {

void KEYWORD::ReadWaveGeneralMaxes01(const std::int32_t* /*lineCount*/, const char* /*lines*/,
                                     std::int32_t* /*lineCodes*/, std::int32_t* /*selectedFrequencyCount*/,
                                     std::int64_t /*lineLength*/) {}

void KEYWORD::ReadWaveGeneralMaxes02(const std::int32_t* lineCount, const char* lines, std::int32_t* lineCodes,
                                     std::int32_t* selectedFrequencyCount, std::int64_t lineLength) {
  ReadWaveGeneralMaxes01(lineCount, lines, lineCodes, selectedFrequencyCount, lineLength);
}

void KEYWORD::ReadWaveGeneralData01(const std::int32_t* /*lineCount*/, const char* /*lines*/, char* /*messages*/,
                                    std::int32_t* /*lineCodes*/, std::int32_t* /*status*/,
                                    std::int32_t* /*waveOption*/, std::int32_t* /*seed*/,
                                    std::int32_t* /*selectedFrequencyCount*/,
                                    const std::int32_t* /*maxSelectedFrequencies*/, float* /*selectedFrequencies*/,
                                    std::int32_t* /*floatConvolution*/, std::int32_t* /*floatRaoForces*/,
                                    std::int32_t* /*floatQtfForces*/, float* /*waveZoneExtent*/,
                                    const std::int32_t* /*analysisType*/,
                                    const std::int32_t* /*restrictedAnalysisType*/,
                                    const std::int32_t* /*frequencyDomain*/, std::int64_t /*lineLength*/,
                                    std::int64_t /*messageLength*/) {}

void KEYWORD::ReadWaveGeneralData02(const std::int32_t* /*lineCount*/, const char* /*lines*/, char* /*messages*/,
                                    std::int32_t* /*lineCodes*/, std::int32_t* /*status*/,
                                    std::int32_t* /*waveOption*/, std::int32_t* /*seed*/,
                                    std::int32_t* /*selectedFrequencyCount*/,
                                    const std::int32_t* /*maxSelectedFrequencies*/, float* /*selectedFrequencies*/,
                                    std::int32_t* /*floatConvolution*/, std::int32_t* /*floatRaoForces*/,
                                    std::int32_t* /*floatQtfForces*/, float* /*waveZoneExtent*/,
                                    const std::int32_t* /*analysisType*/,
                                    const std::int32_t* /*restrictedAnalysisType*/,
                                    const std::int32_t* /*frequencyDomain*/, float* /*origin1*/, float* /*origin2*/,
                                    std::int64_t /*lineLength*/, std::int64_t /*messageLength*/) {}

}  // namespace orvane::KWDREADING
