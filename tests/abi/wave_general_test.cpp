// *WAVE-GENERAL through its exports: whole blocks in, every output, code and message out. Every
// block is read by both data forms and by both maxes exports.
#include <bit>
#include <limits>
#include <optional>

#include "abi/block.h"

namespace orvane::test {
namespace {

constexpr std::int32_t kKeep = -7;    // preset of every integer output
constexpr float kKeepReal = -7.0F;    // preset of every real output
constexpr float kUnwritten = -99.5F;  // preset of every selected-frequency element
constexpr float kTiny = 1e-10F;
const float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

const std::string kSeedBad = "Invalid specification for SEED= or number is greater than 2,147,483,647.";
const std::string kOptionBad = "This is not a valid value. OPTION can be either SUPERPOSITION, MWL or EXTE:";
const std::string kZoneBad = "The extent of the wave zone must be a positive number.";
const std::string kDomain = "The FREQUENCIES=SELECTED option is valid for frequency domain analyses only:";
const std::string kExpecting = "Expecting selected frequencies instead of:";
const std::string kPositive = "Selected frequencies must be strictly positive:";
const std::string kExceeded = "Internal selected frequency count exceeded:";
std::string Misplaced(const std::string& option) {
  return "The " + option + " option is not expected at this location under *WAVE-GENERAL:";
}
std::string YesNoBad(const std::string& option) {
  return "This is not a valid value. " + option + " can be either YES or NO:";
}

// What one data read gives; every line without a note has code 0 and a blank message.
struct Outcome {
  std::int32_t seed = kKeep, waveOption = kKeep;
  float zone = kKeepReal;
  std::int32_t convolution = kKeep, rao = kKeep, qtf = kKeep;
  float origin1 = kKeepReal, origin2 = kKeepReal;
  std::vector<float> frequencies{};
  std::int32_t status = 0;
  Notes notes{};
};

struct Conditions {
  std::int32_t capacity = 4, analysisType = 1, restrictedAnalysisType = 2, frequencyDomain = 0;
  std::int64_t messageWidth = 163;
};

struct Case {
  std::vector<std::string> lines;
  Outcome form01;
  std::optional<Outcome> form02{};  // when unset, form 02 reads exactly as form 01, origins untouched
  std::int32_t maxes = 0;           // the maxes count
  std::int32_t maxesEnd = 0;        // the line given code 3 by the maxes reader, 0 for none
  Conditions conditions{};
};

void ExpectSameBits(float got, float want, const char* what) {
  EXPECT_EQ(std::bit_cast<std::uint32_t>(got), std::bit_cast<std::uint32_t>(want)) << what << ": " << got;
}

void ReadData(int form, const std::vector<std::string>& lines, const Outcome& want, const Conditions& c) {
  SCOPED_TRACE("form 0" + std::to_string(form));
  Block block(lines, 80, c.messageWidth);
  Outcome got;
  std::int32_t count = -99;
  Fenced<float> frequencies(Size(c.capacity), kUnwritten);
  const auto read = [&](auto reader, auto... origins) {
    Opened().Read(reader, block, &got.waveOption, &got.seed, &count, &c.capacity, frequencies.data(), &got.convolution,
                  &got.rao, &got.qtf, &got.zone, &c.analysisType, &c.restrictedAnalysisType, &c.frequencyDomain,
                  origins...);
  };
  form == 1 ? read(&Api::ReadWaveGeneralData01) : read(&Api::ReadWaveGeneralData02, &got.origin1, &got.origin2);
  EXPECT_EQ(block.status, want.status);
  EXPECT_EQ(got.seed, want.seed);
  EXPECT_EQ(got.waveOption, want.waveOption);
  EXPECT_EQ(got.convolution, want.convolution);
  EXPECT_EQ(got.rao, want.rao);
  EXPECT_EQ(got.qtf, want.qtf);
  ExpectSameBits(got.zone, want.zone, "wave zone");
  ExpectSameBits(got.origin1, want.origin1, "origin1");
  ExpectSameBits(got.origin2, want.origin2, "origin2");
  ASSERT_EQ(count, static_cast<std::int32_t>(want.frequencies.size()));
  for (std::size_t i = 0; i < frequencies.size(); ++i) {
    ExpectSameBits(frequencies[i], i < want.frequencies.size() ? want.frequencies[i] : kUnwritten, "frequency");
  }
  block.Expect(want.notes);
}

void ReadMaxes(const std::vector<std::string>& lines, std::int32_t count, std::int32_t end) {
  for (const auto maxes : {&Api::ReadWaveGeneralMaxes01, &Api::ReadWaveGeneralMaxes02}) {
    Block block(lines);
    std::int32_t got = -99;
    Opened().Count(maxes, block, &got);
    EXPECT_EQ(got, count) << "maxes count";
    block.Expect({{end, 3, ""}}, false);
  }
}

void Check(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.empty() ? "no lines" : c.lines.front());
    ReadData(1, c.lines, c.form01, c.conditions);
    ReadData(2, c.lines, c.form02.value_or(c.form01), c.conditions);
    ReadMaxes(c.lines, c.maxes, c.maxesEnd);
  }
}

