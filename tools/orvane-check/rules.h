// Every rule a finding is reported under: the library's messages, whose ids come from its catalogue
// (toolkit/messages.h), and the checker's own notes, errors and lints. Each rule carries its entry
// of docs/rules.md, which `orvane-check --rules` writes, so that the manual, the SARIF help and the
// findings come from one table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "report.h"

namespace orvane::check {

struct Rule {
  std::string_view id;
  Severity severity;
  std::string_view meaning;  // one sentence: what the finding says about the input
  std::string_view example;  // input that provokes it, one line or a few
  std::string_view action;   // what to do about it
};

// The checker's lints, in the order of their rules.
enum class Lint : std::uint8_t {
  kNumberDefaulted,
  kNumberOutOfRange,
  kNumberCutBySlash,
  kNumberNull,
  kNumberRepeat,
  kDecimalComma,
  kFieldMissing,
  kFieldSurplus,
  kKeyMissing,
  kNodeRounded,
  kValuePrefix,
  kLineIgnored,
  kCommentShifted,
  kKeywordShifted,
  kDuplicateNode,
  kCurveTwice,
  kDeflectionOrder,
  kKeywordTwice,
  kBlockCutOff,
  kLineTooLong,
  kStrayCarriageReturn,
  kFileEmpty,
  kNoKeyword,
  kIgnoreUnknown,
};
inline constexpr std::size_t kLints = static_cast<std::size_t>(Lint::kIgnoreUnknown) + 1;

// The checker's notes and the errors of blocks it could not read.
namespace rules {
inline constexpr std::string_view kStatusStopped = "OV-STATUS-STOPPED";
inline constexpr std::string_view kStatusGoesOn = "OV-STATUS-GOES-ON";
inline constexpr std::string_view kStatusUnexplained = "OV-STATUS-UNEXPLAINED";
inline constexpr std::string_view kCountStopsShort = "OV-COUNT-STOPS-SHORT";
inline constexpr std::string_view kCarriageReturns = "OV-CRLF";
inline constexpr std::string_view kUnknownMessage = "OV-UNKNOWN-MESSAGE";
inline constexpr std::string_view kBlockTooLarge = "OV-BLOCK-TOO-LARGE";
inline constexpr std::string_view kPointsTooLarge = "OV-PY-ARRAYS-TOO-LARGE";
}  // namespace rules

// Every rule: the library's, in catalogue order, then the checker's notes and errors, then its lints.
std::span<const Rule> AllRules();

// The rule of an id; null when there is none.
const Rule* FindRule(std::string_view id);

const Rule& LintRule(Lint lint);
std::optional<Lint> FindLint(std::string_view id);

// The rule of a message record the library wrote (its catalogue id), or kUnknownMessage.
std::string_view MessageRule(std::string_view record);

// A rule's entry of docs/rules.md, under its heading: its severity and meaning, its example, what to do.
std::string RuleEntry(const Rule& rule);
// The whole of docs/rules.md.
std::string RulesDocument();

// The library's rules with their entries, one per distinct catalogue id (library_rules.cpp).
std::span<const Rule> LibraryRules();

}  // namespace orvane::check
