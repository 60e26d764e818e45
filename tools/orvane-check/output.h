// The ways results are written, each a view of the same findings and values: compiler-style text
// for people, one JSON document and binary arrays for tools, SARIF for code scanning, workflow
// commands for GitHub, and the HTML report. All but the report are written as the file is read,
// block by block, so that output never waits for a whole file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "report.h"
#include "splitter.h"

namespace orvane::check {

struct Totals {
  std::int64_t checked = 0;
  std::int64_t notChecked = 0;
  std::int64_t errors = 0;
  std::int64_t warnings = 0;
  std::int64_t lints = 0;

  void Add(Severity severity) {
    errors += severity == Severity::kError ? 1 : 0;
    warnings += severity == Severity::kWarning ? 1 : 0;
    lints += severity == Severity::kLint ? 1 : 0;
  }
};

class Output {
 public:
  virtual ~Output() = default;
  virtual void BeginFile(const std::string& path) = 0;
  // A finding about the file rather than one block (line 0: the file as a whole).
  virtual void FileDiagnostic(const Diagnostic& diagnostic) = 0;
  // One block; `report` is null for a keyword that is not checked.
  virtual void WriteBlock(const Block& block, const BlockReport* report) = 0;
  // `failure` says why the file could not be read to its end.
  virtual void EndFile(std::int64_t lines, const std::optional<std::string>& failure) = 0;
  virtual void Finish(const Totals& totals) = 0;
};

// An output of the findings alone, each written as it comes, in file order.
class FindingsOutput : public Output {
 public:
  void BeginFile(const std::string& /*path*/) override {}
  void FileDiagnostic(const Diagnostic& diagnostic) override { Write(diagnostic); }
  void WriteBlock(const Block& /*block*/, const BlockReport* report) override {
    if (report != nullptr) {
      for (const Diagnostic& diagnostic : report->diagnostics) {
        Write(diagnostic);
      }
    }
  }
  void EndFile(std::int64_t /*lines*/, const std::optional<std::string>& /*failure*/) override {}

 protected:
  virtual void Write(const Diagnostic& diagnostic) = 0;
};

// `colour` adds terminal colours; `headings` names each file before its results.
std::unique_ptr<Output> MakeTextOutput(std::FILE* stream, bool colour, bool headings);
std::unique_ptr<Output> MakeJsonOutput(std::FILE* stream);
std::unique_ptr<Output> MakeSarifOutput(std::FILE* stream);
std::unique_ptr<Output> MakeGithubOutput(std::FILE* stream);
// One self-contained HTML page with charts, written to `stream` when the run finishes; `limits` (see
// html.h) bound what it draws of large inputs.
struct HtmlLimits;
std::unique_ptr<Output> MakeHtmlOutput(std::FILE* stream, const HtmlLimits& limits);

// The closing count: "3 blocks checked, 1 not checked: 2 errors, 0 warnings, 1 lint".
std::string Summary(const Totals& totals);
// Every array a block filled, as NumPy .npy files in `directory` (created if missing): file F's block
// whose keyword stands on line L gives F-L-NAME.npy, F counting the files from 1. Throws
// std::runtime_error when the directory cannot be made or an array written.
std::unique_ptr<Output> MakeNpyOutput(const std::string& directory);

// A JSON string of input text, escaped by nlohmann/json. Bytes above 127 are taken as the Latin-1
// characters U+0080 to U+00FF and written as \u0080 to \u00ff, so that any input line makes valid
// JSON.
std::string JsonString(std::string_view text);

}  // namespace orvane::check
