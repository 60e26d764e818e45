// What an engineer can write in the blocks the readers check, for completion and quick fixes: the
// keyword names, each block's options and the values an option takes. The readers match option
// names and values without regard to case, and values on their first characters only.
#pragma once

#include <span>
#include <string_view>

#include "keywords.h"

namespace orvane::lsp {

struct OptionSpec {
  std::string_view name;                     // with its '=': "OPTION="
  std::span<const std::string_view> values;  // the enumerated values; empty for a number or a name
  std::string_view meaning;
};

struct KeywordSpec {
  check::Reader reader;
  std::string_view name;  // as written after '*'
  std::string_view meaning;
  std::span<const OptionSpec> options;
};

std::span<const KeywordSpec> Keywords();
const KeywordSpec& KeywordOf(check::Reader reader);

// The option a data line sets, found by the start of the line after its leading blanks; null if
// none.
const OptionSpec* OptionOf(check::Reader reader, std::string_view line);

// The one enumerated value that `written` is meant to be: the only value that it begins, or that it
// misses by one letter (two in values of six letters or more); empty when none or several fit.
std::string_view MeantValue(const OptionSpec& option, std::string_view written);

}  // namespace orvane::lsp
