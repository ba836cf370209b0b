#pragma once
#include <cstdint>

#include "astro/civil_time.h"

namespace corvane {

// The sunrise a birth is counted from and the time elapsed since it.
struct ReferenceSunrise {
  CivilDateTime sunrise;               // local clock reading, whole minutes
  std::int64_t minutesSince = 0;       // difference of whole-minute counts
  std::int64_t secondsSince = 0;
};

// The previous day's sunrise for a birth before the birth day's sunrise, otherwise the birth
// day's sunrise (also after its sunset, so that the time since sunrise keeps growing through
// the night). All three moments are local clock readings.
ReferenceSunrise ChooseReferenceSunrise(const CivilDateTime& birth, const CivilDateTime& sunriseBirthDay,
                                        const CivilDateTime& sunrisePreviousDay);

// The counts from a given sunrise to the birth.
ReferenceSunrise CountFromSunrise(const CivilDateTime& birth, const CivilDateTime& sunrise);

// The same choice on the unrounded sunrise moments, given as clock seconds after local
// midnight of the birth date and of the day before (one clock offset for both days).
struct ExactReferenceSunrise {
  bool previousDay = false;  // counted from the day before's sunrise
  double clockSeconds = 0;   // that sunrise's clock reading, seconds after its midnight
  double secondsSince = 0;   // from it to the birth second
};
ExactReferenceSunrise ChooseExactReferenceSunrise(const CivilDateTime& birth, double sunriseBirthDaySeconds,
                                                  double sunrisePreviousDaySeconds);

}  // namespace corvane
