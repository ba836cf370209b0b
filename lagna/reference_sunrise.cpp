#include "lagna/reference_sunrise.h"

namespace corvane {

namespace {
std::int64_t Magnitude(std::int64_t v) { return v < 0 ? -v : v; }
}  // namespace

ReferenceSunrise ChooseReferenceSunrise(const CivilDateTime& birth, const CivilDateTime& sunriseBirthDay,
                                        const CivilDateTime& sunrisePreviousDay) {
  // Before the day's sunrise the birth still belongs to the previous day's sunrise; from
  // sunrise on, through the day and the following night until midnight, the birth day's
  // sunrise is the reference: counting back from the next sunrise after sunset would make
  // the lagnas run backwards through the night.
  return CountFromSunrise(birth, birth < sunriseBirthDay ? sunrisePreviousDay : sunriseBirthDay);
}

ReferenceSunrise CountFromSunrise(const CivilDateTime& birth, const CivilDateTime& sunrise) {
  ReferenceSunrise out;
  out.sunrise = sunrise;
  out.minutesSince = Magnitude(MinuteCountDifference(out.sunrise, birth));
  out.secondsSince = Magnitude(SecondCountDifference(out.sunrise, birth));
  return out;
}

ExactReferenceSunrise ChooseExactReferenceSunrise(const CivilDateTime& birth, double sunriseBirthDaySeconds,
                                                  double sunrisePreviousDaySeconds) {
  const double birthSeconds = birth.hour * 3600.0 + birth.minute * 60.0 + birth.second;
  ExactReferenceSunrise out;
  out.previousDay = birthSeconds < sunriseBirthDaySeconds;
  out.clockSeconds = out.previousDay ? sunrisePreviousDaySeconds : sunriseBirthDaySeconds;
  out.secondsSince = out.previousDay ? birthSeconds + 86400.0 - out.clockSeconds : birthSeconds - out.clockSeconds;
  return out;
}

}  // namespace corvane
