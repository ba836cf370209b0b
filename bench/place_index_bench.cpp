// Loading the shipped place file, searching it as the user types, and looking up zones.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <fstream>

#include "app/place_index.h"
#include "app/zone_clock.h"

namespace {

// Resident memory of this process in bytes, from /proc.
double ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * 4096.0;
}

double PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

// Runs first (registration order): the memory a first load adds, at its peak and after it.
void LoadPlaces(benchmark::State& state) {
  const double before = ResidentBytes();
  const double peakBefore = PeakResidentBytes();
  double after = 0, peakAfter = 0, held = 0;
  for (auto _ : state) {
    corvane::PlaceIndex index;
    const corvane::PlaceLoadStatus status = corvane::LoadPlaces(index);
    if (!status.ok) {
      state.SkipWithError(status.message.c_str());
      return;
    }
    if (after == 0) {
      after = ResidentBytes();
      peakAfter = PeakResidentBytes();
      held = static_cast<double>(index.memoryBytes());
    }
    benchmark::DoNotOptimize(index.size());
  }
  state.counters["added_rss_MB"] = (after - before) / 1e6;
  state.counters["added_peak_rss_MB"] = (peakAfter - peakBefore) / 1e6;
  state.counters["index_MB"] = held / 1e6;
}
// Loading runs on two threads: the time is wall-clock, the CPU time that of the whole process.
BENCHMARK(LoadPlaces)->Unit(benchmark::kMillisecond)->Iterations(5)->MeasureProcessCPUTime()->UseRealTime();

const corvane::PlaceIndex& SharedIndex() {
  static const corvane::PlaceIndex index = [] {
    corvane::PlaceIndex i;
    corvane::LoadPlaces(i);
    return i;
  }();
  return index;
}

// Type-ahead queries: one letter (the widest run of keys), a common start, whole names, a
// qualified name and a miss.
const char* const kQueries[] = {"s", "a", "san", "new y", "munchen", "springfield", "springfield, il", "qqxz"};

void SearchPlaces(benchmark::State& state) {
  const corvane::PlaceIndex& index = SharedIndex();
  const char* query = kQueries[state.range(0)];
  state.SetLabel(query);
  for (auto _ : state) benchmark::DoNotOptimize(index.search(query, 10));
}
BENCHMARK(SearchPlaces)->DenseRange(0, std::size(kQueries) - 1)->Unit(benchmark::kMicrosecond);

void LookUpLocalTime(benchmark::State& state) {
  int minute = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(corvane::LookUpLocalTime("Europe/Madrid", {1975, 6, 5, 7, minute, 0}));
    minute = (minute + 7) % 60;
  }
}
BENCHMARK(LookUpLocalTime)->Unit(benchmark::kMicrosecond);

}  // namespace
