// One whole chart, from validation to the filled interpretation fields.
#include <benchmark/benchmark.h>

#include "app/chart_calculation.h"

namespace {

corvane::BirthData Sample(int minute) {
  corvane::BirthData d;
  d.name = "RAM";
  d.monthIndex = 5;
  d.day = 5;
  d.year = 1975;
  d.hour = 7;
  d.minute = minute;
  d.zonePosition = 34;
  d.lonDegrees = "77";
  d.lonMinutes = "13";
  d.latDegrees = "28";
  d.latMinutes = "36";
  return d;
}

void WholeChart(benchmark::State& state) {
  int minute = 0;
  for (auto _ : state) {
    const corvane::CalculationResult r = corvane::CalculateChart(Sample(minute));
    benchmark::DoNotOptimize(r.outcome.index());
    minute = (minute + 7) % 60;
  }
}
BENCHMARK(WholeChart);

}  // namespace
