// Whole blocks read through the exported functions, side by side with two yardsticks on the same
// records: std::from_chars field scanning and (when built with a Fortran compiler) Fortran
// list-directed READ. Each yardstick is checked against the library before anything is timed.
//
//   orvane_bench                                  every benchmark, then the summary of ratios
//   orvane_bench --benchmark_filter=Scaling       MB/s against block size, mixed forms and one form
//   orvane_bench --benchmark_repetitions=5        the summary takes the best repetition
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "baselines.h"
#include "hosts.h"

namespace orvane::bench {
namespace {

constexpr std::int32_t kPYCurves = 20'000;
constexpr std::int32_t kAxialLines = 250'000;
constexpr std::int32_t kWaveFrequencies = 100'000;

// Every benchmark of a block reports MB/s of records read and records per second.
void Throughput(benchmark::State& state, const Records& block) {
  state.SetBytesProcessed(state.iterations() * block.Bytes());
  state.counters["records"] =
      benchmark::Counter(static_cast<double>(block.lineCount), benchmark::Counter::kIsIterationInvariantRate);
}

void Fail(const std::string& what) {
  std::fprintf(stderr, "orvane_bench: %s\n", what.c_str());
  std::exit(1);
}

template <class Host>
void Register(const std::string& name, Host& host, void (*run)(Host&)) {
  benchmark::RegisterBenchmark(name.c_str(), [&host, run](benchmark::State& state) {
    for (auto _ : state) {
      run(host);
      benchmark::ClobberMemory();
    }
    Throughput(state, host.block);
  })->Unit(benchmark::kMillisecond);
}

template <class Host>
void RegisterReaders(const std::string& block, Host& host) {
  Register<Host>(block + "/Maxes", host, [](Host& h) { h.Maxes(); });
  Register<Host>(block + "/Data", host, [](Host& h) { h.Data(); });
  Register<Host>(block + "/MaxesAndData", host, [](Host& h) {
    h.Maxes();
    h.Data();
  });
}

void RegisterYardstick(const std::string& name, HostBlock& host, const std::function<void(HostBlock&)>& run) {
  benchmark::RegisterBenchmark(name.c_str(), [&host, run](benchmark::State& state) {
    for (auto _ : state) {
      run(host);
      benchmark::ClobberMemory();
    }
    Throughput(state, host.block);
  })->Unit(benchmark::kMillisecond);
}

// ---- The yardsticks, checked against the library on the same records ----

void CheckPY(PYHost& host) {
  host.Maxes();
  host.Data();
  std::int64_t values = 0;
  const std::uint64_t sum = host.PointBitSum(values);
  if (host.Result().lines.status != 0 || host.Result().curveCount != host.MaxCurves()) {
    Fail("the library did not read the P-Y block whole");
  }
  const Tally maxes = FromCharsPYMaxes(host.block);
  const Tally data = FromCharsPYData(host.block, host.messages.data(), kMessageLength);
  if (maxes.counted != host.MaxCurves() || maxes.mostPoints != host.MaxPoints() ||
      data.counted != host.Result().curveCount || data.values != values || data.bitSum != sum) {
    Fail("the std::from_chars yardstick reads the P-Y block differently");
  }
#ifdef ORVANE_BENCH_FORTRAN
  const Tally fortran = ListDirectedPY(host.block, host.messages.data(), kMessageLength);
  if (fortran.counted != host.MaxCurves() || fortran.mostPoints != host.MaxPoints() || fortran.values != values ||
      fortran.bitSum != sum) {
    Fail("the Fortran yardstick reads the P-Y block differently");
  }
#endif
}

void CheckAxial(AxialHost& host) {
  host.Maxes();
  host.Data();
  if (host.Result().lines.status != 0 || host.Result().nodeCount != host.MaxNodes()) {
    Fail("the library did not read the *AXIAL LOAD block whole");
  }
  const std::uint64_t sum = host.BitSum();
  const Tally maxes = FromCharsAxialMaxes(host.block);
  const Tally data = FromCharsAxialData(host.block, host.messages.data(), kMessageLength);
  if (maxes.counted != host.MaxNodes() || data.counted != host.Result().nodeCount || data.bitSum != sum) {
    Fail("the std::from_chars yardstick reads the *AXIAL LOAD block differently");
  }
#ifdef ORVANE_BENCH_FORTRAN
  const Tally fortran = ListDirectedAxial(host.block, host.messages.data(), kMessageLength);
  if (fortran.counted != host.MaxNodes() || fortran.bitSum != sum) {
    Fail("the Fortran yardstick reads the *AXIAL LOAD block differently");
  }
#endif
}

void CheckWaveGeneral(WaveGeneralHost& host) {
  host.Maxes();
  host.Data();
  if (host.Result().lines.status != 0 || host.Result().selectedFrequencyCount != kWaveFrequencies ||
      host.MaxFrequencies() != kWaveFrequencies) {
    Fail("the library did not read the *WAVE-GENERAL block whole");
  }
}

void RegisterPYYardsticks(PYHost& host) {
  RegisterYardstick("PY/FromChars", host, [](HostBlock& h) {
    benchmark::DoNotOptimize(FromCharsPYMaxes(h.block));
    benchmark::DoNotOptimize(FromCharsPYData(h.block, h.messages.data(), kMessageLength));
  });
#ifdef ORVANE_BENCH_FORTRAN
  RegisterYardstick("PY/ListDirected", host, [](HostBlock& h) {
    benchmark::DoNotOptimize(ListDirectedPY(h.block, h.messages.data(), kMessageLength));
  });
#endif
}

void RegisterAxialYardsticks(AxialHost& host) {
  RegisterYardstick("Axial/FromChars", host, [](HostBlock& h) {
    benchmark::DoNotOptimize(FromCharsAxialMaxes(h.block));
    benchmark::DoNotOptimize(FromCharsAxialData(h.block, h.messages.data(), kMessageLength));
  });
#ifdef ORVANE_BENCH_FORTRAN
  RegisterYardstick("Axial/ListDirected", host, [](HostBlock& h) {
    benchmark::DoNotOptimize(ListDirectedAxial(h.block, h.messages.data(), kMessageLength));
  });
#endif
}

// ---- Summary ----

// Passes everything to the console and keeps each benchmark's best MB/s over its repetitions:
// on a machine shared with other work the fastest repetition is the one least disturbed.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& reports) override {
    for (const Run& run : reports) {
      const auto bytes = run.counters.find("bytes_per_second");
      const auto records = run.counters.find("records");
      if (run.error_occurred || run.run_type != Run::RT_Iteration || bytes == run.counters.end()) {
        continue;
      }
      Figures& figures = figures_[run.run_name.str()];
      if (bytes->second.value / 1e6 > figures.megabytes) {
        figures = {bytes->second.value / 1e6, records == run.counters.end() ? 0.0 : records->second.value};
      }
    }
    ConsoleReporter::ReportRuns(reports);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nBest of the repetitions (MB = 10^6 bytes of records):\n%-26s %12s %14s %14s %14s\n", "block, reader",
                "MB/s", "records/s", "x from_chars", "x list-directed");
    for (const char* block : {"PY", "Axial", "WaveGeneral"}) {
      const std::string prefix = block;
      const double fromChars = Rate(prefix + "/FromChars");
      const double listDirected = Rate(prefix + "/ListDirected");
      for (const char* reader : {"Maxes", "Data", "MaxesAndData", "FromChars", "ListDirected"}) {
        const auto found = figures_.find(prefix + "/" + reader);
        if (found == figures_.end()) {
          continue;
        }
        const Figures& f = found->second;
        std::printf("%-26s %12.1f %14.0f %14s %14s\n", found->first.c_str(), f.megabytes, f.records,
                    Ratio(f.megabytes, fromChars).c_str(), Ratio(f.megabytes, listDirected).c_str());
      }
    }
  }

 private:
  struct Figures {
    double megabytes = 0.0;
    double records = 0.0;
  };

  [[nodiscard]] double Rate(const std::string& name) const {
    const auto found = figures_.find(name);
    return found == figures_.end() ? 0.0 : found->second.megabytes;
  }
  static std::string Ratio(double value, double base) {
    if (base <= 0.0) {
      return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value / base);
    return text;
  }

  std::map<std::string, Figures> figures_;
};

