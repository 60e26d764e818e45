#include "checker.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <stdexcept>
#include <string_view>

#include "orvane.h"

namespace orvane::check {

namespace {

// Presets for the outputs that a block may leave alone, chosen so that no reader writes them: an
// output that still holds its preset was not set by the block. The NaNs carry a payload that no
// number reading produces and that widening a float cannot produce.
constexpr std::int32_t kUnset = std::numeric_limits<std::int32_t>::min();
constexpr std::uint32_t kUnsetSingle = 0x7FD5A5A5U;
constexpr std::uint64_t kUnsetDouble = 0x7FFDA5A5A5A5A5A5ULL;

bool IsSet(float value) { return std::bit_cast<std::uint32_t>(value) != kUnsetSingle; }
bool IsSet(double value) { return std::bit_cast<std::uint64_t>(value) != kUnsetDouble; }

// Set names get a record's width, so that no name the block can hold is cut.
constexpr std::int64_t kSetNameWidth = kRecordWidth;

// Analysis type codes handed to the wave-general reader: equal, so that FREQUENCIES=SELECTED is
// always judged by whether the analysis is in the frequency domain.
constexpr std::int32_t kAnalysisType = 1;

// Messages written with code 3 that leave the status alone: the line at which a block with status
// -1 stopped is the last one with a code 3 message that is not one of these.
constexpr std::string_view kNotSerious[] = {
    "Number is too large for the program.",
    "This is not a valid value.",
    "The extent of the wave zone must be a positive number.",
    "Expecting selected frequencies instead of:",
    "Selected frequencies must be strictly positive:",
};
// The one serious error after which reading goes on.
constexpr std::string_view kSeriousButGoesOn = "Invalid specification for SEED=";

std::string_view Trimmed(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  return text.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view upper) {
  if (text.size() < upper.size()) {
    return false;
  }
  for (std::size_t i = 0; i < upper.size(); ++i) {
    const char c = text[i];
    if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != upper[i]) {
      return false;
    }
  }
  return true;
}

std::string_view LeftJustified(std::string_view record) {
  const auto first = record.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view{} : record.substr(first);
}

void Require(std::int32_t returned) {
  if (returned != 0) {
    throw std::runtime_error("the library refused a call: its storage object is missing");
  }
}

std::string YesNo(std::int32_t flag) { return flag == -1 ? "YES" : flag == 0 ? "NO" : ""; }

std::size_t Held(std::int32_t count, std::int32_t capacity) {
  return static_cast<std::size_t>(std::clamp(count, 0, std::max(capacity, 0)));
}

template <class T>
void Grow(std::vector<T>& buffer, std::int32_t count) {
  buffer.resize(static_cast<std::size_t>(std::max(count, 1)));  // never empty: no array is passed as null
}

}  // namespace

struct Checker::Call {
  std::int32_t lineCount = 0;
  const char* lines = nullptr;
  char* messages = nullptr;
  std::int32_t* codes = nullptr;
  std::int32_t* countCodes = nullptr;
  std::int32_t status = 0;
  bool counted = false;  // the counting pass ran and wrote countCodes
  bool read = true;      // the data reader ran
};

Checker::Checker(Settings settings) : handle_(CreateStorage()), settings_(settings) {
  if (handle_ == 0) {
    throw std::runtime_error("the library has no storage object to give");
  }
}

Checker::~Checker() { DeleteStorage(&handle_); }

void Checker::Prepare(const Block& block, Call& call) {
  call.lineCount = block.RecordCount();
  const auto lines = static_cast<std::size_t>(std::max(call.lineCount, 1));
  messages_.Reserve(lines * static_cast<std::size_t>(kMessageWidth));
  codes_.Reserve(lines * sizeof(std::int32_t));
  countCodes_.Reserve(lines * sizeof(std::int32_t));
  call.lines = block.Records();
  call.messages = messages_.data();
  call.codes = reinterpret_cast<std::int32_t*>(codes_.data());
  call.countCodes = reinterpret_cast<std::int32_t*>(countCodes_.data());
}

