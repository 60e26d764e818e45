// The registry and Example exports; the reading exports are generated in boundary/forwarders.cpp.
#include "boundary/exports.h"

using orvane::INTERFACEMANAGER::Registry;
using orvane::KWDREADING::KEYWORD;

extern "C" {

ORVANE_API int32_t CreateStorage(void) { return Registry().CreateStorage(); }

ORVANE_API int32_t DeleteStorage(const int32_t* handle) {
  return handle == nullptr ? 0 : Registry().DeleteStorage(*handle);
}

ORVANE_API int32_t DeleteAllStorage(void) { return Registry().DeleteAllStorage(); }

// The Example exports are not checked the way the readers are: a handle that names no object
// makes them do nothing (ExampleGet returns 0).
ORVANE_API void ExampleSet(const int32_t* handle, const int32_t* newValue) {
  KEYWORD* object = handle == nullptr ? nullptr : Registry().GetSlot(*handle);
  if (object != nullptr && newValue != nullptr) {
    object->ExampleSet(newValue);
  }
}

ORVANE_API int32_t ExampleGet(const int32_t* handle) {
  KEYWORD* object = handle == nullptr ? nullptr : Registry().GetSlot(*handle);
  return object == nullptr ? 0 : object->ExampleGet();
}

ORVANE_API void ExamplePrint(const int32_t* handle, const char* text, int64_t textLength) {
  KEYWORD* object = handle == nullptr ? nullptr : Registry().GetSlot(*handle);
  if (object != nullptr && (text != nullptr || textLength <= 0)) {
    object->ExamplePrint(text, textLength);
  }
}

}  // extern "C"
