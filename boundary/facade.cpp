#include "boundary/facade.h"

#include <new>

namespace orvane::INTERFACEMANAGER {
namespace {

std::size_t Index(std::int32_t slot) { return static_cast<std::size_t>(slot) - 1; }

}  // namespace

std::int32_t FACADE::FirstFreeSlot() const {
  for (std::int32_t slot = 1; slot <= MAX_STORAGE_SLOTS; ++slot) {
    if (slots_[Index(slot)] == nullptr) {
      return slot;
    }
  }
  return 0;
}

KEYWORD* FACADE::GetSlot(std::int32_t slot) const {
  // Compared as unsigned, so that negative numbers count as too large.
  if (slot == 0 || static_cast<std::uint32_t>(slot) > static_cast<std::uint32_t>(MAX_STORAGE_SLOTS)) {
    return nullptr;
  }
  return slots_[Index(slot)];
}

KEYWORD* FACADE::NewKeyword() {
  auto* object = new (std::nothrow) KEYWORD;
  if (object != nullptr) {
    const std::int32_t zero = 0;
    object->ExampleSet(&zero);
  }
  return object;
}

std::int32_t FACADE::CreateStorage() {
  const std::int32_t slot = FirstFreeSlot();
  if (slot != 0) {
    slots_[Index(slot)] = NewKeyword();
  }
  return slot;
}

std::int32_t FACADE::DeleteStorage(std::int32_t handle) {
  KEYWORD* object = GetSlot(handle);
  if (object == nullptr) {
    return 0;
  }
  delete object;
  slots_[Index(handle)] = nullptr;
  return handle;
}

std::int32_t FACADE::DeleteAllStorage() {
  for (std::int32_t slot = 1; slot <= MAX_STORAGE_SLOTS; ++slot) {
    if (slots_[Index(slot)] == nullptr) {
      return slot;
    }
    delete slots_[Index(slot)];
    slots_[Index(slot)] = nullptr;
  }
  return MAX_STORAGE_SLOTS;
}

FACADE& Registry() {
  constinit static FACADE registry;
  return registry;
}

}  // namespace orvane::INTERFACEMANAGER
