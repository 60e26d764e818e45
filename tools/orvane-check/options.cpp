#include "options.h"

#include <CLI/CLI.hpp>
#include <string_view>

namespace orvane::check {

const char* const kUsage =
    "Usage: orvane-check [OPTION]... FILE...\n"
    "Checks the keyword blocks of analysis input files with the Orvane readers, the way the analysis\n"
    "reads them, and reports each block's values and every warning and error with its line.\n"
    "\n"
    "  --format=FORMAT      text (the default), json (one JSON document), sarif (SARIF\n"
    "                       2.1.0, for code scanning) or github (workflow commands)\n"
    "  --json               the same as --format=json\n"
    "  --lint=LINTS         the checker's own lints to report: all (the default), none,\n"
    "                       or rule ids parted by commas\n"
    "  --strict             count lints as errors for the exit status\n"
    "  --rules              write the list of rules (docs/rules.md) and exit\n"
    "  --values             list every value of large blocks instead of counts and ranges,\n"
    "                       and draw every chart of the HTML report\n"
    "  --time-domain        check FREQUENCIES=SELECTED as for a time-domain analysis\n"
    "  --html FILE          write an HTML report with charts to FILE as well; --html - writes\n"
    "                       it to standard output in place of the text output\n"
    "  --npy DIR            also write every array a block filled to DIR as NumPy .npy files\n"
    "  --map NAME=KEYWORD   read blocks of keyword NAME with the reader of KEYWORD, one of\n"
    "                       WAVE-GENERAL, P-Y, AXIAL LOAD, HIGHER HARMONICS,\n"
    "                       REFERENCE DIAMETER, NON-ORTHOGONAL DAMPING\n"
    "  --color[=WHEN]       colour the text: auto (on a terminal, unless NO_COLOR is set),\n"
    "                       always (the default for --color alone) or never\n"
    "  -h, --help           show this help and exit\n"
    "  --version            show the version and exit\n"
    "\n"
    "A FILE of - reads standard input.\n"
    "A comment line 'C orvane-check: ignore RULE[,RULE...]' silences those lints on the next line.\n"
    "Exit status: 0 no errors, 1 errors found (or lints, with --strict), 2 the checker could not run.\n";

namespace {

bool ParseColour(std::string_view when, Colour& colour) {
  if (when == "auto") {
    colour = Colour::kAuto;
  } else if (when == "always") {
    colour = Colour::kAlways;
  } else if (when == "never") {
    colour = Colour::kNever;
  } else {
    return false;
  }
  return true;
}

bool ParseFormat(std::string_view name, Format& format) {
  constexpr std::pair<std::string_view, Format> kNames[] = {
      {"text", Format::kText}, {"json", Format::kJson}, {"sarif", Format::kSarif}, {"github", Format::kGithub}};
  for (const auto& [known, value] : kNames) {
    if (name == known) {
      format = value;
      return true;
    }
  }
  return false;
}

bool ParseMap(const std::string& value, Options& options, std::string& error) {
  const auto equals = value.find('=');
  if (equals == std::string::npos || equals == 0 || equals + 1 == value.size()) {
    error = "--map needs NAME=KEYWORD, not '" + value + "'";
    return false;
  }
  options.maps.emplace_back(value.substr(0, equals), value.substr(equals + 1));
  return true;
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error) {
  CLI::App app;
  app.set_help_flag();  // the help is kUsage, shown by the caller
  app.add_flag("-h,--help", options.help);
  app.add_flag("--version", options.version);
  bool json = false;
  app.add_flag("--json", json);
  std::string format;
  auto* formatOption = app.add_option("--format", format);
  formatOption->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  std::string lints = "all";
  app.add_option("--lint", lints)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.add_flag("--strict", options.strict);
  app.add_flag("--rules", options.rules);
  app.add_flag("--values", options.allValues);
  app.add_flag("--time-domain", options.timeDomain);
  auto* html = app.add_option("--html", options.html);
  html->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  auto* npy = app.add_option("--npy", options.npy);
  npy->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  std::string colour = "auto";
  app.add_flag("--color{always},--colour{always}", colour);
  std::vector<std::string> maps;
  app.add_option("--map", maps)->allow_extra_args(false);
  app.add_option("FILE", options.files);
  try {
    // CLI11 takes the arguments last first.
    app.parse(std::vector<std::string>(arguments.rbegin(), arguments.rend()));
  } catch (const CLI::ParseError& failure) {
    error = failure.what();
    return false;
  }
  if (!ParseColour(colour, options.colour)) {
    error = "--color takes auto, always or never, not '" + colour + "'";
    return false;
  }
  if (html->count() > 0 && options.html.empty()) {
    error = "--html needs a FILE";
    return false;
  }
  if (npy->count() > 0 && options.npy.empty()) {
    error = "--npy needs a DIR";
    return false;
  }
  for (const std::string& map : maps) {
    if (!ParseMap(map, options, error)) {
      return false;
    }
  }
  if (formatOption->count() > 0 && !ParseFormat(format, options.format)) {
    error = "--format takes text, json, sarif or github, not '" + format + "'";
    return false;
  }
  if (json && formatOption->count() > 0 && options.format != Format::kJson) {
    error = "--json and --format=" + format + " ask for two formats";
    return false;
  }
  if (json) {
    options.format = Format::kJson;
  }
  if (!LintSet::Parse(lints, options.lints, error)) {
    return false;
  }
  if (options.format != Format::kText && options.html == "-") {
    error = (json ? std::string("--json") : "--format=" + format) + " and --html - would both write to standard output";
    return false;
  }
  if (options.files.empty() && !options.help && !options.version && !options.rules) {
    error = "no input files";
    return false;
  }
  return true;
}

bool UseColour(Colour colour, bool terminal, const char* noColour) {
  switch (colour) {
    case Colour::kAlways:
      return true;
    case Colour::kNever:
      return false;
    case Colour::kAuto:
      break;
  }
  return terminal && (noColour == nullptr || *noColour == '\0');
}

}  // namespace orvane::check
