// Caller-side buffers as a host lays them out, each placed flush against a PROT_NONE page, so that
// any access past its end faults at once; Freeze makes a buffer read-only, so that any write to
// it faults too. Shared by the fuzzers and the tests of the exports.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

namespace orvane::fuzz {

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "broken invariant: %s\n", what);
  std::abort();
}

inline void Require(bool holds, const char* what) {
  if (!holds) {
    Fail(what);
  }
}

// `count` elements of T whose last one ends exactly where a PROT_NONE page begins.
template <class T>
class Fenced {
 public:
  explicit Fenced(std::size_t count, T fill = T{}) : count_(count) {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t bytes = count * sizeof(T);
    const std::size_t pages = (bytes + page - 1) / page;
    mappedSize_ = (pages + 1) * page;
    void* mapped = mmap(nullptr, mappedSize_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    Require(mapped != MAP_FAILED, "mmap");
    mapped_ = static_cast<char*>(mapped);
    Require(mprotect(mapped_ + pages * page, page, PROT_NONE) == 0, "mprotect");
    data_ = reinterpret_cast<T*>(mapped_ + pages * page - bytes);
    std::fill_n(data_, count, fill);
  }
  ~Fenced() { munmap(mapped_, mappedSize_); }
  Fenced(const Fenced&) = delete;
  Fenced& operator=(const Fenced&) = delete;

  // Makes the elements read-only: a write to them faults.
  void Freeze() {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    Require(mprotect(mapped_, mappedSize_ - page, PROT_READ) == 0, "mprotect");
  }

  T* data() { return data_; }
  T& operator[](std::size_t i) { return data_[i]; }
  [[nodiscard]] std::size_t size() const { return count_; }

 private:
  std::size_t count_;
  std::size_t mappedSize_ = 0;
  char* mapped_ = nullptr;
  T* data_ = nullptr;
};

}  // namespace orvane::fuzz
