// One whole chart with the precise engine (Swiss Ephemeris), validation to filled lagnas:
// the same birth with the minute moving, births spread over dates and places, and charts on
// two threads at once (the library is used under one lock).
#include <benchmark/benchmark.h>

#include <vector>

#include "app/chart_calculation.h"
#include "bench/bench_birth.h"

namespace {

corvane::CalculationSettings Precise() {
  corvane::CalculationSettings s;
  s.engine = corvane::EngineKind::kSwiss;
  return s;
}

void PreciseChart(benchmark::State& state) {
  const corvane::CalculationSettings settings = Precise();
  corvane::BirthData birth = corvane::bench::BenchBirth();
  int minute = 0;
  for (auto _ : state) {
    birth.minute = minute;
    const corvane::CalculationResult r = corvane::CalculateChart(birth, settings);
    benchmark::DoNotOptimize(r.outcome.index());
    minute = (minute + 7) % 60;
  }
}
BENCHMARK(PreciseChart);

std::vector<corvane::BirthData> SpreadBirths() {
  std::vector<corvane::BirthData> births;
  for (int i = 0; i < 97; ++i) {
    corvane::BirthData d = corvane::bench::BenchBirth();
    d.year = 1901 + (i * 37) % 150;
    d.monthIndex = (i * 5) % 12;
    d.day = 1 + (i * 11) % 28;
    d.hour = (i * 7) % 24;
    d.zonePosition = i % 71;
    d.lonDegrees = std::to_string((i * 37) % 180);
    d.latDegrees = std::to_string((i * 11) % 60);
    d.south = i % 4 == 0;
    births.push_back(d);
  }
  return births;
}

void PreciseChartSpread(benchmark::State& state) {
  const corvane::CalculationSettings settings = Precise();
  const std::vector<corvane::BirthData> births = SpreadBirths();
  std::size_t i = static_cast<std::size_t>(state.thread_index());
  for (auto _ : state) {
    const corvane::CalculationResult r = corvane::CalculateChart(births[i % births.size()], settings);
    benchmark::DoNotOptimize(r.outcome.index());
    i += 3;
  }
}
BENCHMARK(PreciseChartSpread)->Threads(1)->Threads(2)->UseRealTime();

}  // namespace
