// Orvane for C++ hosts: a typed host over the C interface of orvane.h, header-only.
//
// A Storage owns one storage object of the library and reads blocks through it. Each block form
// has a Count call (the counting pass, where the form has one) and a Read call that sizes the
// arrays from the counts, presets the values so that what the block leaves alone shows as absent,
// and reads. Every result holds its values and its per-line outputs (code and message of each
// line, the status). Results may be reused from block to block: their arrays keep their storage.
//
//   orvane::Storage storage;                        // the linked library
//   orvane::PackedLines block({"DEPTH=5", "0 0", "0.1 20", "*END"});
//   orvane::PYCurves curves = storage.ReadPY(block.View());
//   for (const orvane::Diagnostic& d : curves.lines.Diagnostics()) { ... d.line, d.code, d.message }
//
// A host that loads the library at run time builds the export table with Api::Load.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "orvane.h"

namespace orvane {

// Every export, as a table of function pointers.
struct Api {
#define ORVANE_API_MEMBER(name) Orvane##name##Fn name = nullptr;
  ORVANE_EXPORTS(ORVANE_API_MEMBER)
#undef ORVANE_API_MEMBER

  // The library this program is linked with. Only a host that calls this needs to link it.
  static Api Linked() {
    Api api;
#define ORVANE_API_LINKED(name) api.name = &::name;
    ORVANE_EXPORTS(ORVANE_API_LINKED)
#undef ORVANE_API_LINKED
    return api;
  }

