#include "lagna/reference_sunrise.h"

#include <string>

namespace corvane {

namespace {

std::string FourDigitYear(int year) {
  std::string digits = std::to_string(year < 0 ? -year : year);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return year < 0 ? "-" + digits : digits;
}

std::int64_t Magnitude(std::int64_t v) { return v < 0 ? -v : v; }

}  // namespace

void ChooseReferenceSunrise(ChartState& chart) {
  const CivilDateTime& birth = chart.BirthMoment;
  if (birth < chart.SunriseBirthDay) {
    // Before the day's sunrise the birth still belongs to the previous day's sunrise.
    chart.ReferenceSunrise = chart.SunrisePrevious;
  } else {
    // From sunrise on, through the day and the following night until midnight, the birth
    // day's sunrise is the reference; counting back from the next sunrise after sunset
    // would make the lagnas run backwards through the night.
    chart.ReferenceSunrise = chart.SunriseBirthDay;
  }
  chart.MinutesSinceSunrise = Magnitude(MinuteCountDifference(chart.ReferenceSunrise, birth));
  chart.SecondsSinceSunrise = Magnitude(SecondCountDifference(chart.ReferenceSunrise, birth));

  const CivilDateTime& sr = chart.ReferenceSunrise;
  chart.SunriseMoment.day = std::to_string(sr.day);
  chart.SunriseMoment.month =
      sr.month >= 1 && sr.month <= 12 ? std::string(kMonthNames[static_cast<std::size_t>(sr.month - 1)]) : std::string();
  chart.SunriseMoment.year = FourDigitYear(sr.year);
  chart.SunriseMoment.hour = std::to_string(sr.hour);
  chart.SunriseMoment.minute = std::to_string(sr.minute);
}

}  // namespace corvane
