#include "astro/ascendant.h"

#include <cmath>

#include "astro/time_scales.h"

namespace corvane {

namespace {

// Greenwich mean sidereal time at 0h UT in hours, Newcomb's expression counted from 1900
// January 0.5 (6h 38m 45.836s + 8640184.542s T + 0.0929s T^2), as the Explanatory Supplement
// to the Astronomical Ephemeris (1961) gives it, T in Julian centuries from J1900.0.
constexpr double kSiderealAtJ1900Hours = 6.6460656;
constexpr double kSiderealHoursPerCentury = 2400.0513;
constexpr double kSiderealHoursPerCenturySquared = 0.0000258;

// Newcomb's mean obliquity of the ecliptic, 23 deg 27' 08.26" - 46.845" T (same source).
constexpr double kObliquityAtJ1900Deg = 23.452294;
constexpr double kObliquityDegPerCentury = 0.0130125;

}  // namespace

// The ecliptic point rising in the east from the local sidereal time (the right ascension of
// the midheaven), the obliquity and the latitude: tan(asc) = -cos(RAMC) / (sin(e) tan(lat) +
// cos(e) sin(RAMC)), the formula of Meeus, Astronomical Algorithms (2nd ed., chapter 14, the
// ecliptic points on the horizon), with the quadrant taken from cos(RAMC).
double TropicalAscendant(double t1900, double utHours, double westLongitude, double latitude) {
  const double t = t1900;
  // T already carries the time of day, so UT is added without the sidereal-rate factor.
  double theta = 15.0 * (kSiderealAtJ1900Hours + kSiderealHoursPerCentury * t + kSiderealHoursPerCenturySquared * t * t +
                         utHours) -
                 westLongitude;
  while (theta >= 360.0) theta -= 360.0;
  const double ramc = theta * kDegToRad;
  const double obliquity = (kObliquityAtJ1900Deg - kObliquityDegPerCentury * t) * kDegToRad;
  const double cosRamc = std::cos(ramc);
  double a = QuadrantArcTangent(cosRamc, -(std::sin(ramc) * std::cos(obliquity)) -
                                              std::sin(obliquity) * std::tan(latitude * kDegToRad));
  if (a < 0) a += kPi;
  if (cosRamc < 0) a += kPi;
  a *= kRadToDeg;
  while (a >= 360.0) a -= 360.0;
  return a;
}

double SiderealAscendant(const UtInstant& t, const GeoPoint& place, double ayanamsaDeg) {
  const double tropical = TropicalAscendant(CenturiesSinceJ1900(t), t.hoursFromDate, -place.longitudeDeg,
                                            place.latitudeDeg);
  const double sidereal = ShiftByAtMostOneTurn(tropical + ayanamsaDeg);
  // A sum that lands on a whole turn is 0 degrees Aries.
  return sidereal >= 360.0 ? sidereal - 360.0 : sidereal;
}

}  // namespace corvane
