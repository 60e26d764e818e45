// *AXIAL LOAD: any number of lines, each a node and three values.
#include "boundary/keyword.h"
#include "readers/walk.h"

namespace orvane::KWDREADING {

void KEYWORD::ReadAxialLoadMaxes01(const std::int32_t* /*lineCount*/, const char* /*lines*/,
                                   std::int32_t* /*lineCodes*/, std::int32_t* /*maxNodeCount*/,
                                   std::int64_t /*lineLength*/) {}

void KEYWORD::ReadAxialLoadData01(const std::int32_t* /*lineCount*/, const char* /*lines*/, char* /*messages*/,
                                  std::int32_t* /*lineCodes*/, std::int32_t* /*status*/, std::int32_t* /*nodeCount*/,
                                  const std::int32_t* /*maxNodes*/, std::int32_t* /*nodeNumbers*/,
                                  float* /*axialLoadColumn2*/, float* /*axialLoadColumn3*/,
                                  float* /*axialLoadColumn4*/, std::int64_t /*lineLength*/,
                                  std::int64_t /*messageLength*/) {}

}  // namespace orvane::KWDREADING
