// Every message the library writes, once: its text exactly as a host receives it, the rule id that
// the tools report it under, and what it does to the reading. The readers write messages only from
// here, and the tools classify what they read back by this table, never by copies of the texts.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orvane::toolkit {

// What a message does besides its text.
enum class Outcome : std::uint8_t {
  kWarning,       // code 2; reading goes on
  kError,         // code 3; the status is left alone and reading goes on
  kFailedGoesOn,  // code 3 and status -1, yet reading goes on
  kEndsCall,      // code 3 and status -1; the reader returns
};

struct Message {
  std::string_view id;
  std::string_view text;
  Outcome outcome;
};

namespace messages {

// Screening and number reading, shared by every data reader.
inline constexpr Message kInclude{
    "OV-INCLUDE-IGNORED",
    "The #INCLUDE directive is not supported by the analysis control module. Please run the analysis through the "
    "GUI. Otherwise, the following data will be be ignored: ",
    Outcome::kWarning};
inline constexpr Message kNonStandard{
    "OV-NON-STANDARD-CHARACTERS",
    "Non-standard characters on the following line were ignored. Please check that data was read correctly by "
    "examining the input echo in the output file:",
    Outcome::kWarning};
inline constexpr Message kTooLarge{"OV-NUMBER-TOO-LARGE", "Number is too large for the program.", Outcome::kError};

// *NON-ORTHOGONAL DAMPING
inline constexpr Message kEnabledInvalid{
    "OV-DAMPING-ENABLED-INVALID", "This is not a valid value. ENABLED can be either YES or NO:", Outcome::kError};
inline constexpr Message kDampingSecondLine{
    "OV-DAMPING-SECOND-LINE", "Only one data line is permitted under *NON-ORTHOGONAL DAMPING.", Outcome::kEndsCall};
inline constexpr Message kDampingNoData{"OV-DAMPING-NO-DATA",
                                        "No NON-ORTHOGONAL DAMPING data defined:", Outcome::kError};

// *REFERENCE DIAMETER
inline constexpr Message kDiameterNotPositive{
    "OV-DIAMETER-NOT-POSITIVE", "*REFERENCE DIAMETER: Reference diameter must be strictly positive. Value ignored.",
    Outcome::kWarning};
inline constexpr Message kDiameterSecondLine{
    "OV-DIAMETER-SECOND-LINE", "Only one data line is permitted under *REFERENCE DIAMETER.", Outcome::kEndsCall};
inline constexpr Message kDiameterNoData{"OV-DIAMETER-NO-DATA", "No REFERENCE DIAMETER data defined:", Outcome::kError};

// *HIGHER HARMONICS
inline constexpr Message kFactorNegative{
    "OV-HARMONICS-FACTOR-NEGATIVE", "*HIGHER HARMONICS: Higher harmonics factor cannot be negative. Value ignored.",
    Outcome::kWarning};
// Appended to whatever the line's message holds, rather than replacing it.
inline constexpr Message kThresholdNegative{
    "OV-HARMONICS-THRESHOLD-NEGATIVE",
    "*HIGHER HARMONICS: Higher harmonics threshold cannot be negative. Value ignored.", Outcome::kWarning};
inline constexpr Message kHarmonicsSecondLine{
    "OV-HARMONICS-SECOND-LINE", "Only one data line is permitted under *HIGHER HARMONICS.", Outcome::kEndsCall};
inline constexpr Message kHarmonicsNoData{"OV-HARMONICS-NO-DATA", "No HIGHER HARMONICS data defined:", Outcome::kError};

// *AXIAL LOAD
inline constexpr Message kTooManyNodes{
    "OV-AXIAL-TOO-MANY-NODES",
    "The number of nodes specified under *AXIAL LOAD is greater than the maximum number of axial load nodes.",
    Outcome::kEndsCall};
inline constexpr Message kAxialNoData{"OV-AXIAL-NO-DATA", "No AXIAL LOAD data defined:", Outcome::kError};

// *WAVE-GENERAL: an option out of its place, then a value that is refused.
inline constexpr Message kSeedPlace{
    "OV-WAVE-OPTION-PLACE",
    "The SEED= option is not expected at this location under *WAVE-GENERAL:", Outcome::kEndsCall};
inline constexpr Message kOptionPlace{
    "OV-WAVE-OPTION-PLACE",
    "The OPTION= option is not expected at this location under *WAVE-GENERAL:", Outcome::kEndsCall};
inline constexpr Message kWaveZonePlace{
    "OV-WAVE-OPTION-PLACE",
    "The WAVEZONE= option is not expected at this location under *WAVE-GENERAL:", Outcome::kEndsCall};
inline constexpr Message kConvolutionPlace{
    "OV-WAVE-OPTION-PLACE",
    "The FLOAT_CONVOLUTION= option is not expected at this location under *WAVE-GENERAL:", Outcome::kEndsCall};
inline constexpr Message kRaoForcesPlace{
    "OV-WAVE-OPTION-PLACE",
    "The FLOAT_RAO_FORCES= option is not expected at this location under *WAVE-GENERAL:", Outcome::kEndsCall};
inline constexpr Message kQtfForcesPlace{
    "OV-WAVE-OPTION-PLACE",
    "The FLOAT_QTF_FORCES= option is not expected at this location under *WAVE-GENERAL:", Outcome::kEndsCall};
inline constexpr Message kOriginPlace{
    "OV-WAVE-OPTION-PLACE",
    "The ORIGIN= option is not expected at this location under *WAVE-GENERAL:", Outcome::kEndsCall};
inline constexpr Message kFrequenciesPlace{
    "OV-WAVE-OPTION-PLACE",
    "The FREQUENCIES= option is not expected at this location under *WAVE-GENERAL:", Outcome::kEndsCall};
inline constexpr Message kFrequenciesNotAllowed{
    "OV-WAVE-FREQUENCIES-NOT-ALLOWED",
    "The FREQUENCIES=SELECTED option is valid for frequency domain analyses only:", Outcome::kEndsCall};
inline constexpr Message kTooManyFrequencies{"OV-WAVE-TOO-MANY-FREQUENCIES",
                                             "Internal selected frequency count exceeded:", Outcome::kEndsCall};
inline constexpr Message kSeedInvalid{"OV-WAVE-SEED-INVALID",
                                      "Invalid specification for SEED= or number is greater than 2,147,483,647.",
                                      Outcome::kFailedGoesOn};
inline constexpr Message kWaveOptionInvalid{
    "OV-WAVE-VALUE-INVALID",
    "This is not a valid value. OPTION can be either SUPERPOSITION, MWL or EXTE:", Outcome::kError};
inline constexpr Message kConvolutionInvalid{
    "OV-WAVE-VALUE-INVALID", "This is not a valid value. FLOAT_CONVOLUTION can be either YES or NO:", Outcome::kError};
inline constexpr Message kRaoForcesInvalid{
    "OV-WAVE-VALUE-INVALID", "This is not a valid value. FLOAT_RAO_FORCES can be either YES or NO:", Outcome::kError};
inline constexpr Message kQtfForcesInvalid{
    "OV-WAVE-VALUE-INVALID", "This is not a valid value. FLOAT_QTF_FORCES can be either YES or NO:", Outcome::kError};
inline constexpr Message kWaveZoneNotPositive{
    "OV-WAVE-ZONE-NOT-POSITIVE", "The extent of the wave zone must be a positive number.", Outcome::kError};
inline constexpr Message kExpectingFrequencies{"OV-WAVE-EXPECTING-FREQUENCIES",
                                               "Expecting selected frequencies instead of:", Outcome::kError};
inline constexpr Message kFrequencyNotPositive{"OV-WAVE-FREQUENCY-NOT-POSITIVE",
                                               "Selected frequencies must be strictly positive:", Outcome::kError};

// P-Y curves. A message that ends the call elsewhere is written on the block's last line with code
// 3 alone, since the call ends there anyway.
inline constexpr Message kNoSetName{"OV-PY-NO-SET-NAME", "Expecting Set Name here instead of:", Outcome::kEndsCall};
inline constexpr Message kScourTwice{"OV-PY-SCOUR-TWICE", "SCOUR= already specified for this set. Input is ignored.",
                                     Outcome::kWarning};
inline constexpr Message kTooManyCurves{"OV-PY-TOO-MANY-CURVES",
                                        "Internal P-Y curve count exceeded:", Outcome::kEndsCall};
inline constexpr Message kTooFewPoints{"OV-PY-TOO-FEW-POINTS",
                                       "Expecting more P-Y curve data here instead of:", Outcome::kEndsCall};
inline constexpr Message kNoCurveHeader{"OV-PY-NO-CURVE-HEADER",
                                        "Expecting DEPTH= or NODE= instead of:", Outcome::kEndsCall};
inline constexpr Message kTooManyPoints{"OV-PY-TOO-MANY-POINTS",
                                        "Internal P-Y curve data point count exceeded:", Outcome::kEndsCall};
inline constexpr Message kNoCurves{"OV-PY-NO-CURVES", "No P-Y curves defined:", Outcome::kError};

}  // namespace messages

