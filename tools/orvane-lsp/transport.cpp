#include "transport.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>

namespace orvane::lsp {

namespace {

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lowered;
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
    // The rest of a broken message may run into the next header: that header starts afresh.
    if (const auto name = Lowered(line).find("content-length:"); name != std::string::npos && name > 0) {
      line.erase(0, name);
      usable = true;
      found = false;
    }
    const auto colon = line.find(':');
    if (colon == std::string::npos) {
      usable = false;
    } else if (Lowered(Trim(std::string_view(line).substr(0, colon))) == "content-length") {
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
    body.reserve(std::min<std::size_t>(length, buffer_.size()));  // a length alone proves nothing
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
