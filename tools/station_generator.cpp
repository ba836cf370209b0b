// Computes the retrograde stations of Mercury to Pluto with Swiss Ephemeris and prints the
// station table (astro/tables/stations.tsv): one line per retrograde period,
// "planet<TAB>start<TAB>end", each moment as "month,day,year,hour,minute," in UT.
//
// Longitudes are true geometric tropical positions seen from the Earth-Moon barycentre on
// the mean ecliptic and equinox of date: no light-time, aberration or nutation. A station is
// where the longitude speed changes sign; it is bracketed on a daily grid and refined by
// bisection to one second, then rounded to the nearest minute.
//
// Only the table generators link Swiss Ephemeris; the program itself carries the printed table.
#include <swephexp.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "swiss_ephemeris_files.h"

namespace {

// Earth/Moon mass ratio, for placing the Earth-Moon barycentre.
constexpr double kEarthMoonMassRatio = 81.30056;
constexpr double kSecondDays = 1.0 / 86400.0;
constexpr std::int32_t kFlags = SEFLG_SWIEPH | SEFLG_TRUEPOS | SEFLG_NONUT | SEFLG_XYZ | SEFLG_SPEED;

// The table holds every period that touches the years 1897 to 2053, so that each of those
// years is listed whole (astro/retrograde.h names the same years). The daily grid starts four
// years earlier and ends four years later, so that each planet has a whole period on either side.
constexpr int kFirstYear = 1897;
constexpr int kLastYear = 2053;

struct Date {
  int year, month, day;
  bool operator==(const Date&) const = default;
};
struct PlanetBody {
  const char* name;
  int body;
};
constexpr std::array<PlanetBody, 8> kPlanets = {{
    {"Mercury", SE_MERCURY},
    {"Venus", SE_VENUS},
    {"Mars", SE_MARS},
    {"Jupiter", SE_JUPITER},
    {"Saturn", SE_SATURN},
    {"Uranus", SE_URANUS},
    {"Neptune", SE_NEPTUNE},
    {"Pluto", SE_PLUTO},
}};

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "station_generator: %s\n", message.c_str());
  std::exit(1);
}

// Cartesian position and velocity (AU, AU/day), ecliptic of date.
struct State {
  double x, y, z, vx, vy, vz;
};

State Calc(double jdUt, int body, std::int32_t extraFlags) {
  double r[6];
  char err[AS_MAXCH] = {0};
  const std::int32_t got = swe_calc_ut(jdUt, body, kFlags | extraFlags, r, err);
  if (got < 0) Fail(std::string("swe_calc_ut: ") + err);
  // Without the data files the library silently falls back to a less precise theory.
  if ((got & SEFLG_SWIEPH) == 0) Fail("Swiss Ephemeris data files not found");
  return {r[0], r[1], r[2], r[3], r[4], r[5]};
}

// Heliocentric Earth-Moon barycentre.
State Barycentre(double jdUt) {
  const State earth = Calc(jdUt, SE_EARTH, SEFLG_HELCTR);
  const State moon = Calc(jdUt, SE_MOON, 0);  // geocentric
  const double k = 1.0 / (1.0 + kEarthMoonMassRatio);
  return {earth.x + moon.x * k,  earth.y + moon.y * k,  earth.z + moon.z * k,
          earth.vx + moon.vx * k, earth.vy + moon.vy * k, earth.vz + moon.vz * k};
}

// Rate of change of the planet's ecliptic longitude seen from the barycentre (rad/day up to
// a positive factor: only its sign matters).
double LongitudeRate(double jdUt, int body, const State& emb) {
  const State p = Calc(jdUt, body, SEFLG_HELCTR);
  const double x = p.x - emb.x, y = p.y - emb.y;
  const double vx = p.vx - emb.vx, vy = p.vy - emb.vy;
  return x * vy - y * vx;
}

double LongitudeRate(double jdUt, int body) { return LongitudeRate(jdUt, body, Barycentre(jdUt)); }