void Checker::Check(const Block& block, BlockReport& report) {
  report = BlockReport{};
  if (block.tooLarge) {
    report.diagnostics.push_back({block.line, Severity::kError, std::nullopt,
                                  "this block has more lines than one reader call can take (" +
                                      std::to_string(kMaxRecords) + "); it was not read",
                                  std::nullopt});
    return;
  }
  Call call;
  Prepare(block, call);
  switch (block.reader) {
    case Reader::kNonOrthogonalDamping:
      Damping(call, report);
      break;
    case Reader::kReferenceDiameter:
      ReferenceDiameter(call, report);
      break;
    case Reader::kHigherHarmonics:
      HigherHarmonics(call, report);
      break;
    case Reader::kAxialLoad:
      AxialLoad(call, report);
      break;
    case Reader::kWaveGeneral:
      WaveGeneral(call, report);
      break;
    case Reader::kPY:
      PY(block, call, report);
      break;
    case Reader::kNone:
      return;
  }
  if (call.read) {
    report.status = call.status;
    Diagnose(block, call, report);
  }
}

void Checker::Damping(Call& call, BlockReport& report) {
  std::int32_t enabled = kUnset;
  Require(ReadNonOrthogonalDampingData01(&handle_, &call.lineCount, call.lines, call.messages, call.codes, &call.status,
                                         &enabled, kRecordWidth, kMessageWidth));
  if (enabled != kUnset) {
    report.values.Add("enabled", Value::Integer(enabled, enabled == 1 ? "YES" : enabled == 0 ? "NO" : ""));
  }
}

void Checker::ReferenceDiameter(Call& call, BlockReport& report) {
  auto diameter = std::bit_cast<double>(kUnsetDouble);
  Require(ReadReferenceDiameterData01(&handle_, &call.lineCount, call.lines, call.messages, call.codes, &call.status,
                                      &diameter, kRecordWidth, kMessageWidth));
  if (IsSet(diameter)) {
    report.values.Add("referenceDiameter", Value::Double(diameter));
  }
}

void Checker::HigherHarmonics(Call& call, BlockReport& report) {
  auto factor = std::bit_cast<double>(kUnsetDouble);
  auto threshold = factor;
  Require(ReadHigherHarmonicsData01(&handle_, &call.lineCount, call.lines, call.messages, call.codes, &call.status,
                                    &factor, &threshold, kRecordWidth, kMessageWidth));
  if (IsSet(factor)) {
    report.values.Add("harmonicsFactor", Value::Double(factor));
  }
  if (IsSet(threshold)) {
    report.values.Add("harmonicsThreshold", Value::Double(threshold));
  }
}

void Checker::AxialLoad(Call& call, BlockReport& report) {
  std::int32_t maxNodes = 0;
  Require(ReadAxialLoadMaxes01(&handle_, &call.lineCount, call.lines, call.countCodes, &maxNodes, kRecordWidth));
  call.counted = true;
  report.counts.Add("maxNodeCount", Value::Integer(maxNodes));
  Grow(nodeNumbers_, maxNodes);
  for (auto& column : loadColumns_) {
    Grow(column, maxNodes);
  }
  std::int32_t nodeCount = 0;
  Require(ReadAxialLoadData01(&handle_, &call.lineCount, call.lines, call.messages, call.codes, &call.status,
                              &nodeCount, &maxNodes, nodeNumbers_.data(), loadColumns_[0].data(),
                              loadColumns_[1].data(), loadColumns_[2].data(), kRecordWidth, kMessageWidth));
  report.values.Add("nodeCount", Value::Integer(nodeCount));
  const std::size_t held = Held(nodeCount, maxNodes);
  report.arrays.nodes = {
      held, nodeNumbers_.data(), {loadColumns_[0].data(), loadColumns_[1].data(), loadColumns_[2].data()}};
  const char* columnNames[] = {"axialLoadColumn2", "axialLoadColumn3", "axialLoadColumn4"};
  if (held <= kListLimit || settings_.allValues) {
    Value& nodes = report.values.Add("nodes", Value::List("node"));
    for (std::size_t k = 0; k < held; ++k) {
      Value node = Value::Object();
      node.Add("nodeNumber", Value::Integer(nodeNumbers_[k]));
      for (std::size_t j = 0; j < 3; ++j) {
        node.Add(columnNames[j], Value::Single(loadColumns_[j][k]));
      }
      nodes.items.push_back(std::move(node));
    }
    return;
  }
  Extent numbers(true);
  for (std::size_t k = 0; k < held; ++k) {
    numbers.Add(nodeNumbers_[k]);
  }
  report.values.Add("nodeNumbers", numbers.ToValue());
  for (std::size_t j = 0; j < 3; ++j) {
    Extent column(false);
    for (std::size_t k = 0; k < held; ++k) {
      column.Add(loadColumns_[j][k]);
    }
    report.values.Add(columnNames[j], column.ToValue());
  }
}

