// Caller-side buffers as a host lays them out, each followed by guard bytes, so that a write past
// the end of any array (or into the host's input records) is caught.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "abi/library.h"

namespace orvane::test {

inline constexpr std::size_t kGuardBytes = 64;
inline constexpr unsigned char kGuardByte = 0xA5;

// `count` elements of T, all set to `fill`, followed by guard bytes.
template <class T>
class Guarded {
 public:
  explicit Guarded(std::size_t count, T fill = T{})
      : count_(count), storage_(count * sizeof(T) + kGuardBytes, kGuardByte) {
    for (std::size_t i = 0; i < count; ++i) {
      (*this)[i] = fill;
    }
  }
  T* data() { return reinterpret_cast<T*>(storage_.data()); }
  const T* data() const { return reinterpret_cast<const T*>(storage_.data()); }
  T& operator[](std::size_t i) { return data()[i]; }
  const T& operator[](std::size_t i) const { return data()[i]; }
  [[nodiscard]] std::size_t size() const { return count_; }
  [[nodiscard]] bool GuardsIntact() const {
    return std::all_of(storage_.begin() + static_cast<std::ptrdiff_t>(count_ * sizeof(T)), storage_.end(),
                       [](unsigned char b) { return b == kGuardByte; });
  }

 private:
  std::size_t count_;
  std::vector<unsigned char> storage_;
};

// A block's records, blank-padded to `width` (longer texts are cut), and every per-line output of a
// data reader, preset to bytes no reader writes so that untouched places show.
class Block {
 public:
  Block(std::initializer_list<std::string> lines, std::int64_t width = 80, std::int64_t messageWidth = 163)
      : Block(std::vector<std::string>(lines), width, messageWidth) {}
  Block(const std::vector<std::string>& lines, std::int64_t width = 80, std::int64_t messageWidth = 163)
      : lineCount(static_cast<std::int32_t>(lines.size())),
        lineLength(width),
        messageLength(messageWidth),
        records(lines.size() * static_cast<std::size_t>(width), ' '),
        messages(lines.size() * static_cast<std::size_t>(messageWidth), '#'),
        codes(lines.size(), -99) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::size_t kept = std::min(lines[i].size(), static_cast<std::size_t>(width));
      std::memcpy(records.data() + i * static_cast<std::size_t>(width), lines[i].data(), kept);
    }
    original_.assign(records.data(), records.data() + records.size());
  }

  // The message of line `number` (1-based), its whole record.
  [[nodiscard]] std::string Message(std::int32_t number) const {
    const auto width = static_cast<std::size_t>(messageLength);
    return {messages.data() + static_cast<std::size_t>(number - 1) * width, width};
  }
  // `text` as it must stand in a message record: cut to the width or blank-padded.
  [[nodiscard]] std::string Padded(std::string_view text) const {
    std::string record(text.substr(0, std::min(text.size(), static_cast<std::size_t>(messageLength))));
    record.resize(static_cast<std::size_t>(messageLength), ' ');
    return record;
  }
  [[nodiscard]] std::int32_t Code(std::int32_t number) const { return codes[static_cast<std::size_t>(number - 1)]; }

  // Every line has the expected code and message (an empty text means a blank message).
  void ExpectLines(const std::vector<std::pair<std::int32_t, std::string>>& expected) const {
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(lineCount));
    for (std::int32_t n = 1; n <= lineCount; ++n) {
      const auto& [code, text] = expected[static_cast<std::size_t>(n - 1)];
      EXPECT_EQ(Code(n), code) << "code of line " << n;
      EXPECT_EQ(Message(n), Padded(text)) << "message of line " << n;
    }
  }

  // Nothing was written past any array, and the host's records are unchanged.
  void ExpectIntact() const {
    EXPECT_TRUE(records.GuardsIntact()) << "written past the records";
    EXPECT_TRUE(messages.GuardsIntact()) << "written past the messages";
    EXPECT_TRUE(codes.GuardsIntact()) << "written past the codes";
    EXPECT_TRUE(std::equal(original_.begin(), original_.end(), records.data())) << "the host's records changed";
  }

  std::int32_t lineCount;
  std::int64_t lineLength;
  std::int64_t messageLength;
  Guarded<char> records;
  Guarded<char> messages;
  Guarded<std::int32_t> codes;
  std::int32_t status = -99;

 private:
  std::vector<char> original_;
};

// A storage object for the length of one test.
class Storage {
 public:
  Storage() : handle(Library::Get().CreateStorage()) {}
  ~Storage() { Library::Get().DeleteStorage(&handle); }
  Storage(const Storage&) = delete;
  Storage& operator=(const Storage&) = delete;
  std::int32_t handle;
};

}  // namespace orvane::test
