#include "astro/ascendant.h"

#include <cmath>

#include "astro/time_scales.h"

namespace corvane {

double TropicalAscendant(double t1900, double utHours, double westLongitude, double latitude) {
  const double t = t1900;
  // T already carries the time of day, so UT is added without the sidereal-rate factor.
  double theta = 15.0 * (6.6460656 + 2400.0513 * t + 0.0000258 * t * t + utHours) - westLongitude;
  while (theta >= 360.0) theta -= 360.0;
  const double ramc = theta * kDegToRad;
  const double obliquity = (23.452294 - 0.0130125 * t) * kDegToRad;
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
