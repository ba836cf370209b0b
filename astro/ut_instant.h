#pragma once
#include "astro/civil_time.h"

namespace corvane {

// A clock's offset is one whole number of seconds throughout: local clock time minus UT, east
// of Greenwich positive, the sign ISO 8601 writes (+05:30 is 19800), a daylight-saving hour
// included. Only local mean time has seconds.

// One moment of universal time. It is held as the civil date of the local clock reading it
// came from and the UT hours counted from 0h UT of that date, which lie outside 0..24 when
// the zone moves the moment into a neighbouring day. Keeping the date and the hours apart
// lets every step do its day arithmetic on whole numbers.
struct UtInstant {
  int year = 0, month = 1, day = 1;  // the clock reading's civil date
  double hoursFromDate = 0;          // UT hours after 0h UT of that date
};

// The UT instant of a local clock reading (the seconds of `clock` included) on a clock
// `utcOffsetSeconds` ahead of UT.
UtInstant ToUniversalTime(const CivilDateTime& clock, int utcOffsetSeconds);

// The instant as a UT calendar date and clock time, to the nearest second.
CivilDateTime UniversalCivilTime(const UtInstant& t);

// Days since 2000 January 1, 12:00 UT (J2000.0) with fraction.
double DaysSinceJ2000(const UtInstant& t);

// Julian centuries of 36525 days since J1900.0 and since J2000.0.
double CenturiesSinceJ1900(const UtInstant& t);
double CenturiesSinceJ2000(const UtInstant& t);

}  // namespace corvane
