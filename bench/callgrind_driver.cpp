// Runs one reader, or one yardstick, once on a block of a given size, inside a function that
// callgrind can be told to count alone (bench/callgrind.sh does):
//   orvane_callgrind_driver py-data 20000
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "baselines.h"
#include "hosts.h"

namespace {

using namespace orvane::bench;

// The one function whose instructions are counted.
extern "C" __attribute__((noinline)) void orvane_measured(const std::function<void()>& pass) { pass(); }

int Run(const std::string& reader, std::int32_t records) {
  const auto run = [](const std::function<void()>& pass) { orvane_measured(pass); };
  if (reader.starts_with("py-")) {
    PYHost host(PYBlock(INT32_MAX, records));
    if (reader == "py-maxes") {
      run([&] { host.Maxes(); });
    } else if (reader == "py-data") {
      run([&] { host.Data(); });
    } else if (reader == "py-from-chars") {
      run([&] {
        FromCharsPYMaxes(host.block);
        FromCharsPYData(host.block, host.messages.data(), kMessageLength);
      });
#ifdef ORVANE_BENCH_FORTRAN
    } else if (reader == "py-list-directed") {
      run([&] { ListDirectedPY(host.block, host.messages.data(), kMessageLength); });
#endif
    } else {
      return 2;
    }
    std::printf("%d\n", host.block.lineCount);
    return 0;
  }
  if (reader.starts_with("axial-")) {
    AxialHost host(AxialLoadBlock(records - records / 1000 - 1));
    if (reader == "axial-maxes") {
      run([&] { host.Maxes(); });
    } else if (reader == "axial-data") {
      run([&] { host.Data(); });
    } else if (reader == "axial-from-chars") {
      run([&] {
        FromCharsAxialMaxes(host.block);
        FromCharsAxialData(host.block, host.messages.data(), kMessageLength);
      });
#ifdef ORVANE_BENCH_FORTRAN
    } else if (reader == "axial-list-directed") {
      run([&] { ListDirectedAxial(host.block, host.messages.data(), kMessageLength); });
#endif
    } else {
      return 2;
    }
    std::printf("%d\n", host.block.lineCount);
    return 0;
  }
  WaveGeneralHost host(WaveGeneralBlock(records - 9));
  if (reader == "wave-maxes") {
    run([&] { host.Maxes(); });
  } else if (reader == "wave-data") {
    run([&] { host.Data(); });
  } else {
    return 2;
  }
  std::printf("%d\n", host.block.lineCount);
  return 0;
}

}  // namespace

// Prints the number of records of the block it read.
int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s READER RECORDS\n", argv[0]);
    return 2;
  }
  const int status = Run(argv[1], static_cast<std::int32_t>(std::atoi(argv[2])));
  if (status == 2) {
    std::fprintf(stderr, "%s: no reader named %s\n", argv[0], argv[1]);
  }
  return status;
}
