// The built library, loaded at run time the way a host loads it, and its exports resolved through
// the public header's function types.
#pragma once

#include <dlfcn.h>

#include <stdexcept>
#include <string>

#include "orvane.h"

namespace orvane::test {

class Library {
 public:
  static const Library& Get() {
    static const Library library;
    return library;
  }

  OrvaneCreateStorageFn CreateStorage = Resolve<OrvaneCreateStorageFn>("CreateStorage");
  OrvaneDeleteStorageFn DeleteStorage = Resolve<OrvaneDeleteStorageFn>("DeleteStorage");
  OrvaneDeleteAllStorageFn DeleteAllStorage = Resolve<OrvaneDeleteAllStorageFn>("DeleteAllStorage");
  OrvaneExampleSetFn ExampleSet = Resolve<OrvaneExampleSetFn>("ExampleSet");
  OrvaneExampleGetFn ExampleGet = Resolve<OrvaneExampleGetFn>("ExampleGet");
  OrvaneExamplePrintFn ExamplePrint = Resolve<OrvaneExamplePrintFn>("ExamplePrint");
  OrvaneReadWaveGeneralMaxesFn ReadWaveGeneralMaxes01 = Resolve<OrvaneReadWaveGeneralMaxesFn>("ReadWaveGeneralMaxes01");
  OrvaneReadWaveGeneralData01Fn ReadWaveGeneralData01 = Resolve<OrvaneReadWaveGeneralData01Fn>("ReadWaveGeneralData01");
  OrvaneReadWaveGeneralMaxesFn ReadWaveGeneralMaxes02 = Resolve<OrvaneReadWaveGeneralMaxesFn>("ReadWaveGeneralMaxes02");
  OrvaneReadWaveGeneralData02Fn ReadWaveGeneralData02 = Resolve<OrvaneReadWaveGeneralData02Fn>("ReadWaveGeneralData02");
  OrvaneReadPYMaxes01Fn ReadPYMaxes01 = Resolve<OrvaneReadPYMaxes01Fn>("ReadPYMaxes01");
  OrvaneReadPYData01Fn ReadPYData01 = Resolve<OrvaneReadPYData01Fn>("ReadPYData01");
  OrvaneReadAxialLoadMaxes01Fn ReadAxialLoadMaxes01 = Resolve<OrvaneReadAxialLoadMaxes01Fn>("ReadAxialLoadMaxes01");
  OrvaneReadAxialLoadData01Fn ReadAxialLoadData01 = Resolve<OrvaneReadAxialLoadData01Fn>("ReadAxialLoadData01");
  OrvaneReadHigherHarmonicsData01Fn ReadHigherHarmonicsData01 =
      Resolve<OrvaneReadHigherHarmonicsData01Fn>("ReadHigherHarmonicsData01");
  OrvaneReadReferenceDiameterData01Fn ReadReferenceDiameterData01 =
      Resolve<OrvaneReadReferenceDiameterData01Fn>("ReadReferenceDiameterData01");
  OrvaneReadNonOrthogonalDampingData01Fn ReadNonOrthogonalDampingData01 =
      Resolve<OrvaneReadNonOrthogonalDampingData01Fn>("ReadNonOrthogonalDampingData01");

 private:
  Library() = default;

  static void* Handle() {
    static void* handle = dlopen(ORVANE_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      throw std::runtime_error(std::string("cannot load the library: ") + dlerror());
    }
    return handle;
  }

  template <class Function>
  static Function Resolve(const char* name) {
    void* symbol = dlsym(Handle(), name);
    if (symbol == nullptr) {
      throw std::runtime_error(std::string("missing export ") + name);
    }
    return reinterpret_cast<Function>(symbol);
  }
};

}  // namespace orvane::test
