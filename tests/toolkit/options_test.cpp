#include <gtest/gtest.h>

#include <string>

#include "toolkit/dataline.h"

namespace {

struct OptionCase {
  std::string line;
  char key;
  int maxLength;
  std::size_t width;
  std::string value;  // the whole value field, blank-padded
};

TEST(ExtractOptionValue, FindsTheValueAfterTheKeyLetter) {
  const OptionCase cases[] = {
      {"ENABLED= YES", 'D', 3, 3, "YES"},
      {"ENABLED=,, YES", 'D', 3, 3, "YES"},
      {"ENABLED=YES:more text", 'D', 3, 3, "YES"},
      {"ENABLED=YESNO", 'D', 3, 3, "YES"},
      {"ENABLED=yes", 'D', 3, 3, "yes"},
      {"ENABLED=Y,ES", 'D', 3, 3, "Y  "},
      {"SPEED=5 ENABLED=NO", 'D', 3, 3, "5  "},  // the first D= wins
      {"enabled=yes", 'D', 3, 3, "   "},         // case-sensitive key
      {"ENABLED =YES", 'D', 3, 3, "   "},        // blank before "="
      {"ENABLED=", 'D', 3, 3, "   "},            // "=" in the last column is never found
      {"D=1", 'D', 3, 3, "1  "},
      {"", 'D', 3, 3, "   "},
      {"  ,ABC DEF", ' ', 3, 3, "ABC"},  // blank key: from column 1
      {"OPTION=SUPERPOSITION", 'N', 20, 20, "SUPERPOSITION       "},
      {"OPTION=SUPERPOSITIONSUPERPOSITION", 'N', 20, 20, "SUPERPOSITIONSUPERPO"},
      {"OPTION=MWL", 'N', 0, 5, "     "},  // nothing is copied for maxLength 0
      {"OPTION=MWL", 'N', -3, 5, "     "},
      {"SET=SAND1", 'T', 8, 4, "SAND"},  // never beyond the value field
      {"A=   ", 'A', 3, 3, "   "},
  };
  for (const auto& c : cases) {
    std::string value(c.width, '#');
    orvane::toolkit::ExtractOptionValue(c.line, c.key, value, c.maxLength);
    EXPECT_EQ(value, c.value) << "line \"" << c.line << "\" key '" << c.key << "'";
  }
}

}  // namespace
