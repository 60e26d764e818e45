// Every array a block filled, whole and as the readers wrote it, in NumPy's .npy format: for programs
// that want the values as binary arrays rather than as the numbers' text in the JSON document.
#include <bit>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "output.h"

namespace orvane::check {

namespace {

template <class T>
std::string TypeCode() {
  static_assert(sizeof(T) == 4);
  return std::string(std::endian::native == std::endian::little ? "<" : ">") +
         (std::is_floating_point_v<T> ? "f4" : "i4");
}

// `rows` rows of `columns` numbers (a vector where `columns` is 0), row after row.
template <class T>
void WriteArray(const std::filesystem::path& path, const T* data, std::size_t rows, std::size_t columns) {
  std::string header = "{'descr': '" + TypeCode<T>() + "', 'fortran_order': False, 'shape': (" + std::to_string(rows) +
                       (columns == 0 ? "," : ", " + std::to_string(columns)) + "), }";
  // Version 1.0: the magic string, the version, the header's length in two bytes, then the header,
  // blank-padded and ended by a line feed so that the data starts on a multiple of 64 bytes.
  constexpr std::size_t kPrefix = 10;
  header.resize((kPrefix + header.size() + 1 + 63) / 64 * 64 - kPrefix - 1, ' ');
  header += '\n';
  const char prefix[kPrefix] = {'\x93',
                                'N',
                                'U',
                                'M',
                                'P',
                                'Y',
                                1,
                                0,
                                static_cast<char>(header.size() & 0xFF),
                                static_cast<char>(header.size() >> 8)};
  std::FILE* file = std::fopen(path.string().c_str(), "wb");
  if (file == nullptr) {
    throw std::runtime_error(path.string() + ": " + std::strerror(errno));
  }
  const std::size_t count = rows * std::max<std::size_t>(columns, 1);
  std::fwrite(prefix, 1, kPrefix, file);
  std::fwrite(header.data(), 1, header.size(), file);
  if (count > 0) {
    std::fwrite(data, sizeof(T), count, file);
  }
  if (std::ferror(file) != 0 || std::fclose(file) != 0) {
    throw std::runtime_error(path.string() + ": the array could not be written");
  }
}

class NpyOutput final : public Output {
 public:
  explicit NpyOutput(std::filesystem::path directory) : directory_(std::move(directory)) {}

  void BeginFile(const std::string&) override { ++files_; }
  void FileDiagnostic(const Diagnostic&) override {}
  void EndFile(std::int64_t, const std::optional<std::string>&) override {}
  void Finish(const Totals&) override {}

  void WriteBlock(const Block& block, const BlockReport* report) override {
    if (report == nullptr) {
      return;
    }
    const std::string prefix = std::to_string(files_) + "-" + std::to_string(block.line) + "-";
    const auto write = [&](const char* name, const auto* data, std::size_t rows, std::size_t columns) {
      WriteArray(directory_ / (prefix + name + ".npy"), data, rows, columns);
    };
    const BlockArrays& arrays = report->arrays;
    switch (block.reader) {
      case Reader::kPY: {
        const CurveArrays& curves = arrays.curves;
        std::vector<std::int32_t> kinds;
        std::vector<std::int32_t> nodes;
        std::vector<std::int32_t> held;
        std::vector<float> points;
        for (std::size_t c = 0; c < curves.count; ++c) {
          kinds.push_back(curves.kind[c]);
          nodes.push_back(curves.node[4 * c]);
          held.push_back(static_cast<std::int32_t>(curves.Held(c)));
          for (std::size_t p = 0; p < curves.Held(c); ++p) {
            points.push_back(curves.At(c, p, 0));
            points.push_back(curves.At(c, p, 1));
          }
        }
        write("curveKind", kinds.data(), kinds.size(), 0);
        write("curveDepth", curves.depth, curves.count, 0);
        write("curveNode", nodes.data(), nodes.size(), 0);
        write("pointCount", held.data(), held.size(), 0);
        write("points", points.data(), points.size() / 2, 2);
        break;
      }
      case Reader::kAxialLoad: {
        const NodeArrays& nodes = arrays.nodes;
        std::vector<float> rows;
        rows.reserve(nodes.count * 3);
        for (std::size_t k = 0; k < nodes.count; ++k) {
          for (const float* column : nodes.columns) {
            rows.push_back(column[k]);
          }
        }
        write("nodeNumber", nodes.numbers, nodes.count, 0);
        write("axialLoadColumns", rows.data(), nodes.count, 3);
        break;
      }
      case Reader::kWaveGeneral:
        write("selectedFrequencies", arrays.frequencies.data(), arrays.frequencies.size(), 0);
        break;
      default:
        break;
    }
  }

 private:
  std::filesystem::path directory_;
  int files_ = 0;
};

}  // namespace

std::unique_ptr<Output> MakeNpyOutput(const std::string& directory) {
  std::error_code failure;
  std::filesystem::create_directories(directory, failure);
  if (failure) {
    throw std::runtime_error(directory + ": " + failure.message());
  }
  return std::make_unique<NpyOutput>(directory);
}

}  // namespace orvane::check
