#pragma once
#include "astro/civil_time.h"

namespace corvane {

// Local sunrise and sunset of one date, or the news that the Sun does not both rise and set
// on that date at that place (polar day or night), in which case rise and set are unset.
struct SunriseSunset {
  bool polar = false;
  CivilDateTime date;  // the date asked for, at 00:00
  CivilDateTime rise;  // the date at the local clock time of sunrise, whole minutes
  CivilDateTime set;   // the date at the local clock time of sunset, whole minutes
};

// Low-precision almanac sunrise and sunset for a local civil date. Zone offsets are signed so
// that UT = local + offsets; a ticked daylight-saving box puts the clock one hour ahead on
// every date. Clock times are reduced into 0..24 h and attached to the given date, even when
// the event falls on the neighbouring local day. The hour and minute of the birth do not
// change the result; they are taken so that every date of a chart is asked the same way.
SunriseSunset ComputeSunriseSunset(int month, int day, int year, int hour, int minute, int latDeg, int latMin,
                                   bool south, int lonDeg, int lonMin, bool east, int zoneOffsetHours,
                                   int zoneOffsetMinutes, bool daylightSaving);

}  // namespace corvane
