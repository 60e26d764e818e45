// Reads a P-Y block through the C++ host and prints its curves and what the reader reported.
#include <cstdio>

#include "orvane.hpp"

int main() {
  // [snippet cpp]
  orvane::Storage storage;  // owns one storage object of the linked library
  const orvane::PackedLines block({"SET=SAND-UPPER", "SCOUR=1.5", "DEPTH=-2.0", "0.0 0.0", "0.01 150", "0.05 310",
                                   "DEPTH=-6.0", "0.0 0.0", "0.02 12ABC", "*AXIAL LOAD"});
  const orvane::PYResult curves = storage.ReadPY(block.View());  // counts, sizes the arrays, reads
  for (std::size_t c = 0; c < curves.Curves(); ++c) {
    std::printf("curve %zu at depth %g:", c + 1, static_cast<double>(curves.depth[c]));
    for (std::size_t p = 0; p < curves.Points(c); ++p) {
      std::printf(" (%g, %g)", static_cast<double>(curves.Point(c, p, 0)), static_cast<double>(curves.Point(c, p, 1)));
    }
    std::printf("\n");
  }
  for (const orvane::Diagnostic& line : curves.lines.Diagnostics()) {
    std::printf("line %d: code %d %s\n", line.line, line.code, line.message.c_str());
  }
  std::printf("status %d\n", curves.lines.status);
  // [/snippet]
  return 0;
}
