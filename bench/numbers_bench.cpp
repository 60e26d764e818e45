// The number reader on typical fields.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "toolkit/dataline.h"

namespace {

// Four fields per line, of one kind each.
const std::array<std::vector<std::string>, 5> kFieldLines{{
    {"12 345 6789 10", "1 22 333 4444", "-7 8 -9 10"},
    {"0.75 -1.25 3.5 100.0", "2.5, 0.001, -42.125, 7.", ".5 -.25 1.0 0.3"},
    {"1.5E+03 -2.5D-2 7.25-1 1Q3", "6.02e23 1.6E-19 -9.81d0 3.0+8", "1E-3 2D2 3.3e+1 4.4q-4"},
    {"0.30000001192092896 3.4028234663852886E38 1.1754943508222875e-38 -2.7182817459106445"},
    {"2*1.5 / 3*-0.5 ,", "ABC 1.5/2 , 4", "INF -nan 1.0E39 5"},
}};
const std::array<const char*, 5> kKinds{"integers", "short decimals", "exponents", "17 digits", "mixed forms"};

void NumericFields(benchmark::State& state) {
  const auto& lines = kFieldLines.at(static_cast<std::size_t>(state.range(0)));
  std::array<float, 4> values{};
  std::array<char, 163> message{};
  std::int32_t code = 0;
  for (auto _ : state) {
    for (const auto& line : lines) {
      orvane::toolkit::ReadNumericFields(code, message, " ", line, values, 0.0F);
      benchmark::DoNotOptimize(values);
      benchmark::DoNotOptimize(code);
    }
  }
  const auto fields = static_cast<double>(values.size() * lines.size());
  state.counters["per_field"] =
      benchmark::Counter(fields, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.SetLabel(kKinds.at(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(NumericFields)->DenseRange(0, 4);

}  // namespace
