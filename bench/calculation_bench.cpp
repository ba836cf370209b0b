// One whole chart, from validation to the filled interpretation fields.
#include <benchmark/benchmark.h>

#include "app/chart_calculation.h"
#include "bench/bench_birth.h"

namespace {

void WholeChart(benchmark::State& state) {
  corvane::BirthData birth = corvane::bench::BenchBirth();
  int minute = 0;
  for (auto _ : state) {
    birth.minute = minute;
    const corvane::CalculationResult r = corvane::CalculateChart(birth);
    benchmark::DoNotOptimize(r.outcome.index());
    minute = (minute + 7) % 60;
  }
}
BENCHMARK(WholeChart);

}  // namespace
