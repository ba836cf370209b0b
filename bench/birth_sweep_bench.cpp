// The birth-time sweep of every lagna over plus and minus an hour, to the second, with each
// engine.
#include <benchmark/benchmark.h>

#include "app/birth_sweep.h"
#include "bench/bench_birth.h"

namespace {

void SweepHour(benchmark::State& state, corvane::EngineKind engine) {
  corvane::BirthData birth = corvane::bench::BenchBirth();
  corvane::CalculationSettings settings;
  settings.engine = engine;
  int minute = 0;
  for (auto _ : state) {
    birth.minute = minute;
    const corvane::BirthSweep sweep = corvane::SweepBirthTime(birth, settings, 60);
    benchmark::DoNotOptimize(sweep.lagnas[corvane::kPpL].size());
    minute = (minute + 7) % 60;
  }
}
BENCHMARK_CAPTURE(SweepHour, elements, corvane::EngineKind::kElements)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SweepHour, swiss, corvane::EngineKind::kSwiss)->Unit(benchmark::kMillisecond);

}  // namespace
