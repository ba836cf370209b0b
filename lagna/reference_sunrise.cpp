#include "lagna/reference_sunrise.h"

namespace corvane {

namespace {
std::int64_t Magnitude(std::int64_t v) { return v < 0 ? -v : v; }
}  // namespace

ReferenceSunrise ChooseReferenceSunrise(const CivilDateTime& birth, const CivilDateTime& sunriseBirthDay,
                                        const CivilDateTime& sunrisePreviousDay) {
  ReferenceSunrise out;
  // Before the day's sunrise the birth still belongs to the previous day's sunrise; from
  // sunrise on, through the day and the following night until midnight, the birth day's
  // sunrise is the reference: counting back from the next sunrise after sunset would make
  // the lagnas run backwards through the night.
  out.sunrise = birth < sunriseBirthDay ? sunrisePreviousDay : sunriseBirthDay;
  out.minutesSince = Magnitude(MinuteCountDifference(out.sunrise, birth));
  out.secondsSince = Magnitude(SecondCountDifference(out.sunrise, birth));
  return out;
}

}  // namespace corvane
