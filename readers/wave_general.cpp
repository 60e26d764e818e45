// *WAVE-GENERAL: the ordered options, the selected-frequency list, and ORIGIN= of form 02.
//
// Both data forms run one set of rules over the data walk; form 02 differs only in that it
// recognises ORIGIN=. Within a call the rules are a small state machine over
// (optionPosition, inFrequencyList): each option may stand only after the options of lower rank,
// and FREQUENCIES=SELECTED turns every later line into a frequency line, so the list runs to the
// end of the block.
#include <array>
#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <system_error>

#include "readers/readers.h"
#include "readers/walk.h"
#include "toolkit/messages.h"

namespace orvane::readers {
namespace {

using toolkit::StartsWithIgnoreCase;
using toolkit::Text;
using namespace toolkit::messages;

// The host's value outputs. The origins are null in form 01.
struct Outputs {
  std::int32_t* waveOption;
  std::int32_t* seed;
  std::int32_t* selectedFrequencyCount;
  float* selectedFrequencies;
  std::int32_t* floatConvolution;
  std::int32_t* floatRaoForces;
  std::int32_t* floatQtfForces;
  float* waveZoneExtent;
  float* origin1;
  float* origin2;
};

// Read once, before the walk.
struct Settings {
  std::int32_t maxSelectedFrequencies;
  bool frequencyListRestricted;  // the analysis type needs a frequency domain analysis for the list
};

// The numbers ReadNumericFields reads into. They outlive the call: a null field leaves the value
// an earlier read put there, and the reader takes that as the number read.
struct NumberWork {
  std::array<float, 1> real{};    // WAVEZONE= and each selected frequency
  std::array<float, 2> origin{};  // ORIGIN=, form 02 only
};
NumberWork form01Work;
NumberWork form02Work;

enum class Kind : std::uint8_t { Seed, WaveOption, WaveZone, YesNo, Origin };

struct Option {
  std::int32_t rank;
  Text name;
  char key;  // the name's last letter, which ExtractOptionValue and ReadNumericFields look for before "="
  Kind kind;
  std::int32_t* Outputs::*output;  // the integer output; the real ones follow from the kind
  const toolkit::Message* positionMessage;
  const toolkit::Message* invalidMessage;  // null for ORIGIN=, whose numbers are never refused
};

constexpr std::int32_t kFrequencyListRank = 8;
constexpr std::int32_t kValueWidth = 20;

constexpr std::array<Option, 7> kOptions{{
    {2, "SEED=", ' ', Kind::Seed, &Outputs::seed, &kSeedPlace, &kSeedInvalid},
    {3, "OPTION=", 'N', Kind::WaveOption, &Outputs::waveOption, &kOptionPlace, &kWaveOptionInvalid},
    {4, "WAVEZONE=", 'E', Kind::WaveZone, nullptr, &kWaveZonePlace, &kWaveZoneNotPositive},
    {5, "FLOAT_CONVOLUTION=", 'N', Kind::YesNo, &Outputs::floatConvolution, &kConvolutionPlace, &kConvolutionInvalid},
    {6, "FLOAT_RAO_FORCES=", 'S', Kind::YesNo, &Outputs::floatRaoForces, &kRaoForcesPlace, &kRaoForcesInvalid},
    {7, "FLOAT_QTF_FORCES=", 'S', Kind::YesNo, &Outputs::floatQtfForces, &kQtfForcesPlace, &kQtfForcesInvalid},
    {9, "ORIGIN=", 'N', Kind::Origin, nullptr, &kOriginPlace, nullptr},
}};

constexpr Text kFrequencyListName = "FREQUENCIES=SELECTED";

// ---- SEED= ----

enum class SeedKind : std::uint8_t { Value, Null, Invalid };
struct SeedItem {
  SeedKind kind;
  std::int32_t value;
};

bool AllDigits(Text text) { return !text.empty() && text.find_first_not_of("0123456789") == Text::npos; }

// An optional sign and decimal digits, within the 32-bit signed range.
SeedItem ConvertInteger(Text item) {
  const bool signed_ = item.front() == '+' || item.front() == '-';
  if (!AllDigits(item.substr(signed_ ? 1 : 0))) {
    return {SeedKind::Invalid, 0};
  }
  if (item.front() == '+') {
    item.remove_prefix(1);
  }
  std::int32_t value = 0;
  const auto result = std::from_chars(item.data(), item.data() + item.size(), value);
  return {result.ec == std::errc{} ? SeedKind::Value : SeedKind::Invalid, value};
}

// The first free-format item of `text` as an integer. The item ends at a blank, a comma or the end
// of the text. The forms that every free-format number field knows keep their meaning here: r*c
// is c, while r*, an item that begins with a slash and an empty item before a comma are null
// values that leave the seed as it was.
SeedItem ReadSeedItem(Text text) {
  text = toolkit::TrimTrailingBlanks(toolkit::SkipLeadingBlanks(text));
  if (text.empty()) {
    return {SeedKind::Invalid, 0};
  }
  Text item = text.substr(0, text.find_first_of(" ,"));
  if (item.empty() || item.front() == '/') {
    return {SeedKind::Null, 0};
  }
  if (const std::size_t star = item.find('*'); star != Text::npos) {
    const Text repeat = item.substr(0, star);
    if (!AllDigits(repeat) || repeat.find_first_not_of('0') == Text::npos) {
      return {SeedKind::Invalid, 0};
    }
    item = item.substr(star + 1);
    if (item.empty()) {
      return {SeedKind::Null, 0};
    }
  }
  return ConvertInteger(item);
}

// ---- The rules of one call ----

class WaveGeneralRules {
 public:
  WaveGeneralRules(const Outputs& outputs, const Settings& settings, NumberWork& work, bool withOrigin)
      : out_(outputs), settings_(settings), work_(work), withOrigin_(withOrigin) {}

