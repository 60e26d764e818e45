// Deterministic keyword blocks for benchmarks: fixed-width, blank-padded records back to back, as
// a host hands them over, ending with the next keyword's line.
#pragma once

#include <algorithm>
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

  std::int32_t lineCount = 0;
  std::int64_t lineLength;
  std::vector<char> text;
};

// A small fixed-seed generator, so that every run reads the same block.
class Sequence {
 public:
  std::uint32_t Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(state_ >> 33);
  }
  // A signed value with a few significant digits, from about 1e-3 to 1e4.
  double Value() {
    const double mantissa = static_cast<double>(Next() % 2'000'001) / 1000.0 - 1000.0;
    constexpr double kScales[] = {0.001, 0.1, 1.0, 10.0};
    return mantissa * kScales[Next() % 4];
  }

 private:
  std::uint64_t state_ = 0x5EED;
};

// One *AXIAL LOAD data line in one of four notations: fixed columns, commas with a D exponent,
// TABs with a bare-sign exponent, and plain shortest decimals.
inline std::string AxialLoadLine(std::int32_t node, Sequence& sequence) {
  const double a = sequence.Value();
  const double b = sequence.Value();
  const double c = sequence.Value();
  std::string line(96, '\0');
  int size = 0;
  switch (node % 4) {
    case 0:
      size = std::snprintf(line.data(), line.size(), "%8d %14.4f %14.6E %12.3f", node, a, b, c);
      break;
    case 1:
      size = std::snprintf(line.data(), line.size(), "%d,%.5f,%.6fD+2,%g", node, a, b / 100.0, c);
      break;
    case 2:
      size = std::snprintf(line.data(), line.size(), "\t%d.0\t%.3e\t%.3f-3\t%.1f", node, a, b * 1000.0, c);
      break;
    default:
      size = std::snprintf(line.data(), line.size(), "%d %g %g %g", node, a, b, c);
      break;
  }
  line.resize(static_cast<std::size_t>(std::max(size, 0)));
  return line;
}

// `dataLines` axial load lines with nodes 1, 2, ..., then a terminator.
inline Records AxialLoadBlock(std::int32_t dataLines, std::int64_t lineLength = 80) {
  Records records(lineLength);
  Sequence sequence;
  for (std::int32_t node = 1; node <= dataLines; ++node) {
    records.Add(AxialLoadLine(node, sequence));
  }
  records.Add("*END");
  return records;
}

}  // namespace orvane::bench
