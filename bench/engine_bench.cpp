#include <benchmark/benchmark.h>

#include "app/chart_state.h"
#include "astro/ascendant.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/sunrise.h"

namespace corvane {
namespace {

ChartState DelhiChart() {
  ChartState c;
  c.BirthYear = 1975;
  c.BirthMonth = 1;
  c.BirthDay = 5;
  c.BirthHour = 7;
  c.BirthMinute = 5;
  c.LongitudeDegrees = 77;
  c.LongitudeMinutes = 13;
  c.IsEast = true;
  c.LatitudeDegrees = 28;
  c.LatitudeMinutes = 38;
  c.ZoneOffsetHours = -5;
  c.ZoneOffsetMinutes = -30;
  c.ZoneHourMagnitude = 5;
  c.ZoneMinuteMagnitude = 30;
  return c;
}

// The engine's share of one chart: ascendant, Moon, the birth pass of the planets, sunrise
// and sunset of three days and the sunrise pass of the planets.
void BM_EngineOfOneChart(benchmark::State& state) {
  ChartState c = DelhiChart();
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
