// The built library, loaded at run time the way a host loads it, its exports resolved by name into
// the C++ host's export table.
#pragma once

#include <dlfcn.h>

#include <stdexcept>
#include <string>

#include "orvane.hpp"

namespace orvane::test {

struct Library {
  static const Api& Get() {
    static const Api api = Api::Load([](const char* name) { return dlsym(Handle(), name); });
    return api;
  }

 private:
  static void* Handle() {
    static void* handle = dlopen(ORVANE_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      throw std::runtime_error(std::string("cannot load the library: ") + dlerror());
    }
    return handle;
  }
};

}  // namespace orvane::test
