// Whole runs of the checker, in-process: files that cannot be checked, odd files, options, exit
// statuses, and the diagnostics the checker adds to the library's own. What the shipped examples'
// expected outputs already show (errors, where reading stopped, counts that stop short, long lines,
// blocks that end with the file) is not repeated here.
#include <string>
#include <vector>

#include "checker_run.h"
#include "options.h"

namespace orvane::check {
namespace {

struct RunCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> files;  // a name ending in '/' is a directory
  std::vector<std::string> arguments;
  int exit;
  std::string out;
  std::string err;
};

constexpr const char* kNothing = "0 blocks checked, 0 not checked: 0 errors, 0 warnings, 0 lints\n";

class CheckerRun : public InScratchDirectory {
 protected:
  void Expect(const RunCase& c) {
    SCOPED_TRACE(c.name);
    for (const auto& [name, bytes] : c.files) {
      Write(name, bytes);
    }
    const Outcome outcome = RunChecker(c.arguments);
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(outcome.exit, c.exit);
    for (const auto& [name, bytes] : c.files) {
      EXPECT_EQ(name.back() == '/' ? bytes : Slurp(name), bytes) << name;  // inputs are never written
    }
  }
};

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
       "==> missing.inp <==\n==> a.inp <==\n*REFERENCE DIAMETER (line 1): referenceDiameter = 0.5\n"
       "*END (line 3): not checked\n1 block checked, 1 not checked: 0 errors, 0 warnings, 0 lints\n",
       "orvane-check: missing.inp: No such file or directory\n"},
      {"empty",
       {{"empty.inp", ""}},
       {"empty.inp"},
       0,
       "empty.inp: lint: the file is empty [OV-FILE-EMPTY]\n0 blocks checked, 0 not checked: 0 errors, 0 warnings, 1 "
       "lint\n",
       ""},
      {"no keyword",
       {{"notes.txt", "some text\n"}},
       {"notes.txt"},
       0,
       "notes.txt: lint: no keyword line (a '*' in column 1) in this file [OV-FILE-NO-KEYWORD]\n"
       "0 blocks checked, 0 not checked: 0 errors, 0 warnings, 1 lint\n",
       ""},
  };
  for (const auto& c : cases) {
    Expect(c);
  }
}

TEST_F(CheckerRun, OptionsThatCannotBeUsedAreRefusedWithOneLine) {
  const auto refused = [](const char* name, std::vector<std::string> arguments, const std::string& reason) {
    return RunCase{name, {}, std::move(arguments), 2, "", "orvane-check: " + reason + " (try --help)\n"};
  };
  const auto stopped = [](const char* name, std::vector<std::string> arguments, const std::string& reason) {
    return RunCase{name, {{"a.inp", "*END\n"}}, std::move(arguments), 2, "", "orvane-check: " + reason + "\n"};
  };
  const RunCase cases[] = {
      refused("unknown", {"--frobnicate", "a.inp"}, "The following argument was not expected: --frobnicate"),
      refused("no file", {"--json"}, "no input files"),
      refused("map to no reader", {"--map", "SOIL=CLAY", "a.inp"},
              "--map SOIL=CLAY: 'CLAY' is not a keyword the checker reads"),
      refused("map of no name", {"--map", "*=P-Y", "a.inp"}, "--map *=P-Y: '*' is not a keyword name"),
      refused("map without a keyword", {"--map=SOIL", "a.inp"}, "--map needs NAME=KEYWORD, not 'SOIL'"),
      refused("colour", {"--color=sometimes", "a.inp"}, "--color takes auto, always or never, not 'sometimes'"),
      refused("help does not hide a bad option", {"--help", "--frobnicate"},
              "The following argument was not expected: --frobnicate"),
      refused("two reports on standard output", {"--html", "-", "--json", "a.inp"},
              "--json and --html - would both write to standard output"),
      refused("two formats", {"--json", "--format=sarif", "a.inp"}, "--json and --format=sarif ask for two formats"),
      refused("format", {"--format=xml", "a.inp"}, "--format takes text, json, sarif or github, not 'xml'"),
      refused("lint", {"--lint=OV-NUMBER-DEFAULTED,OV-NOPE", "a.inp"}, "--lint: 'OV-NOPE' is not a lint (see --rules)"),
      refused("html without a file", {"a.inp", "--html"}, "--html: 1 required TEXT missing"),
      refused("html of an empty name", {"--html", "", "a.inp"}, "--html needs a FILE"),
      stopped("html to a missing directory", {"--html", "no/dir/r.html", "a.inp"},
              "no/dir/r.html: No such file or directory"),
      stopped("html over an input", {"--html", "./a.inp", "a.inp"}, "--html ./a.inp would overwrite an input file"),
      refused("npy of an empty name", {"--npy", "", "a.inp"}, "--npy needs a DIR"),
      stopped("npy where a file stands", {"--npy", "a.inp", "a.inp"}, "a.inp: Not a directory"),
      {"help alone", {}, {"--help"}, 0, kUsage, ""},
  };
  for (const auto& c : cases) {
    Expect(c);
  }
}

