// Shared by the fuzzers: every buffer a host passes is placed flush against a PROT_NONE page, so
// any access past its end faults at once; the host's records are on read-only pages, so any write
// to them faults too. After each call the fuzzers check what must hold for every input.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "orvane.h"

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

// Takes the fuzz input apart: small numbers from the front, the rest as record bytes.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  // A number from lowest to highest, inclusive.
  std::int32_t Take(std::int32_t lowest, std::int32_t highest) {
    std::uint32_t raw = 0;
    for (int i = 0; i < 2 && position_ < size_; ++i) {
      raw = (raw << 8) | data_[position_++];
    }
    const auto span = static_cast<std::uint32_t>(highest - lowest) + 1;
    return lowest + static_cast<std::int32_t>(raw % span);
  }
  float TakeFloat() {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4 && position_ < size_; ++i) {
      bits = (bits << 8) | data_[position_++];
    }
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  // The rest, repeated as often as needed to fill `count` bytes.
  void FillRest(char* out, std::size_t count) const {
    const std::size_t left = size_ - std::min(position_, size_);
    for (std::size_t i = 0; i < count; ++i) {
      out[i] = left == 0 ? ' ' : static_cast<char>(data_[position_ + i % left]);
    }
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

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

// Every text a message record can hold.
inline constexpr std::string_view kMessages[] = {
    "The #INCLUDE directive is not supported by the analysis control module. Please run the analysis through the "
    "GUI. Otherwise, the following data will be be ignored: ",
    "Non-standard characters on the following line were ignored. Please check that data was read correctly by "
    "examining the input echo in the output file:",
    "Number is too large for the program.",
    "This is not a valid value. ENABLED can be either YES or NO:",
    "Only one data line is permitted under *NON-ORTHOGONAL DAMPING.",
    "No NON-ORTHOGONAL DAMPING data defined:",
    "*REFERENCE DIAMETER: Reference diameter must be strictly positive. Value ignored.",
    "Only one data line is permitted under *REFERENCE DIAMETER.",
    "No REFERENCE DIAMETER data defined:",
    "*HIGHER HARMONICS: Higher harmonics factor cannot be negative. Value ignored.",
    "*HIGHER HARMONICS: Higher harmonics threshold cannot be negative. Value ignored.",
    "Only one data line is permitted under *HIGHER HARMONICS.",
    "No HIGHER HARMONICS data defined:",
    "The number of nodes specified under *AXIAL LOAD is greater than the maximum number of axial load nodes.",
    "No AXIAL LOAD data defined:",
    "The SEED= option is not expected at this location under *WAVE-GENERAL:",
    "The OPTION= option is not expected at this location under *WAVE-GENERAL:",
    "The WAVEZONE= option is not expected at this location under *WAVE-GENERAL:",
    "The FLOAT_CONVOLUTION= option is not expected at this location under *WAVE-GENERAL:",
    "The FLOAT_RAO_FORCES= option is not expected at this location under *WAVE-GENERAL:",
    "The FLOAT_QTF_FORCES= option is not expected at this location under *WAVE-GENERAL:",
    "The ORIGIN= option is not expected at this location under *WAVE-GENERAL:",
    "The FREQUENCIES= option is not expected at this location under *WAVE-GENERAL:",
    "The FREQUENCIES=SELECTED option is valid for frequency domain analyses only:",
    "Internal selected frequency count exceeded:",
    "Invalid specification for SEED= or number is greater than 2,147,483,647.",
    "This is not a valid value. OPTION can be either SUPERPOSITION, MWL or EXTE:",
    "This is not a valid value. FLOAT_CONVOLUTION can be either YES or NO:",
    "This is not a valid value. FLOAT_RAO_FORCES can be either YES or NO:",
    "This is not a valid value. FLOAT_QTF_FORCES can be either YES or NO:",
    "The extent of the wave zone must be a positive number.",
    "Expecting selected frequencies instead of:",
    "Selected frequencies must be strictly positive:",
    "Expecting Set Name here instead of:",
    "SCOUR= already specified for this set. Input is ignored.",
    "Internal P-Y curve count exceeded:",
    "Expecting more P-Y curve data here instead of:",
    "Expecting DEPTH= or NODE= instead of:",
    "Internal P-Y curve data point count exceeded:",
    "No P-Y curves defined:",
};

// The record is blank, or one known text cut to the record or blank-padded. The threshold warning
// of *HIGHER HARMONICS is appended to what stands before it, after that text (itself cut to the
// record) has lost its trailing blanks, so such a pair counts too.
inline bool IsKnownMessage(std::string_view record) {
  const auto holds = [&record](std::string_view text) {
    const std::size_t kept = std::min(text.size(), record.size());
    return record.substr(0, kept) == text.substr(0, kept) &&
           record.find_first_not_of(' ', kept) == std::string_view::npos;
  };
  constexpr std::string_view kThreshold = kMessages[10];
  if (record.find_first_not_of(' ') == std::string_view::npos) {
    return true;
  }
  return std::any_of(std::begin(kMessages), std::end(kMessages), [&](std::string_view text) {
    std::string_view before = text.substr(0, std::min(text.size(), record.size()));
    before = before.substr(0, before.find_last_not_of(' ') + 1);
    return holds(text) || holds(std::string(before) + std::string(kThreshold));
  });
}

// A block as a host passes it: records on read-only fenced pages, per-line outputs fenced.
struct Block {
  // Takes the block's shape from the input; Fill then takes the records from what is left.
  Block(Input& input, std::int32_t maxLines)
      : lineCount(input.Take(-1, maxLines)),
        lineLength(input.Take(0, 300)),
        messageLength(input.Take(0, 250)),
        lines(Rows() * static_cast<std::size_t>(lineLength), ' '),
        messages(Rows() * static_cast<std::size_t>(messageLength), '#'),
        codes(Rows(), -99) {}

  void Fill(const Input& input) {
    input.FillRest(lines.data(), lines.size());
    lines.Freeze();
  }

  [[nodiscard]] std::size_t Rows() const { return lineCount > 0 ? static_cast<std::size_t>(lineCount) : 0; }

  // Codes and messages after a data reader: every line's code 0, 2 or 3, every message a known
  // text; with no lines nothing at all is written.
  void CheckDataOutputs(std::int32_t status) {
    Require(status == 0 || status == -1, "status is 0 or -1");
    for (std::size_t i = 0; i < Rows(); ++i) {
      Require(codes[i] == 0 || codes[i] == 2 || codes[i] == 3, "code is 0, 2 or 3");
      const std::string_view record(messages.data() + i * static_cast<std::size_t>(messageLength),
                                    static_cast<std::size_t>(messageLength));
      Require(IsKnownMessage(record), "message is a known text");
    }
  }
  // A maxes reader writes only codes 0 and 3.
  void CheckMaxesCodes() {
    for (std::size_t i = 0; i < Rows(); ++i) {
      Require(codes[i] == 0 || codes[i] == 3, "maxes code is 0 or 3");
    }
  }

  std::int32_t lineCount;
  std::int64_t lineLength;
  std::int64_t messageLength;
  Fenced<char> lines;
  Fenced<char> messages;
  Fenced<std::int32_t> codes;
  std::int32_t status = -99;
};

// A handle that names a storage object, created once.
inline std::int32_t* Handle() {
  static std::int32_t handle = CreateStorage();
  return &handle;
}

}  // namespace orvane::fuzz
