// The exported face of the library: the seventeen functions of include/orvane.h, each a thin
// check-and-forward over the FACADE registry. Nothing here throws into the host.
#pragma once

#include <cstdint>
#include <type_traits>

#include "boundary/facade.h"
#include "orvane.h"

namespace orvane::boundary {

// True when every pointer a host passes is usable. `reserved` arguments are typed void* and are
// never dereferenced, so they may be null.
template <class Arg>
bool Present(Arg arg) {
  if constexpr (std::is_pointer_v<Arg> && !std::is_same_v<Arg, void*>) {
    return arg != nullptr;
  } else {
    return true;
  }
}

template <class... Args>
bool AllPresent(Args... args) {
  return (Present(args) && ...);
}

// Calls `Operation` of the object named by `handle` with the other arguments unchanged. Returns 1
// without touching any argument when the handle names no object (or a pointer is missing), and 0
// when the operation has come back, whatever it found.
template <auto Operation, class... Args>
std::int32_t ForwardRead(const std::int32_t* handle, Args... args) noexcept {
  try {
    if (handle == nullptr || !AllPresent(args...)) {
      return 1;
    }
    KWDREADING::KEYWORD* object = INTERFACEMANAGER::Registry().GetSlot(*handle);
    if (object == nullptr) {
      return 1;
    }
    (object->*Operation)(args...);
    return 0;
  } catch (...) {
    // Only a failed allocation for a record wider than the work line's own buffer gets here.
    return 1;
  }
}

}  // namespace orvane::boundary