  // A library loaded at run time: `resolve(name)` gives each export's address (dlsym,
  // GetProcAddress). Throws std::runtime_error naming the first export it cannot find.
  template <class Resolve>
  static Api Load(Resolve&& resolve) {
    Api api;
#define ORVANE_API_LOAD(name)                                                      \
  api.name = reinterpret_cast<Orvane##name##Fn>(resolve(#name));                   \
  if (api.name == nullptr) {                                                       \
    throw std::runtime_error("the library does not export " + std::string(#name)); \
  }
    ORVANE_EXPORTS(ORVANE_API_LOAD)
#undef ORVANE_API_LOAD
    return api;
  }
};

// A block's records as the readers take them: `count` records of `width` characters, back to back.
struct Records {
  const char* data = nullptr;
  std::int32_t count = 0;
  std::int64_t width = 0;

  [[nodiscard]] std::string_view Record(std::int32_t index) const {
    const auto size = static_cast<std::size_t>(width);
    return {data + static_cast<std::size_t>(index) * size, size};
  }
};

// Lines packed into blank-padded records of one width; a longer line is cut to it.
class PackedLines {
 public:
  template <class Range>
  explicit PackedLines(const Range& lines, std::int64_t width = 80) : width_(width) {
    const auto size = static_cast<std::size_t>(std::max<std::int64_t>(width, 0));
    for (std::string_view line : lines) {
      text_.append(line.substr(0, std::min(line.size(), size)));
      text_.append(size - std::min(line.size(), size), ' ');
      ++count_;
    }
  }
  PackedLines(std::initializer_list<std::string_view> lines, std::int64_t width = 80)
      : PackedLines(std::vector<std::string_view>(lines), width) {}

  [[nodiscard]] Records View() const { return {text_.data(), count_, width_}; }

 private:
  std::string text_;
  std::int32_t count_ = 0;
  std::int64_t width_;
};

// What a data reader reported on one line; `line` counts from 1 within the block.
struct Diagnostic {
  std::int32_t line;
  std::int32_t code;
  std::string message;  // without its trailing blanks
};

// A data reader's per-line outputs and status.
class LineOutputs {
 public:
  // Room for `count` lines; the storage of earlier blocks is reused.
  void Resize(std::int32_t count, std::int64_t messageWidth = ORVANE_MESSAGE_LENGTH) {
    const auto lines = static_cast<std::size_t>(std::max(count, 1));  // never empty: no array is passed as null
    messageWidth_ = messageWidth;
    codes_.resize(lines);
    messages_.resize(lines * static_cast<std::size_t>(std::max<std::int64_t>(messageWidth, 1)));
    count_ = count;
  }

  [[nodiscard]] std::int32_t Count() const { return count_; }
  [[nodiscard]] std::int32_t Code(std::int32_t index) const { return codes_[static_cast<std::size_t>(index)]; }
  [[nodiscard]] std::string_view Message(std::int32_t index) const {
    const auto width = static_cast<std::size_t>(messageWidth_);
    const std::string_view record(messages_.data() + static_cast<std::size_t>(index) * width, width);
    return record.substr(0, record.find_last_not_of(' ') + 1);
  }
  // Every line whose code is not 0, in order.
  [[nodiscard]] std::vector<Diagnostic> Diagnostics() const {
    std::vector<Diagnostic> found;
    for (std::int32_t i = 0; i < count_; ++i) {
      if (Code(i) != ORVANE_CODE_NONE) {
        found.push_back({i + 1, Code(i), std::string(Message(i))});
      }
    }
    return found;
  }

  std::int32_t status = 0;
  [[nodiscard]] char* messages() { return messages_.data(); }
  [[nodiscard]] std::int32_t* codes() { return codes_.data(); }
  [[nodiscard]] std::int64_t messageWidth() const { return messageWidth_; }

 private:
  std::vector<char> messages_;
  std::vector<std::int32_t> codes_;
  std::int64_t messageWidth_ = ORVANE_MESSAGE_LENGTH;
  std::int32_t count_ = 0;
};

// What a counting pass found: its counts, and the line (from 0) at which it stopped, or -1 when
// the records ran out first.
struct Counts {
  std::int32_t first = 0;   // nodes, selected frequencies, or P-Y curves
  std::int32_t second = 0;  // the most points of one P-Y curve
  std::int32_t stopLine = -1;
};

// Where point p of curve c, component k (0 the first number of the pair, 1 the second) stands in a
// P-Y point array of (maxCurves, maxPoints, 2), first index fastest; all from 0.
constexpr std::size_t PYPointIndex(std::int32_t maxCurves, std::int32_t maxPoints, std::size_t c, std::size_t p,
                                   std::size_t k) {
  return (k * static_cast<std::size_t>(maxPoints) + p) * static_cast<std::size_t>(maxCurves) + c;
}

struct DampingResult {
  std::optional<std::int32_t> enabled;  // 1 for YES, 0 for NO
  LineOutputs lines;
};

struct ReferenceDiameterResult {
  std::optional<double> diameter;
  LineOutputs lines;
};

struct HigherHarmonicsResult {
  std::optional<double> factor;
  std::optional<double> threshold;
  LineOutputs lines;
};

struct AxialLoadResult {
  Counts counts;
  std::int32_t nodeCount = 0;  // one past the arrays when the block held more nodes than counted
  std::vector<std::int32_t> nodeNumbers;
  std::vector<float> columns[3];
  LineOutputs lines;

  // The nodes the arrays hold.
  [[nodiscard]] std::size_t Held() const {
    return static_cast<std::size_t>(std::clamp(nodeCount, 0, std::max(counts.first, 0)));
  }
};

struct WaveGeneralSettings {
  bool withOrigin = true;         // form 02, which reads ORIGIN=
  bool frequencyDomain = true;    // FREQUENCIES=SELECTED is allowed
  std::int32_t analysisType = 1;  // equal to the restricted type: the frequency domain decides
  std::int32_t restrictedAnalysisType = 1;
};

struct WaveGeneralResult {
  Counts counts;
  std::optional<std::int32_t> seed;
  std::optional<std::int32_t> waveOption;  // 1 SUPERPOSITION, 2 MWL, 3 EXTENDED
  std::optional<float> waveZoneExtent;
  std::optional<std::int32_t> flags[3];  // FLOAT_CONVOLUTION, FLOAT_RAO_FORCES, FLOAT_QTF_FORCES: -1 YES, 0 NO
  std::optional<float> origin[2];
  std::int32_t selectedFrequencyCount = 0;
  std::vector<float> selectedFrequencies;  // the counted capacity; the first Held() are read
  LineOutputs lines;

  [[nodiscard]] std::size_t Held() const {
    return static_cast<std::size_t>(std::clamp(selectedFrequencyCount, 0, std::max(counts.first, 0)));
  }
};

struct PYResult {
  Counts counts;  // maxCurves and maxPoints, which size the arrays
  std::int32_t curveCount = 0;
  std::optional<std::string> setName;
  std::optional<float> scour;
  std::vector<float> points;  // (maxCurves, maxPoints, 2)
  std::vector<float> depth;   // for a curve placed by depth, with its sign reversed
  std::vector<std::int32_t> pointCount;
  std::vector<std::int32_t> node;  // four integers a curve; the reader writes the first
  std::vector<std::int32_t> kind;  // -1 placed by depth, 0 by node
  LineOutputs lines;
  std::string setNameField;  // the set name's field as the reader filled it

  [[nodiscard]] std::int32_t MaxCurves() const { return std::max(counts.first, 0); }
  [[nodiscard]] std::int32_t MaxPoints() const { return std::max(counts.second, 0); }
  [[nodiscard]] std::size_t Curves() const { return static_cast<std::size_t>(std::clamp(curveCount, 0, MaxCurves())); }
  [[nodiscard]] std::size_t Points(std::size_t c) const {
    return static_cast<std::size_t>(std::clamp(pointCount[c], 0, MaxPoints()));
  }
  [[nodiscard]] float Point(std::size_t c, std::size_t p, std::size_t k) const {
    return points[PYPointIndex(MaxCurves(), MaxPoints(), c, p, k)];
  }
  [[nodiscard]] std::int32_t Node(std::size_t c) const { return node[4 * c]; }
};

// Presets that no reader writes, so that an output still holding one was not set by the block.
// The NaNs carry a payload that no number reading, and no widening of a float, produces.
namespace detail {
inline constexpr std::int32_t kUnset = std::numeric_limits<std::int32_t>::min();
inline constexpr float kUnsetSingle = std::bit_cast<float>(std::uint32_t{0x7FD5A5A5U});
inline constexpr double kUnsetDouble = std::bit_cast<double>(std::uint64_t{0x7FFDA5A5A5A5A5A5ULL});

template <class T>
std::optional<T> IfSet(T value, T unset) {
  if constexpr (std::is_floating_point_v<T>) {
    return std::bit_cast<std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>(value) ==
                   std::bit_cast<std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>(unset)
               ? std::nullopt
               : std::optional<T>(value);
  } else {
    return value == unset ? std::nullopt : std::optional<T>(value);
  }
}

template <class T>
void Size(std::vector<T>& array, std::int32_t count, T fill) {
  array.assign(static_cast<std::size_t>(std::max(count, 1)), fill);  // never empty: no array is passed as null
}
}  // namespace detail

// One storage object of the library, for the life of this object.
class Storage {
 public:
  // Throws std::runtime_error when the library has no slot free.
  explicit Storage(const Api& api = Api::Linked()) : api_(api), handle_(api.CreateStorage()) {
    if (handle_ == 0) {
      throw std::runtime_error("the library has no storage object to give (all three are in use)");
    }
  }
  ~Storage() { api_.DeleteStorage(&handle_); }
  Storage(const Storage&) = delete;
  Storage& operator=(const Storage&) = delete;
  Storage(Storage&&) = delete;
  Storage& operator=(Storage&&) = delete;

  [[nodiscard]] const Api& api() const { return api_; }
  [[nodiscard]] const std::int32_t* handle() const { return &handle_; }

  // Calls a reading export with this object's handle first. Throws std::runtime_error when the
  // library refuses the call (it then wrote nothing).
  template <class Function, class... Args>
  void Call(Function Api::*export_, Args... args) const {
    if ((api_.*export_)(&handle_, args...) != 0) {
      throw std::runtime_error("the library refused a call: its storage object is missing");
    }
  }

  // A data reader: the block's records and per-line outputs around `values`, the two widths last.
  template <class Function, class... Values>
  void Read(Function Api::*reader, Records records, LineOutputs& lines, Values... values) const {
    Call(reader, &records.count, records.data, lines.messages(), lines.codes(), &lines.status, values..., records.width,
         lines.messageWidth());
  }
  // A maxes reader: the block's records and codes around `counts`; the line that ended the walk.
  template <class Function, class... Counts>
  std::int32_t Count(Function Api::*reader, Records records, std::vector<std::int32_t>& codes, Counts... counts) const {
    codes.resize(static_cast<std::size_t>(std::max(records.count, 1)));
    Call(reader, &records.count, records.data, codes.data(), counts..., records.width);
    return StopLine(codes, records.count);
  }

  DampingResult ReadNonOrthogonalDamping(Records records) const {
    DampingResult result;
    Prepare(records, result.lines);
    std::int32_t enabled = detail::kUnset;
    Read(&Api::ReadNonOrthogonalDampingData01, records, result.lines, &enabled);
    result.enabled = detail::IfSet(enabled, detail::kUnset);
    return result;
  }

  ReferenceDiameterResult ReadReferenceDiameter(Records records) const {
    ReferenceDiameterResult result;
    Prepare(records, result.lines);
    double diameter = detail::kUnsetDouble;
    Read(&Api::ReadReferenceDiameterData01, records, result.lines, &diameter);
    result.diameter = detail::IfSet(diameter, detail::kUnsetDouble);
    return result;
  }

  HigherHarmonicsResult ReadHigherHarmonics(Records records) const {
    HigherHarmonicsResult result;
    Prepare(records, result.lines);
    double factor = detail::kUnsetDouble;
    double threshold = detail::kUnsetDouble;
    Read(&Api::ReadHigherHarmonicsData01, records, result.lines, &factor, &threshold);
    result.factor = detail::IfSet(factor, detail::kUnsetDouble);
    result.threshold = detail::IfSet(threshold, detail::kUnsetDouble);
    return result;
  }

  Counts CountAxialLoad(Records records, std::vector<std::int32_t>& codes) const {
    Counts counts;
    counts.stopLine = Count(&Api::ReadAxialLoadMaxes01, records, codes, &counts.first);
    return counts;
  }
  void ReadAxialLoad(Records records, const Counts& counts, AxialLoadResult& result) const {
    result.counts = counts;
    Prepare(records, result.lines);
    detail::Size(result.nodeNumbers, counts.first, detail::kUnset);
    for (auto& column : result.columns) {
      detail::Size(column, counts.first, detail::kUnsetSingle);
    }
    result.nodeCount = 0;
    Read(&Api::ReadAxialLoadData01, records, result.lines, &result.nodeCount, &counts.first, result.nodeNumbers.data(),
         result.columns[0].data(), result.columns[1].data(), result.columns[2].data());
  }
  AxialLoadResult ReadAxialLoad(Records records) const {
    AxialLoadResult result;
    ReadAxialLoad(records, CountAxialLoad(records, countCodes_), result);
    return result;
  }

  Counts CountWaveGeneral(Records records, std::vector<std::int32_t>& codes, bool withOrigin = true) const {
    Counts counts;
    counts.stopLine =
        Count(withOrigin ? &Api::ReadWaveGeneralMaxes02 : &Api::ReadWaveGeneralMaxes01, records, codes, &counts.first);
    return counts;
  }
  void ReadWaveGeneral(Records records, const Counts& counts, WaveGeneralResult& result,
                       const WaveGeneralSettings& settings = {}) const {
    result.counts = counts;
    Prepare(records, result.lines);
    detail::Size(result.selectedFrequencies, counts.first, detail::kUnsetSingle);
    WaveOutputs out;
    ReadWaveGeneralInto(records, counts, result, settings, out, result.lines);
    if (out.seed == detail::kUnset && HasSeedLine(records)) {
      // The preset is itself a seed a block can give: a second reading with another preset tells,
      // into scratch places so that the first reading's results stay as they are.
      WaveGeneralResult scratch;
      scratch.lines.Resize(records.count, result.lines.messageWidth());
      detail::Size(scratch.selectedFrequencies, counts.first, 0.0F);
      WaveOutputs again;
      again.seed = 0;
      ReadWaveGeneralInto(records, counts, scratch, settings, again, scratch.lines);
      result.seed = again.seed == detail::kUnset ? std::optional<std::int32_t>(out.seed) : std::nullopt;
    } else {
      result.seed = detail::IfSet(out.seed, detail::kUnset);
    }
    result.waveOption = detail::IfSet(out.waveOption, detail::kUnset);
    result.waveZoneExtent = detail::IfSet(out.waveZoneExtent, detail::kUnsetSingle);
    for (std::size_t j = 0; j < 3; ++j) {
      result.flags[j] = detail::IfSet(out.flags[j], detail::kUnset);
    }
    for (std::size_t j = 0; j < 2; ++j) {
      result.origin[j] = settings.withOrigin ? detail::IfSet(out.origin[j], detail::kUnsetSingle) : std::nullopt;
    }
  }
  WaveGeneralResult ReadWaveGeneral(Records records, const WaveGeneralSettings& settings = {}) const {
    WaveGeneralResult result;
    ReadWaveGeneral(records, CountWaveGeneral(records, countCodes_, settings.withOrigin), result, settings);
    return result;
  }

  Counts CountPY(Records records, std::vector<std::int32_t>& codes) const {
    Counts counts;
    counts.stopLine = Count(&Api::ReadPYMaxes01, records, codes, &counts.first, &counts.second);
    return counts;
  }
  // Reads the block on its own (no curves held before it). `setNameWidth` is the width of the set
  // name field the reader fills.
  void ReadPY(Records records, const Counts& counts, PYResult& result, std::int64_t setNameWidth = 80) const {
    result.counts = counts;
    Prepare(records, result.lines);
    const std::int32_t curves = std::max(counts.first, 1);
    const std::int32_t points = std::max(counts.second, 1);
    result.points.assign(static_cast<std::size_t>(curves) * static_cast<std::size_t>(points) * 2, 0.0F);
    detail::Size(result.depth, curves, 0.0F);
    detail::Size(result.node, 4 * curves, 0);
    detail::Size(result.pointCount, curves, 0);  // the reader counts each new curve's points up from here
    detail::Size(result.kind, curves, detail::kUnset);
    std::string& setName = result.setNameField;
    setName.assign(static_cast<std::size_t>(std::max<std::int64_t>(setNameWidth, 0)), ' ');
    float scour = detail::kUnsetSingle;
    std::int32_t reserved = 0;
    result.curveCount = 0;
    Call(&Api::ReadPYData01, &records.count, records.data, result.lines.messages(), result.lines.codes(),
         &result.lines.status, static_cast<void*>(&reserved), &counts.first, &counts.second, &result.curveCount,
         result.points.data(), result.depth.data(), result.pointCount.data(), result.node.data(), result.kind.data(),
         setName.data(), &scour, records.width, result.lines.messageWidth(), setNameWidth);
    const auto end = setName.find_last_not_of(' ');
    if (end == std::string::npos) {
      result.setName.reset();
    } else {
      result.setName.emplace(setName, 0, end + 1);
    }
    result.scour = detail::IfSet(scour, detail::kUnsetSingle);
  }
  PYResult ReadPY(Records records) const {
    PYResult result;
    ReadPY(records, CountPY(records, countCodes_), result);
    return result;
  }

 private:
  struct WaveOutputs {
    std::int32_t waveOption = detail::kUnset;
    std::int32_t seed = detail::kUnset;
    std::int32_t flags[3] = {detail::kUnset, detail::kUnset, detail::kUnset};
    float waveZoneExtent = detail::kUnsetSingle;
    float origin[2] = {detail::kUnsetSingle, detail::kUnsetSingle};
  };

  void ReadWaveGeneralInto(Records records, const Counts& counts, WaveGeneralResult& result,
                           const WaveGeneralSettings& settings, WaveOutputs& out, LineOutputs& lines) const {
    const std::int32_t frequencyDomain = settings.frequencyDomain ? 1 : 0;
    result.selectedFrequencyCount = 0;
    if (settings.withOrigin) {
      Read(&Api::ReadWaveGeneralData02, records, lines, &out.waveOption, &out.seed, &result.selectedFrequencyCount,
           &counts.first, result.selectedFrequencies.data(), &out.flags[0], &out.flags[1], &out.flags[2],
           &out.waveZoneExtent, &settings.analysisType, &settings.restrictedAnalysisType, &frequencyDomain,
           &out.origin[0], &out.origin[1]);
    } else {
      Read(&Api::ReadWaveGeneralData01, records, lines, &out.waveOption, &out.seed, &result.selectedFrequencyCount,
           &counts.first, result.selectedFrequencies.data(), &out.flags[0], &out.flags[1], &out.flags[2],
           &out.waveZoneExtent, &settings.analysisType, &settings.restrictedAnalysisType, &frequencyDomain);
    }
  }

  static bool HasSeedLine(Records records) {
    for (std::int32_t i = 0; i < records.count; ++i) {
      const std::string_view record = records.Record(i);
      const auto first = record.find_first_not_of(' ');
      if (first == std::string_view::npos || record.size() - first < 5) {
        continue;
      }
      std::string word(record.substr(first, 5));
      std::transform(word.begin(), word.end(), word.begin(),
                     [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
      if (word == "SEED=") {
        return true;
      }
    }
    return false;
  }

  static void Prepare(Records records, LineOutputs& lines) { lines.Resize(records.count, lines.messageWidth()); }

  static std::int32_t StopLine(const std::vector<std::int32_t>& codes, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i) {
      if (codes[static_cast<std::size_t>(i)] == ORVANE_CODE_ERROR) {
        return i;
      }
    }
    return -1;
  }

  Api api_;
  std::int32_t handle_;
  mutable std::vector<std::int32_t> countCodes_;
};

}  // namespace orvane
