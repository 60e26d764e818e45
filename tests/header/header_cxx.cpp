// The header compiles as C++ and its function types match the declarations exactly.
#include <type_traits>

#include "orvane.h"

static_assert(std::is_same_v<decltype(&CreateStorage), OrvaneCreateStorageFn>);
static_assert(std::is_same_v<decltype(&DeleteStorage), OrvaneDeleteStorageFn>);
static_assert(std::is_same_v<decltype(&DeleteAllStorage), OrvaneDeleteAllStorageFn>);
static_assert(std::is_same_v<decltype(&ExampleSet), OrvaneExampleSetFn>);
static_assert(std::is_same_v<decltype(&ExampleGet), OrvaneExampleGetFn>);
static_assert(std::is_same_v<decltype(&ExamplePrint), OrvaneExamplePrintFn>);
static_assert(std::is_same_v<decltype(&ReadWaveGeneralMaxes01), OrvaneReadWaveGeneralMaxesFn>);
static_assert(std::is_same_v<decltype(&ReadWaveGeneralMaxes02), OrvaneReadWaveGeneralMaxesFn>);
static_assert(std::is_same_v<decltype(&ReadWaveGeneralData01), OrvaneReadWaveGeneralData01Fn>);
static_assert(std::is_same_v<decltype(&ReadWaveGeneralData02), OrvaneReadWaveGeneralData02Fn>);
static_assert(std::is_same_v<decltype(&ReadPYMaxes01), OrvaneReadPYMaxes01Fn>);
static_assert(std::is_same_v<decltype(&ReadPYData01), OrvaneReadPYData01Fn>);
static_assert(std::is_same_v<decltype(&ReadAxialLoadMaxes01), OrvaneReadAxialLoadMaxes01Fn>);
static_assert(std::is_same_v<decltype(&ReadAxialLoadData01), OrvaneReadAxialLoadData01Fn>);
static_assert(std::is_same_v<decltype(&ReadHigherHarmonicsData01), OrvaneReadHigherHarmonicsData01Fn>);
static_assert(std::is_same_v<decltype(&ReadReferenceDiameterData01), OrvaneReadReferenceDiameterData01Fn>);
static_assert(std::is_same_v<decltype(&ReadNonOrthogonalDampingData01), OrvaneReadNonOrthogonalDampingData01Fn>);

int main() {
  // Linked against the library: the declarations resolve to real definitions.
  const int32_t handle = CreateStorage();
  return handle == 1 && DeleteStorage(&handle) == 1 ? 0 : 1;
}
