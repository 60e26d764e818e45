// Whole runs of the checker, in-process: files that cannot be checked, odd files, options, exit
// statuses, and the diagnostics the checker adds to the library's own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "driver.h"
#include "options.h"

namespace orvane::check {
namespace {

struct Outcome {
  int exit;
  std::string out;
  std::string err;
};

Outcome RunChecker(const std::vector<std::string>& arguments, bool terminal = false, const char* noColour = nullptr) {
  char* outText = nullptr;
  char* errText = nullptr;
  std::size_t outSize = 0;
  std::size_t errSize = 0;
  std::FILE* out = open_memstream(&outText, &outSize);
  std::FILE* err = open_memstream(&errText, &errSize);
  const int exit = Run(arguments, out, err, terminal, noColour);
  std::fclose(out);
  std::fclose(err);
  Outcome outcome{exit, {outText, outSize}, {errText, errSize}};
  std::free(outText);
  std::free(errText);
  return outcome;
}

// Each test runs in a directory of its own, so that the paths in the output are short and fixed.
class CheckerRun : public testing::Test {
 protected:
  void SetUp() override {
    home_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-check-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
    std::filesystem::current_path(directory_);
  }
  void TearDown() override {
    std::filesystem::current_path(home_);
    std::filesystem::remove_all(directory_);
  }
  static void Write(const std::string& name, const std::string& bytes) {
    if (name.back() == '/') {
      std::filesystem::create_directory(name);
      return;
    }
    std::ofstream(name, std::ios::binary) << bytes;
  }

