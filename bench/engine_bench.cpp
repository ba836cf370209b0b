#include <benchmark/benchmark.h>

#include "app/chart_state.h"
#include "astro/ascendant.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/sunrise.h"
#include "tests/astro/chart_fixtures.h"

namespace corvane {
namespace {

// The engine's share of one chart: ascendant, Moon, the birth pass of the planets, sunrise
// and sunset of three days and the sunrise pass of the planets.
void BM_EngineOfOneChart(benchmark::State& state) {
  // 07:05 on 5 January 1975 at 77:13 E, 28:38 N, Indian time.
  ChartState c = testing::BirthChart(1975, 1, 5, 7, 5, 77, 13, true, 28, 38, false, -5, -30);
  for (auto _ : state) {
    c.SunriseMode = false;
    ComputeAscendant(c);
    ComputeMoon(c);
    ComputePlanets(c);
    for (int day = 4; day <= 6; ++day) {
      const SunriseSunset s = ComputeSunriseSunset(1, day, 1975, 7, 5, 28, 38, false, 77, 13, true, -5, -30, false);
      if (day == 5) c.ReferenceSunrise = s.rise;
    }
    c.SunriseMode = true;
    ComputePlanets(c);
    benchmark::DoNotOptimize(c.SunriseSunLongitude);
    benchmark::DoNotOptimize(c.ChartBodyPositions.data());
  }
}
BENCHMARK(BM_EngineOfOneChart);

}  // namespace
}  // namespace corvane
