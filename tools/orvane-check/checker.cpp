#include "checker.h"

#include <algorithm>
#include <string_view>

#include "rules.h"
#include "toolkit/messages.h"

namespace orvane::check {

namespace {

// Set names get a record's width, so that no name the block can hold is cut.
constexpr std::int64_t kSetNameWidth = kRecordWidth;

std::string_view Trimmed(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  return text.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

std::string_view LeftJustified(std::string_view record) {
  const auto first = record.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view{} : record.substr(first);
}

std::string YesNo(std::int32_t flag) { return flag == -1 ? "YES" : flag == 0 ? "NO" : ""; }

}  // namespace

void Checker::Check(const Block& block, BlockReport& report) {
  report = BlockReport{};
  if (block.tooLarge) {
    report.diagnostics.push_back(Finding(Severity::kError, block.line, rules::kBlockTooLarge,
                                         "this block has more lines than one reader call can take (" +
                                             std::to_string(kMaxRecords) + "); it was not read"));
    return;
  }
  const Records records{block.Records(), block.RecordCount(), kRecordWidth};
  linter_.Start(block);
  // The lints of the lines may be running on another thread: they end before the block does.
  const struct Join {
    Linter& linter;
    ~Join() { linter.Wait(); }
  } join{linter_};
  switch (block.reader) {
    case Reader::kNonOrthogonalDamping:
      Damping(block, records, report);
      break;
    case Reader::kReferenceDiameter:
      ReferenceDiameter(block, records, report);
      break;
    case Reader::kHigherHarmonics:
      HigherHarmonics(block, records, report);
      break;
    case Reader::kAxialLoad:
      AxialLoad(block, records, report);
      break;
    case Reader::kWaveGeneral:
      WaveGeneral(block, records, report);
      break;
    case Reader::kPY:
      if (!PY(block, records, report)) {
        return;
      }
      break;
    case Reader::kNone:
      return;
  }
}

void Checker::Damping(const Block& block, const Records& records, BlockReport& report) {
  const auto result = storage_.ReadNonOrthogonalDamping(records);
  if (result.enabled) {
    const std::int32_t enabled = *result.enabled;
    report.values.Add("enabled", Value::Integer(enabled, enabled == 1 ? "YES" : enabled == 0 ? "NO" : ""));
  }
  Diagnose(block, result.lines, nullptr, report);
}

void Checker::ReferenceDiameter(const Block& block, const Records& records, BlockReport& report) {
  const auto result = storage_.ReadReferenceDiameter(records);
  if (result.diameter) {
    report.values.Add("referenceDiameter", Value::Double(*result.diameter));
  }
  Diagnose(block, result.lines, nullptr, report);
}

void Checker::HigherHarmonics(const Block& block, const Records& records, BlockReport& report) {
  const auto result = storage_.ReadHigherHarmonics(records);
  if (result.factor) {
    report.values.Add("harmonicsFactor", Value::Double(*result.factor));
  }
  if (result.threshold) {
    report.values.Add("harmonicsThreshold", Value::Double(*result.threshold));
  }
  Diagnose(block, result.lines, nullptr, report);
}

void Checker::AxialLoad(const Block& block, const Records& records, BlockReport& report) {
  const Counts counts = storage_.CountAxialLoad(records, countCodes_);
  report.counts.Add("maxNodeCount", Value::Integer(counts.first));
  AxialLoadResult& result = axialLoad_;
  storage_.ReadAxialLoad(records, counts, result);
  report.values.Add("nodeCount", Value::Integer(result.nodeCount));
  const std::size_t held = result.Held();
  report.arrays.nodes = {
      held, result.nodeNumbers.data(), {result.columns[0].data(), result.columns[1].data(), result.columns[2].data()}};
  const char* columnNames[] = {"axialLoadColumn2", "axialLoadColumn3", "axialLoadColumn4"};
  if (held <= kListLimit || settings_.allValues) {
    Value& nodes = report.values.Add("nodes", Value::List("node"));
    for (std::size_t k = 0; k < held; ++k) {
      Value node = Value::Object();
      node.Add("nodeNumber", Value::Integer(result.nodeNumbers[k]));
      for (std::size_t j = 0; j < 3; ++j) {
        node.Add(columnNames[j], Value::Single(result.columns[j][k]));
      }
      nodes.items.push_back(std::move(node));
    }
  } else {
    Extent numbers(true);
    for (std::size_t k = 0; k < held; ++k) {
      numbers.Add(result.nodeNumbers[k]);
    }
    report.values.Add("nodeNumbers", numbers.ToValue());
    for (std::size_t j = 0; j < 3; ++j) {
      Extent column(false);
      for (std::size_t k = 0; k < held; ++k) {
        column.Add(result.columns[j][k]);
      }
      report.values.Add(columnNames[j], column.ToValue());
    }
  }
  Diagnose(block, result.lines, &counts, report);
}

void Checker::WaveGeneral(const Block& block, const Records& records, BlockReport& report) {
  const Counts counts = storage_.CountWaveGeneral(records, countCodes_);
  report.counts.Add("selectedFrequencyCount", Value::Integer(counts.first));
  WaveGeneralResult& result = waveGeneral_;
  storage_.ReadWaveGeneral(records, counts, result, {.frequencyDomain = settings_.frequencyDomain});
  const std::size_t held = result.Held();
  report.arrays.frequencies = {result.selectedFrequencies.data(), held};

  Value& values = report.values;
  if (result.seed) {
    values.Add("seed", Value::Integer(*result.seed));
  }
  if (result.waveOption) {
    const std::int32_t option = *result.waveOption;
    const char* names[] = {"", "SUPERPOSITION", "MWL", "EXTENDED"};
    values.Add("waveOption", Value::Integer(option, option >= 1 && option <= 3 ? names[option] : ""));
  }
  if (result.waveZoneExtent) {
    values.Add("waveZoneExtent", Value::Single(*result.waveZoneExtent));
  }
  const char* flagNames[] = {"floatConvolution", "floatRaoForces", "floatQtfForces"};
  for (std::size_t j = 0; j < 3; ++j) {
    if (result.flags[j]) {
      values.Add(flagNames[j], Value::Integer(*result.flags[j], YesNo(*result.flags[j])));
    }
  }
  for (std::size_t j = 0; j < 2; ++j) {
    if (result.origin[j]) {
      values.Add(j == 0 ? "origin1" : "origin2", Value::Single(*result.origin[j]));
    }
  }
  if (result.selectedFrequencyCount != 0) {
    values.Add("selectedFrequencyCount", Value::Integer(result.selectedFrequencyCount));
    const auto first = result.selectedFrequencies.begin();
    if (held <= kListLimit || settings_.allValues) {
      Value list = Value::Numbers();
      list.numbers.assign(first, first + static_cast<std::ptrdiff_t>(held));
      values.Add("selectedFrequencies", std::move(list));
    } else {
      Extent range(false);
      for (std::size_t k = 0; k < held; ++k) {
        range.Add(result.selectedFrequencies[k]);
      }
      values.Add("selectedFrequencies", range.ToValue());
    }
  }
  Diagnose(block, result.lines, &counts, report);
}

bool Checker::PY(const Block& block, const Records& records, BlockReport& report) {
  const Counts counts = storage_.CountPY(records, countCodes_);
  report.counts.Add("curveCount", Value::Integer(counts.first));
  report.counts.Add("maxPoints", Value::Integer(counts.second));
  const auto curves = static_cast<std::uint64_t>(std::max(counts.first, 1));
  const auto points = static_cast<std::uint64_t>(std::max(counts.second, 1));
  const std::uint64_t bytes = curves * points * 2 * sizeof(float);
  if (bytes > kMaxPointBytes) {
    report.diagnostics.push_back(Finding(
        Severity::kError, block.line, rules::kPointsTooLarge,
        "this block needs " + std::to_string(bytes >> 20) + " MiB for its P-Y points (" + std::to_string(counts.first) +
            " curves of up to " + std::to_string(counts.second) + " points), more than the checker allocates (" +
            std::to_string(kMaxPointBytes >> 20) + " MiB); it was not read"));
    return false;
  }
  PYResult& result = py_;
  storage_.ReadPY(records, counts, result, kSetNameWidth);

  Value& values = report.values;
  if (result.setName) {
    values.Add("setName", Value::Text(*result.setName));
  }
  if (result.scour) {
    values.Add("scour", Value::Single(*result.scour));
  }
  values.Add("curveCount", Value::Integer(result.curveCount));
  const std::size_t held = result.Curves();
  report.arrays.curves = {held,
                          static_cast<std::size_t>(result.MaxCurves()),
                          static_cast<std::size_t>(result.MaxPoints()),
                          result.points.data(),
                          result.depth.data(),
                          result.pointCount.data(),
                          result.node.data(),
                          result.kind.data()};
  std::size_t largest = 0;
  for (std::size_t c = 0; c < held; ++c) {
    largest = std::max(largest, result.Points(c));
  }
  if ((held <= kListLimit && largest <= kListLimit) || settings_.allValues) {
    Value& list = values.Add("curves", Value::List("curve"));
    for (std::size_t c = 0; c < held; ++c) {
      Value curve = Value::Object();
      if (result.kind[c] == -1) {
        curve.Add("curveKind", Value::Integer(-1, "depth"));
        curve.Add("curveDepth", Value::Single(result.depth[c]));
      } else if (result.kind[c] == 0) {
        curve.Add("curveKind", Value::Integer(0, "node"));
        curve.Add("curveNode", Value::Integer(result.Node(c)));
      }
      curve.Add("pointCount", Value::Integer(result.pointCount[c]));
      Value pairs = Value::Pairs();
      for (std::size_t p = 0; p < result.Points(c); ++p) {
        pairs.numbers.push_back(result.Point(c, p, 0));
        pairs.numbers.push_back(result.Point(c, p, 1));
      }
      curve.Add("points", std::move(pairs));
      list.items.push_back(std::move(curve));
    }
  } else {
    std::int64_t depthCurves = 0;
    std::int64_t nodeCurves = 0;
    std::int64_t total = 0;
    Extent depths(false);
    Extent nodes(true);
    Extent counted(true);
    Extent first(false);
    Extent second(false);
    for (std::size_t c = 0; c < held; ++c) {
      if (result.kind[c] == -1) {
        ++depthCurves;
        depths.Add(result.depth[c]);
      } else if (result.kind[c] == 0) {
        ++nodeCurves;
        nodes.Add(result.Node(c));
      }
      counted.Add(result.pointCount[c]);
      total += static_cast<std::int64_t>(result.Points(c));
      for (std::size_t p = 0; p < result.Points(c); ++p) {
        first.Add(result.Point(c, p, 0));
        second.Add(result.Point(c, p, 1));
      }
    }
    values.Add("depthCurves", Value::Integer(depthCurves));
    values.Add("nodeCurves", Value::Integer(nodeCurves));
    values.Add("curveDepth", depths.ToValue());
    values.Add("curveNode", nodes.ToValue());
    values.Add("pointCount", counted.ToValue());
    values.Add("points", Value::Integer(total));
    values.Add("firstNumbers", first.ToValue());
    values.Add("secondNumbers", second.ToValue());
  }
  Diagnose(block, result.lines, &counts, report);
  return true;
}

void Checker::Diagnose(const Block& block, const LineOutputs& lines, const Counts* counts, BlockReport& report) {
  report.status = lines.status;
  auto& out = report.diagnostics;
  const auto record = [&](std::int32_t i) { return std::string(Trimmed(block.Record(i))); };
  const std::int32_t lineCount = lines.Count();
  const std::int32_t terminator = block.terminated ? lineCount - 1 : -1;

  std::int32_t stop = -1;  // the last line whose message set the status to -1
  for (std::int32_t i = 0; i < lineCount; ++i) {
    const std::int32_t code = lines.Code(i);
    if (code == 0) {
      continue;
    }
    const std::string_view text = lines.Message(i);
    if (code == 3 && i == terminator && text.empty()) {
      continue;  // the line that ended the block
    }
    if (const toolkit::Message* known = toolkit::FindMessage(text);
        i != terminator && known != nullptr && known->outcome >= toolkit::Outcome::kFailedGoesOn) {
      stop = i;
    }
    Diagnostic& d = out.emplace_back(
        Finding(code == 2 ? Severity::kWarning : Severity::kError, block.LineOf(i), MessageRule(text),
                text.empty() ? "(the line has code " + std::to_string(code) + " and no message)" : std::string(text),
                record(i)));
    d.code = code;
  }
  // The counting pass ends the block at a '*' or '$' behind leading blanks, where the data reader
  // reads on: the arrays are then sized without the lines that follow.
  if (counts != nullptr && counts->stopLine >= 0 && counts->stopLine != terminator) {
    const std::string_view justified = LeftJustified(block.Record(counts->stopLine));
    if (!justified.empty() && (justified.front() == '*' || justified.front() == '$')) {
      out.push_back(Finding(Severity::kNote, block.LineOf(counts->stopLine), rules::kCountStopsShort,
                            std::string("the count that sizes the arrays stops at this line, whose first "
                                        "non-blank character is '") +
                                justified.front() + "'; the lines after it were not counted",
                            record(counts->stopLine)));
    }
  }
  if (lines.status == -1) {
    if (stop < 0) {
      out.push_back(Finding(Severity::kNote, block.line, rules::kStatusUnexplained,
                            "reading of this block ended with status -1"));
    } else if (toolkit::FindMessage(lines.Message(stop))->outcome == toolkit::Outcome::kFailedGoesOn) {
      out.push_back(Finding(Severity::kNote, block.LineOf(stop), rules::kStatusGoesOn,
                            "this error sets the block's status to -1; reading went on"));
    } else {
      report.stopRecord = stop;
      out.push_back(Finding(Severity::kNote, block.LineOf(stop), rules::kStatusStopped,
                            "reading of this block stopped here (status -1)"));
    }
  }
  linter_.Finish(block, lines, report);
  std::stable_sort(out.begin(), out.end(), [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
}

}  // namespace orvane::check
