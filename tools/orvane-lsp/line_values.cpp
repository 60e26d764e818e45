// What a reader read from one data line is found with the library itself: the block is read up to
// the line before and up to the line, and the two results differ by exactly what that line gave.
// Nothing of the readers' grammar is repeated here.
#include <optional>
#include <string_view>
#include <vector>

#include "answers.h"
#include "orvane.hpp"
#include "values.h"

namespace orvane::lsp {

namespace {

using check::FormatDouble;
using check::FormatSingle;

std::string YesNo(std::int32_t flag, std::int32_t yes) { return flag == yes ? "YES" : flag == 0 ? "NO" : "?"; }

template <class T>
bool Changed(const std::optional<T>& before, const std::optional<T>& after) {
  return after.has_value() && before != after;
}

void Append(std::string& text, const std::string& part) { text += (text.empty() ? "" : "; ") + part; }

std::string AxialLoad(const AxialLoadResult& before, const AxialLoadResult& after) {
  if (after.nodeCount <= before.nodeCount || static_cast<std::size_t>(after.nodeCount) > after.Held()) {
    return {};
  }
  const auto k = static_cast<std::size_t>(after.nodeCount - 1);
  return "node " + std::to_string(after.nodeNumbers[k]) + ": " + FormatSingle(after.columns[0][k]) + ", " +
         FormatSingle(after.columns[1][k]) + ", " + FormatSingle(after.columns[2][k]) + " (entry " +
         std::to_string(k + 1) + ")";
}

std::string PY(const PYResult& before, const PYResult& after) {
  std::string text;
  if (Changed(before.setName, after.setName)) {
    Append(text, "set name " + check::Printable(*after.setName));
  }
  if (Changed(before.scour, after.scour)) {
    Append(text, "scour = " + FormatSingle(*after.scour));
  }
  const std::size_t curves = after.Curves();
  if (curves == 0) {
    return text;
  }
  const std::size_t c = curves - 1;
  if (after.curveCount > before.curveCount && static_cast<std::size_t>(after.curveCount) == curves) {
    Append(text, "curve " + std::to_string(curves) +
                     (after.kind[c] == -1 ? " at depth " + FormatSingle(-after.depth[c])
                                          : " at node " + std::to_string(after.Node(c))));
  } else if (after.curveCount == before.curveCount && c < before.Curves() &&
             after.pointCount[c] > before.pointCount[c] &&
             after.Points(c) == static_cast<std::size_t>(after.pointCount[c])) {
    const std::size_t p = after.Points(c) - 1;
    Append(text, "curve " + std::to_string(curves) + ", point " + std::to_string(p + 1) +
                     ": y = " + FormatSingle(after.Point(c, p, 0)) + ", p = " + FormatSingle(after.Point(c, p, 1)));
  }
  return text;
}

std::string WaveGeneral(const WaveGeneralResult& before, const WaveGeneralResult& after) {
  static constexpr const char* kOptions[] = {"?", "SUPERPOSITION", "MWL", "EXTENDED"};
  static constexpr const char* kFlags[] = {"FLOAT_CONVOLUTION", "FLOAT_RAO_FORCES", "FLOAT_QTF_FORCES"};
  std::string text;
  if (Changed(before.seed, after.seed)) {
    Append(text, "seed = " + std::to_string(*after.seed));
  }
  if (Changed(before.waveOption, after.waveOption)) {
    const std::int32_t option = *after.waveOption;
    Append(text, std::string("option = ") + kOptions[option >= 1 && option <= 3 ? option : 0]);
  }
  if (Changed(before.waveZoneExtent, after.waveZoneExtent)) {
    Append(text, "wave zone extent = " + FormatSingle(*after.waveZoneExtent));
  }
  for (std::size_t j = 0; j < 3; ++j) {
    if (Changed(before.flags[j], after.flags[j])) {
      Append(text, std::string(kFlags[j]) + " = " + YesNo(*after.flags[j], -1));
    }
  }
  if (Changed(before.origin[0], after.origin[0]) || Changed(before.origin[1], after.origin[1])) {
    Append(text,
           "origin = " + FormatSingle(after.origin[0].value_or(0)) + ", " + FormatSingle(after.origin[1].value_or(0)));
  }
  if (after.selectedFrequencyCount > before.selectedFrequencyCount &&
      after.Held() == static_cast<std::size_t>(after.selectedFrequencyCount)) {
    const std::size_t k = after.Held() - 1;
    Append(text, "selected frequency " + std::to_string(k + 1) + " = " + FormatSingle(after.selectedFrequencies[k]));
  }
  return text;
}

}  // namespace

std::string ReadFromLine(const Context& context, const BlockSummary& block, std::int64_t line) {
  const auto first = static_cast<std::size_t>(block.line);  // the first data line, from 0
  const auto last = static_cast<std::size_t>(line);         // one past the line asked about
  if (line <= block.line || line > block.lastLine || last > context.document.LineCount()) {
    return {};
  }
  std::vector<std::string_view> lines(context.document.Lines().begin() + static_cast<std::ptrdiff_t>(first),
                                      context.document.Lines().begin() + static_cast<std::ptrdiff_t>(last));
  const PackedLines packed(lines, check::kRecordWidth);
  Records after = packed.View();
  Records before = after;
  --before.count;
  const Storage storage;
  switch (block.reader) {
    case check::Reader::kAxialLoad:
      return AxialLoad(storage.ReadAxialLoad(before), storage.ReadAxialLoad(after));
    case check::Reader::kPY:
      return PY(storage.ReadPY(before), storage.ReadPY(after));
    case check::Reader::kWaveGeneral: {
      const WaveGeneralSettings settings{.frequencyDomain = context.frequencyDomain};
      return WaveGeneral(storage.ReadWaveGeneral(before, settings), storage.ReadWaveGeneral(after, settings));
    }
    case check::Reader::kNonOrthogonalDamping: {
      const auto result = storage.ReadNonOrthogonalDamping(after);
      return result.enabled && !storage.ReadNonOrthogonalDamping(before).enabled
                 ? "ENABLED = " + YesNo(*result.enabled, 1)
                 : std::string();
    }
    case check::Reader::kReferenceDiameter: {
      const auto result = storage.ReadReferenceDiameter(after);
      return result.diameter && !storage.ReadReferenceDiameter(before).diameter
                 ? "reference diameter = " + FormatDouble(*result.diameter)
                 : std::string();
    }
    case check::Reader::kHigherHarmonics: {
      const auto result = storage.ReadHigherHarmonics(after);
      const auto earlier = storage.ReadHigherHarmonics(before);
      std::string text;
      if (Changed(earlier.factor, result.factor)) {
        Append(text, "factor = " + FormatDouble(*result.factor));
      }
      if (Changed(earlier.threshold, result.threshold)) {
        Append(text, "threshold = " + FormatDouble(*result.threshold));
      }
      return text;
    }
    case check::Reader::kNone:
      break;
  }
  return {};
}

}  // namespace orvane::lsp
