// Memory for the per-line arrays of one block, which run to hundreds of megabytes for a block of
// millions of lines. On Linux: a mapping of its own that grows by moving the mapping rather than
// copying its contents, and that asks for huge pages, so that first use costs few page faults.
#pragma once

#include <cstddef>

namespace orvane::check {

class Region {
 public:
  Region() = default;
  ~Region();
  Region(const Region&) = delete;
  Region& operator=(const Region&) = delete;

  // Makes room for at least `bytes` bytes, keeping the contents; throws std::bad_alloc. New room is
  // zero until written.
  void Reserve(std::size_t bytes);

  [[nodiscard]] char* data() const { return base_; }
  [[nodiscard]] std::size_t capacity() const { return capacity_; }

 private:
  char* base_ = nullptr;
  std::size_t capacity_ = 0;
};

}  // namespace orvane::check
