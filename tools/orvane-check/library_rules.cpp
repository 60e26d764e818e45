// The entries of the library's messages in docs/rules.md. Ids are taken from the catalogue itself,
// so that an entry cannot name a message the library does not write.
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "rules.h"
#include "toolkit/messages.h"

namespace orvane::check {

namespace {

namespace m = toolkit::messages;

struct Entry {
  std::string_view id;
  std::string_view meaning;
  std::string_view example;
  std::string_view action;
};

constexpr Entry kEntries[] = {
    {m::kInclude.id, "An `#INCLUDE` line: the analysis does not read included files, so the line is skipped.",
     "#INCLUDE damping.inp", "Copy the included lines into the file in place of the directive."},
    {m::kNonStandard.id, "The line holds a byte outside printable ASCII (TAB and NUL apart); it was read as a blank.",
     "ENABLED=YES  °", "Remove the character, or retype the line in plain ASCII."},
    {m::kTooLarge.id,
     "A field that begins with a digit is beyond single precision; it is read as 0 and the fields after it "
     "are not read at all.",
     "101  1200.0  0.0  9.9E39", "Write a value within about 3.4E38, or check the exponent."},
    {m::kEnabledInvalid.id, "ENABLED= is followed by neither YES nor NO (only the first three characters count).",
     "ENABLED=MAYBE", "Write ENABLED=YES or ENABLED=NO, in capitals for the option name."},
    {m::kDampingSecondLine.id, "`*NON-ORTHOGONAL DAMPING` takes one data line; reading stopped at the second.",
     "ENABLED=YES\nENABLED=NO", "Keep one line, or start a new keyword if the second belongs elsewhere."},
    {m::kDampingNoData.id, "The block ended without a data line.", "*NON-ORTHOGONAL DAMPING\n*REFERENCE DIAMETER",
     "Add ENABLED=YES or ENABLED=NO under the keyword, or remove the keyword."},
    {m::kDiameterNotPositive.id,
     "The diameter is 0, negative, or not a number (read as 0); the host keeps its default.", "-0.75",
     "Write a positive diameter as the line's first field."},
    {m::kDiameterSecondLine.id, "`*REFERENCE DIAMETER` takes one data line; reading stopped at the second.",
     "0.75\n0.80", "Keep one line."},
    {m::kDiameterNoData.id, "The block ended without a data line.", "*REFERENCE DIAMETER\n*HIGHER HARMONICS",
     "Add the diameter under the keyword, or remove the keyword."},
    {m::kFactorNegative.id, "The first number is below zero; the host keeps its default factor.", "-0.5  0.01",
     "Write a factor of 0 or more."},
    {m::kThresholdNegative.id,
     "The second number is below zero; the host keeps its default threshold. The text follows the factor's "
     "message when both are negative.",
     "0.5  -0.01", "Write a threshold of 0 or more."},
    {m::kHarmonicsSecondLine.id, "`*HIGHER HARMONICS` takes one data line; reading stopped at the second.",
     "0.5  0.01\n0.6  0.02", "Keep one line with both numbers."},
    {m::kHarmonicsNoData.id, "The block ended without a data line.", "*HIGHER HARMONICS\n*AXIAL LOAD",
     "Add the factor and threshold under the keyword, or remove the keyword."},
    {m::kTooManyNodes.id,
     "More data lines than the counting pass found room for; reading stopped. Lines that begin with blanks and "
     "then `C` or `*` are data here but were not counted.",
     "  C  node 103 taken out", "Move the `C` or `*` to column 1, or remove the line."},
    {m::kAxialNoData.id, "The block ended without a data line.", "*AXIAL LOAD\n*WAVE-GENERAL",
     "Add node lines under the keyword, or remove the keyword."},
    {m::kSeedPlace.id,
     "An option stands after one that must follow it, or is given twice; the options go SEED=, OPTION=, "
     "WAVEZONE=, FLOAT_CONVOLUTION=, FLOAT_RAO_FORCES=, FLOAT_QTF_FORCES=, FREQUENCIES=SELECTED, ORIGIN=. "
     "Reading stopped.",
     "OPTION=MWL\nSEED=77", "Put the options in that order, each once."},
    {m::kFrequenciesNotAllowed.id, "A list of selected frequencies in a time-domain analysis; reading stopped.",
     "FREQUENCIES=SELECTED", "Remove the list, or run a frequency-domain analysis."},
    {m::kTooManyFrequencies.id,
     "More frequency lines than the counting pass found room for; reading stopped. A line that begins with "
     "blanks and then `*` ends the count but not the list.",
     "  *AXIAL LOAD", "Move the `*` to column 1."},
    {m::kSeedInvalid.id,
     "SEED= is not followed by a whole number within 32 bits; the status is set to -1 but reading goes on.",
     "SEED=1.5E3", "Write the seed as digits alone, at most 2147483647."},
    {m::kWaveOptionInvalid.id,
     "An option's value is not one it takes (OPTION= takes SUPERPOSITION, MWL or EXTENDED; the FLOAT_ options "
     "YES or NO); the host keeps its default.",
     "OPTION=STOKES", "Write one of the values the option takes."},
    {m::kWaveZoneNotPositive.id, "WAVEZONE= is 0, negative or not a number; the host keeps its default.",
     "WAVEZONE=0.0", "Write a positive extent."},
    {m::kExpectingFrequencies.id, "A line with an equals sign where the list of selected frequencies should begin.",
     "PERIOD=10.0", "Give frequencies one per line after FREQUENCIES=SELECTED; options go before it."},
    {m::kFrequencyNotPositive.id, "A selected frequency is 0, negative or not a number; it is not stored.", "-0.05",
     "Write a positive frequency as the line's first field."},
    {m::kNoSetName.id, "SET= is followed by no name (or the option is in lower case); reading stopped.",
     "SET=", "Write SET=NAME in capitals."},
    {m::kScourTwice.id, "A second SCOUR= for the same set; the first value is kept.", "SCOUR=1.0\nSCOUR=2.0",
     "Keep one SCOUR= line per set."},
    {m::kTooManyCurves.id,
     "More curve headers than the counting pass found room for; reading stopped. A line that begins with "
     "blanks and then `*` ends the count but not the block.",
     "  *PILE GROUP\nDEPTH=15.0", "Move the `*` to column 1."},
    {m::kTooFewPoints.id,
     "A curve has fewer than two points before the next header or the end of the block; at a header, reading "
     "stopped.",
     "DEPTH=10.0\n0.0   0.0\nDEPTH=15.0", "Give each curve at least two point lines."},
    {m::kNoCurveHeader.id, "A point line before any DEPTH= or NODE= line of the block; reading stopped.",
     "SET=SAND\n0.0   0.0", "Start each curve with DEPTH= or NODE=."},
    {m::kTooManyPoints.id,
     "More points in a curve than the counting pass found room for; reading stopped. A line that begins "
     "with blanks and then `*` ends the count but not the curve.",
     "  *PILE GROUP", "Move the `*` to column 1."},
    {m::kNoCurves.id, "The block ended without a DEPTH= or NODE= line.", "*P-Y CURVES\nSET=SAND2\n*AXIAL LOAD",
     "Add curves, or remove the keyword."},
};

Severity SeverityOf(toolkit::Outcome outcome) {
  return outcome == toolkit::Outcome::kWarning ? Severity::kWarning : Severity::kError;
}

std::vector<Rule> MakeLibraryRules() {
  std::vector<Rule> made;
  for (const toolkit::Message* message : toolkit::kCatalogue) {
    const auto known = [&](const Rule& rule) { return rule.id == message->id; };
    if (std::any_of(made.begin(), made.end(), known)) {
      continue;
    }
    const auto* entry =
        std::find_if(std::begin(kEntries), std::end(kEntries), [&](const Entry& e) { return e.id == message->id; });
    if (entry == std::end(kEntries)) {
      throw std::logic_error("no entry for " + std::string(message->id));
    }
    made.push_back({message->id, SeverityOf(message->outcome), entry->meaning, entry->example, entry->action});
  }
  return made;
}

}  // namespace

std::span<const Rule> LibraryRules() {
  static const std::vector<Rule> kRules = MakeLibraryRules();
  return kRules;
}

}  // namespace orvane::check
