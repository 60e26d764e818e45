// Two ways a host could read the same P-Y and *AXIAL LOAD records without the library, used as
// yardsticks: the same line classification, a counting pass and a reading pass that blanks each
// line's message, one with std::from_chars and one with Fortran list-directed READ.
#pragma once

#include <cstdint>

#include "blocks.h"

namespace orvane::bench {

// What a pass saw: the curves or nodes counted, the points or nodes read, and every number read
// summed by its bit pattern, so that the sum does not depend on the order of reading.
struct Tally {
  std::int32_t counted = 0;
  std::int32_t mostPoints = 0;
  std::int64_t values = 0;
  std::uint64_t bitSum = 0;
};

Tally FromCharsPYMaxes(const Records& block);
Tally FromCharsPYData(const Records& block, char* messages, std::int64_t messageLength);
Tally FromCharsAxialMaxes(const Records& block);
Tally FromCharsAxialData(const Records& block, char* messages, std::int64_t messageLength);

}  // namespace orvane::bench

// The Fortran yardstick, present when the build found a Fortran compiler.
extern "C" {
void fortran_py_maxes(std::int32_t lineCount, const char* lines, std::int64_t lineLength, std::int32_t* curves,
                      std::int32_t* mostPoints);
void fortran_py_data(std::int32_t lineCount, const char* lines, std::int64_t lineLength, char* messages,
                     std::int64_t messageLength, std::int64_t* values, std::uint64_t* bitSum);
void fortran_axial_maxes(std::int32_t lineCount, const char* lines, std::int64_t lineLength, std::int32_t* nodes);
void fortran_axial_data(std::int32_t lineCount, const char* lines, std::int64_t lineLength, char* messages,
                        std::int64_t messageLength, std::int64_t* values, std::uint64_t* bitSum);
}

namespace orvane::bench {

// Both Fortran passes over one block, reported as the std::from_chars passes are: `counted` and
// `mostPoints` from the counting pass, `values` and `bitSum` from the reading pass.
inline Tally ListDirectedPY(const Records& block, char* messages, std::int64_t messageLength) {
  Tally tally;
  fortran_py_maxes(block.lineCount, block.text.data(), block.lineLength, &tally.counted, &tally.mostPoints);
  fortran_py_data(block.lineCount, block.text.data(), block.lineLength, messages, messageLength, &tally.values,
                  &tally.bitSum);
  return tally;
}

inline Tally ListDirectedAxial(const Records& block, char* messages, std::int64_t messageLength) {
  Tally tally;
  fortran_axial_maxes(block.lineCount, block.text.data(), block.lineLength, &tally.counted);
  fortran_axial_data(block.lineCount, block.text.data(), block.lineLength, messages, messageLength, &tally.values,
                     &tally.bitSum);
  return tally;
}

}  // namespace orvane::bench