TEST_F(CheckerRun, WhatTheCheckerAddsToTheLibrarysFindings) {
  const RunCase cases[] = {
      {"CR LF endings are dropped rather than read as stray characters",
       {{"w.inp", "*REFERENCE DIAMETER\r\n0.75\r\n*END\r\n"}},
       {"w.inp"},
       0,
       "w.inp:1: note: the file has CR LF line endings; the CR characters are dropped [OV-CRLF]\n"
       "*REFERENCE DIAMETER (line 1): referenceDiameter = 0.75\n*END (line 3): not checked\n"
       "1 block checked, 1 not checked: 0 errors, 0 warnings, 0 lints\n",
       ""},
      {"a CR alone ends no line",
       {{"m.inp", "*REFERENCE DIAMETER\r0.5\r*END\r"}},
       {"m.inp"},
       0,
       "m.inp:1: lint: a CR character that is not followed by a line feed does not end a line; it is read as a "
       "stray character [OV-STRAY-CR]\n*REFERENCE DIAMETER\\x0d0.5\\x0d*END\\x0d (line 1): not checked\n"
       "0 blocks checked, 1 not checked: 0 errors, 0 warnings, 1 lint\n",
       ""},
      {"names mapped to a reader",
       {{"m.inp", "*SOIL DIAMETER\n0.5\n*END\n"}},
       {"--map", "soil-diameter=REFERENCE_DIAMETER", "m.inp"},
       0,
       "*SOIL DIAMETER (line 1): referenceDiameter = 0.5\n*END (line 3): not checked\n"
       "1 block checked, 1 not checked: 0 errors, 0 warnings, 0 lints\n",
       ""},
  };
  for (const auto& c : cases) {
    Expect(c);
  }
}

TEST_F(CheckerRun, ValuesThatLookLikeThePresetsAreStillShown) {
  // Outputs are preset to values the readers never write; a seed can be anything, and NaNs and
  // infinities are numbers a block may give.
  Write("w.inp",
        "*WAVE-GENERAL\nSEED=-2147483648\n*WAVE-GENERAL\nSEED=12x\n*WAVE-GENERAL\nWAVEZONE=nan\n"
        "ORIGIN=inf -inf\n*HIGHER HARMONICS\nnan -0\n*END\n");
  const Outcome text = RunChecker({"--lint=none", "w.inp"});
  EXPECT_EQ(text.exit, 1);  // an error was found
  EXPECT_EQ(text.out,
            "*WAVE-GENERAL (line 1): seed = -2147483648\n"
            "*WAVE-GENERAL (line 3): no values\n"
            "w.inp:4: error: Invalid specification for SEED= or number is greater than 2,147,483,647. "
            "[OV-WAVE-SEED-INVALID]\n"
            "    4 | SEED=12x\n"
            "w.inp:4: note: this error sets the block's status to -1; reading went on [OV-STATUS-GOES-ON]\n"
            "*WAVE-GENERAL (line 5): waveZoneExtent = nan, origin1 = inf, origin2 = -inf\n"
            "*HIGHER HARMONICS (line 8): harmonicsFactor = nan, harmonicsThreshold = -0\n"
            "*END (line 10): not checked\n"
            "4 blocks checked, 1 not checked: 1 error, 0 warnings, 0 lints\n");
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
  EXPECT_EQ(RunChecker({"--lint=none", "a.inp"}).out,
            "*AXIAL LOAD (line 1): nodeCount = 11\n"
            "  nodeNumbers: min = 10, max = 110\n"
            "  axialLoadColumn2: min = 1.5, max = 11.5\n"
            "  axialLoadColumn3: min = -1, max = -1\n"
            "  axialLoadColumn4: min = 0, max = 0\n"
            "1 block checked, 0 not checked: 0 errors, 0 warnings, 0 lints\n");
  const Outcome whole = RunChecker({"--values", "a.inp"});
  EXPECT_NE(whole.out.find("  node 11: nodeNumber = 110, axialLoadColumn2 = 11.5, axialLoadColumn3 = -1, "
                           "axialLoadColumn4 = 0\n"),
            std::string::npos)
      << whole.out;
}

