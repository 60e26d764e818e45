// Deterministic keyword blocks for benchmarks: fixed-width, blank-padded records back to back, as
// a host hands them over, ending with the next keyword's line.
//
// Every number is written in a form that a Fortran list-directed READ and std::from_chars (once a
// D exponent letter becomes E and a leading plus is dropped) read as well as the library does, so
// that the baselines can be checked against the library on the same records.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::bench {

struct Records {
  explicit Records(std::int64_t width) : lineLength(width) {}

  // Appends one record: `line` cut or blank-padded to the width.
  void Add(std::string_view line) {
    const auto width = static_cast<std::size_t>(lineLength);
    const std::size_t start = text.size();
    text.resize(start + width, ' ');
    std::copy_n(line.begin(), std::min(line.size(), width), text.begin() + static_cast<std::ptrdiff_t>(start));
    ++lineCount;
  }

  [[nodiscard]] std::int64_t Bytes() const { return static_cast<std::int64_t>(text.size()); }

  std::int32_t lineCount = 0;
  std::int64_t lineLength;
  std::vector<char> text;
};

// A small fixed-seed generator, so that every run reads the same block.
class Sequence {
 public:
  explicit Sequence(std::uint64_t seed = 0x5EED) : state_(seed) {}

  std::uint32_t Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(state_ >> 33);
  }
  std::uint32_t Below(std::uint32_t bound) { return Next() % bound; }
  // A signed value with a few significant digits, from about 1e-3 to 1e4.
  double Value() {
    const double mantissa = static_cast<double>(Next() % 2'000'001) / 1000.0 - 1000.0;
    constexpr double kScales[] = {0.001, 0.1, 1.0, 10.0};
    return mantissa * kScales[Next() % 4];
  }

 private:
  std::uint64_t state_;
};

inline std::string Printed(const char* format, double value) {
  char buffer[48];
  const int size = std::snprintf(buffer, sizeof buffer, format, value);
  return {buffer, static_cast<std::size_t>(std::clamp(size, 0, static_cast<int>(sizeof buffer) - 1))};
}

// `value` in one of the notations that input files mix: fixed decimals of several lengths, E and
// D exponents in both cases, an explicit plus sign, and shortest decimals.
inline std::string Number(double value, std::uint32_t style) {
  switch (style % 8) {
    case 0:
      return Printed("%.3f", value);
    case 1:
      return Printed("%.6f", value);
    case 2:
      return Printed("%.4E", value);
    case 3: {
      std::string text = Printed("%.5E", value);
      std::replace(text.begin(), text.end(), 'E', 'D');
      return text;
    }
    case 4:
      return Printed("%+.2f", value);
    case 5:
      return Printed("%.3e", value);
    case 6: {
      std::string text = Printed("%.4e", value);
      std::replace(text.begin(), text.end(), 'e', 'd');
      return text;
    }
    default:
      return Printed("%g", value);
  }
}

// Two or more fields in one of the layouts of hand-written and generated files.
inline std::string Fields(const std::vector<std::string>& fields, std::uint32_t layout) {
  std::string line;
  switch (layout % 4) {
    case 0:  // right-aligned columns
      for (const auto& field : fields) {
        line += std::string(field.size() < 14 ? 14 - field.size() : 1, ' ') + field;
      }
      return line;
    case 1:  // commas without blanks
      for (const auto& field : fields) {
        line += (line.empty() ? "" : ",") + field;
      }
      return line;
    case 2:  // indented, commas followed by blanks
      line = "    ";
      for (std::size_t i = 0; i < fields.size(); ++i) {
        line += (i == 0 ? "" : ", ") + fields[i];
      }
      return line;
    default:  // single blanks
      for (const auto& field : fields) {
        line += (line.empty() ? "" : " ") + field;
      }
      return line;
  }
}

// Which number forms and field layouts a block's lines take: all of them, mixed at random line by
// line as input files mix them, or one form and one layout throughout.
struct Forms {
  std::int32_t number = -1;  // 0 to 7: that form of Number for every number
  std::int32_t layout = -1;  // 0 to 3: that layout of Fields for every line

