#include "region.h"

#include <sys/mman.h>

#include <algorithm>
#include <new>

namespace orvane::check {

namespace {

constexpr std::size_t kGrain = std::size_t{2} << 20;  // one huge page

}  // namespace

Region::~Region() {
  if (base_ != nullptr) {
    munmap(base_, capacity_);
  }
}

void Region::Reserve(std::size_t bytes) {
  if (bytes <= capacity_) {
    return;
  }
  const std::size_t wanted = (std::max(bytes, 2 * capacity_) + kGrain - 1) / kGrain * kGrain;
  void* grown = base_ == nullptr ? mmap(nullptr, wanted, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                                 : mremap(base_, capacity_, wanted, MREMAP_MAYMOVE);
  if (grown == MAP_FAILED) {
    throw std::bad_alloc();
  }
  madvise(grown, wanted, MADV_HUGEPAGE);  // only advice: without huge pages all still works
  base_ = static_cast<char*>(grown);
  capacity_ = wanted;
}

}  // namespace orvane::check
