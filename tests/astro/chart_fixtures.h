#pragma once
#include "astro/element_ephemeris.h"
#include "astro/ut_instant.h"

namespace corvane::testing {

// A birth as the engine sees it: the clock reading, the place and the clock's offset.
struct EngineCase {
  CivilDateTime clock;
  GeoPoint place;
  int utcOffsetSeconds = 0;  // local time minus UT

  UtInstant Instant() const { return ToUniversalTime(clock, utcOffsetSeconds); }
  SiderealPositions Positions() const { return ElementEphemeris().Positions(Instant(), place); }
};

// The birth from the input form's fields: degrees and minutes with their hemispheres, and
// the zone offsets that added to the clock give UT (the form's zone list writes them so), and
// the daylight-saving tick.
inline EngineCase BirthChart(int year, int month, int day, int hour, int minute, int lonDeg, int lonMin, bool east,
                             int latDeg, int latMin, bool south, int zoneHours, int zoneMinutes, bool dst = false) {
  const double lon = lonDeg + lonMin / 60.0, lat = latDeg + latMin / 60.0;
  return {{year, month, day, hour, minute, 0}, {south ? -lat : lat, east ? lon : -lon},
          -(zoneHours * 3600 + zoneMinutes * 60) + (dst ? 3600 : 0)};
}

}  // namespace corvane::testing
