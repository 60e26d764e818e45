// The command line of orvane-check.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "lint.h"

namespace orvane::check {

enum class Colour { kAuto, kAlways, kNever };

enum class Format { kText, kJson, kSarif, kGithub };

struct Options {
  bool help = false;
  bool version = false;
  Format format = Format::kText;
  LintSet lints = LintSet::All();
  bool strict = false;  // lints count as errors for the exit status
  bool rules = false;   // write docs/rules.md
  bool allValues = false;
  bool timeDomain = false;
  std::string html;  // where the HTML report goes: a file, "-" for standard output, or empty for none
  std::string npy;   // the directory for the blocks' arrays as .npy files, or empty for none
  Colour colour = Colour::kAuto;
  std::vector<std::pair<std::string, std::string>> maps;  // keyword name, reader's keyword
  std::vector<std::string> files;
};

// Parses the arguments after the program name. Returns false with `error` set to a one-line reason
// when they cannot be used.
bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error);

// Whether to colour the text output, given the option, whether standard output is a terminal and
// the NO_COLOR environment variable (null when unset).
bool UseColour(Colour colour, bool terminal, const char* noColour);

extern const char* const kUsage;

}  // namespace orvane::check
