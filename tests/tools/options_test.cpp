// The command line: what each option sets, and where files and options part.
#include "options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane::check {
namespace {

TEST(Options, EachOptionSetsItsOwnField) {
  const struct {
    std::vector<std::string> arguments;
    Format format;
    bool allValues, timeDomain;
    std::string html;
    Colour colour;
    std::vector<std::pair<std::string, std::string>> maps;
    std::vector<std::string> files;
  } cases[] = {
      {{"a.inp"}, Format::kText, false, false, "", Colour::kAuto, {}, {"a.inp"}},
      {{"--json", "--values", "a", "--time-domain", "b"}, Format::kJson, true, true, "", Colour::kAuto, {}, {"a", "b"}},
      {{"--format=github", "--json", "--format", "json", "a"},
       Format::kJson,
       false,
       false,
       "",
       Colour::kAuto,
       {},
       {"a"}},
      {{"--format=sarif", "--format=text", "a"}, Format::kText, false, false, "", Colour::kAuto, {}, {"a"}},
      {{"--html", "r.html", "a", "--html=s.html"}, Format::kText, false, false, "s.html", Colour::kAuto, {}, {"a"}},
      {{"--map=A B=AXIAL LOAD", "a"}, Format::kText, false, false, "", Colour::kAuto, {{"A B", "AXIAL LOAD"}}, {"a"}},
      {{"--color", "a"}, Format::kText, false, false, "", Colour::kAlways, {}, {"a"}},
      {{"--colour=never", "--color=auto", "a"}, Format::kText, false, false, "", Colour::kAuto, {}, {"a"}},
      {{"-", "--", "--json", "-x"}, Format::kText, false, false, "", Colour::kAuto, {}, {"-", "--json", "-x"}},
  };
  for (const auto& c : cases) {
    Options options;
    std::string error;
    ASSERT_TRUE(ParseOptions(c.arguments, options, error)) << error;
    EXPECT_EQ(options.format, c.format);
    EXPECT_EQ(options.allValues, c.allValues);
    EXPECT_EQ(options.timeDomain, c.timeDomain);
    EXPECT_EQ(options.html, c.html);
    EXPECT_EQ(options.colour, c.colour);
    EXPECT_EQ(options.maps, c.maps);
    EXPECT_EQ(options.files, c.files);
  }
}

}  // namespace
}  // namespace orvane::check
