// P-Y curves: set name, scour, and curves placed by DEPTH= or NODE= with their point pairs.
#include "boundary/keyword.h"
#include "readers/walk.h"

namespace orvane::KWDREADING {

void KEYWORD::ReadPYMaxes01(const std::int32_t* /*lineCount*/, const char* /*lines*/, std::int32_t* /*lineCodes*/,
                            std::int32_t* /*curveCount*/, std::int32_t* /*maxPoints*/,
                            std::int64_t /*lineLength*/) {}

void KEYWORD::ReadPYData01(const std::int32_t* /*lineCount*/, const char* /*lines*/, char* /*messages*/,
                           std::int32_t* /*lineCodes*/, std::int32_t* /*status*/, void* /*reserved*/,
                           const std::int32_t* /*maxCurves*/, const std::int32_t* /*maxPoints*/,
                           std::int32_t* /*curveCount*/, float* /*pyPoints*/, float* /*curveDepth*/,
                           std::int32_t* /*pointCount*/, std::int32_t* /*curveNode*/, std::int32_t* /*curveKind*/,
                           char* /*setName*/, float* /*scour*/, std::int64_t /*lineLength*/,
                           std::int64_t /*messageLength*/, std::int64_t /*setNameLength*/) {}

}  // namespace orvane::KWDREADING