void Checker::WaveGeneral(Call& call, BlockReport& report) {
  std::int32_t maxFrequencies = 0;
  Require(
      ReadWaveGeneralMaxes02(&handle_, &call.lineCount, call.lines, call.countCodes, &maxFrequencies, kRecordWidth));
  call.counted = true;
  report.counts.Add("selectedFrequencyCount", Value::Integer(maxFrequencies));
  Grow(frequencies_, maxFrequencies);

  struct Outputs {
    std::int32_t waveOption = kUnset;
    std::int32_t seed = kUnset;
    std::int32_t frequencyCount = 0;
    std::int32_t flags[3] = {kUnset, kUnset, kUnset};
    float waveZoneExtent = std::bit_cast<float>(kUnsetSingle);
    float origin[2] = {waveZoneExtent, waveZoneExtent};
  };
  const std::int32_t frequencyDomain = settings_.frequencyDomain ? 1 : 0;
  const auto read = [&](Outputs& out, char* messages, std::int32_t* codes, std::int32_t* status) {
    Require(ReadWaveGeneralData02(&handle_, &call.lineCount, call.lines, messages, codes, status, &out.waveOption,
                                  &out.seed, &out.frequencyCount, &maxFrequencies, frequencies_.data(), &out.flags[0],
                                  &out.flags[1], &out.flags[2], &out.waveZoneExtent, &kAnalysisType, &kAnalysisType,
                                  &frequencyDomain, &out.origin[0], &out.origin[1], kRecordWidth, kMessageWidth));
  };
  Outputs out;
  read(out, call.messages, call.codes, &call.status);
  const std::size_t held = Held(out.frequencyCount, maxFrequencies);

  bool seedSet = out.seed != kUnset;
  const auto lines = static_cast<std::size_t>(call.lineCount);
  const std::string_view records(call.lines, lines * static_cast<std::size_t>(kRecordWidth));
  bool seedLine = false;
  for (std::size_t i = 0; i < lines && !seedLine; ++i) {
    seedLine = StartsWithIgnoringCase(LeftJustified(records.substr(i * kRecordWidth, kRecordWidth)), "SEED=");
  }
  if (!seedSet && seedLine) {
    // The preset is itself a seed a block can give: a second reading with another preset tells,
    // into scratch places so that the first reading's results stay as they are.
    const std::vector<float> frequencies(frequencies_.begin(),
                                         frequencies_.begin() + static_cast<std::ptrdiff_t>(held));
    std::string messages(lines * static_cast<std::size_t>(kMessageWidth), ' ');
    std::vector<std::int32_t> codes(lines);
    std::int32_t status = 0;
    Outputs again;
    again.seed = 0;
    read(again, messages.data(), codes.data(), &status);
    seedSet = again.seed == kUnset;
    std::copy(frequencies.begin(), frequencies.end(), frequencies_.begin());
  }
  report.arrays.frequencies = {frequencies_.data(), held};

  Value& values = report.values;
  if (seedSet) {
    values.Add("seed", Value::Integer(out.seed));
  }
  if (out.waveOption != kUnset) {
    const char* names[] = {"", "SUPERPOSITION", "MWL", "EXTENDED"};
    values.Add("waveOption",
               Value::Integer(out.waveOption, out.waveOption >= 1 && out.waveOption <= 3 ? names[out.waveOption] : ""));
  }
  if (IsSet(out.waveZoneExtent)) {
    values.Add("waveZoneExtent", Value::Single(out.waveZoneExtent));
  }
  const char* flagNames[] = {"floatConvolution", "floatRaoForces", "floatQtfForces"};
  for (std::size_t j = 0; j < 3; ++j) {
    if (out.flags[j] != kUnset) {
      values.Add(flagNames[j], Value::Integer(out.flags[j], YesNo(out.flags[j])));
    }
  }
  for (std::size_t j = 0; j < 2; ++j) {
    if (IsSet(out.origin[j])) {
      values.Add(j == 0 ? "origin1" : "origin2", Value::Single(out.origin[j]));
    }
  }
  if (out.frequencyCount == 0) {
    return;
  }
  values.Add("selectedFrequencyCount", Value::Integer(out.frequencyCount));
  if (held <= kListLimit || settings_.allValues) {
    Value list = Value::Numbers();
    list.numbers.assign(frequencies_.begin(), frequencies_.begin() + static_cast<std::ptrdiff_t>(held));
    values.Add("selectedFrequencies", std::move(list));
  } else {
    Extent range(false);
    for (std::size_t k = 0; k < held; ++k) {
      range.Add(frequencies_[k]);
    }
    values.Add("selectedFrequencies", range.ToValue());
  }
}

