#include "lint.h"

#include <algorithm>

namespace orvane::check {

bool LintSet::Parse(std::string_view text, LintSet& set, std::string& error) {
  if (text == "all" || text == "none") {
    set = LintSet(text == "all");
    return true;
  }
  set = None();
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view id = text.substr(0, comma);
    const auto lint = FindLint(id);
    if (!lint) {
      error = "--lint: '" + std::string(id) + "' is not a lint (see --rules)";
      return false;
    }
    set.Set(*lint, true);
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
  }
  return true;
}

Diagnostic MakeLint(Lint lint, std::int64_t line, std::string message, std::optional<std::string> source,
                    std::optional<Columns> columns) {
  return Finding(Severity::kLint, line, LintRule(lint).id, std::move(message), std::move(source), columns);
}

std::string InBackquotes(std::string_view text) {
  constexpr std::size_t kShown = 24;
  if (text.size() > kShown) {
    return "`" + std::string(text.substr(0, kShown - 3)) + "...`";
  }
  return "`" + std::string(text) + "`";
}

void TracedLines::Clear() {
  for (auto* records : {&entries, &headers, &points, &firstPoint, &frequencies, &listEquals}) {
    records->clear();
  }
}

void TracedLines::CutAt(std::int32_t stop) {
  const auto past = [stop](std::int32_t record) { return (record < 0 ? ~record : record) >= stop; };
  for (auto* records : {&entries, &points, &frequencies, &listEquals}) {
    std::erase_if(*records, past);
  }
  const auto curves = static_cast<std::size_t>(std::find_if(headers.begin(), headers.end(), past) - headers.begin());
  headers.resize(curves);
  firstPoint.resize(curves);
}

namespace {

// Blocks of fewer records are linted on the reading thread: a thread of their own would cost more
// than it saves.
constexpr std::int32_t kConcurrentRecords = 16384;

// The record of a finding on a line of `block`.
std::int32_t RecordOf(const Block& block, const Diagnostic& d) {
  return static_cast<std::int32_t>(d.line - block.line - 1);
}

}  // namespace

void Linter::Start(const Block& block) {
  Wait();
  if (!on_.Any()) {
    return;
  }
  const auto walk = [this, &block] { LintLines(block, on_, traced_, found_); };
  if (block.RecordCount() >= kConcurrentRecords) {
    walking_ = std::async(std::launch::async, walk);
  } else {
    walk();
  }
}

void Linter::Wait() {
  if (walking_.valid()) {
    walking_.wait();
    walking_ = {};
  }
  found_.clear();
  traced_.Clear();
}

void Linter::Finish(const Block& block, const LineOutputs& lines, BlockReport& report) {
  if (!on_.Any()) {
    return;
  }
  if (walking_.valid()) {
    walking_.get();  // rethrows what the walk threw
  }
  auto& out = report.diagnostics;
  // A block read to the end of the file gets no end-of-block checks; *WAVE-GENERAL makes none.
  if (on_[Lint::kBlockCutOff] && !block.terminated && block.reader != Reader::kWaveGeneral) {
    out.push_back(MakeLint(Lint::kBlockCutOff, block.line,
                           "the block ends with the file, so its end-of-block checks were not made"));
  }
  if (on_[Lint::kLineTooLong]) {
    for (const LongLine& line : block.longLines) {
      out.push_back(MakeLint(
          Lint::kLineTooLong, block.LineOf(line.index),
          "line is " + std::to_string(line.length) + " characters long; only the first " +
              std::to_string(kRecordWidth) + " are read",
          line.shown,
          Columns{static_cast<std::int32_t>(kRecordWidth) + 1, static_cast<std::int32_t>(line.shown.size()) + 1}));
    }
  }
  // The reader read nothing after the line where it stopped, and of that line only its form counts.
  if (const std::int32_t stop = report.stopRecord; stop >= 0) {
    std::erase_if(found_, [&](const Diagnostic& d) {
      const std::int32_t record = RecordOf(block, d);
      return record > stop || (record == stop && d.rule != LintRule(Lint::kCommentShifted).id &&
                               d.rule != LintRule(Lint::kKeywordShifted).id);
    });
    traced_.CutAt(stop);
  }
  // A line with "=" in the frequency list is ignored silently only once a frequency is stored.
  for (const std::int32_t record : traced_.listEquals) {
    const bool stored = std::any_of(traced_.frequencies.begin(), traced_.frequencies.end(),
                                    [&](std::int32_t f) { return f < record && lines.Code(f) == 0; });
    if (!stored) {
      std::erase_if(found_, [&](const Diagnostic& d) { return RecordOf(block, d) == record; });
    }
  }
  out.insert(out.end(), std::make_move_iterator(found_.begin()), std::make_move_iterator(found_.end()));
  found_.clear();
  LintValues(block, report, traced_, on_, sorted_, out);
  traced_.Clear();
}

}  // namespace orvane::check