  [[nodiscard]] std::uint32_t Number(std::uint32_t random) const {
    return number < 0 ? random : static_cast<std::uint32_t>(number);
  }
  [[nodiscard]] std::uint32_t Layout(std::uint32_t random) const {
    return layout < 0 ? random : static_cast<std::uint32_t>(layout);
  }
};

// A P-Y block: a set and its scour, then curves of 40 to 60 points, placed alternately by depth
// and by node, headers in varying case and indentation, with comment and blank lines here and
// there. It stops after `curves` curves or before `maxRecords` records, whichever comes first;
// the terminator is the last record.
inline Records PYBlock(std::int32_t curves, std::int32_t maxRecords = INT32_MAX, std::int64_t lineLength = 80,
                       Forms forms = {}) {
  Records records(lineLength);
  Sequence sequence(0xC0FFEE);
  records.Add("SET=SAND-UPPER");
  records.Add("SCOUR=1.5");
  for (std::int32_t c = 1; c <= curves; ++c) {
    const auto points = static_cast<std::int32_t>(40 + sequence.Below(21));
    if (records.lineCount + points + 4 > maxRecords) {
      break;
    }
    if (c % 50 == 1) {
      records.Add("C  y (m)        p (kN/m)");
    }
    switch (c % 4) {
      case 0:
        records.Add("DEPTH=" + Printed("%.2f", 0.5 * c));
        break;
      case 1:
        records.Add("NODE=" + std::to_string(1000 + c));
        break;
      case 2:
        records.Add("  depth= " + Printed("%.1f", 0.25 * c));
        break;
      default:
        records.Add("Node=" + std::to_string(2000 + c) + ".0");
        break;
    }
    for (std::int32_t p = 0; p < points; ++p) {
      const std::uint32_t style = sequence.Next();
      records.Add(Fields({Number(0.001 * p, forms.Number(style)), Number(sequence.Value(), forms.Number(style >> 3))},
                         forms.Layout(style >> 6)));
    }
    if (c % 97 == 0) {
      records.Add("");
    }
  }
  records.Add("*AXIAL LOAD");
  return records;
}

// An *AXIAL LOAD block of `dataLines` lines, each a node and three values, with a comment line
// every 1,000 lines; the terminator is the last record.
inline Records AxialLoadBlock(std::int32_t dataLines, std::int64_t lineLength = 80) {
  Records records(lineLength);
  Sequence sequence;
  for (std::int32_t node = 1; node <= dataLines; ++node) {
    if (node % 1000 == 1) {
      records.Add("C  node      load     lower     upper");
    }
    const std::uint32_t style = sequence.Next();
    const std::string nodeText = style % 5 == 0 ? std::to_string(node) + ".0" : std::to_string(node);
    records.Add(Fields({nodeText, Number(sequence.Value(), style), Number(sequence.Value(), style >> 3),
                        Number(sequence.Value(), style >> 6)},
                       style >> 9));
  }
  records.Add("*P-Y CURVES");
  return records;
}

// A form 01 *WAVE-GENERAL block: every option once, then `frequencies` selected frequencies.
inline Records WaveGeneralBlock(std::int32_t frequencies, std::int64_t lineLength = 80) {
  Records records(lineLength);
  Sequence sequence(0xFA57);
  for (const char* option : {"SEED=20240611", "OPTION=EXTENDED", "WAVEZONE=35.0", "FLOAT_CONVOLUTION=NO",
                             "FLOAT_RAO_FORCES=YES", "FLOAT_QTF_FORCES=NO", "FREQUENCIES=SELECTED"}) {
    records.Add(option);
  }
  for (std::int32_t f = 1; f <= frequencies; ++f) {
    const std::uint32_t style = sequence.Next();
    const double frequency = 0.01 + 2.0 * static_cast<double>(sequence.Below(1'000'000)) / 1e6;
    records.Add(Fields({Number(frequency, style)}, style >> 3));
  }
  records.Add("*HIGHER HARMONICS");
  return records;
}

}  // namespace orvane::bench
