#pragma once
#include "app/chart_state.h"

namespace corvane::testing {

// A chart with only the birth inputs the engine reads.
inline ChartState BirthChart(int year, int month, int day, int hour, int minute, int lonDeg, int lonMin,
                             bool east, int latDeg, int latMin, bool south, int zoneHours, int zoneMinutes,
                             bool dst = false) {
  ChartState c;
  c.BirthYear = year;
  c.BirthMonth = month;
  c.BirthDay = day;
  c.BirthHour = hour;
  c.BirthMinute = minute;
  c.LongitudeDegrees = lonDeg;
  c.LongitudeMinutes = lonMin;
  c.IsEast = east;
  c.LatitudeDegrees = latDeg;
  c.LatitudeMinutes = latMin;
  c.IsSouth = south;
  c.ZoneOffsetHours = zoneHours;
  c.ZoneOffsetMinutes = zoneMinutes;
  c.ZoneHourMagnitude = zoneHours < 0 ? -zoneHours : zoneHours;
  c.ZoneMinuteMagnitude = zoneMinutes < 0 ? -zoneMinutes : zoneMinutes;
  c.IsDaylightSaving = dst;
  return c;
}

// Universal time as the hemisphere of the longitude decides it, from the zone magnitudes;
// equal to the signed-zone time wherever zone and place lie on the same side of Greenwich.
inline double HemisphereRuleUniversalTime(const ChartState& c) {
  const double lon = (c.LongitudeDegrees + c.LongitudeMinutes / 60.0) * (c.IsEast ? -1 : 1);
  double z = c.ZoneHourMagnitude + c.ZoneMinuteMagnitude / 60.0;
  if (c.IsDaylightSaving) z += lon < 0 ? 1 : -1;
  const double local = c.BirthHour + c.BirthMinute / 60.0;
  return lon < 0 ? local - z : local + z;
}

}  // namespace corvane::testing