  Flow DataLine(const Line& line) {
    const Text leftJustified = line.LeftJustified();
    // Every name starts with a letter; a frequency line starts with a digit, a sign or a point,
    // below every letter, and so matches none. A line that cleaning left blank has no first letter.
    if (leftJustified.empty() || leftJustified.front() < 'A') {
      return inFrequencyList_ ? FrequencyLine(line) : Flow::Continue;
    }
    for (const Option& option : kOptions) {
      if (Recognised(option) && StartsWithIgnoreCase(leftJustified, option.name)) {
        return OptionLine(line, option);
      }
    }
    if (!inFrequencyList_ && StartsWithIgnoreCase(leftJustified, kFrequencyListName)) {
      return StartFrequencyList(line);
    }
    // Outside the list, a line that holds no option is passed over.
    return inFrequencyList_ ? FrequencyLine(line) : Flow::Continue;
  }

  // The block's end needs no check: every option is optional.
  void EndOfBlock(const Line& /*terminator*/) const {}

 private:
  // Inside the frequency list an ORIGIN= line is a frequency line like any other.
  [[nodiscard]] bool Recognised(const Option& option) const {
    return option.rank < kFrequencyListRank || (withOrigin_ && !inFrequencyList_);
  }

  Flow OptionLine(const Line& line, const Option& option) {
    inFrequencyList_ = false;
    if (optionPosition_ >= option.rank) {
      return line.Report(*option.positionMessage);
    }
    ReadValue(line, option);
    // A refused value still fixes the place: the same option cannot be tried again.
    optionPosition_ = option.rank;
    return Flow::Continue;
  }

