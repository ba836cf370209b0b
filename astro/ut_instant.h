#pragma once
#include "astro/civil_time.h"

namespace corvane {

// How far universal time runs ahead of the local clock: UT = clock + offset. The parts carry
// one sign (east of Greenwich negative); seconds appear only for local mean time.
struct ClockOffset {
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
  bool daylightSavingHour = false;  // the clock ran one hour ahead of zone time

  // UT − local clock in seconds, the daylight-saving hour included.
  int TotalSeconds() const { return hours * 3600 + minutes * 60 + seconds - (daylightSavingHour ? 3600 : 0); }
};

// One moment of universal time. It is held as the civil date of the local clock reading it
// came from and the UT hours counted from 0h UT of that date, which lie outside 0..24 when
// the zone moves the moment into a neighbouring day. Keeping the date and the hours apart
// lets every step do its day arithmetic on whole numbers.
struct UtInstant {
  int year = 0, month = 1, day = 1;  // the clock reading's civil date
  double hoursFromDate = 0;          // UT hours after 0h UT of that date
};

// The UT instant of a local clock reading (the seconds of `clock` included).
UtInstant ToUniversalTime(const CivilDateTime& clock, const ClockOffset& offset);

// The instant as a UT calendar date and clock time, to the nearest second.
CivilDateTime UniversalCivilTime(const UtInstant& t);

// Days since 2000 January 1, 12:00 UT (J2000.0) with fraction.
double DaysSinceJ2000(const UtInstant& t);

// Julian centuries of 36525 days since J1900.0 and since J2000.0.
double CenturiesSinceJ1900(const UtInstant& t);
double CenturiesSinceJ2000(const UtInstant& t);

}  // namespace corvane
