#include "source.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace orvane::check {

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

LineReader::LineReader(std::FILE* file, std::size_t width) : file_(file), width_(width), buffer_(kBufferSize) {
  kept_.reserve(kKept);
}

bool LineReader::Refill() {
  consumed_ += static_cast<std::int64_t>(end_);
  position_ = 0;
  end_ = 0;
  // A fill stops short only at the end of the file or on an error, so the first one holds the whole
  // probe: a file is known to be binary before any of its lines has been handed out.
  if (!atEnd_) {
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    if (end_ < buffer_.size()) {
      atEnd_ = true;
      if (std::ferror(file_) != 0) {
        error_ = std::strerror(errno);
      }
    }
  }
  if (consumed_ < static_cast<std::int64_t>(kBinaryProbe)) {
    const std::size_t probe = std::min(end_, kBinaryProbe - static_cast<std::size_t>(consumed_));
    if (const void* nul = std::memchr(buffer_.data(), '\0', probe); nul != nullptr) {
      binary_ = true;
      nulOffset_ = consumed_ + (static_cast<const char*>(nul) - buffer_.data());
    }
  }
  return end_ > 0 && !binary_ && error_.empty();
}

void LineReader::Append(const char* begin, const char* end) {
  const auto size = static_cast<std::size_t>(end - begin);
  if (kept_.size() < kKept) {
    kept_.append(begin, std::min(size, kKept - kept_.size()));
  }
  // Counts the bytes past the record width that carry something.
  if (length_ + size > width_) {
    const std::size_t skip = length_ >= width_ ? 0 : width_ - length_;
    cut_ += static_cast<std::size_t>(std::count_if(begin + skip, end, [](char c) { return !IsBlank(c); }));
  }
  length_ += size;
  // CRs are rare: memchr skips to each one.
  for (const char* at = begin;
       (at = static_cast<const char*>(std::memchr(at, '\r', static_cast<std::size_t>(end - at)))) != nullptr; ++at) {
    ++carriageReturns_;
  }
  if (size > 0) {
    last_ = end[-1];
  }
}

bool LineReader::Next(SourceLine& line) {
  if (binary_ || !error_.empty()) {
    return false;
  }
  kept_.clear();
  length_ = 0;
  cut_ = 0;
  last_ = '\0';
  carriageReturns_ = 0;
  bool started = false;
  bool ended = false;
  while (!ended) {
    if (position_ == end_ && !Refill()) {
      break;
    }
    started = true;
    const char* begin = buffer_.data() + position_;
    const char* stop = buffer_.data() + end_;
    const auto* newline = static_cast<const char*>(std::memchr(begin, '\n', static_cast<std::size_t>(stop - begin)));
    Append(begin, newline != nullptr ? newline : stop);
    position_ = static_cast<std::size_t>((newline != nullptr ? newline + 1 : stop) - buffer_.data());
    ended = newline != nullptr;
  }
  if (!started || binary_ || !error_.empty()) {
    return false;
  }
  line.crlf = ended && length_ > 0 && last_ == '\r';
  if (line.crlf) {
    if (length_ <= kept_.size()) {
      kept_.pop_back();
    }
    --length_;
    if (length_ >= width_) {
      --cut_;  // the CR itself was counted as cut
    }
  }
  line.number = ++number_;
  line.text = kept_;
  line.length = length_;
  line.cutNonBlank = cut_;
  line.strayCarriageReturn = carriageReturns_ > (line.crlf ? 1U : 0U);
  return true;
}

SourceLine WholeLine(std::int64_t number, std::string_view text, std::size_t width) {
  SourceLine line;
  line.number = number;
  line.text = text.substr(0, LineReader::kKept);
  line.length = text.size();
  if (text.size() > width) {
    line.cutNonBlank = static_cast<std::size_t>(std::count_if(text.begin() + static_cast<std::ptrdiff_t>(width),
                                                              text.end(), [](char c) { return !IsBlank(c); }));
  }
  line.strayCarriageReturn = text.find('\r') != std::string_view::npos;
  return line;
}

std::FILE* OpenInput(const std::string& path, std::string& reason) {
  if (path == "-") {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);  // CR LF reaches the reader as it does on other systems
#endif
    return stdin;
  }
  std::error_code failure;
  if (std::filesystem::is_directory(path, failure)) {
    reason = "is a directory";
    return nullptr;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    reason = std::strerror(errno);
  }
  return file;
}

}  // namespace orvane::check
