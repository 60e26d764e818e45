#include "boundary/keyword.h"

#include <cinttypes>
#include <cstdio>

namespace orvane::KWDREADING {

void KEYWORD::ExampleSet(const std::int32_t* newValue) { exampleValue_ = *newValue; }

std::int32_t KEYWORD::ExampleGet() { return exampleValue_; }

void KEYWORD::ExamplePrint(const char* text, std::int64_t textLength) {
  // Written through C stdio and flushed, so the record lands in order with a C host's own output
  // and before anything a Fortran host writes after the call.
  if (textLength > 0) {
    (void)std::fwrite(text, 1, static_cast<std::size_t>(textLength), stdout);
  }
  (void)std::printf(".%" PRId32 "\n", exampleValue_);
  (void)std::fflush(stdout);
}

}  // namespace orvane::KWDREADING