void Checker::PY(const Block& block, Call& call, BlockReport& report) {
  std::int32_t maxCurves = 0;
  std::int32_t maxPoints = 0;
  Require(ReadPYMaxes01(&handle_, &call.lineCount, call.lines, call.countCodes, &maxCurves, &maxPoints, kRecordWidth));
  call.counted = true;
  report.counts.Add("curveCount", Value::Integer(maxCurves));
  report.counts.Add("maxPoints", Value::Integer(maxPoints));
  const auto curves = static_cast<std::uint64_t>(std::max(maxCurves, 1));
  const auto points = static_cast<std::uint64_t>(std::max(maxPoints, 1));
  const std::uint64_t bytes = curves * points * 2 * sizeof(float);
  if (bytes > kMaxPointBytes) {
    report.diagnostics.push_back({block.line, Severity::kError, std::nullopt,
                                  "this block needs " + std::to_string(bytes >> 20) + " MiB for its P-Y points (" +
                                      std::to_string(maxCurves) + " curves of up to " + std::to_string(maxPoints) +
                                      " points), more than the checker allocates (" +
                                      std::to_string(kMaxPointBytes >> 20) + " MiB); it was not read",
                                  std::nullopt});
    call.read = false;
    return;
  }
  pyPoints_.resize(curves * points * 2);
  Grow(curveDepth_, maxCurves);
  curveNode_.resize(curves * 4);  // four integers a curve; only the first is ever written
  pointCount_.assign(curves, 0);  // the reader counts each new curve's points up from here
  curveKind_.assign(curves, kUnset);
  std::string setName(static_cast<std::size_t>(kSetNameWidth), ' ');
  auto scour = std::bit_cast<float>(kUnsetSingle);
  std::int32_t reserved = 0;
  std::int32_t curveCount = 0;  // each block is read on its own
  Require(ReadPYData01(&handle_, &call.lineCount, call.lines, call.messages, call.codes, &call.status, &reserved,
                       &maxCurves, &maxPoints, &curveCount, pyPoints_.data(), curveDepth_.data(), pointCount_.data(),
                       curveNode_.data(), curveKind_.data(), setName.data(), &scour, kRecordWidth, kMessageWidth,
                       kSetNameWidth));

  Value& values = report.values;
  if (const auto name = Trimmed(setName); !name.empty()) {
    values.Add("setName", Value::Text(std::string(name)));
  }
  if (IsSet(scour)) {
    values.Add("scour", Value::Single(scour));
  }
  values.Add("curveCount", Value::Integer(curveCount));
  const std::size_t held = Held(curveCount, maxCurves);
  report.arrays.curves = {held,
                          static_cast<std::size_t>(std::max(maxCurves, 0)),
                          static_cast<std::size_t>(std::max(maxPoints, 0)),
                          pyPoints_.data(),
                          curveDepth_.data(),
                          pointCount_.data(),
                          curveNode_.data(),
                          curveKind_.data()};
  const auto point = [&](std::size_t c, std::size_t p, std::size_t k) {
    return pyPoints_[(k * static_cast<std::size_t>(maxPoints) + p) * static_cast<std::size_t>(maxCurves) + c];
  };
  std::size_t largest = 0;
  for (std::size_t c = 0; c < held; ++c) {
    largest = std::max(largest, Held(pointCount_[c], maxPoints));
  }
  if ((held <= kListLimit && largest <= kListLimit) || settings_.allValues) {
    Value& list = values.Add("curves", Value::List("curve"));
    for (std::size_t c = 0; c < held; ++c) {
      Value curve = Value::Object();
      if (curveKind_[c] == -1) {
        curve.Add("curveKind", Value::Integer(-1, "depth"));
        curve.Add("curveDepth", Value::Single(curveDepth_[c]));
      } else if (curveKind_[c] == 0) {
        curve.Add("curveKind", Value::Integer(0, "node"));
        curve.Add("curveNode", Value::Integer(curveNode_[4 * c]));
      }
      curve.Add("pointCount", Value::Integer(pointCount_[c]));
      Value pairs = Value::Pairs();
      for (std::size_t p = 0; p < Held(pointCount_[c], maxPoints); ++p) {
        pairs.numbers.push_back(point(c, p, 0));
        pairs.numbers.push_back(point(c, p, 1));
      }
      curve.Add("points", std::move(pairs));
      list.items.push_back(std::move(curve));
    }
    return;
  }
  std::int64_t depthCurves = 0;
  std::int64_t nodeCurves = 0;
  std::int64_t total = 0;
  Extent depths(false);
  Extent nodes(true);
  Extent counts(true);
  Extent first(false);
  Extent second(false);
  for (std::size_t c = 0; c < held; ++c) {
    if (curveKind_[c] == -1) {
      ++depthCurves;
      depths.Add(curveDepth_[c]);
    } else if (curveKind_[c] == 0) {
      ++nodeCurves;
      nodes.Add(curveNode_[4 * c]);
    }
    counts.Add(pointCount_[c]);
    const std::size_t stored = Held(pointCount_[c], maxPoints);
    total += static_cast<std::int64_t>(stored);
    for (std::size_t p = 0; p < stored; ++p) {
      first.Add(point(c, p, 0));
      second.Add(point(c, p, 1));
    }
  }
  values.Add("depthCurves", Value::Integer(depthCurves));
  values.Add("nodeCurves", Value::Integer(nodeCurves));
  values.Add("curveDepth", depths.ToValue());
  values.Add("curveNode", nodes.ToValue());
  values.Add("pointCount", counts.ToValue());
  values.Add("points", Value::Integer(total));
  values.Add("firstNumbers", first.ToValue());
  values.Add("secondNumbers", second.ToValue());
}

