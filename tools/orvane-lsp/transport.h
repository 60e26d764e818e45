// The Language Server Protocol's framing over a byte stream: a header of "Name: value" lines ended by
// an empty line, whose Content-Length gives the size of the JSON body that follows. Nothing here
// knows JSON; a header that cannot be used is passed over so that the next message still arrives.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace orvane::lsp {

// Reads up to `size` bytes into `buffer`; returns how many, 0 at the end of the stream.
using ByteSource = std::function<std::size_t(char* buffer, std::size_t size)>;

class FrameReader {
 public:
  static constexpr std::size_t kMaxHeader = std::size_t{1} << 16;  // past this a header is garbage
  static constexpr std::size_t kMaxBody = std::size_t{1} << 28;    // a document of several million lines

  enum class Status {
    kMessage,    // `body` holds one message
    kBadHeader,  // a header without a usable Content-Length, passed over up to its empty line
    kTooLarge,   // a body over kMaxBody, read and dropped
    kEnd,        // the stream ended (a message cut short by the end is dropped)
  };

  explicit FrameReader(ByteSource source) : source_(std::move(source)) {}

  Status Next(std::string& body);

 private:
  bool Fill();
  // Reads one header line, without its line end, cut to kMaxHeader; false at the end of the stream.
  bool HeaderLine(std::string& line);

  ByteSource source_;
  std::array<char, 1 << 16> buffer_{};
  std::size_t position_ = 0;
  std::size_t end_ = 0;
};

// The message framed for sending.
std::string Frame(std::string_view body);

}  // namespace orvane::lsp
