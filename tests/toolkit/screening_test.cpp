#include <gtest/gtest.h>

#include <string>

#include "toolkit/dataline.h"

namespace {

using orvane::toolkit::kIncludeMessage;
using orvane::toolkit::kNonStandardMessage;
using orvane::toolkit::LineScreen;

struct ScreenCase {
  const char* name;
  std::string line;
  std::string cleaned;  // the line after screening
  int code;
  bool skip;
  std::string message;  // without its blank padding
};

TEST(LineScreen, ClassifiesAndCleansLines) {
  using namespace std::string_literals;
  const ScreenCase cases[] = {
      {"include", "#INCLUDE other.inp", "#INCLUDE other.inp", 2, true, std::string(kIncludeMessage)},
      {"lower-case include is data", "#include other.inp", "#include other.inp", 0, false, ""},
      {"short include never matches", "#INCLUD", "#INCLUD", 0, false, ""},
      {"comment C", "C anything at all \x01", "C anything at all \x01", 0, true, ""},
      {"comment c", "clay", "clay", 0, true, ""},
      {"indented C is data", " C", " C", 0, false, ""},
      {"empty line", "", "", 0, true, ""},
      {"blanks and TABs", " \t \t", " \t \t", 0, true, ""},
      {"TAB separator", "1.0\t2.0", "1.0 2.0", 0, false, ""},
      {"byte above 127", "1.0 \xB0 2.0", "1.0   2.0", 2, false, std::string(kNonStandardMessage)},
      {"control character", "1.0\x07", "1.0 ", 2, false, std::string(kNonStandardMessage)},
      {"DEL is standard", "1.0\x7F", "1.0\x7F", 0, false, ""},
      {"NUL only", "\0\0\0"s, "   ", 0, false, ""},
      {"one control byte", "\x01   ", "    ", 2, false, std::string(kNonStandardMessage)},
  };
  for (const auto& c : cases) {
    std::string line = c.line;
    std::string message(200, '#');
    int code = -7;
    bool skip = true;
    LineScreen(line, message, code, skip);
    EXPECT_EQ(line, c.cleaned) << c.name;
    EXPECT_EQ(code, c.code) << c.name;
    EXPECT_EQ(skip, c.skip) << c.name;
    EXPECT_EQ(message, c.message + std::string(200 - c.message.size(), ' ')) << c.name;
  }
}

TEST(LineScreen, MessagesHaveTheirExactLengthsAndAreCutToNarrowFields) {
  EXPECT_EQ(kIncludeMessage.size(), 163U);
  EXPECT_EQ(kNonStandardMessage.size(), 149U);
  for (const std::size_t width : {0U, 1U, 36U, 148U, 149U, 162U, 163U}) {
    std::string line = "#INCLUDE x";
    std::string field(width + 8, '#');
    int code = 0;
    bool skip = false;
    LineScreen(line, std::span<char>(field.data(), width), code, skip);
    EXPECT_EQ(field.substr(0, width), std::string(kIncludeMessage.substr(0, width))) << width;
    EXPECT_EQ(field.substr(width), std::string(8, '#')) << "written past a field of " << width;
  }
}

}  // namespace