// Maxes plus data on blocks of 1,000 to 1,000,000 records: the cost per record should not grow.
// Each block is made the first time its benchmark runs, so that a filtered run does not pay for it.
template <class Host>
void RegisterScaling(const std::string& name, std::function<Records()> make) {
  auto host = std::make_shared<std::unique_ptr<Host>>();
  benchmark::RegisterBenchmark(name.c_str(), [host, make](benchmark::State& state) {
    if (!*host) {
      *host = std::make_unique<Host>(make());
    }
    Host& h = **host;
    for (auto _ : state) {
      h.Maxes();
      h.Data();
      benchmark::ClobberMemory();
    }
    Throughput(state, h.block);
  })->Unit(benchmark::kMillisecond);
}

void RegisterScaling() {
  for (const std::int32_t records : {1'000, 3'000, 10'000, 30'000, 100'000, 300'000, 1'000'000}) {
    RegisterScaling<PYHost>("Scaling/PY/" + std::to_string(records), [records] { return PYBlock(INT32_MAX, records); });
    RegisterScaling<AxialHost>("Scaling/Axial/" + std::to_string(records),
                               [records] { return AxialLoadBlock(records - records / 1000 - 1); });
  }
  // The same P-Y blocks with every number in one form (%.4E) and every line in one layout (right-
  // aligned columns): what the mixing of forms costs, small blocks against large.
  for (const std::int32_t records : {1'000, 1'000'000}) {
    RegisterScaling<PYHost>("Scaling/PYOneForm/" + std::to_string(records), [records] {
      return PYBlock(INT32_MAX, records, 80, Forms{2, 0});
    });
  }
}

}  // namespace
}  // namespace orvane::bench

int main(int argc, char** argv) {
  using namespace orvane::bench;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  PYHost py(PYBlock(kPYCurves));
  AxialHost axial(AxialLoadBlock(kAxialLines));
  WaveGeneralHost wave(WaveGeneralBlock(kWaveFrequencies));
  CheckPY(py);
  CheckAxial(axial);
  CheckWaveGeneral(wave);
  std::printf("P-Y block: %d records, %d curves; *AXIAL LOAD: %d records; *WAVE-GENERAL: %d records\n",
              py.block.lineCount, py.MaxCurves(), axial.block.lineCount, wave.block.lineCount);

  RegisterReaders<PYHost>("PY", py);
  RegisterPYYardsticks(py);
  RegisterReaders<AxialHost>("Axial", axial);
  RegisterAxialYardsticks(axial);
  RegisterReaders<WaveGeneralHost>("WaveGeneral", wave);
  RegisterScaling();

  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
