// One whole chart, from validation to the filled interpretation fields.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/chart_calculation.h"
#include "app/chart_vargas.h"
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

// The sixteen vargas of every entry of one computed chart, to set beside WholeChart: what
// asking for the vargas adds to a chart before any output is written.
void SixteenVargas(benchmark::State& state) {
  corvane::BirthData birth = corvane::bench::BenchBirth();
  std::vector<std::shared_ptr<const corvane::Chart>> charts;
  for (int minute = 0; minute < 60; minute += 7) {
    birth.minute = minute;
    corvane::CalculationResult r = corvane::CalculateChart(birth);
    if (r.ok()) charts.push_back(std::get<0>(r.outcome));
  }
  std::size_t i = 0;
  for (auto _ : state) {
    const corvane::VargaCharts vargas = corvane::VargasOf(*charts[i]);
    benchmark::DoNotOptimize(vargas[5].lagnaSigns[0]);
    i = (i + 1) % charts.size();
  }
}
BENCHMARK(SixteenVargas);

}  // namespace