void Checker::Diagnose(const Block& block, const Call& call, BlockReport& report) const {
  auto& out = report.diagnostics;
  const auto record = [&](std::int32_t i) { return std::string(Trimmed(block.Record(i))); };
  const auto message = [&](std::int32_t i) {
    return Trimmed({call.messages + static_cast<std::size_t>(i) * kMessageWidth, kMessageWidth});
  };
  const std::int32_t terminator = block.terminated ? call.lineCount - 1 : -1;

  if (!block.terminated && block.reader != Reader::kWaveGeneral) {
    out.push_back({block.line, Severity::kNote, std::nullopt,
                   "the block ends with the file, so its end-of-block checks were not made", std::nullopt});
  }
  for (const LongLine& line : block.longLines) {
    out.push_back({block.LineOf(line.index), Severity::kWarning, std::nullopt,
                   "line is " + std::to_string(line.length) + " characters long; only the first " +
                       std::to_string(kRecordWidth) + " are read",
                   line.shown});
  }
  for (std::int32_t i = 0; i < call.lineCount; ++i) {
    const std::int32_t code = call.codes[i];
    if (code == 0) {
      continue;
    }
    const std::string_view text = message(i);
    if (code == 3 && i == terminator && text.empty()) {
      continue;  // the line that ended the block
    }
    out.push_back({block.LineOf(i), code == 2 ? Severity::kWarning : Severity::kError, code,
                   text.empty() ? "(the line has code " + std::to_string(code) + " and no message)" : std::string(text),
                   record(i)});
  }
  if (call.counted) {
    // The counting pass ends the block at a '*' or '$' behind leading blanks, where the data reader
    // reads on: the arrays are then sized without the lines that follow.
    for (std::int32_t i = 0; i < call.lineCount; ++i) {
      if (i == terminator || call.countCodes[i] != 3) {
        continue;
      }
      const std::string_view justified = LeftJustified(block.Record(i));
      if (!justified.empty() && (justified.front() == '*' || justified.front() == '$')) {
        out.push_back({block.LineOf(i), Severity::kNote, std::nullopt,
                       std::string("the count that sizes the arrays stops at this line, whose first non-blank "
                                   "character is '") +
                           justified.front() + "'; the lines after it were not counted",
                       record(i)});
      }
    }
  }
  if (call.status == -1) {
    std::int32_t stop = -1;
    const std::int32_t end = terminator >= 0 ? terminator : call.lineCount;
    for (std::int32_t i = 0; i < end; ++i) {
      if (call.codes[i] != 3) {
        continue;
      }
      const std::string_view text = message(i);
      const bool serious = std::none_of(std::begin(kNotSerious), std::end(kNotSerious),
                                        [&](std::string_view prefix) { return StartsWith(text, prefix); });
      if (!text.empty() && serious) {
        stop = i;
      }
    }
    if (stop < 0) {
      out.push_back(
          {block.line, Severity::kNote, std::nullopt, "reading of this block ended with status -1", std::nullopt});
    } else if (StartsWith(message(stop), kSeriousButGoesOn)) {
      out.push_back({block.LineOf(stop), Severity::kNote, std::nullopt,
                     "this error sets the block's status to -1; reading went on", std::nullopt});
    } else {
      out.push_back({block.LineOf(stop), Severity::kNote, std::nullopt,
                     "reading of this block stopped here (status -1)", std::nullopt});
    }
  }
  std::stable_sort(out.begin(), out.end(), [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
}

}  // namespace orvane::check