struct Moment {
  int year, month, day, hour, minute;
  Date date() const { return {year, month, day}; }
};

// Rounds a UT Julian day to the nearest minute and splits it into calendar fields. Whole
// integer minutes from the Julian day epoch keep the rollover exact.
Moment ToMoment(double jdUt) {
  const double minutes = std::floor((jdUt + 0.5) * 1440.0 + 0.5);  // minutes since JD 0, 0h
  const auto total = static_cast<std::int64_t>(minutes);
  const std::int64_t dayNumber = total / 1440;  // civil-day number counted from JD 0 noon - 12h
  const int minuteOfDay = static_cast<int>(total % 1440);
  int year = 0, month = 0, day = 0;
  double hourUnused = 0;
  swe_revjul(static_cast<double>(dayNumber), SE_GREG_CAL, &year, &month, &day, &hourUnused);
  return {year, month, day, minuteOfDay / 60, minuteOfDay % 60};
}

std::string Row(const Moment& m) {
  return std::to_string(m.month) + "," + std::to_string(m.day) + "," + std::to_string(m.year) + "," +
         std::to_string(m.hour) + "," + std::to_string(m.minute) + ",";
}

// Bisects [lo, hi], whose rates have opposite signs, down to one second.
double RefineStation(int body, double lo, double hi) {
  const bool loRetro = LongitudeRate(lo, body) < 0;
  while (hi - lo > kSecondDays) {
    const double mid = 0.5 * (lo + hi);
    if ((LongitudeRate(mid, body) < 0) == loRetro) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return 0.5 * (lo + hi);
}

struct Period {
  Moment start, end;
};

}  // namespace

int main() {
  UseSwissEphemerisFiles();

  const double gridStart = swe_julday(kFirstYear - 4, 1, 1, 0.0, SE_GREG_CAL);
  const double gridEnd = swe_julday(kLastYear + 5, 1, 1, 0.0, SE_GREG_CAL);
  const int days = static_cast<int>(gridEnd - gridStart);

  // The barycentre is shared by all planets, so compute it once per grid day.
  std::vector<State> emb(static_cast<std::size_t>(days) + 1);
  for (int d = 0; d <= days; ++d) emb[static_cast<std::size_t>(d)] = Barycentre(gridStart + d);

  std::string out;
  for (const PlanetBody& planet : kPlanets) {
    std::vector<Period> periods;
    bool haveStart = false;
    Moment start{};
    bool prevRetro = LongitudeRate(gridStart, planet.body, emb[0]) < 0;
    for (int d = 1; d <= days; ++d) {
      const double jd = gridStart + d;
      const bool retro = LongitudeRate(jd, planet.body, emb[static_cast<std::size_t>(d)]) < 0;
      if (retro != prevRetro) {
        const Moment station = ToMoment(RefineStation(planet.body, jd - 1.0, jd));
        if (retro) {
          start = station;
          haveStart = true;
        } else if (haveStart) {  // a period already running at the grid's start is dropped
          periods.push_back({start, station});
          haveStart = false;
        }
      }
      prevRetro = retro;
    }

    // The periods that touch the years: ending in the first year or later, starting in the
    // last year or earlier.
    std::size_t first = 0;
    while (first < periods.size() && periods[first].end.year < kFirstYear) ++first;
    std::size_t end = first;
    while (end < periods.size() && periods[end].start.year <= kLastYear) ++end;
    if (first == 0 || end == periods.size()) Fail(std::string(planet.name) + ": the grid does not reach past the years");
    if (end == first) Fail(std::string(planet.name) + ": no period found");
    const std::size_t last = end - 1;
    for (std::size_t i = first; i <= last; ++i) {
      out += planet.name;
      out += '\t';
      out += Row(periods[i].start);
      out += '\t';
      out += Row(periods[i].end);
      out += '\n';
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  swe_close();
  return 0;
}