// The whole catalogue, for the tools that read messages back.
inline constexpr std::array<const Message*, 40> kCatalogue{
    &messages::kInclude,
    &messages::kNonStandard,
    &messages::kTooLarge,
    &messages::kEnabledInvalid,
    &messages::kDampingSecondLine,
    &messages::kDampingNoData,
    &messages::kDiameterNotPositive,
    &messages::kDiameterSecondLine,
    &messages::kDiameterNoData,
    &messages::kFactorNegative,
    &messages::kThresholdNegative,
    &messages::kHarmonicsSecondLine,
    &messages::kHarmonicsNoData,
    &messages::kTooManyNodes,
    &messages::kAxialNoData,
    &messages::kSeedPlace,
    &messages::kOptionPlace,
    &messages::kWaveZonePlace,
    &messages::kConvolutionPlace,
    &messages::kRaoForcesPlace,
    &messages::kQtfForcesPlace,
    &messages::kOriginPlace,
    &messages::kFrequenciesPlace,
    &messages::kFrequenciesNotAllowed,
    &messages::kTooManyFrequencies,
    &messages::kSeedInvalid,
    &messages::kWaveOptionInvalid,
    &messages::kConvolutionInvalid,
    &messages::kRaoForcesInvalid,
    &messages::kQtfForcesInvalid,
    &messages::kWaveZoneNotPositive,
    &messages::kExpectingFrequencies,
    &messages::kFrequencyNotPositive,
    &messages::kNoSetName,
    &messages::kScourTwice,
    &messages::kTooManyCurves,
    &messages::kTooFewPoints,
    &messages::kNoCurveHeader,
    &messages::kTooManyPoints,
    &messages::kNoCurves,
};

// The catalogue entry whose text a message record holds (the record may be cut short by a narrow
// message field, or hold trailing blanks); nullptr for a blank record or a text not in the
// catalogue. When a cut record fits several texts, the first in the catalogue is taken.
constexpr const Message* FindMessage(std::string_view record) {
  const auto end = record.find_last_not_of(' ');
  if (end == std::string_view::npos) {
    return nullptr;
  }
  const std::string_view shown = record.substr(0, end + 1);
  for (const Message* message : kCatalogue) {
    const std::string_view text = message->text.substr(0, message->text.find_last_not_of(' ') + 1);
    if (shown == text || (record.size() <= message->text.size() && text.substr(0, shown.size()) == shown)) {
      return message;
    }
  }
  return nullptr;
}

}  // namespace orvane::toolkit
