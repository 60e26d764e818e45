// The header compiles as C++ and its function types match the declarations exactly.
#include <type_traits>

#include "orvane.h"

#define ORVANE_SAME_TYPE(name) static_assert(std::is_same_v<decltype(&name), Orvane##name##Fn>);
ORVANE_EXPORTS(ORVANE_SAME_TYPE)

int main() {
  // Linked against the library: the declarations resolve to real definitions.
  const int32_t handle = CreateStorage();
  return handle == 1 && DeleteStorage(&handle) == 1 ? 0 : 1;
}
