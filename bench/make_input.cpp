// Writes an input file of about LINES lines (2,000,000 by default) holding all six keywords, with
// the benchmarks' blocks for the large ones, to time orvane-check on a file of real size:
//   orvane_make_input big.inp [LINES]
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "blocks.h"

namespace {

using orvane::bench::Records;

// Writes the records without their blank padding, and without the terminator, which is the
// next keyword's line.
long Write(std::FILE* file, const Records& block) {
  const auto width = static_cast<std::size_t>(block.lineLength);
  for (std::int32_t i = 0; i + 1 < block.lineCount; ++i) {
    std::string_view line(block.text.data() + static_cast<std::size_t>(i) * width, width);
    line = line.substr(0, line.find_last_not_of(' ') + 1);
    std::fprintf(file, "%.*s\n", static_cast<int>(line.size()), line.data());
  }
  return block.lineCount - 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s FILE [LINES]\n", argv[0]);
    return 2;
  }
  const long lines = argc == 3 ? std::atol(argv[2]) : 2'000'000;
  std::FILE* file = std::fopen(argv[1], "w");
  if (file == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  long written = 0;
  const auto keyword = [&](const char* line) {
    std::fprintf(file, "%s\n", line);
    ++written;
  };
  keyword("C  A large input: every keyword the library reads");
  keyword("*WAVE-GENERAL");
  written += Write(file, orvane::bench::WaveGeneralBlock(static_cast<std::int32_t>(lines / 20)));
  keyword("*HIGHER HARMONICS");
  keyword("0.85      0.002");
  keyword("*REFERENCE DIAMETER");
  keyword("1.829");
  keyword("*NON-ORTHOGONAL DAMPING");
  keyword("ENABLED=NO");
  keyword("*AXIAL LOAD");
  written += Write(file, orvane::bench::AxialLoadBlock(static_cast<std::int32_t>(lines * 3 / 8)));
  keyword("*P-Y CURVES");
  written += Write(file, orvane::bench::PYBlock(INT32_MAX, static_cast<std::int32_t>(lines - written - 1)));
  while (written + 1 < lines) {  // the last curve that fits may leave a few lines over
    keyword("C");
  }
  keyword("*END");
  std::fclose(file);
  std::printf("%ld lines\n", written);
  return 0;
}
