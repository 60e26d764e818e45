// KEYWORD (module KWDREADING): the storage object type. Its one datum is the example value; its
// operations are virtual, in the slot order hosts rely on, so a type that extends KEYWORD and
// replaces an operation is reached by the same exports. Each reader operation calls its reader in
// readers/, which ignores the object and works only on its arguments.
#pragma once

#include <cstdint>

namespace orvane::KWDREADING {

class KEYWORD {
 public:
  KEYWORD() = default;
  KEYWORD(const KEYWORD&) = delete;
  KEYWORD& operator=(const KEYWORD&) = delete;
  KEYWORD(KEYWORD&&) = delete;
  KEYWORD& operator=(KEYWORD&&) = delete;
  virtual ~KEYWORD() = default;

  // Slot 0.
  virtual void ExampleSet(const std::int32_t* newValue);
  // Slot 1.
  virtual std::int32_t ExampleGet();
  // Slot 2.
  virtual void ExamplePrint(const char* text, std::int64_t textLength);
#include "boundary/keyword_operations.inc"

 private:
  std::int32_t exampleValue_ = 0;
};

}  // namespace orvane::KWDREADING
