// *HIGHER HARMONICS: one data line, a factor and a threshold, neither negative.
#include "boundary/keyword.h"
#include "readers/walk.h"

namespace orvane::KWDREADING {

void KEYWORD::ReadHigherHarmonicsData01(const std::int32_t* /*lineCount*/, const char* /*lines*/,
                                        char* /*messages*/, std::int32_t* /*lineCodes*/, std::int32_t* /*status*/,
                                        double* /*harmonicsFactor*/, double* /*harmonicsThreshold*/,
                                        std::int64_t /*lineLength*/, std::int64_t /*messageLength*/) {}

}  // namespace orvane::KWDREADING
