#include "source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace orvane::check {

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

LineReader::LineReader(int descriptor, std::size_t width)
    : descriptor_(descriptor), width_(width), buffer_(kBufferSize) {
  kept_.reserve(kKept);
}

bool LineReader::Refill() {
  consumed_ += static_cast<std::int64_t>(end_);
  position_ = 0;
  end_ = 0;
  // The first fill waits for the whole probe, so that a file is known to be binary before any of its
  // lines has been handed out, even from a pipe that delivers a few bytes at a time.
  const std::size_t wanted = consumed_ == 0 ? kBinaryProbe : 1;
  while (end_ < wanted && !atEnd_) {
    const ssize_t got = read(descriptor_, buffer_.data() + end_, buffer_.size() - end_);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      error_ = std::strerror(errno);
      atEnd_ = true;
      break;
    }
    if (got == 0) {
      atEnd_ = true;
    }
    end_ += static_cast<std::size_t>(got);
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
  carriageReturns_ += static_cast<std::size_t>(std::count(begin, end, '\r'));
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

int OpenInput(const std::string& path, std::string& reason) {
  if (path == "-") {
    return STDIN_FILENO;
  }
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    reason = std::strerror(errno);
    return -1;
  }
  struct stat info {};
  if (fstat(descriptor, &info) == 0 && S_ISDIR(info.st_mode)) {
    close(descriptor);
    reason = "is a directory";
    return -1;
  }
  return descriptor;
}

}  // namespace orvane::check
