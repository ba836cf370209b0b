#include "astro/moon.h"

#include <cmath>

#include "astro/tables/lunar_terms.h"
#include "astro/tables/nakshatra_starts.h"
#include "astro/time_scales.h"

namespace corvane {

// The Moon of Meeus, Astronomical Algorithms (1st ed., 1991, chapter 45 "Position of the
// Moon"; chapter 47 of the 2nd ed.), from the ELP-2000/82 theory: the mean arguments and the
// eccentricity factor of the 1st edition (the 2nd revises their last digits) and the 25
// largest terms of its longitude table (astro/tables/lunar_terms.cpp). Longitude of the mean
// equinox of date, no nutation: the ayanamsa below carries that term.
namespace {

struct MeanLunarArguments {
  double d, m, mp, f;  // radians, not reduced
  double e;            // eccentricity factor
};

// D (mean elongation), M (the Sun's mean anomaly), M' (the Moon's) and F (argument of
// latitude), and E = 1 - 0.002516 T - 0.0000074 T^2.
MeanLunarArguments Arguments(double t) {
  return {(297.8502042 + 445267.1115168 * t) * kDegToRad, (357.5291092 + 35999.0502909 * t) * kDegToRad,
          (134.9634114 + 477198.8676313 * t) * kDegToRad, (93.2720993 + 483202.0175273 * t) * kDegToRad,
          1.0 - 0.002516 * t - 0.0000074 * t * t};
}

}  // namespace

double LunarPeriodicSum(double t2000) {
  const MeanLunarArguments a = Arguments(t2000);
  double sum = 0.0;
  for (const LunarTerm& term : kLunarLongitudeTerms) {
    const double argument = term.d * a.d + term.m * a.m + term.mp * a.mp + term.f * a.f;
    double value = term.coefficient * std::sin(argument);
    if (term.timesE) value *= a.e;
    sum += value;
  }
  return sum;
}

// L' = 218.3164591 + 481267.88134236 T, the Moon's mean longitude (1st edition), plus the terms.
double TropicalMoonLongitude(double t2000) {
  double lambda = 218.3164591 + 481267.88134236 * t2000 + LunarPeriodicSum(t2000);
  while (lambda < 0) lambda += 360.0;
  while (lambda > 360.0) lambda -= 360.0;
  return lambda;
}

// 27 equal nakshatras of 13 deg 20' (800 arc minutes) from 0 deg sidereal Aries.
double NakshatraStartOf(double siderealLongitude, NakshatraDivision division) {
  // The index uses the exact width of 800 arcminutes; only the tabulated starts are rounded.
  double k = std::floor(siderealLongitude * 60.0 / 800.0);
  const double last = static_cast<double>(kNakshatraStarts.size() - 1);
  // Keep the table index in range whatever the argument (also for a non-finite one).
  if (!(k >= 0.0)) k = 0.0;
  if (k > last) k = last;
  if (division == NakshatraDivision::kExact) return k * 40.0 / 3.0;
  return kNakshatraStarts[static_cast<std::size_t>(k)];
}

double SiderealMoonLongitude(const UtInstant& t) {
  const double t2000 = CenturiesSinceJ2000(t);
  double sidereal = TropicalMoonLongitude(t2000) + AyanamsaJ2000(t2000);
  if (sidereal < 0) sidereal += 360.0;
  return sidereal >= 360.0 ? sidereal - 360.0 : sidereal;
}

}  // namespace corvane
