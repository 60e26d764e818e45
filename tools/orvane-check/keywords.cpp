#include "keywords.h"

namespace orvane::check {

namespace {

bool IsDropped(char c) { return c == ' ' || c == '\t' || c == '-' || c == '_'; }

}  // namespace

std::string_view ReaderName(Reader reader) {
  switch (reader) {
    case Reader::kWaveGeneral:
      return "WAVE-GENERAL";
    case Reader::kPY:
      return "P-Y";
    case Reader::kAxialLoad:
      return "AXIAL LOAD";
    case Reader::kHigherHarmonics:
      return "HIGHER HARMONICS";
    case Reader::kReferenceDiameter:
      return "REFERENCE DIAMETER";
    case Reader::kNonOrthogonalDamping:
      return "NON-ORTHOGONAL DAMPING";
    case Reader::kNone:
      break;
  }
  return "";
}

std::string_view KeywordName(std::string_view keywordLine) {
  std::string_view name = keywordLine;
  if (!name.empty() && name.front() == '*') {
    name.remove_prefix(1);
  }
  name = name.substr(0, name.find(','));
  const auto first = name.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  const auto last = name.find_last_not_of(" \t");
  return name.substr(first, last - first + 1);
}

std::string NormalizeName(std::string_view name) {
  std::string normalized;
  normalized.reserve(name.size());
  for (const char c : name) {
    if (IsDropped(c)) {
      continue;
    }
    normalized += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return normalized;
}

KeywordTable::KeywordTable()
    : names_{
          {"WAVEGENERAL", Reader::kWaveGeneral},
          {"PY", Reader::kPY},
          {"PYCURVES", Reader::kPY},
          {"AXIALLOAD", Reader::kAxialLoad},
          {"HIGHERHARMONICS", Reader::kHigherHarmonics},
          {"REFERENCEDIAMETER", Reader::kReferenceDiameter},
          {"NONORTHOGONALDAMPING", Reader::kNonOrthogonalDamping},
      } {}

bool KeywordTable::Map(std::string_view name, std::string_view readerName) {
  const std::optional<Reader> reader = Lookup(NormalizeName(readerName));
  std::string normalized = NormalizeName(KeywordName(name));
  if (!reader || *reader == Reader::kNone || normalized.empty()) {
    return false;
  }
  // A later mapping of the same name wins, so that a command line can also redirect a built-in name.
  names_.insert(names_.begin(), {std::move(normalized), *reader});
  return true;
}

Reader KeywordTable::Find(std::string_view keywordLine) const {
  return Lookup(NormalizeName(KeywordName(keywordLine))).value_or(Reader::kNone);
}

std::optional<Reader> KeywordTable::Lookup(const std::string& normalized) const {
  for (const auto& [name, reader] : names_) {
    if (name == normalized) {
      return reader;
    }
  }
  return std::nullopt;
}

}  // namespace orvane::check
