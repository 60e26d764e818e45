// Which reader checks a keyword block: the keyword names the tool knows, matched the way engineers
// write them (case, blanks, hyphens and underscores do not matter), plus names mapped on the
// command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane::check {

enum class Reader {
  kNone,  // a keyword the tool does not check
  kWaveGeneral,
  kPY,
  kAxialLoad,
  kHigherHarmonics,
  kReferenceDiameter,
  kNonOrthogonalDamping,
};

// The reader's keyword as the documentation writes it ("WAVE-GENERAL", "P-Y", ...).
std::string_view ReaderName(Reader reader);

// The name part of a keyword line: what follows the leading '*' up to the first comma, without
// surrounding blanks. Parameters after a comma do not change which reader applies.
std::string_view KeywordName(std::string_view keywordLine);

// A name reduced to what identifies it: letters upper-cased; blanks, TABs, hyphens and underscores
// dropped.
std::string NormalizeName(std::string_view name);

class KeywordTable {
 public:
  KeywordTable();

  // Maps one more keyword name (with or without its leading '*') to the reader named by `readerName`
  // (any spelling of one of the six keywords). Returns false, and maps nothing, when `readerName`
  // names no reader or `name` is empty.
  bool Map(std::string_view name, std::string_view readerName);

  // The reader for a keyword line (the whole line, starting with '*').
  [[nodiscard]] Reader Find(std::string_view keywordLine) const;

 private:
  [[nodiscard]] std::optional<Reader> Lookup(const std::string& normalized) const;

  std::vector<std::pair<std::string, Reader>> names_;
};

}  // namespace orvane::check
