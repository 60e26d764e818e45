// Reading a block allocates nothing: the readers of many-line blocks are called on realistic blocks
// and on lines that take the rarer ways through screening and number reading, and one single-line
// reader for the walk they all share, with every malloc, calloc, realloc and operator new of the
// program counted around the call.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "bench/blocks.h"
#include "bench/hosts.h"
#include "orvane.h"

#if defined(__SANITIZE_ADDRESS__)
#define ORVANE_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define ORVANE_OWN_ALLOCATOR 1
#endif
#endif

namespace {

bool counting = false;
long allocations = 0;

[[maybe_unused]] void Count() { allocations += counting ? 1 : 0; }

// Counts the allocations that `call` makes.
long AllocationsIn(const std::function<void()>& call) {
  allocations = 0;
  counting = true;
  call();
  counting = false;
  return allocations;
}

}  // namespace

// A sanitizer brings its own allocator, which these definitions would bypass.
#ifndef ORVANE_OWN_ALLOCATOR
void* operator new(std::size_t size) {
  Count();
  if (void* memory = std::malloc(size == 0 ? 1 : size)) {
    return memory;
  }
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

#if defined(__GLIBC__)
// glibc's own entry points, so that allocations made from C code and from the C++ runtime are
// counted as well.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* memory, std::size_t size);
void __libc_free(void* memory);

void* malloc(std::size_t size) noexcept {
  Count();
  return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) noexcept {
  Count();
  return __libc_calloc(count, size);
}
void* realloc(void* memory, std::size_t size) noexcept {
  Count();
  return __libc_realloc(memory, size);
}
void free(void* memory) noexcept { __libc_free(memory); }
}
#endif
#endif

namespace {

using orvane::bench::AxialHost;
using orvane::bench::PYHost;
using orvane::bench::Records;
using orvane::bench::WaveGeneralHost;

// Lines that are cleaned on a copy, numbers read the exact long way, a number too large, a
// skipped directive, null and repeated values, and words.
Records UnusualAxialLoadBlock(std::int64_t width) {
  Records records(width);
  const std::vector<std::string> lines = {"1\t2.5\t3.5\t4.5",
                                          "2 0.30000001192092896 3.4028234663852886E38 1.1754943508222875e-38",
                                          "3 1.0E39 5 6",
                                          "#INCLUDE other.inp",
                                          "4 \x01 5 6 7",
                                          "5 2*3.5 / INF",
                                          "6 1" + std::string(40, '0') + "e-40 nan -.5d-3",
                                          "C comment",
                                          "",
                                          "*END"};
  for (const std::string& line : lines) {
    records.Add(line);
  }
  return records;
}

Records OneLineBlock(const char* line) {
  Records records(80);
  records.Add(line);
  records.Add("*END");
  return records;
}

struct Call {
  const char* name;
  std::function<void()> read;
};

TEST(NoAllocation, CountingSeesAnAllocation) {
#ifdef ORVANE_OWN_ALLOCATOR
  GTEST_SKIP() << "a sanitizer's allocator is in use";
#endif
  // Through volatile pointers, which the compiler may not optimise the pairs away through.
  EXPECT_GE(AllocationsIn([] {
              int* volatile number = new int(1);
              delete number;
            }),
            1);
  EXPECT_GE(AllocationsIn([] {
              void* volatile memory = std::malloc(16);
              std::free(memory);
            }),
            1);
}

TEST(NoAllocation, ReadingExportsAllocateNothing) {
#ifdef ORVANE_OWN_ALLOCATOR
  GTEST_SKIP() << "a sanitizer's allocator is in use";
#endif
  PYHost py(orvane::bench::PYBlock(300));
  AxialHost axial(orvane::bench::AxialLoadBlock(5'000));
  AxialHost unusual(UnusualAxialLoadBlock(132));
  WaveGeneralHost wave(orvane::bench::WaveGeneralBlock(2'000));
  const Records damping = OneLineBlock("ENABLED=YES");
  const std::int32_t* handle = orvane::bench::SharedStorage().handle();
  std::vector<char> messages(2 * 163);
  std::vector<std::int32_t> codes(2);
  std::int32_t status = 0;
  std::int32_t enabled = 0;

  const Call calls[] = {
      {"ReadPYMaxes01", [&] { py.Maxes(); }},
      {"ReadPYData01", [&] { py.Data(); }},
      {"ReadAxialLoadMaxes01", [&] { axial.Maxes(); }},
      {"ReadAxialLoadData01", [&] { axial.Data(); }},
      {"ReadAxialLoadData01, unusual lines", [&] { unusual.Data(); }},
      {"ReadWaveGeneralMaxes01", [&] { wave.Maxes(); }},
      {"ReadWaveGeneralData01", [&] { wave.Data(); }},
      {"ReadNonOrthogonalDampingData01",
       [&] {
         ReadNonOrthogonalDampingData01(handle, &damping.lineCount, damping.text.data(), messages.data(), codes.data(),
                                        &status, &enabled, damping.lineLength, 163);
       }},
  };
  for (const Call& call : calls) {
    EXPECT_EQ(AllocationsIn(call.read), 0) << call.name;
  }
  // The blocks were read whole, so the calls above went all the way through them.
  EXPECT_EQ(py.Result().curveCount, py.MaxCurves());
  EXPECT_EQ(axial.Result().nodeCount, 5'000);
  EXPECT_EQ(unusual.Result().lines.Code(2), 3);  // the number too large
  EXPECT_EQ(wave.Result().selectedFrequencyCount, 2'000);
  EXPECT_EQ(enabled, 1);
}

}  // namespace
