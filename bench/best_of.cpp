// The P-Y and *AXIAL LOAD blocks read as a host reads them, maxes then data, many times over: the
// best time of each, in ns a record. It loads the shared library, so that two builds of it can be
// told apart on a noisy machine by running this against each in turn, several rounds:
//   LD_LIBRARY_PATH=<build A> <build>/bench/orvane_best_of
//   LD_LIBRARY_PATH=<build B> <build>/bench/orvane_best_of
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "hosts.h"

namespace {

using namespace orvane::bench;

template <class Host>
double BestNanosecondsPerRecord(Host& host, int passes) {
  double best = 1e300;
  for (int pass = 0; pass < passes; ++pass) {
    const auto start = std::chrono::steady_clock::now();
    host.Maxes();
    host.Data();
    const std::chrono::duration<double, std::nano> taken = std::chrono::steady_clock::now() - start;
    best = std::min(best, taken.count());
  }
  return best / host.block.lineCount;
}

}  // namespace

int main(int argc, char** argv) {
  const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  PYHost py(PYBlock(INT32_MAX, 1'000'000));
  AxialHost axial(AxialLoadBlock(250'000));
  std::printf("P-Y %.2f ns a record, *AXIAL LOAD %.2f ns a record (best of %d)\n", BestNanosecondsPerRecord(py, passes),
              BestNanosecondsPerRecord(axial, passes), passes);
  return 0;
}
