#include "rules.h"

#include <algorithm>
#include <vector>

#include "toolkit/messages.h"

namespace orvane::check {

namespace {

constexpr Rule kCheckerRules[] = {
    {rules::kStatusStopped, Severity::kNote,
     "The line whose message set the block's status to -1 and ended the reading: later lines were not read.",
     "0.75\n0.75", "Fix the error on that line; the lines after it are checked once it is gone."},
    {rules::kStatusGoesOn, Severity::kNote,
     "An error that set the block's status to -1 while the reader read on: the analysis may still stop on it.",
     "SEED=1.5E3", "Fix the error."},
    {rules::kStatusUnexplained, Severity::kNote,
     "The block's status is -1 but no line holds a message that the checker knows to set it.", "",
     "Report it: the checker and the library disagree."},
    {rules::kCountStopsShort, Severity::kNote,
     "The counting pass that sizes the arrays stopped at a `*` or `$` behind leading blanks, which the data reader "
     "reads as data: the lines after it were not counted.",
     "  *AXIAL LOAD", "Move the `*` or `$` to column 1 if it starts a keyword, or remove the line."},
    {rules::kCarriageReturns, Severity::kNote, "The file has CR LF line ends; the CR characters are dropped.", "",
     "Nothing, unless the file is read where CR LF does not end a line."},
    {rules::kUnknownMessage, Severity::kError,
     "A line code with a message that is not in the library's catalogue, or with none.", "",
     "Report it: the checker and the library disagree."},
    {rules::kBlockTooLarge, Severity::kError,
     "The block has more lines than one reader call takes (2,147,483,647); it was not read.", "", "Split the block."},
    {rules::kPointsTooLarge, Severity::kError,
     "The P-Y block needs more than 1 GiB for its point array (its curves times the points of its longest "
     "curve); it was not read.",
     "", "Split the block, or look for a curve with far more points than the others."},
};

constexpr Rule kLintRules[kLints] = {
    {"OV-NUMBER-DEFAULTED", Severity::kLint,
     "A field where a number belongs is not a number: the reader takes 0 without a word.", "0.01  12ABC",
     "Write the number; a decimal comma, a unit or a stray letter are the usual causes."},
    {"OV-NUMBER-OUT-OF-RANGE", Severity::kLint,
     "A number beyond single precision that begins with a sign or a point is read as 0 without a word (one that "
     "begins with a digit gets the library's error).",
     "-1.0E39", "Write a value within about 3.4E38."},
    {"OV-NUMBER-SLASH", Severity::kLint,
     "A slash ends a number: what stands before it is read and the rest of the field is dropped.", "1.5/2",
     "Write the number without the slash; work a fraction out."},
    {"OV-NUMBER-NULL", Severity::kLint,
     "A null value (a field that begins with `/`, or `r*`): the reader uses the number it read last in that "
     "place, on an earlier line or in an earlier block, or 0.",
     "0.5  3*", "Write the number."},
    {"OV-NUMBER-REPEAT", Severity::kLint, "A repeat form `r*c` gives the one value c, not r of them.", "2*0.0",
     "Write each value."},
    {"OV-DECIMAL-COMMA", Severity::kLint,
     "A comma between two digits on a line whose other fields are parted by blanks: the comma parts two fields, "
     "so `0,5` reads as 0 and 5.",
     "1.0  0,5", "Write a decimal point."},
    {"OV-FIELD-MISSING", Severity::kLint,
     "The line gives fewer numbers than the reader takes, or an empty field between commas: each missing "
     "number is read as 0.",
     "DEPTH=5.0\n0.0   0.0\n0.5", "Give every number."},
    {"OV-FIELD-SURPLUS", Severity::kLint, "Fields after those the reader takes are dropped without a word.",
     "0.5  100.0  2.0", "Remove them, or look for a missing line break."},
    {"OV-OPTION-KEY-MISSING", Severity::kLint,
     "An option's number is read after the last letter of its name and an equals sign, in capitals; the line has "
     "none, so the number is read as 0.",
     "depth=10.0", "Write the option's name in capitals with the equals sign straight after it."},
    {"OV-NODE-ROUNDED", Severity::kLint, "A node number with a fraction is rounded to the nearest whole number.",
     "NODE=12.4", "Write the node number as a whole number."},
    {"OV-VALUE-PREFIX", Severity::kLint,
     "Only the first characters of an option's value are compared, so a longer word is taken for the value it "
     "begins with.",
     "FLOAT_CONVOLUTION=NOPE", "Write the value exactly."},
    {"OV-LINE-IGNORED", Severity::kLint,
     "A `*WAVE-GENERAL` line that is neither an option the reader knows nor in the list of frequencies, or a line "
     "with an equals sign in the list after its first frequency, is ignored without a word.",
     "WAVE ZONE=20", "Spell the option as the reader knows it; options go before FREQUENCIES=SELECTED."},
    {"OV-COMMENT-SHIFTED", Severity::kLint,
     "A `C` and a blank behind leading blanks: only a `C` in column 1 makes a comment, so the line is read as "
     "data, while the counting pass, which skips it, sizes the arrays without it.",
     "  C  node 103 taken out", "Move the `C` to column 1."},
    {"OV-KEYWORD-SHIFTED", Severity::kLint,
     "A `*` or `$` behind leading blanks starts no keyword or section: the line is read as data of the block "
     "before it, and the blocks after it are read as part of that block.",
     "  *AXIAL LOAD", "Move the `*` or `$` to column 1."},
    {"OV-AXIAL-DUPLICATE-NODE", Severity::kLint,
     "A node number is given twice in one `*AXIAL LOAD` block; both lines are stored.",
     "101  1200.0  0.0  0.5\n101  1300.0  0.0  0.5", "Remove one line, or correct its node number."},
    {"OV-PY-CURVE-TWICE", Severity::kLint, "Two curves of one P-Y block are placed at the same depth or node.",
     "DEPTH=5.0\n0.0   0.0\n0.5   100.0\nDEPTH=5.0", "Correct the depth or node, or remove one curve."},
    {"OV-PY-DEFLECTION-ORDER", Severity::kLint,
     "A point's first number, the deflection, does not increase on the point before it in its curve.",
     "0.5   100.0\n0.5   120.0", "Order the points by deflection, each larger than the last."},
    {"OV-KEYWORD-TWICE", Severity::kLint,
     "A keyword block is given again in the same file (P-Y blocks, which add curves, apart): which one the "
     "analysis keeps is the host's choice.",
     "*REFERENCE DIAMETER\n0.75\n*REFERENCE DIAMETER\n0.80", "Keep one block."},
    {"OV-BLOCK-CUT-OFF", Severity::kLint,
     "The block ends with the file rather than with a keyword line, so the reader makes none of its end-of-block "
     "checks (that a data line was given, that the last curve has two points).",
     "*REFERENCE DIAMETER", "End the file with a keyword line such as `*END`."},
    {"OV-LINE-TOO-LONG", Severity::kLint,
     "A data line longer than the 80 characters the analysis reads: the rest of it is dropped.", "",
     "Shorten the line, or break it in two where the block allows."},
    {"OV-STRAY-CR", Severity::kLint,
     "A CR character that is not followed by a line feed does not end a line; it is read as a stray character.", "",
     "Convert the file's line ends to LF or CR LF."},
    {"OV-FILE-EMPTY", Severity::kLint, "The file is empty.", "", "Check the file name."},
    {"OV-FILE-NO-KEYWORD", Severity::kLint,
     "The file has no keyword line (a `*` in column 1), so nothing in it is read.", "",
     "Check the file name, or move the keywords' `*` to column 1."},
    {"OV-IGNORE-UNKNOWN-RULE", Severity::kLint,
     "A `C orvane-check: ignore` comment names a rule that is not a lint; it silences nothing (the library's "
     "messages cannot be silenced).",
     "C orvane-check: ignore OV-NUMBER-DEFAULT", "Correct the rule id, or remove the comment."},
};

std::vector<Rule> MakeAllRules() {
  std::vector<Rule> all(LibraryRules().begin(), LibraryRules().end());
  all.insert(all.end(), std::begin(kCheckerRules), std::end(kCheckerRules));
  all.insert(all.end(), std::begin(kLintRules), std::end(kLintRules));
  return all;
}

void Section(std::string& out, std::string_view heading, std::string_view text, std::span<const Rule> rules) {
  out += "## " + std::string(heading) + "\n\n" + std::string(text) + "\n";
  for (const Rule& rule : rules) {
    out += "\n### " + std::string(rule.id) + "\n\n" + RuleEntry(rule);
  }
}

}  // namespace

std::span<const Rule> AllRules() {
  static const std::vector<Rule> kAll = MakeAllRules();
  return kAll;
}

const Rule* FindRule(std::string_view id) {
  const auto all = AllRules();
  const auto found = std::find_if(all.begin(), all.end(), [&](const Rule& rule) { return rule.id == id; });
  return found == all.end() ? nullptr : &*found;
}

const Rule& LintRule(Lint lint) { return kLintRules[static_cast<std::size_t>(lint)]; }

std::optional<Lint> FindLint(std::string_view id) {
  for (std::size_t i = 0; i < kLints; ++i) {
    if (kLintRules[i].id == id) {
      return static_cast<Lint>(i);
    }
  }
  return std::nullopt;
}

std::string_view MessageRule(std::string_view record) {
  if (const toolkit::Message* message = toolkit::FindMessage(record)) {
    return message->id;
  }
  // A message written after another on the same line (the higher harmonics threshold): the first
  // one's rule.
  for (const toolkit::Message* first : toolkit::kCatalogue) {
    if (record.starts_with(first->text) && toolkit::FindMessage(record.substr(first->text.size())) != nullptr) {
      return first->id;
    }
  }
  return rules::kUnknownMessage;
}

std::string RuleEntry(const Rule& rule) {
  std::string entry = std::string(SeverityName(rule.severity)) + ": " + std::string(rule.meaning) + "\n";
  if (!rule.example.empty()) {
    entry += "\n```\n" + std::string(rule.example) + "\n```\n";
  }
  return entry + "\nWhat to do: " + std::string(rule.action) + "\n";
}

std::string RulesDocument() {
  std::string out =
      "# Rules\n\n"
      "Every finding of `orvane-check` carries one of these rule ids, in every output format. The library's\n"
      "messages are warnings (line code 2) and errors (code 3), exactly as a host receives them. The checker\n"
      "adds notes on how the library read a block, errors for blocks it could not read, and lints: its own\n"
      "second opinion on what the readers pass over without a word.\n\n"
      "Lints are chosen with `--lint=all|none|RULE,...` (all by default) and count as errors for the exit\n"
      "status with `--strict`. A comment line `C orvane-check: ignore RULE[,RULE...]` silences those lints\n"
      "on the next line that is not a comment. `orvane-check --rules` writes this file.\n\n";
  Section(out, "Messages of the library", "Written by the readers; the checker reports them as they are.",
          LibraryRules());
  Section(out, "Notes and errors of the checker", "Always reported.", kCheckerRules);
  Section(out, "Lints", "Reported unless `--lint` leaves them out.", kLintRules);
  return out;
}

}  // namespace orvane::check