Outcome Refused(std::int32_t line, const std::string& message) { return {.notes = {{line, 3, message}}}; }
Outcome Ended(std::int32_t line, const std::string& message) { return {.status = -1, .notes = {{line, 3, message}}}; }

// clang-format off
TEST(WaveGeneral, OptionValues) {
  const std::string conv = YesNoBad("FLOAT_CONVOLUTION"), rao = YesNoBad("FLOAT_RAO_FORCES"),
                    qtf = YesNoBad("FLOAT_QTF_FORCES");
  // A value is found by the name's last letter in upper case before "=": "option=" hides it.
  Check({
      {{"OPTION=SUPERPOSITIONING"}, {.waveOption = 1}}, {{"  OPTIoN= ,mwl:note"}, {.waveOption = 2}},
      {{"OPTION=Extended"}, {.waveOption = 3}},          {{"OPTION=SUPER"}, Refused(1, kOptionBad)},
      {{"OPTION="}, Refused(1, kOptionBad)},             {{"option=MWL"}, Refused(1, kOptionBad)},
      {{"OPTION =MWL"}, {}},                             {{"FLOAT_CONVOLUTION=yesterday"}, {.convolution = -1}},
      {{"FLOAT_CONVOLUTION=NOPE"}, {.convolution = 0}}, {{"FLOAT_CONVOLUTION=Y"}, Refused(1, conv)},
      {{"float_rao_forceS=Yes"}, {.rao = -1}},           {{"FLOAT_RAO_FORCES=MAYBE"}, Refused(1, rao)},
      {{"FLOAT_QTF_FORCES=YES"}, {.qtf = -1}},           {{"float_qtf_forces=YES"}, Refused(1, qtf)},
      {{"WAVEZONE=1e-10"}, {.zone = kTiny}},             {{"WAVEZONE=NAN"}, {.zone = kNaN}},
      {{"WAVEZONE=9.9e-11"}, Refused(1, kZoneBad)},      {{"WAVEZONE=abc"}, Refused(1, kZoneBad)},
      {{"WAVEZONE=-1.0E39"}, Refused(1, kZoneBad)},      {{"wavezone=7"}, Refused(1, kZoneBad)},
      {{"WAVEZONE=1.0E39"}, Refused(1, kTooLarge)},      {{"WAVE ZONE=5"}, {}},
  });
}

TEST(WaveGeneral, Seed) {
  std::vector<Case> cases = {
      {{"SEED=77"}, {.seed = 77}},                   {{"   seed= 9"}, {.seed = 9}},
      {{"SEED=-2147483648"}, {.seed = std::numeric_limits<std::int32_t>::min()}},
      {{"SEED=+2147483647"}, {.seed = std::numeric_limits<std::int32_t>::max()}},
      {{"SEED=000000000000000000042"}, {.seed = 42}}, {{"SEED=42 junk"}, {.seed = 42}},
      {{"SEED=3*42"}, {.seed = 42}},                 {{"SEED=3*-42"}, {.seed = -42}},
      // Null values: nothing is written and nothing is reported.
      {{"SEED=3*"}, {}}, {{"SEED=/"}, {}}, {{"SEED=/5"}, {}}, {{"SEED=,42"}, {}},
  };
  for (const char* bad : {"SEED=2147483648", "SEED=-2147483649", "SEED=12.5", "SEED=abc", "SEED=", "SEED=+",
                          "SEED=42/", "SEED=0*42", "SEED=-3*42", "SEED=3*4.5", "SEED=42:1", "SEED==5"}) {
    cases.push_back({{bad}, Ended(1, kSeedBad)});
  }
  Check(cases);
}

