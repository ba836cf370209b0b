#pragma once
#include "astro/civil_time.h"
#include "astro/conventions.h"
#include "astro/geo_point.h"
#include "astro/ut_instant.h"

namespace corvane {

enum class RiseSetStatus { kOk, kSunNeverRises, kSunNeverSets };

// Sunrise and sunset of one local civil date. The times are local clock readings on that
// date, whole minutes, and mean something only when status is kOk; otherwise the Sun stays
// below (polar night) or above (polar day) the horizon for one of the two events.
struct RiseSet {
  RiseSetStatus status = RiseSetStatus::kOk;
  CivilDateTime rise;
  CivilDateTime set;
  // The same events unrounded: seconds of the clock after local midnight of the date,
  // reduced into [0, 86400) as the rounded times are.
  double riseSeconds = 0;
  double setSeconds = 0;

  bool ok() const { return status == RiseSetStatus::kOk; }
};

// Low-precision almanac sunrise and sunset (upper limb, with refraction: the Sun's centre
// 90 degrees 50 minutes from the zenith) for a local civil date, on a clock
// `utcOffsetSeconds` ahead of UT (a daylight-saving hour included); clock times are reduced into 0..24 h and attached to the
// given date, even when the event falls on the neighbouring local day. With the centre-of-disc
// definition the Sun's centre is taken 90 degrees from the zenith instead.
RiseSet AlmanacRiseSet(int year, int month, int day, const GeoPoint& place, int utcOffsetSeconds,
                       SunriseDefinition definition = SunriseDefinition::kUpperLimbRefracted);

}  // namespace corvane
