#include "driver.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>

#include "checker.h"
#include "file_check.h"
#include "html.h"
#include "keywords.h"
#include "options.h"
#include "output.h"
#include "source.h"

namespace orvane::check {

namespace {

class FileChecker {
 public:
  FileChecker(const KeywordTable& keywords, Checker& checker, const LintSet& lints, Output& output, Totals& totals)
      : keywords_(keywords), checker_(checker), lints_(lints), output_(output), totals_(totals) {}

  // Returns the reason the file could not be read, if it could not.
  std::optional<std::string> Check(const std::string& path) {
    output_.BeginFile(path);
    std::string reason;
    std::FILE* file = OpenInput(path, reason);
    if (file == nullptr) {
      output_.EndFile(0, reason);
      return reason;
    }
    LineReader reader(file, static_cast<std::size_t>(kRecordWidth));
    FileCheck check(keywords_, checker_, lints_, output_, totals_, path);
    SourceLine line;
    while (reader.Next(line)) {
      check.Add(line);
    }
    if (file != stdin) {
      std::fclose(file);
    }
    if (reader.Binary()) {
      reason = "binary file (a NUL byte at offset " + std::to_string(reader.NulOffset()) + "); not checked";
    } else if (!reader.Error().empty()) {
      reason = "read error after line " + std::to_string(reader.LinesRead()) + ": " + reader.Error();
    }
    if (!reason.empty()) {
      output_.EndFile(reader.LinesRead(), reason);
      return reason;
    }
    check.Finish(reader.LinesRead());
    output_.EndFile(reader.LinesRead(), std::nullopt);
    return std::nullopt;
  }

 private:
  const KeywordTable& keywords_;
  Checker& checker_;
  const LintSet& lints_;
  Output& output_;
  Totals& totals_;
};

// Hands everything to each of several outputs: the text or JSON output, the HTML report, the arrays.
class AllOutputs final : public Output {
 public:
  explicit AllOutputs(std::vector<std::unique_ptr<Output>> outputs) : outputs_(std::move(outputs)) {}

  void BeginFile(const std::string& path) override {
    for (const auto& output : outputs_) {
      output->BeginFile(path);
    }
  }
  void FileDiagnostic(const Diagnostic& diagnostic) override {
    for (const auto& output : outputs_) {
      output->FileDiagnostic(diagnostic);
    }
  }
  void WriteBlock(const Block& block, const BlockReport* report) override {
    for (const auto& output : outputs_) {
      output->WriteBlock(block, report);
    }
  }
  void EndFile(std::int64_t lines, const std::optional<std::string>& failure) override {
    for (const auto& output : outputs_) {
      output->EndFile(lines, failure);
    }
  }
  void Finish(const Totals& totals) override {
    for (const auto& output : outputs_) {
      output->Finish(totals);
    }
  }

 private:
  std::vector<std::unique_ptr<Output>> outputs_;
};

struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

int Run(const std::vector<std::string>& arguments, std::FILE* output, std::FILE* errors, bool terminal,
        const char* noColour) {
  Options options;
  std::string error;
  KeywordTable keywords;
  if (ParseOptions(arguments, options, error)) {
    for (const auto& [name, reader] : options.maps) {
      if (!keywords.Map(name, reader)) {
        const bool knownReader = KeywordTable().Find("*" + reader) != Reader::kNone;
        error = "--map " + name + "=" + reader + ": '" + (knownReader ? name : reader) +
                (knownReader ? "' is not a keyword name" : "' is not a keyword the checker reads");
        break;
      }
    }
  }
  if (!error.empty()) {
    std::fprintf(errors, "orvane-check: %s (try --help)\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(kUsage, output);
    return 0;
  }
  if (options.rules) {
    std::fputs(RulesDocument().c_str(), output);
    return 0;
  }
  if (options.version) {
    std::fprintf(output, "orvane-check %s\n", ORVANE_CHECK_VERSION);
    return 0;
  }
  // The report's file is opened before anything is checked, so that a report that cannot be written
  // costs no time.
  std::unique_ptr<std::FILE, CloseFile> report;
  if (!options.html.empty() && options.html != "-") {
    for (const std::string& path : options.files) {
      std::error_code failure;
      if (path != "-" && std::filesystem::equivalent(options.html, path, failure)) {
        std::fprintf(errors, "orvane-check: --html %s would overwrite an input file\n", options.html.c_str());
        return 2;
      }
    }
    report.reset(std::fopen(options.html.c_str(), "wb"));
    if (!report) {
      std::fprintf(errors, "orvane-check: %s: %s\n", options.html.c_str(), std::strerror(errno));
      return 2;
    }
  }
  try {
    Checker checker({.frequencyDomain = !options.timeDomain, .allValues = options.allValues, .lints = options.lints});
    const HtmlLimits& limits = options.allValues ? kNoHtmlLimits : kDefaultHtmlLimits;
    std::vector<std::unique_ptr<Output>> outputs;
    switch (options.format) {
      case Format::kText:
        outputs.push_back(options.html == "-" ? MakeHtmlOutput(output, limits)
                                              : MakeTextOutput(output, UseColour(options.colour, terminal, noColour),
                                                               options.files.size() > 1));
        break;
      case Format::kJson:
        outputs.push_back(MakeJsonOutput(output));
        break;
      case Format::kSarif:
        outputs.push_back(MakeSarifOutput(output));
        break;
      case Format::kGithub:
        outputs.push_back(MakeGithubOutput(output));
        break;
    }
    if (report) {
      outputs.push_back(MakeHtmlOutput(report.get(), limits));
    }
    if (!options.npy.empty()) {
      outputs.push_back(MakeNpyOutput(options.npy));
    }
    const auto out = std::make_unique<AllOutputs>(std::move(outputs));
    Totals totals;
    FileChecker files(keywords, checker, options.lints, *out, totals);
    bool unreadable = false;
    for (const std::string& path : options.files) {
      if (const auto reason = files.Check(path)) {
        std::fflush(output);
        std::fprintf(errors, "orvane-check: %s: %s\n", path.c_str(), reason->c_str());
        unreadable = true;
      }
    }
    out->Finish(totals);
    if (std::fflush(output) != 0 || std::ferror(output) != 0) {
      std::fprintf(errors, "orvane-check: the output could not be written\n");
      return 2;
    }
    if (report && (std::ferror(report.get()) != 0 || std::fclose(report.release()) != 0)) {
      std::fprintf(errors, "orvane-check: %s: the report could not be written\n", options.html.c_str());
      return 2;
    }
    return unreadable ? 2 : totals.errors > 0 || (options.strict && totals.lints > 0) ? 1 : 0;
  } catch (const std::bad_alloc&) {
    std::fprintf(errors, "orvane-check: out of memory\n");
  } catch (const std::exception& failure) {
    std::fprintf(errors, "orvane-check: %s\n", failure.what());
  }
  return 2;
}

}  // namespace orvane::check
