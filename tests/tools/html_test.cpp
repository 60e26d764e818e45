// The HTML report: text from the input never becomes markup, tick labels are the shortest text of
// their floats, each block draws what it should, and large inputs give a report of bounded size.
#include "html.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "chart.h"
#include "checker_run.h"

namespace orvane::check {
namespace {

TEST(HtmlText, MarkupCharactersAndBytesOutsideAsciiAreEscaped) {
  const struct {
    std::string text;
    std::string escaped;
  } cases[] = {
      {"A&B \"quoted\" 'single'", "A&amp;B &quot;quoted&quot; &#39;single&#39;"},
      {"ENABLED=YES  \xb0", "ENABLED=YES  \\xb0"},
      {std::string("a\0b\x1b", 4), "a\\x00b\\x1b"},
      {"tab\there", "tab\there"},
      {"&lt;", "&amp;lt;"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Escaped(c.text), c.escaped) << c.text;
  }
}

// Bounds of data, which are floats.
Bounds Of(float low, float high) {
  Bounds b;
  b.Add(low);
  b.Add(high);
  return b;
}

std::vector<std::string> Labels(const Axis& axis) {
  std::vector<std::string> labels;
  for (const double tick : axis.ticks) {
    labels.push_back(TickLabel(axis, tick));
  }
  return labels;
}

TEST(ChartAxis, TicksStandAtRoundValuesWrittenShortest) {
  using L = std::vector<std::string>;
  const struct {
    Bounds bounds;
    int count;
    bool integral;
    bool zero;
    L labels;
  } cases[] = {
      {Of(0, 0.06f), 4, false, true, L{"0", "0.02", "0.04", "0.06"}},
      {Of(0, 0.3f), 3, false, true, L{"0", "0.1", "0.2", "0.3"}},  // 3 x 0.1 is not 0.3 in double
      {Of(1001, 1004), 5, true, false, L{"1001", "1002", "1003", "1004"}},
      {Of(1, 3), 4, false, true, L{"0", "1", "2", "3"}},           // stretched to zero
      {Of(2, 4), 4, false, true, L{"2", "2.5", "3", "3.5", "4"}},  // twice as wide with zero: not stretched
      {Of(-3, -1), 4, false, true, L{"-3", "-2", "-1", "0"}},
      {Of(-18900, -18200), 5, false, true,
       L{"-18900", "-18800", "-18700", "-18600", "-18500", "-18400", "-18300", "-18200"}},
      {Of(5, 5), 4, false, false, L{"4.4", "4.6", "4.8", "5", "5.2", "5.4", "5.6"}},
      {Bounds{}, 4, false, true, L{"0", "0.2", "0.4", "0.6", "0.8", "1"}},
      {Of(7, 7), 4, true, false, L{"6", "7", "8"}},
  };
  for (const auto& c : cases) {
    const Axis axis = MakeAxis(c.bounds, c.count, c.integral, c.zero, "");
    EXPECT_EQ(Labels(axis), c.labels) << c.bounds.low << " " << c.bounds.high;
    EXPECT_EQ(axis.low, axis.ticks.front());
    EXPECT_EQ(axis.high, axis.ticks.back());
    for (std::size_t i = 0; i < std::min(axis.ticks.size(), c.labels.size()); ++i) {
      EXPECT_EQ(std::strtof(c.labels[i].c_str(), nullptr), static_cast<float>(axis.ticks[i])) << c.labels[i];
    }
  }
}

std::size_t Occurrences(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) {
    ++n;
  }
  return n;
}

using HtmlReport = InScratchDirectory;

TEST_F(HtmlReport, EachBlockDrawsItsCharts) {
  const struct {
    const char* name;
    std::string input;
    std::size_t charts;
    std::size_t rows;  // of the diagnostics table
    std::size_t turnsBack;
  } cases[] = {
      {"two curves: one chart each and the overlay", "*P-Y\nDEPTH=1\n0 0\n1 10\nNODE=7\n0 0\n2 5\n*END\n", 3, 0, 0},
      {"equal first numbers do not increase", "*P-Y\nDEPTH=1\n0 0\n1 10\n1 12\n*END\n", 2, 0, 1},
      {"a curve that turns back after the first point", "*P-Y\nNODE=1\n0 0\n0.5 5\n0.05 6\n1 9\n*END\n", 2, 0, 1},
      {"a header without points still has its chart", "*P-Y\nDEPTH=1\n0 0\n1 1\nDEPTH=2\n*END\n", 3, 1, 0},
      {"no curve, no chart", "*P-Y\nSET=A\n*END\n", 0, 1, 0},
      {"three value columns against node number", "*AXIAL LOAD\n1 1 2 3\n2 4 5 6\n*END\n", 3, 0, 0},
      {"no node, no chart", "*AXIAL LOAD\n*END\n", 0, 1, 0},
      {"selected frequencies as a strip", "*WAVE-GENERAL\nSEED=1\nFREQUENCIES=SELECTED\n0.1\n0.2\n*END\n", 1, 0, 0},
      {"settings alone draw nothing", "*WAVE-GENERAL\nSEED=1\n*END\n", 0, 0, 0},
      {"single-line blocks make a table", "*REFERENCE DIAMETER\n-1\n*HIGHER HARMONICS\n0.85 0.002\n*END\n", 0, 1, 0},
      {"the file's own findings are rows", "*END\r\n", 0, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Write("a.inp", c.input);
    const Outcome outcome = RunChecker({"--lint=none", "--html", "-", "a.inp"});
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(Occurrences(outcome.out, "<svg class=\"chart"), c.charts);
    EXPECT_EQ(Occurrences(outcome.out, "<tr class=\"diagnostic"), c.rows);
    EXPECT_EQ(Occurrences(outcome.out, "turns-back\""), c.turnsBack);
    EXPECT_TRUE(outcome.out.starts_with("<!DOCTYPE html>\n")) << outcome.out.substr(0, 40);
    EXPECT_TRUE(outcome.out.ends_with("</html>\n"));
    // Self-contained: nothing is fetched and nothing runs.
    EXPECT_EQ(outcome.out.find("<script"), std::string::npos);
    EXPECT_EQ(outcome.out.find("src="), std::string::npos);
    EXPECT_EQ(outcome.out.find("://"), std::string::npos);
  }
}

TEST_F(HtmlReport, TextFromTheInputNeverBecomesMarkup) {
  const std::string hostile = "<img src=x onerror=alert(1)>";
  Write("a<u>.inp", "*P-Y CURVES, <u>\nSET=" + hostile + "\nDEPTH=1\n0 0\n1 1\n" + hostile +
                        "\n*AXIAL LOAD, & more\n1 2 3 4\n*REFERENCE DIAMETER\n0.5\n" + hostile + "\n*<u>\n");
  const Outcome outcome = RunChecker({"--html", "-", "a<u>.inp"});
  EXPECT_EQ(outcome.out.find("<img"), std::string::npos);
  EXPECT_EQ(outcome.out.find("<u>"), std::string::npos);
  for (const char* expected : {"<title>orvane-check: a&lt;u&gt;.inp</title>", "<code>*P-Y CURVES, &lt;u&gt;</code>",
                               "<code>&lt;img src=x onerror=alert(1)&gt;</code>",
                               "<code>*AXIAL LOAD, &amp; more</code>", "<code>*&lt;u&gt;</code>"}) {
    EXPECT_NE(outcome.out.find(expected), std::string::npos) << expected;
  }
}

TEST_F(HtmlReport, NumbersInTablesAndTipsAreTheShortestThatReadBack) {
  Write("a.inp",
        "*WAVE-GENERAL\nWAVEZONE=0.1\nFREQUENCIES=SELECTED\n0.3\n1E-10\n*P-Y\nDEPTH=16777217\n0 0\n0.1 3.4E38\n"
        "INF 1\n*END\n");
  const Outcome outcome = RunChecker({"--html", "-", "a.inp"});
  for (const char* expected :
       {"<th>waveZoneExtent</th><td>0.1</td>", "<th>selectedFrequencies</th><td>0.3 1e-10</td>",
        "<title>frequency 2: 1e-10</title>", "DEPTH=16777216", "<title>curve 1, point 2: 0.1, 3.4e+38</title>",
        "3 points, 1 not drawn (infinite or NaN)"}) {
    EXPECT_NE(outcome.out.find(expected), std::string::npos) << expected;
  }
  // Nothing in the page depends on when or where it was written.
  EXPECT_EQ(RunChecker({"--html", "-", "a.inp"}).out, outcome.out);
}

// A P-Y block of `curves` curves of seven points, every 1000th of them turning back.
std::string ManyCurves(int curves) {
  std::string text = "*P-Y CURVES\nSET=MANY\n";
  char line[64];
  for (int c = 0; c < curves; ++c) {
    std::snprintf(line, sizeof line, "DEPTH=%.3f\n", 0.5 + c * 0.001);
    text += line;
    for (const double y : {0.0, 0.005, 0.01, 0.02, 0.04, 0.08, 0.12}) {
      std::snprintf(line, sizeof line, "%.3f %.1f\n", c % 1000 == 999 && y == 0.04 ? 0.004 : y, 100 + y * 1000 + c);
      text += line;
    }
  }
  return text + "*END\n";
}

TEST_F(HtmlReport, ALargeBlockGivesAReportOfBoundedSize) {
  const struct {
    int curves;
    std::vector<std::string> options;
    std::size_t charts;
  } cases[] = {
      {1000, {}, 1 + kDefaultHtmlLimits.curvesDrawn + 1},     // the overlay, the first curves, curve 1000
      {100000, {}, 1 + kDefaultHtmlLimits.curvesDrawn + 20},  // ... and the first 20 that turn back
      {2000, {"--values"}, 1 + 2000},                         // every curve
  };
  std::size_t smallest = 0;
  for (const auto& c : cases) {
    Write("big.inp", ManyCurves(c.curves));
    std::vector<std::string> arguments = c.options;
    arguments.insert(arguments.end(), {"--lint=none", "--html", "big.html", "big.inp"});
    const Outcome outcome = RunChecker(arguments);
    const std::string html = Slurp("big.html");
    EXPECT_EQ(outcome.exit, 0) << outcome.err;
    EXPECT_EQ(Occurrences(html, "<svg class=\"chart"), c.charts) << c.curves;
    EXPECT_TRUE(html.ends_with("</html>\n"));
    if (c.options.empty()) {
      smallest = smallest == 0 ? html.size() : smallest;
      EXPECT_LT(html.size(), std::size_t{1} << 20);
      // A hundred times the curves: the same charts but for the marked ones, and one summary.
      EXPECT_LT(html.size(), smallest * 3 / 2);
    }
  }
}

TEST_F(HtmlReport, TheTablesHoldABoundedNumberOfRowsUnlessEveryValueIsAskedFor) {
  std::string input = "*AXIAL LOAD\n";
  for (int node = 1; node <= 1500; ++node) {
    input += std::to_string(node) + " 1E39 0 0\n";  // one error each
  }
  for (int block = 0; block < 1200; ++block) {
    input += "*REFERENCE DIAMETER\n0.5\n";
  }
  Write("a.inp", input + "*END\n");
  const Outcome bounded = RunChecker({"--lint=none", "--html", "-", "a.inp"});
  EXPECT_EQ(Occurrences(bounded.out, "<tr class=\"diagnostic"), kDefaultHtmlLimits.rows);
  EXPECT_NE(bounded.out.find("<tr class=\"more\"><td colspan=\"5\">500 more diagnostics (500 errors, 0 warnings, "
                             "0 lints, 0 notes); --values lists them all</td></tr>"),
            std::string::npos);
  EXPECT_EQ(Occurrences(bounded.out, "<td><code>*REFERENCE DIAMETER</code>"), kDefaultHtmlLimits.rows);
  EXPECT_NE(bounded.out.find("200 more single-line blocks"), std::string::npos);
  const Outcome whole = RunChecker({"--lint=none", "--values", "--html", "-", "a.inp"});
  EXPECT_EQ(Occurrences(whole.out, "<tr class=\"diagnostic"), 1500U);
  EXPECT_EQ(Occurrences(whole.out, "<td><code>*REFERENCE DIAMETER</code>"), 1200U);
}

// Refused --html arguments are in the whole runs' table of refused options.
TEST_F(HtmlReport, TheReportGoesBesideTheTextOutput) {
  Write("a.inp", "*REFERENCE DIAMETER\n0.5\n*END\n");
  const Outcome beside = RunChecker({"--html", "r.html", "a.inp"});
  EXPECT_EQ(beside.exit, 0);
  EXPECT_EQ(beside.out, RunChecker({"a.inp"}).out);
  EXPECT_NE(Slurp("r.html").find("referenceDiameter = 0.5"), std::string::npos);
}

}  // namespace
}  // namespace orvane::check