  void ReadValue(const Line& line, const Option& option) {
    switch (option.kind) {
      case Kind::Seed:
        ReadSeed(line, option);
        break;
      case Kind::WaveOption:
        ReadChoice(line, option, {{"SUPERPOSITION", 1}, {"MWL", 2}, {"EXTENDED", 3}});
        break;
      case Kind::YesNo:
        ReadChoice(line, option, {{"YES", -1}, {"NO", 0}});
        break;
      case Kind::WaveZone:
        if (ReadReal(line, option.key) && !Reject(line, work_.real[0], *option.invalidMessage)) {
          *out_.waveZoneExtent = work_.real[0];
        }
        break;
      case Kind::Origin:
        // Neither number is bounded, and a number missing from the line reads as 0.
        line.ReadNumbers(Text(&option.key, 1), work_.origin, 0.0F);
        if (line.Code() < 3) {
          *out_.origin1 = work_.origin[0];
          *out_.origin2 = work_.origin[1];
        }
        break;
    }
  }

  // The seed comes from the left-justified line, after "SEED=". A bad seed is serious, yet the
  // walk goes on: the later options still get read and reported.
  void ReadSeed(const Line& line, const Option& option) const {
    const SeedItem item = ReadSeedItem(line.LeftJustified().substr(option.name.size()));
    if (item.kind == SeedKind::Value) {
      *(out_.*option.output) = item.value;
    } else if (item.kind == SeedKind::Invalid) {
      line.Report(*option.invalidMessage);
    }
  }

  struct Choice {
    Text prefix;
    std::int32_t value;
  };

  // Values are matched on their first characters only, so MWLX is MWL and NOPE is NO.
  void ReadChoice(const Line& line, const Option& option, std::initializer_list<Choice> choices) const {
    std::array<char, kValueWidth> buffer{};
    toolkit::ExtractOptionValue(line.Screened(), option.key, buffer, kValueWidth);
    const Text value(buffer.data(), buffer.size());
    for (const Choice& choice : choices) {
      if (StartsWithIgnoreCase(value, choice.prefix)) {
        *(out_.*option.output) = choice.value;
        return;
      }
    }
    line.Report(*option.invalidMessage);
  }

  // Reads the first number after `key` and "=" (a blank key: from column 1) into the work real;
  // false when the line got code 3 for a number too large.
  bool ReadReal(const Line& line, char key) {
    line.ReadNumbers(Text(&key, 1), work_.real, 0.0F);
    return line.Code() != 3;
  }

  // A value below the smallest positive one gets `message`; NaN is not below it and passes.
  static bool Reject(const Line& line, float value, const toolkit::Message& message) {
    if (value < toolkit::kTiny) {
      line.Report(message);
      return true;
    }
    return false;
  }

  Flow StartFrequencyList(const Line& line) {
    inFrequencyList_ = true;
    if (settings_.frequencyListRestricted) {
      return line.Report(kFrequenciesNotAllowed);
    }
    // Only ORIGIN= stands after the list's place, so this is never true in form 01.
    if (optionPosition_ > kFrequencyListRank - 1) {
      return line.Report(kFrequenciesPlace);
    }
    optionPosition_ = kFrequencyListRank;
    return Flow::Continue;
  }

  Flow FrequencyLine(const Line& line) {
    std::int32_t& count = *out_.selectedFrequencyCount;
    if (line.Screened().find('=') != Text::npos) {
      // Only a list that has not begun yet is reported: later such lines are passed over.
      if (count == 0) {
        line.Report(kExpectingFrequencies);
      }
      return Flow::Continue;
    }
    if (!ReadReal(line, ' ') || Reject(line, work_.real[0], kFrequencyNotPositive)) {
      return Flow::Continue;
    }
    if (count >= settings_.maxSelectedFrequencies) {
      count = settings_.maxSelectedFrequencies;
      return line.Report(kTooManyFrequencies);
    }
    out_.selectedFrequencies[count] = work_.real[0];
    ++count;
    return Flow::Continue;
  }

