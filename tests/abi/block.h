// A block as a host lays it out for the exports: its records and every per-line output, each in a
// page-fenced buffer, so that a write past any array faults at once; the records are read-only, so
// that a write to the host's input faults too. Outputs are preset to bytes no reader writes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "abi/library.h"
#include "fuzz/fenced.h"

namespace orvane::test {

using fuzz::Fenced;

const std::string kTooLarge = "Number is too large for the program.";
const std::string kInclude =
    "The #INCLUDE directive is not supported by the analysis control module. Please run the analysis through the "
    "GUI. Otherwise, the following data will be be ignored: ";
const std::string kNonStandard =
    "Non-standard characters on the following line were ignored. Please check that data was read correctly by "
    "examining the input echo in the output file:";

// The code and message of one line (from 1); a line no note names has code 0 and a blank message.
struct Note {
  std::int32_t line;
  std::int32_t code;
  std::string message;
};
using Notes = std::vector<Note>;

inline std::size_t Size(std::int64_t n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }

class Block {
 public:
  explicit Block(const std::vector<std::string>& lines, std::int64_t recordWidth = 80,
                 std::int64_t messageLength = ORVANE_MESSAGE_LENGTH)
      : count(static_cast<std::int32_t>(lines.size())),
        width(recordWidth),
        messageWidth(messageLength),
        records(lines.size() * Size(width), ' '),
        messages(lines.size() * Size(messageWidth), '#'),
        codes(lines.size(), -99) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      std::memcpy(records.data() + i * Size(width), lines[i].data(), std::min(lines[i].size(), Size(width)));
    }
    records.Freeze();
  }

  std::string Message(std::int32_t line) {
    return {messages.data() + static_cast<std::size_t>(line - 1) * Size(messageWidth), Size(messageWidth)};
  }
  std::int32_t Code(std::int32_t line) { return codes[static_cast<std::size_t>(line - 1)]; }

  // Every line's code and, unless only the codes were written (a maxes reader), its message, cut
  // to the message width.
  void Expect(const Notes& notes, bool withMessages = true) {
    for (std::int32_t n = 1; n <= count; ++n) {
      const auto note = std::find_if(notes.begin(), notes.end(), [n](const Note& x) { return x.line == n; });
      EXPECT_EQ(Code(n), note == notes.end() ? 0 : note->code) << "code of line " << n;
      std::string text = note == notes.end() ? "" : note->message.substr(0, Size(messageWidth));
      text.resize(Size(messageWidth), ' ');
      if (withMessages) {
        EXPECT_EQ(Message(n), text) << "message of line " << n;
      }
    }
  }

  std::int32_t count;
  std::int64_t width;
  std::int64_t messageWidth;
  Fenced<char> records;
  Fenced<char> messages;
  Fenced<std::int32_t> codes;
  std::int32_t status = -99;
};

// A storage object of the loaded library, for the length of one test.
struct Opened : Storage {
  Opened() : Storage(Library::Get()) {}

  // A data reader: the handle, the block's inputs and per-line outputs, `values`, the two widths.
  template <class Reader, class... Values>
  void Read(Reader Api::*reader, Block& b, Values... values) const {
    Call(reader, &b.count, b.records.data(), b.messages.data(), b.codes.data(), &b.status, values..., b.width,
         b.messageWidth);
  }
  // A maxes reader: the handle, the block's inputs and codes, `counts`, the record width.
  template <class Reader, class... Counts>
  void Count(Reader Api::*reader, Block& b, Counts... counts) const {
    Call(reader, &b.count, b.records.data(), b.codes.data(), counts..., b.width);
  }
};

}  // namespace orvane::test
