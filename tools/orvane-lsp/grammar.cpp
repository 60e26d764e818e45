#include "grammar.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace orvane::lsp {

namespace {

using check::Reader;

constexpr std::string_view kYesNo[] = {"YES", "NO"};
constexpr std::string_view kWaveOptions[] = {"SUPERPOSITION", "MWL", "EXTENDED"};
constexpr std::string_view kSelected[] = {"SELECTED"};

constexpr OptionSpec kWaveGeneral[] = {
    {"SEED=", {}, "the seed of the random phases, an integer"},
    {"OPTION=", kWaveOptions, "how the wave kinematics are stretched to the surface"},
    {"WAVEZONE=", {}, "the extent of the wave zone, a positive number"},
    {"FLOAT_CONVOLUTION=", kYesNo, "convolution for floating structures"},
    {"FLOAT_RAO_FORCES=", kYesNo, "RAO forces for floating structures"},
    {"FLOAT_QTF_FORCES=", kYesNo, "QTF forces for floating structures"},
    {"FREQUENCIES=", kSelected, "SELECTED: one selected frequency on each line that follows"},
    {"ORIGIN=", {}, "two numbers, the origin of the waves"},
};
constexpr OptionSpec kPY[] = {
    {"SET=", {}, "the name of the set of curves"},
    {"SCOUR=", {}, "the scour depth, once for each set"},
    {"DEPTH=", {}, "starts a curve at this depth; its points follow, two numbers a line"},
    {"NODE=", {}, "starts a curve at this node; its points follow, two numbers a line"},
};
constexpr OptionSpec kDamping[] = {{"ENABLED=", kYesNo, "damping of the non-orthogonal members"}};

constexpr KeywordSpec kKeywords[] = {
    {Reader::kWaveGeneral, "WAVE-GENERAL", "general wave settings and the selected frequencies", kWaveGeneral},
    {Reader::kPY, "P-Y CURVES", "P-Y curves of the soil: set name, scour, and curves by depth or node", kPY},
    {Reader::kAxialLoad, "AXIAL LOAD", "one line a node: the node number and three values", {}},
    {Reader::kHigherHarmonics, "HIGHER HARMONICS", "one line: the factor and the threshold", {}},
    {Reader::kReferenceDiameter, "REFERENCE DIAMETER", "one line: the reference diameter", {}},
    {Reader::kNonOrthogonalDamping, "NON-ORTHOGONAL DAMPING", "one line: ENABLED=YES or ENABLED=NO", kDamping},
};

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) { return Upper(a) == Upper(b); });
}

// Edits between two words, a swap of neighbours counting as one.
std::size_t Distance(std::string_view a, std::string_view b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) {
    for (std::size_t j = 0; j <= b.size(); ++j) {
      if (i == 0 || j == 0) {
        d[i][j] = i + j;
        continue;
      }
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (Upper(a[i - 1]) == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && Upper(a[i - 1]) == b[j - 2] && Upper(a[i - 2]) == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::span<const KeywordSpec> Keywords() { return kKeywords; }

const KeywordSpec& KeywordOf(Reader reader) {
  return *std::find_if(std::begin(kKeywords), std::end(kKeywords), [&](const auto& k) { return k.reader == reader; });
}

const OptionSpec* OptionOf(Reader reader, std::string_view line) {
  if (reader == Reader::kNone) {
    return nullptr;
  }
  const auto first = line.find_first_not_of(' ');
  line.remove_prefix(first == std::string_view::npos ? line.size() : first);
  for (const OptionSpec& option : KeywordOf(reader).options) {
    if (StartsWithIgnoringCase(line, option.name)) {
      return &option;
    }
  }
  return nullptr;
}

std::string_view MeantValue(const OptionSpec& option, std::string_view written) {
  if (written.empty() || written.size() > 32) {
    return {};
  }
  std::string_view meant;
  int fits = 0;
  for (const std::string_view value : option.values) {
    const std::size_t allowed = value.size() >= 6 ? 2 : 1;
    if (StartsWithIgnoringCase(value, written) || Distance(written, value) <= allowed) {
      meant = value;
      ++fits;
    }
  }
  return fits == 1 ? meant : std::string_view{};
}

}  // namespace orvane::lsp
