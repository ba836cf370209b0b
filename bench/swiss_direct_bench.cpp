// The astronomy of one chart by direct Swiss Ephemeris calls, as the yardstick of the
// batch's rate (scripts/bench_cli.sh): the sidereal Sun, Moon, Mercury to Saturn and the mean
// node (Ketu opposite), the ascendant, and sunrise and sunset on the day before the birth,
// the birth day and the day after. The births are those of the script's CSV, row by row.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "tools/swiss_ephemeris_files.h"

namespace {

struct Birth {
  double jdUt;  // the birth's moment, the clock taken as local mean time
  double geo[3];
};

// Row i of scripts/bench_cli.sh's CSV (its date, time and coordinates).
Birth BirthOfRow(std::int64_t i) {
  const int year = 1901 + static_cast<int>(i % 150), month = 1 + static_cast<int>(i % 12), day = 1 + static_cast<int>(i % 28);
  const double hours = static_cast<double>(i % 24) + static_cast<double>((i * 7) % 60) / 60.0 +
                       static_cast<double>((i * 13) % 60) / 3600.0;
  const double lon = (static_cast<double>((i * 37) % 180) + static_cast<double>(i % 60) / 60.0) * (i % 3 ? 1 : -1);
  const double lat = (static_cast<double>((i * 11) % 60) + static_cast<double>((i * 3) % 60) / 60.0) * (i % 4 ? 1 : -1);
  Birth b{};
  b.jdUt = swe_julday(year, month, day, hours, SE_GREG_CAL) - lon / 360.0;
  b.geo[0] = lon;
  b.geo[1] = lat;
  return b;
}

double ChartAstronomy(const Birth& b) {
  constexpr std::int32_t kFlags = SEFLG_SWIEPH | SEFLG_SIDEREAL;
  constexpr int kBodies[] = {SE_SUN, SE_MOON, SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER, SE_SATURN, SE_MEAN_NODE};
  double sum = 0, x[6];
  char error[AS_MAXCH];
  for (const int body : kBodies) {
    swe_calc_ut(b.jdUt, body, kFlags, x, error);
    sum += x[0];
  }
  double cusps[13], angles[10];
  swe_houses_ex(b.jdUt, SEFLG_SIDEREAL, b.geo[1], b.geo[0], 'W', cusps, angles);
  sum += angles[0];
  // The local midnight that starts the birth day, and the days around it.
  const double midnight = static_cast<double>(static_cast<std::int64_t>(b.jdUt + b.geo[0] / 360.0 + 0.5)) - 0.5 - b.geo[0] / 360.0;
  for (int day = -1; day <= 1; ++day) {
    for (const std::int32_t event : {SE_CALC_RISE, SE_CALC_SET}) {
      double when = 0;
      Birth place = b;
      swe_rise_trans(midnight + day, SE_SUN, nullptr, SEFLG_SWIEPH, event, place.geo, 0, 0, &when, error);
      sum += when;
    }
  }
  return sum;
}

void SwissChartAstronomy(benchmark::State& state) {
  UseSwissEphemerisFiles();
  swe_set_sid_mode(SE_SIDM_LAHIRI, 0, 0);
  std::int64_t row = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ChartAstronomy(BirthOfRow(row)));
    row = (row + 1) % 200000;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SwissChartAstronomy)->MinTime(3.0);

}  // namespace
