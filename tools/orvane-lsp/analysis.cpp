#include "analysis.h"

#include <algorithm>

#include "file_check.h"
#include "output.h"

namespace orvane::lsp {

namespace {

// Takes each block's summary and every finding, as orvane-check's outputs do.
class Collector final : public check::Output {
 public:
  explicit Collector(Analysis& analysis) : analysis_(analysis) {}

  void BeginFile(const std::string& /*path*/) override {}
  void FileDiagnostic(const check::Diagnostic& diagnostic) override {
    analysis_.findings.push_back(FromChecker(diagnostic));
  }
  void WriteBlock(const check::Block& block, const check::BlockReport* report) override {
    BlockSummary summary{block.keyword, block.line, block.line + block.dataLines, block.reader, "not checked", {}};
    if (report != nullptr) {
      summary.values = check::ValueLines(report->values);
      summary.detail = Detail(block.reader, *report);
      for (const check::Diagnostic& diagnostic : report->diagnostics) {
        analysis_.findings.push_back(FromChecker(diagnostic));
      }
    }
    analysis_.blocks.push_back(std::move(summary));
  }
  void EndFile(std::int64_t /*lines*/, const std::optional<std::string>& /*failure*/) override {}
  void Finish(const check::Totals& /*totals*/) override {}

 private:
  static std::string Counted(std::size_t n, const std::string& noun, const std::string& nouns = {}) {
    return std::to_string(n) + " " + (n == 1 ? noun : nouns.empty() ? noun + "s" : nouns);
  }

  static std::string Detail(check::Reader reader, const check::BlockReport& report) {
    std::string detail;
    switch (reader) {
      case check::Reader::kPY: {
        const check::CurveArrays& curves = report.arrays.curves;
        std::size_t points = 0;
        for (std::size_t c = 0; c < curves.count; ++c) {
          points += curves.Held(c);
        }
        detail = Counted(curves.count, "curve") + ", " + Counted(points, "point");
        break;
      }
      case check::Reader::kAxialLoad:
        detail = Counted(report.arrays.nodes.count, "node");
        break;
      case check::Reader::kWaveGeneral:
        detail = Counted(static_cast<std::size_t>(
                             std::count_if(report.values.fields.begin(), report.values.fields.end(),
                                           [](const check::Field& f) { return f.name.rfind("selected", 0) != 0; })),
                         "setting") +
                 ", " + Counted(report.arrays.frequencies.size(), "selected frequency", "selected frequencies");
        break;
      default:
        detail = check::ValueLines(report.values).front();
    }
    const auto errors = static_cast<std::size_t>(report.Count(check::Severity::kError));
    return errors == 0 ? detail : detail + "; " + Counted(errors, "error");
  }

  Analysis& analysis_;
};

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  return first == std::string_view::npos ? std::string_view{}
                                         : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsRule(std::string_view name) {
  return std::all_of(name.begin(), name.end(), [](char c) { return c == '-' || c == '=' || c == ' ' || c == '*'; });
}

}  // namespace

Finding FromChecker(const check::Diagnostic& diagnostic) {
  Finding finding{diagnostic.line,    diagnostic.severity, std::string(diagnostic.rule),
                  diagnostic.message, std::nullopt,        std::nullopt};
  if (diagnostic.columns) {
    finding.column = diagnostic.columns->begin;
    finding.endColumn = diagnostic.columns->end;
  }
  return finding;
}

Analysis Analyzer::Analyze(const Document& document) {
  Analysis analysis;
  Collector collector(analysis);
  check::Totals totals;
  check::FileCheck file(keywords_, checker_, lints_, collector, totals, {});
  const std::vector<std::string>& lines = document.Lines();
  // A document that ends with a line end has an empty last line, which a file does not.
  std::size_t count = lines.size();
  if (count > 0 && lines.back().empty()) {
    --count;
  }
  std::int64_t runStart = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const auto number = static_cast<std::int64_t>(i + 1);
    const std::string& text = lines[i];
    file.Add(check::WholeLine(number, text, static_cast<std::size_t>(check::kRecordWidth)));
    if (check::IsComment(text)) {
      runStart = runStart == 0 ? number : runStart;
      continue;
    }
    if (runStart != 0 && number - runStart > 1) {
      analysis.commentRuns.emplace_back(runStart, number - 1);
    }
    runStart = 0;
    if (!text.empty() && text.front() == '$') {
      const std::string_view name = Trimmed(std::string_view(text).substr(1));
      if (!name.empty() && !IsRule(name)) {
        analysis.sections.push_back({std::string(name), number});
      }
    }
  }
  if (runStart != 0 && static_cast<std::int64_t>(count) > runStart) {
    analysis.commentRuns.emplace_back(runStart, static_cast<std::int64_t>(count));
  }
  file.Finish(static_cast<std::int64_t>(count));
  std::stable_sort(analysis.findings.begin(), analysis.findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return analysis;
}

const BlockSummary* BlockAt(const Analysis& analysis, std::int64_t line) {
  const auto after = std::upper_bound(analysis.blocks.begin(), analysis.blocks.end(), line,
                                      [](std::int64_t l, const BlockSummary& b) { return l < b.line; });
  if (after == analysis.blocks.begin()) {
    return nullptr;
  }
  const BlockSummary& block = *std::prev(after);
  return line <= block.lastLine ? &block : nullptr;
}

}  // namespace orvane::lsp
