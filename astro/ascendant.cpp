#include "astro/ascendant.h"

#include <cmath>

#include "app/chart_state.h"
#include "astro/longitude_text.h"
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

void ComputeAscendant(ChartState& chart) {
  double westLongitude = chart.LongitudeDegrees + chart.LongitudeMinutes / 60.0;
  if (chart.IsEast) westLongitude = -westLongitude;
  double latitude = chart.LatitudeDegrees + chart.LatitudeMinutes / 60.0;
  if (chart.IsSouth) latitude = -latitude;

  const double ut = UniversalTimeHours(chart.BirthHour, chart.BirthMinute, chart.ZoneOffsetHours,
                                       chart.ZoneOffsetMinutes, chart.IsDaylightSaving);
  const double jd = JulianDayNumber(chart.BirthMonth, chart.BirthDay, chart.BirthYear);
  const double t = CenturiesSinceJ1900(jd, ut);

  chart.AyanamsaOffset = AyanamsaJ1900(t);
  double sidereal = TropicalAscendant(t, ut, westLongitude, latitude) + chart.AyanamsaOffset;
  NormalizeDegrees(sidereal);
  chart.AscendantLongitude = sidereal;
  chart.AscendantDegree = std::floor(sidereal);
  chart.AscendantPositionText = FormatLongitude(sidereal);
}

}  // namespace corvane
