// An open document as the editor holds it: its lines, changed whole or in ranges. Positions count
// lines from 0 and characters in UTF-16 code units, as the protocol does; a line ends at "\n",
// "\r\n" or "\r".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::lsp {

struct Position {
  std::int64_t line = 0;
  std::int64_t character = 0;
};

struct Range {
  Position start;
  Position end;
};

class Document {
 public:
  Document() : lines_(1) {}
  explicit Document(std::string_view text) { Replace(text); }

  void Replace(std::string_view text);
  // Replaces the text between two positions; positions past a line's end or the last line stand for
  // that end. A range whose end comes before its start changes nothing and gives false.
  bool Change(const Range& range, std::string_view text);

  [[nodiscard]] std::size_t LineCount() const { return lines_.size(); }
  [[nodiscard]] const std::string& Line(std::size_t index) const { return lines_[index]; }
  [[nodiscard]] const std::vector<std::string>& Lines() const { return lines_; }

  // The byte offset within line `line` of a UTF-16 `character`, clamped to the line's length.
  [[nodiscard]] std::size_t ByteColumn(std::size_t line, std::int64_t character) const;
  // The UTF-16 character of byte offset `column` within line `line`.
  [[nodiscard]] std::int64_t Character(std::size_t line, std::size_t column) const;

 private:
  std::vector<std::string> lines_;
};

// The UTF-16 code units of UTF-8 text: one per character, two for those beyond the first 65,536.
std::int64_t Utf16Length(std::string_view text);

}  // namespace orvane::lsp