  const Outputs& out_;
  const Settings& settings_;
  NumberWork& work_;
  bool withOrigin_;
  std::int32_t optionPosition_ = 1;
  bool inFrequencyList_ = false;
};

void ReadWaveGeneralData(const readers::DataBlock& block, const Outputs& outputs, const std::int32_t* analysisType,
                         const std::int32_t* restrictedAnalysisType, const std::int32_t* frequencyDomain,
                         const std::int32_t* maxSelectedFrequencies, NumberWork& work, bool withOrigin) {
  // A logical is true when its lowest bit is set.
  const bool isFrequencyDomain = (*frequencyDomain & 1) != 0;
  const Settings settings{*maxSelectedFrequencies, *analysisType == *restrictedAnalysisType && !isFrequencyDomain};
  *outputs.selectedFrequencyCount = 0;
  readers::WalkDataBlock(block, WaveGeneralRules(outputs, settings, work, withOrigin));
}

}  // namespace

void ReadWaveGeneralMaxes(const std::int32_t* lineCount, const char* lines, std::int32_t* lineCodes,
                          std::int32_t* selectedFrequencyCount, std::int64_t lineLength) {
  std::int32_t count = 0;
  bool inFrequencyList = false;
  // What a line inside the list holds does not matter: the count is a capacity, not a reading.
  readers::WalkMaxesBlock(readers::MaxesBlock(lineCount, lines, lineCodes, lineLength),
                          [&](Text line, std::int32_t& /*code*/) {
                            if (StartsWithIgnoreCase(line, kFrequencyListName)) {
                              inFrequencyList = true;
                            } else if (inFrequencyList) {
                              ++count;
                            }
                          });
  *selectedFrequencyCount = count;
}

void ReadWaveGeneralData01(const std::int32_t* lineCount, const char* lines, char* messages, std::int32_t* lineCodes,
                           std::int32_t* status, std::int32_t* waveOption, std::int32_t* seed,
                           std::int32_t* selectedFrequencyCount, const std::int32_t* maxSelectedFrequencies,
                           float* selectedFrequencies, std::int32_t* floatConvolution, std::int32_t* floatRaoForces,
                           std::int32_t* floatQtfForces, float* waveZoneExtent, const std::int32_t* analysisType,
                           const std::int32_t* restrictedAnalysisType, const std::int32_t* frequencyDomain,
                           std::int64_t lineLength, std::int64_t messageLength) {
  const Outputs outputs{waveOption,       seed,           selectedFrequencyCount, selectedFrequencies,
                        floatConvolution, floatRaoForces, floatQtfForces,         waveZoneExtent,
                        nullptr,          nullptr};
  ReadWaveGeneralData({lineCount, lines, messages, lineCodes, status, lineLength, messageLength}, outputs, analysisType,
                      restrictedAnalysisType, frequencyDomain, maxSelectedFrequencies, form01Work, false);
}

void ReadWaveGeneralData02(const std::int32_t* lineCount, const char* lines, char* messages, std::int32_t* lineCodes,
                           std::int32_t* status, std::int32_t* waveOption, std::int32_t* seed,
                           std::int32_t* selectedFrequencyCount, const std::int32_t* maxSelectedFrequencies,
                           float* selectedFrequencies, std::int32_t* floatConvolution, std::int32_t* floatRaoForces,
                           std::int32_t* floatQtfForces, float* waveZoneExtent, const std::int32_t* analysisType,
                           const std::int32_t* restrictedAnalysisType, const std::int32_t* frequencyDomain,
                           float* origin1, float* origin2, std::int64_t lineLength, std::int64_t messageLength) {
  const Outputs outputs{waveOption,       seed,           selectedFrequencyCount, selectedFrequencies,
                        floatConvolution, floatRaoForces, floatQtfForces,         waveZoneExtent,
                        origin1,          origin2};
  ReadWaveGeneralData({lineCount, lines, messages, lineCodes, status, lineLength, messageLength}, outputs, analysisType,
                      restrictedAnalysisType, frequencyDomain, maxSelectedFrequencies, form02Work, true);
}

}  // namespace orvane::readers
