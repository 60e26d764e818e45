// The checker's lints where examples/inputs/lints.inp cannot show them: what the reader's stopping
// and its codes decide, a block linted beside its reading, the lints chosen and counted, and SARIF
// fingerprints that survive lines moving.
#include <regex>
#include <string>
#include <vector>

#include "checker_run.h"

namespace orvane::check {
namespace {

using Lints = InScratchDirectory;

// Each finding as GitHub reads it, one a line, without the closing count.
std::string Findings(const std::vector<std::string>& arguments) {
  std::vector<std::string> all = {"--format=github"};
  all.insert(all.end(), arguments.begin(), arguments.end());
  const std::string out = RunChecker(all).out;
  return out.substr(0, out.rfind('\n', out.size() - 2) + 1);
}

TEST_F(Lints, FollowWhatTheReaderRead) {
  const struct {
    const char* name;
    std::string input;
    std::vector<std::string> options;
    std::string findings;
  } cases[] = {
      {"a line with = in the list is the library's error until a frequency is stored, then a lint",
       "*WAVE-GENERAL\nFREQUENCIES=SELECTED\nP=1\n0.1\nP=2\n*END\n",
       {},
       "::error file=w.inp,line=3,title=OV-WAVE-EXPECTING-FREQUENCIES::Expecting selected frequencies instead of:\n"
       "::warning file=w.inp,line=5,title=OV-LINE-IGNORED::a line with `=` among the selected frequencies is ignored "
       "once one is stored\n"},
      {"nothing past the line where reading stopped; of that line only its form",
       "*REFERENCE DIAMETER\n1 x\n  C 2 y\n3 z\n*END\n",
       {},
       "::warning file=w.inp,line=2,col=3,endColumn=4,title=OV-FIELD-SURPLUS::field 2 `x` is not read: the line "
       "takes 1 number\n"
       "::error file=w.inp,line=3,title=OV-DIAMETER-SECOND-LINE::Only one data line is permitted under *REFERENCE "
       "DIAMETER.\n"
       "::notice file=w.inp,line=3,title=OV-STATUS-STOPPED::reading of this block stopped here (status -1)\n"
       "::warning file=w.inp,line=3,col=3,endColumn=4,title=OV-COMMENT-SHIFTED::this `C` in column 3 makes no "
       "comment (only column 1 does): the line is read as data\n"},
      {"only the lints asked for; an ignore comment silences the next line that is not blank",
       "*AXIAL LOAD\nC orvane-check: ignore OV-FIELD-MISSING, OV-NUMBER-DEFAULTED\n\n1 x\n1 y\n*END\n",
       {"--lint=OV-NUMBER-DEFAULTED,OV-AXIAL-DUPLICATE-NODE"},
       "::warning file=w.inp,line=5,col=3,endColumn=4,title=OV-NUMBER-DEFAULTED::field 2 `y` is not a number; read "
       "as 0\n"
       "::warning file=w.inp,line=5,col=1,endColumn=2,title=OV-AXIAL-DUPLICATE-NODE::node 1 is given again; it was "
       "first given on line 4\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Write("w.inp", c.input);
    std::vector<std::string> arguments = c.options;
    arguments.emplace_back("w.inp");
    EXPECT_EQ(Findings(arguments), c.findings);
  }
}

// A block this large is linted on a second thread while the library reads it; its reading stops at
// the last line, one more than the counting pass, which skipped the shifted comment, made room for.
TEST_F(Lints, ALargeBlockIsLintedAsASmallOneIs) {
  std::string input = "*AXIAL LOAD\n";
  for (int node = 1; node <= 20000; ++node) {
    input += node == 7 ? "7 12ABC 0 0\n" : node == 10000 ? "  C 10000 0 0 0\n" : node == 20000 ? "x\n" : "1 0 0 0\n";
  }
  Write("w.inp", input + "*END\n");
  const std::string findings = Findings({"--lint=OV-NUMBER-DEFAULTED,OV-COMMENT-SHIFTED", "w.inp"});
  EXPECT_EQ(findings,
            "::warning file=w.inp,line=8,col=3,endColumn=8,title=OV-NUMBER-DEFAULTED::field 2 `12ABC` is not a "
            "number; read as 0\n"
            "::warning file=w.inp,line=10001,col=3,endColumn=4,title=OV-COMMENT-SHIFTED::this `C` in column 3 makes "
            "no comment (only column 1 does): the line is read as data\n"
            "::error file=w.inp,line=20001,title=OV-AXIAL-TOO-MANY-NODES::The number of nodes specified under *AXIAL "
            "LOAD is greater than the maximum number of axial load nodes.\n"
            "::notice file=w.inp,line=20001,title=OV-STATUS-STOPPED::reading of this block stopped here (status -1)\n");
}

TEST_F(Lints, CountAsErrorsOnlyWhenStrict) {
  Write("w.inp", "*REFERENCE DIAMETER\n1.5/2\n*END\n");
  EXPECT_EQ(RunChecker({"w.inp"}).exit, 0);
  EXPECT_EQ(RunChecker({"--strict", "w.inp"}).exit, 1);
  EXPECT_EQ(RunChecker({"--strict", "--lint=none", "w.inp"}).exit, 0);
}

// A fingerprint follows the rule, the file and the line's text, not the line's number; two findings
// on lines of the same text are told apart by their order.
TEST_F(Lints, SarifFingerprintsSurviveLinesMoving) {
  const auto fingerprints = [](const std::string& input) {
    InScratchDirectory::Write("w.inp", input);
    const std::string sarif = RunChecker({"--format=sarif", "w.inp"}).out;
    std::vector<std::string> found;
    const std::regex print("\"orvane/v1\": \"([0-9a-f]{16})\"");
    for (auto it = std::sregex_iterator(sarif.begin(), sarif.end(), print); it != std::sregex_iterator(); ++it) {
      found.push_back((*it)[1]);
    }
    return found;
  };
  const std::string block = "*AXIAL LOAD\n1 x 0 0\n2 x 0 0\n*END\n";
  const auto before = fingerprints(block);
  const auto after = fingerprints("C a comment that moves every line down\n" + block);
  ASSERT_EQ(before.size(), 2U);
  EXPECT_EQ(after, before);
  EXPECT_NE(before[0], before[1]);
  const auto twice = fingerprints("*AXIAL LOAD\n1 x 0 0\n1 x 0 0\n*END\n");
  EXPECT_EQ(twice[0], before[0]);
  EXPECT_NE(twice[1], twice[0]);
}

}  // namespace
}  // namespace orvane::check