// On a terminal unless NO_COLOR is set and not empty; --color and --color=never override both. The
// caret under a field is coloured too.
TEST_F(CheckerRun, ColourOnlyOnATerminalOrWhenAskedFor) {
  Write("d.inp", "*REFERENCE DIAMETER\n-1x\n");
  const std::string coloured =
      "\033[1m*REFERENCE DIAMETER (line 1):\033[0m no values\n"
      "\033[1md.inp:1:\033[0m \033[1;34mlint:\033[0m the block ends with the file, so its end-of-block checks were "
      "not made [OV-BLOCK-CUT-OFF]\n"
      "\033[1md.inp:2:\033[0m \033[1;35mwarning:\033[0m *REFERENCE DIAMETER: Reference diameter must be strictly "
      "positive. Value ignored. [OV-DIAMETER-NOT-POSITIVE]\n"
      "    2 | -1x\n"
      "\033[1md.inp:2:1:\033[0m \033[1;34mlint:\033[0m field 1 `-1x` is not a number; read as 0 [OV-NUMBER-DEFAULTED]\n"
      "    2 | -1x\n"
      "      | \033[1;32m^~~\033[0m\n"
      "\033[1m1 block checked, 0 not checked: 0 errors, 1 warning, 2 lints\033[0m\n";
  const struct {
    std::vector<std::string> arguments;
    bool terminal;
    const char* noColour;
    bool colour;
  } cases[] = {
      {{"d.inp"}, true, nullptr, true},
      {{"d.inp"}, true, "1", false},
      {{"d.inp"}, true, "", true},
      {{"--color", "d.inp"}, false, "1", true},
      {{"--color=never", "d.inp"}, true, nullptr, false},
  };
  for (const auto& c : cases) {
    const std::string out = RunChecker(c.arguments, c.terminal, c.noColour).out;
    EXPECT_EQ(out, c.colour ? coloured : RunChecker({"d.inp"}).out) << c.arguments[0] << c.terminal;
  }
}

TEST_F(CheckerRun, JsonReportsFilesThatCannotBeRead) {
  Write("e.inp", "");
  const Outcome outcome = RunChecker({"--json", "missing.inp", "e.inp"});
  EXPECT_EQ(outcome.exit, 2);
  for (const char* expected :
       {"      \"path\": \"missing.inp\",\n      \"blocks\": [],\n      \"diagnostics\": [],\n"
        "      \"lines\": 0,\n      \"error\": \"No such file or directory\"\n",
        "        {\"line\": 0, \"column\": null, \"endColumn\": null, \"severity\": \"lint\", \"rule\": "
        "\"OV-FILE-EMPTY\", \"code\": null, \"message\": \"the file is empty\", \"text\": null}\n      ],\n"
        "      \"lines\": 0,\n      \"error\": null\n",
        "  \"blocksChecked\": 0,\n  \"blocksNotChecked\": 0,\n  \"errors\": 0,\n  \"warnings\": 0,\n  \"lints\": "
        "1\n}\n"}) {
    EXPECT_NE(outcome.out.find(expected), std::string::npos) << expected << outcome.out;
  }
}

}  // namespace
}  // namespace orvane::check
