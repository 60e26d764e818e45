// FACADE (module INTERFACEMANAGER): the process-wide registry of storage objects behind the
// exports. Three slots; a handle is the slot number, reused after deletion.
#pragma once

#include <array>
#include <cstdint>

#include "boundary/keyword.h"

namespace orvane::INTERFACEMANAGER {

using KWDREADING::KEYWORD;

inline constexpr std::int32_t MAX_STORAGE_SLOTS = 3;

class FACADE {
 public:
  // The lowest empty slot, testing 1, 2, 3 in order; 0 when all are occupied.
  [[nodiscard]] std::int32_t FirstFreeSlot() const;
  // The object in `slot`, or nullptr for an empty slot or a number outside 1 to 3.
  [[nodiscard]] KEYWORD* GetSlot(std::int32_t slot) const;
  // A new object with example value 0, or nullptr when memory runs out.
  static KEYWORD* NewKeyword();

  // The new handle, or 0 when every slot is occupied. When the object cannot be allocated the
  // slot stays empty and its number is still returned.
  std::int32_t CreateStorage();
  // The handle when an object was destroyed, else 0.
  std::int32_t DeleteStorage(std::int32_t handle);
  // Empties slots from 1 upwards until it meets an empty one, whose number it returns (3 when
  // all three held objects).
  std::int32_t DeleteAllStorage();

 private:
  // Owning, but deliberately not a smart pointer: the registry must have a trivial destructor so
  // that nothing of it runs when the library is unloaded.
  std::array<KEYWORD*, MAX_STORAGE_SLOTS> slots_{};
};

// The one registry of the process.
FACADE& Registry();

}  // namespace orvane::INTERFACEMANAGER
