// Shared by the fuzzers: every buffer a host passes is placed flush against a PROT_NONE page, so
// any access past its end faults at once; the host's records are on read-only pages, so any write
// to them faults too. After each call the fuzzers check what must hold for every input.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fenced.h"
#include "orvane.hpp"
#include "toolkit/messages.h"

namespace orvane::fuzz {

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

// The record is blank, or one known text cut to the record or blank-padded. The threshold warning
// of *HIGHER HARMONICS is appended to what stands before it, after that text (itself cut to the
// record) has lost its trailing blanks, so such a pair counts too.
inline bool IsKnownMessage(std::string_view record) {
  const auto holds = [&record](std::string_view text) {
    const std::size_t kept = std::min(text.size(), record.size());
    return record.substr(0, kept) == text.substr(0, kept) &&
           record.find_first_not_of(' ', kept) == std::string_view::npos;
  };
  constexpr std::string_view kThreshold = toolkit::messages::kThresholdNegative.text;
  if (record.find_first_not_of(' ') == std::string_view::npos) {
    return true;
  }
  return std::any_of(toolkit::kCatalogue.begin(), toolkit::kCatalogue.end(), [&](const toolkit::Message* message) {
    const std::string_view text = message->text;
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

// The handle of the storage object every call goes through, created once.
inline const std::int32_t* Handle() {
  static const orvane::Storage storage;
  return storage.handle();
}

}  // namespace orvane::fuzz