TEST(WaveGeneral, OptionOrder) {
  Check({
      // A refused value still takes its place.
      {{"OPTION=SUPER", "OPTION=MWL", "WAVEZONE=5", "*"},
       {.status = -1, .notes = {{1, 3, kOptionBad}, {2, 3, Misplaced("OPTION=")}}}, {}, 0, 4},
      {{"SEED=abc", "SEED=5", "OPTION=MWL", "*"},
       {.status = -1, .notes = {{1, 3, kSeedBad}, {2, 3, Misplaced("SEED=")}}}, {}, 0, 4},
      {{"FREQUENCIES=SELECTED", "0.5", "SEED=1", "0.7", "*"},
       {.frequencies = {0.5F}, .status = -1, .notes = {{3, 3, Misplaced("SEED=")}}}, {}, 3, 5},
      {{"WAVE ZONE=5", "hello 1.5", "SEED=3", "C SEED=4", "$ section", "SEED=2"}, {.seed = 3}, {}, 0, 5},
  });
}

TEST(WaveGeneral, FrequencyList) {
  const std::vector<std::string> list = {"FREQUENCIES=SELECTED", "0.5", "*"};
  const Outcome read{.frequencies = {0.5F}};
  const Outcome domainOnly = Ended(1, kDomain);
  Check({
      {{"   frequencies=selected, please", "0.5", "0.25 0.7", "2*0.125", "*"},
       {.frequencies = {0.5F, 0.25F, 0.125F}}, {}, 3, 5},
      {{"FREQUENCIES=SELECTED", "0", "-1", "abc", "1.0E39", "-1.0E39", "9.9e-11", "1e-10", "nan", "inf", "*"},
       {.frequencies = {kTiny, kNaN, kInf}, .notes = {{2, 3, kPositive}, {3, 3, kPositive}, {4, 3, kPositive},
        {5, 3, kTooLarge}, {6, 3, kPositive}, {7, 3, kPositive}}}, {}, 9, 11},
      {{"FREQUENCIES=SELECTED", "X=1", "FREQUENCIES=SELECTED", "0.5", "X=1", "ORIGIN=1 2", "*"},
       {.frequencies = {0.5F}, .notes = {{2, 3, kExpecting}, {3, 3, kExpecting}}}, {}, 4, 7},
      {{"FREQUENCIES=SELECTED", "ORIGIN=1 2", "0.5", "*"},
       {.frequencies = {0.5F}, .notes = {{2, 3, kExpecting}}}, {}, 2, 4},
      // No lines: only the status and the counts are written.
      {{}, {}},
      // The capacity: filled by the last line, exceeded by one line, and zero.
      {{"FREQUENCIES=SELECTED", "0.1", "0.2", "*"}, {.frequencies = {0.1F, 0.2F}}, {}, 2, 4, {.capacity = 2}},
      {{"FREQUENCIES=SELECTED", "0.1", "0.2", "0.3", "0.4", "*"},
       {.frequencies = {0.1F, 0.2F}, .status = -1, .notes = {{4, 3, kExceeded}}}, {}, 4, 6, {.capacity = 2}},
      {{"FREQUENCIES=SELECTED", "-1", "0.1", "*"},
       {.status = -1, .notes = {{2, 3, kPositive}, {3, 3, kExceeded}}}, {}, 2, 4, {.capacity = 0}},
      // The analysis check, on the logical's lowest bit.
      {list, domainOnly, {}, 1, 3, {.analysisType = 5, .restrictedAnalysisType = 5, .frequencyDomain = 2}},
      {list, read, {}, 1, 3, {.analysisType = 5, .restrictedAnalysisType = 5, .frequencyDomain = -1}},
      {list, read, {}, 1, 3, {.analysisType = 5, .restrictedAnalysisType = 6, .frequencyDomain = 0}},
  });
}

