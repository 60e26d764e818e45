// Reading an input file line by line without holding more than the current line: lines of any
// length, LF or CR LF endings, a last line without an end, and files that are not text at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::check {

struct SourceLine {
  std::int64_t number = 0;           // from 1
  std::string_view text;             // the line's first LineReader::kKept bytes, without its end of line
  std::size_t length = 0;            // the whole line's length, without its end of line
  std::size_t cutNonBlank = 0;       // how many bytes past the record width are neither blank nor TAB
  bool crlf = false;                 // the line ended with CR LF; the CR is in neither text nor length
  bool strayCarriageReturn = false;  // a CR that is not part of a CR LF line end, such as a CR alone
};

class LineReader {
 public:
  static constexpr std::size_t kKept = 512;          // enough to show any line a person would write
  static constexpr std::size_t kBinaryProbe = 8192;  // a NUL byte this early means the file is not text

  // Reads from an open file, which it does not close. `width` is the record width: bytes past it are
  // counted in SourceLine::cutNonBlank.
  LineReader(std::FILE* file, std::size_t width);

  // The next line; false at the end of the file, on a read error and for a binary file.
  bool Next(SourceLine& line);

  [[nodiscard]] bool Binary() const { return binary_; }
  [[nodiscard]] std::int64_t NulOffset() const { return nulOffset_; }
  // The reason reading failed, empty when it did not.
  [[nodiscard]] const std::string& Error() const { return error_; }
  [[nodiscard]] std::int64_t LinesRead() const { return number_; }

 private:
  bool Refill();
  void Append(const char* begin, const char* end);

  std::FILE* file_;
  std::size_t width_;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
  std::size_t end_ = 0;
  std::int64_t consumed_ = 0;  // bytes read before the buffer's first
  bool atEnd_ = false;
  bool binary_ = false;
  std::int64_t nulOffset_ = -1;
  std::string error_;

  std::int64_t number_ = 0;
  std::string kept_;
  std::size_t length_ = 0;
  std::size_t cut_ = 0;
  char last_ = '\0';
  std::size_t carriageReturns_ = 0;
};

// A line held whole in memory, without its line end, as LineReader would hand it out.
SourceLine WholeLine(std::int64_t number, std::string_view text, std::size_t width);

// Opens `path` for reading its bytes as they are ("-" is standard input). Returns the file, or null
// with `reason` set: the system's reason, or "is a directory".
std::FILE* OpenInput(const std::string& path, std::string& reason);

}  // namespace orvane::check
