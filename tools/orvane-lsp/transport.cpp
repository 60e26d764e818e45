#include "transport.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>

namespace orvane::lsp {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool FrameReader::Fill() {
  position_ = 0;
  end_ = source_(buffer_.data(), buffer_.size());
  return end_ > 0;
}

bool FrameReader::HeaderLine(std::string& line) {
  line.clear();
  bool any = false;
  while (position_ < end_ || Fill()) {
    any = true;
    const char* begin = buffer_.data() + position_;
    const auto available = end_ - position_;
    const auto* newline = static_cast<const char*>(std::memchr(begin, '\n', available));
    const std::size_t taken = newline != nullptr ? static_cast<std::size_t>(newline - begin) : available;
    line.append(begin, std::min(taken, kMaxHeader - std::min(line.size(), kMaxHeader)));
    position_ += taken + (newline != nullptr ? 1 : 0);
    if (newline != nullptr) {
      if (!line.empty() && line.back() == '\r') {
        line.pop_back();
      }
      return true;
    }
  }
  return any && !line.empty();
}

FrameReader::Status FrameReader::Next(std::string& body) {
  body.clear();
  std::string line;
  // Empty lines between messages are passed over; a header starts at the first line with text.
  do {
    if (!HeaderLine(line)) {
      return Status::kEnd;
    }
  } while (line.empty());
  bool usable = true;
  bool found = false;
  std::size_t length = 0;
  do {
    const auto colon = line.find(':');
    if (colon == std::string::npos) {
      usable = false;
    } else if (SameName(Trim(std::string_view(line).substr(0, colon)), "Content-Length")) {
      const std::string_view value = Trim(std::string_view(line).substr(colon + 1));
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), length);
      usable = usable && !found && error == std::errc() && end == value.data() + value.size() && !value.empty();
      found = true;
    }
    if (!HeaderLine(line)) {
      return Status::kEnd;
    }
  } while (!line.empty());
  if (!usable || !found) {
    return Status::kBadHeader;
  }
  const bool keep = length <= kMaxBody;
  if (keep) {
    body.reserve(length);
  }
  while (length > 0) {
    if (position_ == end_ && !Fill()) {
      body.clear();
      return Status::kEnd;
    }
    const std::size_t taken = std::min(length, end_ - position_);
    if (keep) {
      body.append(buffer_.data() + position_, taken);
    }
    position_ += taken;
    length -= taken;
  }
  return keep ? Status::kMessage : Status::kTooLarge;
}

std::string Frame(std::string_view body) {
  std::string framed = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  framed.append(body);
  return framed;
}

}  // namespace orvane::lsp
