// The command line: what each option sets, and where files and options part.
#include "options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane::check {
namespace {

TEST(Options, EachOptionSetsItsOwnField) {
  using Maps = std::vector<std::pair<std::string, std::string>>;
  const struct {
    std::vector<std::string> arguments;
    bool json;
    bool allValues;
    bool timeDomain;
    Colour colour;
    Maps maps;
    std::vector<std::string> files;
  } cases[] = {
      {{"a.inp"}, false, false, false, Colour::kAuto, {}, {"a.inp"}},
      {{"--json", "--values", "a", "--time-domain", "b"}, true, true, true, Colour::kAuto, {}, {"a", "b"}},
      {{"--map", "SOIL=P-Y", "--map=A B=AXIAL LOAD", "a"},
       false,
       false,
       false,
       Colour::kAuto,
       Maps{{"SOIL", "P-Y"}, {"A B", "AXIAL LOAD"}},
       {"a"}},
      {{"--color", "a"}, false, false, false, Colour::kAlways, {}, {"a"}},
      {{"--colour=never", "--color=auto", "a"}, false, false, false, Colour::kAuto, {}, {"a"}},
      {{"-", "--", "--json", "-x"}, false, false, false, Colour::kAuto, {}, {"-", "--json", "-x"}},
  };
  for (const auto& c : cases) {
    Options options;
    std::string error;
    ASSERT_TRUE(ParseOptions(c.arguments, options, error)) << error;
    EXPECT_EQ(options.json, c.json);
    EXPECT_EQ(options.allValues, c.allValues);
    EXPECT_EQ(options.timeDomain, c.timeDomain);
    EXPECT_EQ(options.colour, c.colour);
    EXPECT_EQ(options.maps, c.maps);
    EXPECT_EQ(options.files, c.files);
  }
}

TEST(Options, ColourFollowsTheTerminalAndNoColourOnlyInAutoMode) {
  const struct {
    Colour colour;
    bool terminal;
    const char* noColour;
    bool use;
  } cases[] = {
      {Colour::kAuto, true, nullptr, true},  {Colour::kAuto, false, nullptr, false},
      {Colour::kAuto, true, "yes", false},   {Colour::kAuto, true, "", true},
      {Colour::kAlways, false, "yes", true}, {Colour::kNever, true, nullptr, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UseColour(c.colour, c.terminal, c.noColour), c.use);
  }
}

}  // namespace
}  // namespace orvane::check
