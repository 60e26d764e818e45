#include "region.h"

#ifdef __linux__
#include <sys/mman.h>
#else
#include <cstdlib>
#include <cstring>
#endif

#include <algorithm>
#include <new>

namespace orvane::check {

namespace {

constexpr std::size_t kGrain = std::size_t{2} << 20;  // one huge page

}  // namespace

#ifdef __linux__

Region::~Region() {
  if (base_ != nullptr) {
    munmap(base_, capacity_);
  }
}

#else

Region::~Region() { std::free(base_); }

#endif

void Region::Reserve(std::size_t bytes) {
  if (bytes <= capacity_) {
    return;
  }
  const std::size_t wanted = (std::max(bytes, 2 * capacity_) + kGrain - 1) / kGrain * kGrain;
#ifdef __linux__
  void* grown = base_ == nullptr ? mmap(nullptr, wanted, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                                 : mremap(base_, capacity_, wanted, MREMAP_MAYMOVE);
  if (grown == MAP_FAILED) {
    throw std::bad_alloc();
  }
  madvise(grown, wanted, MADV_HUGEPAGE);  // only advice: without huge pages all still works
#else
  // Elsewhere the C library's allocator grows the block, and the new room is cleared by hand.
  void* grown = std::realloc(base_, wanted);
  if (grown == nullptr) {
    throw std::bad_alloc();
  }
  std::memset(static_cast<char*>(grown) + capacity_, 0, wanted - capacity_);
#endif
  base_ = static_cast<char*>(grown);
  capacity_ = wanted;
}

}  // namespace orvane::check