 private:
  std::filesystem::path home_;
  std::filesystem::path directory_;
};

struct RunCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> files;  // a name ending in '/' is a directory
  std::vector<std::string> arguments;
  int exit;
  std::string out;
  std::string err;
};

constexpr const char* kNothing = "0 blocks checked, 0 not checked: 0 errors, 0 warnings\n";

void Expect(const RunCase& c) {
  SCOPED_TRACE(c.name);
  const Outcome outcome = RunChecker(c.arguments);
  EXPECT_EQ(outcome.out, c.out);
  EXPECT_EQ(outcome.err, c.err);
  EXPECT_EQ(outcome.exit, c.exit);
}

TEST_F(CheckerRun, FilesThatCannotBeCheckedStopNothingButSetExitStatusTwo) {
  const RunCase cases[] = {
      {"missing", {}, {"missing.inp"}, 2, kNothing, "orvane-check: missing.inp: No such file or directory\n"},
      {"directory", {{"sub/", ""}}, {"sub"}, 2, kNothing, "orvane-check: sub: is a directory\n"},
      {"binary",
       {{"x.bin", std::string("\x7f"
                              "ELF\0\0\0",
                              7)}},
       {"x.bin"},
       2,
       kNothing,
       "orvane-check: x.bin: binary file (a NUL byte at offset 4); not checked\n"},
      {"an unreadable file among readable ones",
       {{"a.inp", "*REFERENCE DIAMETER\n0.5\n*END\n"}},
       {"missing.inp", "a.inp"},
       2,
       "==> missing.inp <==\n"
       "==> a.inp <==\n"
       "*REFERENCE DIAMETER (line 1): referenceDiameter = 0.5\n"
       "*END (line 3): not checked\n"
       "1 block checked, 1 not checked: 0 errors, 0 warnings\n",
       "orvane-check: missing.inp: No such file or directory\n"},
      {"empty",
       {{"empty.inp", ""}},
       {"empty.inp"},
       0,
       "empty.inp: warning: the file is empty\n0 blocks checked, 0 not checked: 0 errors, 1 warning\n",
       ""},
      {"no keyword",
       {{"notes.txt", "some text\n"}},
       {"notes.txt"},
       0,
       "notes.txt: warning: no keyword line (a '*' in column 1) in this file\n"
       "0 blocks checked, 0 not checked: 0 errors, 1 warning\n",
       ""},
  };
  for (const auto& c : cases) {
    for (const auto& [name, bytes] : c.files) {
      Write(name, bytes);
    }
    Expect(c);
  }
}

TEST_F(CheckerRun, OptionsThatCannotBeUsedAreRefusedWithOneLine) {
  const RunCase cases[] = {
      {"unknown", {}, {"--frobnicate", "a.inp"}, 2, "", "orvane-check: unknown option '--frobnicate' (try --help)\n"},
      {"no file", {}, {"--json"}, 2, "", "orvane-check: no input files (try --help)\n"},
      {"map to no reader",
       {},
       {"--map", "SOIL=CLAY", "a.inp"},
       2,
       "",
       "orvane-check: --map SOIL=CLAY: 'CLAY' is not a keyword the checker reads (try --help)\n"},
      {"map of no name",
       {},
       {"--map", "*=P-Y", "a.inp"},
       2,
       "",
       "orvane-check: --map *=P-Y: '*' is not a keyword name (try --help)\n"},
      {"map without a keyword",
       {},
       {"--map=SOIL", "a.inp"},
       2,
       "",
       "orvane-check: --map needs NAME=KEYWORD, not 'SOIL' (try --help)\n"},
      {"colour",
       {},
       {"--color=sometimes", "a.inp"},
       2,
       "",
       "orvane-check: --color takes auto, always or never, not 'sometimes' (try --help)\n"},
      {"help", {}, {"--help", "--frobnicate"}, 2, "", "orvane-check: unknown option '--frobnicate' (try --help)\n"},
      {"help alone", {}, {"--help"}, 0, kUsage, ""},
  };
  for (const auto& c : cases) {
    Expect(c);
  }
}

TEST_F(CheckerRun, WhatTheCheckerAddsToTheLibrarysFindings) {
  const std::string longLine = "101 1200 0 0.5" + std::string(66, ' ') + "! in kN";
  const RunCase cases[] = {
      {"CR LF endings are dropped rather than read as stray characters",
       {{"w.inp", "*REFERENCE DIAMETER\r\n0.75\r\n*END\r\n"}},
       {"w.inp"},
       0,
       "w.inp:1: note: the file has CR LF line endings; the CR characters are dropped\n"
       "*REFERENCE DIAMETER (line 1): referenceDiameter = 0.75\n"
       "*END (line 3): not checked\n"
       "1 block checked, 1 not checked: 0 errors, 0 warnings\n",
       ""},
      {"a CR alone ends no line",
       {{"m.inp", "*REFERENCE DIAMETER\r0.5\r*END\r"}},
       {"m.inp"},
       0,
       "m.inp:1: warning: a CR character that is not followed by a line feed does not end a line; it is read as a "
       "stray character\n"
       "*REFERENCE DIAMETER\\x0d0.5\\x0d*END\\x0d (line 1): not checked\n"
       "0 blocks checked, 1 not checked: 0 errors, 1 warning\n",
       ""},
      {"a data line longer than a record is cut with a warning",
       {{"a.inp", "*AXIAL LOAD\n" + longLine + "\nC" + std::string(90, '-') + "\n102 1 2 3" + std::string(90, ' ') +
                      "\n*END\n"}},
       {"a.inp"},
       0,
       "*AXIAL LOAD (line 1): nodeCount = 2\n"
       "  node 1: nodeNumber = 101, axialLoadColumn2 = 1200, axialLoadColumn3 = 0, axialLoadColumn4 = 0.5\n"
       "  node 2: nodeNumber = 102, axialLoadColumn2 = 1, axialLoadColumn3 = 2, axialLoadColumn4 = 3\n"
       "a.inp:2: warning: line is 87 characters long; only the first 80 are read\n"
       "    2 | " +
           longLine +
           "\n"
           "*END (line 5): not checked\n"
           "1 block checked, 1 not checked: 0 errors, 1 warning\n",
       ""},
      {"an error, and where reading stopped",
       {{"d.inp", "*REFERENCE DIAMETER\n0.5\n 0.6\n*END\n"}},
       {"d.inp"},
       1,
       "*REFERENCE DIAMETER (line 1): referenceDiameter = 0.5\n"
       "d.inp:3: error: Only one data line is permitted under *REFERENCE DIAMETER.\n"
       "    3 |  0.6\n"
       "d.inp:3: note: reading of this block stopped here (status -1)\n"
       "*END (line 4): not checked\n"
       "1 block checked, 1 not checked: 1 error, 0 warnings\n",
       ""},
      {"a message that ends with a colon announces the line",
       {{"n.inp", "*NON-ORTHOGONAL DAMPING\nC nothing\n$ SECTION \x01\n"}},
       {"n.inp"},
       1,
       "*NON-ORTHOGONAL DAMPING (line 1): no values\n"
       "n.inp:3: error: No NON-ORTHOGONAL DAMPING data defined:\n"
       "    3 | $ SECTION \\x01\n"
       "1 block checked, 0 not checked: 1 error, 0 warnings\n",
       ""},
      {"a block that ends with the file has no end-of-block checks",
       {{"e.inp", "*REFERENCE DIAMETER\n"}},
       {"e.inp"},
       0,
       "*REFERENCE DIAMETER (line 1): no values\n"
       "e.inp:1: note: the block ends with the file, so its end-of-block checks were not made\n"
       "1 block checked, 0 not checked: 0 errors, 0 warnings\n",
       ""},
      {"where the count that sizes the arrays stops short",
       {{"c.inp", "*AXIAL LOAD\n101 1 2 3\n  *NODES\n*END\n"}},
       {"c.inp"},
       1,
       "*AXIAL LOAD (line 1): nodeCount = 2\n"
       "  node 1: nodeNumber = 101, axialLoadColumn2 = 1, axialLoadColumn3 = 2, axialLoadColumn4 = 3\n"
       "c.inp:3: error: The number of nodes specified under *AXIAL LOAD is greater than the maximum number of "
       "axial load nodes.\n"
       "    3 |   *NODES\n"
       "c.inp:3: note: the count that sizes the arrays stops at this line, whose first non-blank character is "
       "'*'; the lines after it were not counted\n"
       "    3 |   *NODES\n"
       "c.inp:3: note: reading of this block stopped here (status -1)\n"
       "*END (line 4): not checked\n"
       "1 block checked, 1 not checked: 1 error, 0 warnings\n",
       ""},
      {"names mapped to a reader",
       {{"m.inp", "*SOIL DIAMETER\n0.5\n*END\n"}},
       {"--map", "soil-diameter=REFERENCE_DIAMETER", "m.inp"},
       0,
       "*SOIL DIAMETER (line 1): referenceDiameter = 0.5\n"
       "*END (line 3): not checked\n"
       "1 block checked, 1 not checked: 0 errors, 0 warnings\n",
       ""},
  };
  for (const auto& c : cases) {
    for (const auto& [name, bytes] : c.files) {
      Write(name, bytes);
    }
    Expect(c);
  }
}

TEST_F(CheckerRun, ValuesThatLookLikeThePresetsAreStillShown) {
  // Outputs are preset to values the readers never write; a seed can be anything, and NaNs and
  // infinities are numbers a block may give.
  Write("w.inp",
        "*WAVE-GENERAL\nSEED=-2147483648\n*WAVE-GENERAL\nSEED=12x\n*WAVE-GENERAL\nWAVEZONE=nan\n"
        "ORIGIN=inf -inf\n*HIGHER HARMONICS\nnan -0\n*END\n");
  const Outcome text = RunChecker({"w.inp"});
  EXPECT_EQ(text.out,
            "*WAVE-GENERAL (line 1): seed = -2147483648\n"
            "*WAVE-GENERAL (line 3): no values\n"
            "w.inp:4: error: Invalid specification for SEED= or number is greater than 2,147,483,647.\n"
            "    4 | SEED=12x\n"
            "w.inp:4: note: this error sets the block's status to -1; reading went on\n"
            "*WAVE-GENERAL (line 5): waveZoneExtent = nan, origin1 = inf, origin2 = -inf\n"
            "*HIGHER HARMONICS (line 8): harmonicsFactor = nan, harmonicsThreshold = -0\n"
            "*END (line 10): not checked\n"
            "4 blocks checked, 1 not checked: 1 error, 0 warnings\n");
  const Outcome json = RunChecker({"--json", "w.inp"});
  EXPECT_NE(json.out.find(R"("values": {"waveZoneExtent": "NaN", "origin1": "Infinity", "origin2": "-Infinity"})"),
            std::string::npos)
      << json.out;
}

TEST_F(CheckerRun, LargeBlocksAreCondensedUnlessEveryValueIsAskedFor) {
  std::string block = "*AXIAL LOAD\n";
  for (int node = 1; node <= 11; ++node) {
    block += std::to_string(node * 10) + " " + std::to_string(node) + ".5 -1 0\n";
  }
  Write("a.inp", block);
  const Outcome condensed = RunChecker({"a.inp"});
  EXPECT_EQ(condensed.out,
            "*AXIAL LOAD (line 1): nodeCount = 11\n"
            "  nodeNumbers: min = 10, max = 110\n"
            "  axialLoadColumn2: min = 1.5, max = 11.5\n"
            "  axialLoadColumn3: min = -1, max = -1\n"
            "  axialLoadColumn4: min = 0, max = 0\n"
            "a.inp:1: note: the block ends with the file, so its end-of-block checks were not made\n"
            "1 block checked, 0 not checked: 0 errors, 0 warnings\n");
  const Outcome whole = RunChecker({"--values", "a.inp"});
  EXPECT_NE(whole.out.find("  node 11: nodeNumber = 110, axialLoadColumn2 = 11.5, axialLoadColumn3 = -1, "
                           "axialLoadColumn4 = 0\n"),
            std::string::npos)
      << whole.out;
}

TEST_F(CheckerRun, ColourOnlyOnATerminalOrWhenAskedFor) {
  Write("d.inp", "*REFERENCE DIAMETER\n-1\n");
  const std::string coloured =
      "\033[1m*REFERENCE DIAMETER (line 1):\033[0m no values\n"
      "\033[1md.inp:1:\033[0m \033[1;36mnote:\033[0m the block ends with the file, so its end-of-block checks were "
      "not made\n"
      "\033[1md.inp:2:\033[0m \033[1;35mwarning:\033[0m *REFERENCE DIAMETER: Reference diameter must be strictly "
      "positive. Value ignored.\n"
      "    2 | -1\n"
      "\033[1m1 block checked, 0 not checked: 0 errors, 1 warning\033[0m\n";
  const struct {
    std::vector<std::string> arguments;
    bool terminal;
    const char* noColour;
    bool colour;
  } cases[] = {
      {{"d.inp"}, false, nullptr, false},
      {{"d.inp"}, true, nullptr, true},
      {{"d.inp"}, true, "1", false},
      {{"d.inp"}, true, "", true},
      {{"--color", "d.inp"}, false, "1", true},
      {{"--color=never", "d.inp"}, true, nullptr, false},
      {{"--color=auto", "d.inp"}, true, nullptr, true},
  };
  for (const auto& c : cases) {
    const Outcome outcome = RunChecker(c.arguments, c.terminal, c.noColour);
    EXPECT_EQ(outcome.out.find('\033') != std::string::npos, c.colour) << c.arguments[0] << c.terminal;
    if (c.colour) {
      EXPECT_EQ(outcome.out, coloured);
    }
  }
}

TEST_F(CheckerRun, JsonReportsFilesThatCannotBeRead) {
  Write("e.inp", "");
  const Outcome outcome = RunChecker({"--json", "missing.inp", "e.inp"});
  EXPECT_EQ(outcome.exit, 2);
  EXPECT_EQ(outcome.out,
            "{\n"
            "  \"files\": [\n"
            "    {\n"
            "      \"path\": \"missing.inp\",\n"
            "      \"blocks\": [],\n"
            "      \"diagnostics\": [],\n"
            "      \"lines\": 0,\n"
            "      \"error\": \"No such file or directory\"\n"
            "    },\n"
            "    {\n"
            "      \"path\": \"e.inp\",\n"
            "      \"blocks\": [],\n"
            "      \"diagnostics\": [\n"
            "        {\"line\": 0, \"severity\": \"warning\", \"code\": null, \"message\": \"the file is empty\", "
            "\"text\": null}\n"
            "      ],\n"
            "      \"lines\": 0,\n"
            "      \"error\": null\n"
            "    }\n"
            "  ],\n"
            "  \"blocksChecked\": 0,\n"
            "  \"blocksNotChecked\": 0,\n"
            "  \"errors\": 0,\n"
            "  \"warnings\": 1\n"
            "}\n");
}

}  // namespace
}  // namespace orvane::check