TEST(WaveGeneral, LinesTheTwoWalksSeeDifferently) {
  Check({
      // Screening skips the directive; the maxes reader counts it.
      {{"FREQUENCIES=SELECTED", "#INCLUDE more.inp", "0.5", "*"},
       {.frequencies = {0.5F}, .notes = {{2, 2, kInclude}}}, {}, 2, 4},
      // Behind blanks, "c" starts a comment and "*" ends the block only for the maxes reader.
      {{"FREQUENCIES=SELECTED", " c 0.4", "0.5", " *NEXT", "0.7", "*"},
       {.frequencies = {0.5F, 0.7F}, .notes = {{2, 3, kPositive}, {4, 3, kPositive}}}, {}, 1, 4},
      // A number read replaces the screening warning; elsewhere it stays, on the terminator too.
      {{"OPTION=MWL \x01", "WAVEZONE=5 \x01", "FREQUENCIES=SELECTED", "0.5 \x02", "*NEXT \x03"},
       {.waveOption = 2, .zone = 5.0F, .frequencies = {0.5F},
        .notes = {{1, 2, kNonStandard}, {5, 2, kNonStandard}}}, {}, 1, 5},
  });
}

TEST(WaveGeneral, OriginInForm02) {
  const Outcome ignored{};
  Check({
      {{"ORIGIN=5"}, ignored, Outcome{.origin1 = 5.0F, .origin2 = 0.0F}},
      {{"origin=1 2"}, ignored, Outcome{.origin1 = 0.0F, .origin2 = 0.0F}},
      {{"ORIGIN=1.0E39 2"}, ignored, Refused(1, kTooLarge)},
      {{"SEED=4", "ORIGIN=1 2", "FLOAT_QTF_FORCES=NO", "*"}, {.seed = 4, .qtf = 0},
       Outcome{.seed = 4, .origin1 = 1.0F, .origin2 = 2.0F, .status = -1,
               .notes = {{3, 3, Misplaced("FLOAT_QTF_FORCES=")}}}, 0, 4},
      // The analysis check comes first.
      {{"ORIGIN=1 2", "FREQUENCIES=SELECTED", "0.5", "*"}, Ended(2, kDomain),
       Outcome{.origin1 = 1.0F, .origin2 = 2.0F, .status = -1, .notes = {{2, 3, kDomain}}}, 1, 4,
       {.analysisType = 5, .restrictedAnalysisType = 5}},
  });
}

// clang-format on

// The numbers read are kept between calls, one set per form: a null field reuses the last one.
TEST(WaveGeneral, NullFieldsReuseTheLastNumberOfTheirForm) {
  struct Step {
    int form;
    std::vector<std::string> lines;
    Outcome want;
  };
  const Step steps[] = {
      {1, {"WAVEZONE=2.5"}, {.zone = 2.5F}},
      {1, {"WAVEZONE=3*"}, {.zone = 2.5F}},
      {1, {"FREQUENCIES=SELECTED", "/"}, {.frequencies = {2.5F}}},
      {2, {"WAVEZONE=4.5", "ORIGIN=1 2"}, {.zone = 4.5F, .origin1 = 1.0F, .origin2 = 2.0F}},
      {1, {"WAVEZONE=/"}, {.zone = 2.5F}},
      {2, {"WAVEZONE=/", "ORIGIN=, 3*"}, {.zone = 4.5F, .origin1 = 0.0F, .origin2 = 2.0F}},
      {2, {"WAVEZONE=6", "FREQUENCIES=SELECTED", "2*"}, {.zone = 6.0F, .frequencies = {6.0F}}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.lines.front());
    ReadData(step.form, step.lines, step.want, {});
  }
}

}  // namespace
}  // namespace orvane::test
