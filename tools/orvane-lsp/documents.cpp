#include "documents.h"

#include <algorithm>

namespace orvane::lsp {

namespace {

// The text split at every line end; always at least one line.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || text[i] == '\r') {
      lines.emplace_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
        ++i;
      }
      start = i + 1;
    }
  }
  lines.emplace_back(text.substr(start));
  return lines;
}

// Bytes of a UTF-8 sequence by its first byte; a stray continuation byte counts alone.
std::size_t SequenceLength(unsigned char lead) { return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1; }

}  // namespace

std::int64_t Utf16Length(std::string_view text) {
  std::int64_t units = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = SequenceLength(static_cast<unsigned char>(text[i]));
    units += length == 4 ? 2 : 1;
    i += length;
  }
  return units;
}

void Document::Replace(std::string_view text) { lines_ = SplitLines(text); }

std::size_t Document::ByteColumn(std::size_t line, std::int64_t character) const {
  const std::string& text = lines_[line];
  std::size_t i = 0;
  for (std::int64_t units = 0; i < text.size() && units < character;) {
    const std::size_t length = SequenceLength(static_cast<unsigned char>(text[i]));
    units += length == 4 ? 2 : 1;
    i += length;
  }
  return std::min(i, text.size());
}

std::int64_t Document::Character(std::size_t line, std::size_t column) const {
  const std::string& text = lines_[line];
  return Utf16Length(std::string_view(text).substr(0, std::min(column, text.size())));
}

bool Document::Change(const Range& range, std::string_view text) {
  const auto last = static_cast<std::int64_t>(lines_.size()) - 1;
  const auto place = [&](const Position& p) {
    if (p.line > last) {
      return std::pair<std::size_t, std::size_t>{lines_.size() - 1, lines_.back().size()};
    }
    const auto line = static_cast<std::size_t>(std::max<std::int64_t>(p.line, 0));
    return std::pair<std::size_t, std::size_t>{line, ByteColumn(line, p.character)};
  };
  const auto [startLine, startColumn] = place(range.start);
  const auto [endLine, endColumn] = place(range.end);
  if (endLine < startLine || (endLine == startLine && endColumn < startColumn)) {
    return false;
  }
  std::vector<std::string> inserted = SplitLines(text);
  inserted.front().insert(0, lines_[startLine], 0, startColumn);
  inserted.back().append(lines_[endLine], endColumn);
  const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(startLine);
  const auto removed = static_cast<std::ptrdiff_t>(endLine - startLine + 1);
  // Lines are moved, never copied, whichever way the count changes.
  const auto common = std::min<std::ptrdiff_t>(removed, static_cast<std::ptrdiff_t>(inserted.size()));
  std::move(inserted.begin(), inserted.begin() + common, first);
  if (removed > common) {
    lines_.erase(first + common, first + removed);
  } else {
    lines_.insert(first + common, std::make_move_iterator(inserted.begin() + common),
                  std::make_move_iterator(inserted.end()));
  }
  return true;
}

}  // namespace orvane::lsp
