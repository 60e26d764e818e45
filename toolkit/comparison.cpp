#include <algorithm>

#include "toolkit/dataline.h"

namespace orvane::toolkit {
namespace {

constexpr char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

}  // namespace

bool EqualsIgnoreCase(Text a, Text b) {
  const Text& shorter = a.size() <= b.size() ? a : b;
  const Text& longer = a.size() <= b.size() ? b : a;
  for (std::size_t i = 0; i < shorter.size(); ++i) {
    if (FoldCase(shorter[i]) != FoldCase(longer[i])) {
      return false;
    }
  }
  return std::all_of(longer.begin() + static_cast<std::ptrdiff_t>(shorter.size()), longer.end(),
                     [](char c) { return c == ' '; });
}

}  // namespace orvane::toolkit
