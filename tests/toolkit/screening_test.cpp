#include "toolkit/screening.h"

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

// The walk's screening of a record, decided in line from the record's first sixty-four bytes or
// from its last non-blank one, agrees with the full classification whatever the record's width,
// where its text starts and ends, and where a byte that is not standard stands, if any.
TEST(LineScreen, TheWalksScreeningAgreesWithTheFullOne) {
  using orvane::toolkit::ClassifyLine;
  using orvane::toolkit::ClassifyRecord;
  const std::size_t places[] = {0, 1, 15, 16, 17, 31, 32, 47, 48, 63, 64, 65, 71, 79, 80, 95, 96, 129};
  int compared = 0;
  for (const std::size_t width : {1, 16, 17, 32, 63, 64, 65, 72, 79, 80, 81, 96, 130}) {
    for (const std::size_t first : places) {
      for (const std::size_t end : places) {
        for (const std::size_t odd : places) {
          if (first >= end || end > width || odd > width) {
            continue;
          }
          std::string record(width, ' ');
          record.replace(first, end - first, end - first, '7');
          if (odd < width) {  // width: none
            record[odd] = odd % 2 == 0 ? '\x01' : '\xB0';
          }
          std::string fullMessage(20, '#');
          std::string walkMessage(20, '#');
          std::int32_t fullCode = -7;
          std::int32_t walkCode = -7;
          const auto full = ClassifyLine(record, fullMessage, fullCode);
          const auto walk = ClassifyRecord(record, walkMessage, walkCode);
          ASSERT_EQ(walk.state, full.state) << width << " " << first << " " << end << " " << odd;
          ASSERT_EQ(walk.first, full.first) << width << " " << first << " " << end << " " << odd;
          ASSERT_EQ(walk.length, full.length) << width << " " << first << " " << end << " " << odd;
          ASSERT_EQ(walkCode, fullCode);
          ASSERT_EQ(walkMessage, fullMessage);
          ++compared;
        }
      }
    }
  }
  EXPECT_GE(compared, 10'000);
}

}  // namespace
