#include "astro/ut_instant.h"

#include <cmath>

#include "astro/time_scales.h"

namespace corvane {

UtInstant ToUniversalTime(const CivilDateTime& clock, int utcOffsetSeconds) {
  // UT is the clock minus the offset, taken in whole hours, minutes and seconds so that the
  // usual offsets (whole and half hours) add no rounding of their own.
  const int behind = -utcOffsetSeconds;
  double ut = clock.hour + clock.minute / 60.0 + behind / 3600 + behind % 3600 / 60 / 60.0;
  if (clock.second != 0) ut += clock.second / 3600.0;
  if (behind % 60 != 0) ut += behind % 60 / 3600.0;
  return {clock.year, clock.month, clock.day, ut};
}

CivilDateTime UniversalCivilTime(const UtInstant& t) {
  const auto seconds = static_cast<std::int64_t>(std::llround(t.hoursFromDate * 3600.0));
  return AddSeconds(CivilDateTime{t.year, t.month, t.day, 0, 0, 0}, seconds);
}

double DaysSinceJ2000(const UtInstant& t) {
  const CivilDateTime ut = UniversalCivilTime(t);
  return DayNumberJ2000(ut.year, ut.month, ut.day, ut.hour, ut.minute, ut.second);
}

// JD 2415020.0 is J1900.0 (1900 January 0.5) and JD 2451545.0 is J2000.0 (2000 January 1.5);
// the Julian day number counts from noon, hence the half day.
double CenturiesSinceJ1900(const UtInstant& t) {
  return (JulianDayNumber(t.month, t.day, t.year) - 2415020.0 + t.hoursFromDate / 24.0 - 0.5) / 36525.0;
}

double CenturiesSinceJ2000(const UtInstant& t) {
  return (JulianDayNumber(t.month, t.day, t.year) - 2451545.0 + t.hoursFromDate / 24.0 - 0.5) / 36525.0;
}

}  // namespace corvane
