#include <benchmark/benchmark.h>

#include "astro/element_ephemeris.h"
#include "astro/ut_instant.h"

namespace corvane {
namespace {

// The engine's share of one chart through the ephemeris seam: the positions at birth,
// sunrise and sunset of three days, the Sun at the reference sunrise and the retrograde marks.
void BM_EngineOfOneChart(benchmark::State& state) {
  // 07:05 on 5 January 1975 at 77:13 E, 28:38 N, Indian time.
  struct {
    CivilDateTime clock;
    GeoPoint place;
    int utcOffsetSeconds;
  } const c{{1975, 1, 5, 7, 5, 0}, {28.0 + 38.0 / 60, 77.0 + 13.0 / 60}, 19800};
  const ElementEphemeris engine;
  for (auto _ : state) {
    const UtInstant t = ToUniversalTime(c.clock, c.utcOffsetSeconds);
    const SiderealPositions p = engine.Positions(t, c.place);
    RiseSet today{};
    for (int day = 4; day <= 6; ++day) {
      const RiseSet r = engine.SunRiseSet(1975, 1, day, c.place, c.utcOffsetSeconds);
      if (day == 5) today = r;
    }
    const double sun = engine.SunLongitudeDeg(ToUniversalTime(today.rise, c.utcOffsetSeconds), t);
    const PerBody<bool> retrograde = engine.Retrograde(t);
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(sun);
    benchmark::DoNotOptimize(retrograde);
  }
}
BENCHMARK(BM_EngineOfOneChart);

}  // namespace
}  // namespace corvane
