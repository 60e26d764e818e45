// *REFERENCE DIAMETER: one data line whose first field is a strictly positive diameter.
#include "boundary/keyword.h"
#include "readers/walk.h"

namespace orvane::KWDREADING {

void KEYWORD::ReadReferenceDiameterData01(const std::int32_t* /*lineCount*/, const char* /*lines*/,
                                          char* /*messages*/, std::int32_t* /*lineCodes*/, std::int32_t* /*status*/,
                                          double* /*referenceDiameter*/, std::int64_t /*lineLength*/,
                                          std::int64_t /*messageLength*/) {}

}  // namespace orvane::KWDREADING
