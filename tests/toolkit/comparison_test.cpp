#include <gtest/gtest.h>

#include <string>

#include "toolkit/dataline.h"

namespace {

using orvane::toolkit::EqualsIgnoreCase;
using orvane::toolkit::StartsWithIgnoreCase;

struct ComparisonCase {
  std::string a;
  std::string b;
  bool equal;
};

TEST(EqualsIgnoreCase, FoldsOnlyAsciiCapitalsAndIgnoresTrailingBlanks) {
  const ComparisonCase cases[] = {
      {"yes", "YES", true},    {"Yes", "YES", true}, {"NO ", "NO", true},
      {" NO", "NO", false},    {"   ", "", true},    {"", "  ", true},
      {"", "", true},          {"NOT", "NO", false}, {"\xC9", "\xE9", false},
      {"\xC9", "\xC9", true},  {"[", "{", false},    {"@", "`", false},
      {"Z", "z", true},        {"A", "a", true},     {"FREQUENCIES=selected", "FREQUENCIES=SELECTED", true},
      {"YES\t", "YES", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EqualsIgnoreCase(c.a, c.b), c.equal) << '"' << c.a << "\" vs \"" << c.b << '"';
    EXPECT_EQ(EqualsIgnoreCase(c.b, c.a), c.equal) << "reversed: \"" << c.a << "\" vs \"" << c.b << '"';
  }
}

TEST(StartsWithIgnoreCase, ComparesTheLeadingViewBlankPadded) {
  EXPECT_TRUE(StartsWithIgnoreCase("depth=10.0", "DEPTH="));
  EXPECT_TRUE(StartsWithIgnoreCase("SETTINGS", "SET"));
  EXPECT_FALSE(StartsWithIgnoreCase("SE", "SET"));
  EXPECT_TRUE(StartsWithIgnoreCase("NO", "NO "));
  EXPECT_FALSE(StartsWithIgnoreCase(" SET=A", "SET="));
}

}  // namespace
