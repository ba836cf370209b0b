#include "lagna/reference_sunrise.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

CivilDateTime Moment(int day, int hour, int minute, int second = 0) { return {1975, 1, day, hour, minute, second}; }

// Birth on 5 January 1975 with sunrise 06:00; the day before rose at 05:58.
ReferenceSunrise BornAt(const CivilDateTime& birth, const CivilDateTime& sunrise = Moment(5, 6, 0)) {
  return ChooseReferenceSunrise(birth, sunrise, Moment(4, 5, 58));
}

TEST(ReferenceSunrise, ChoosesTheSunriseAndCountsTheElapsedTime) {
  struct Case { CivilDateTime birth, sunrise; int minutes; long long seconds; };
  const Case cases[] = {
      {Moment(5, 8, 30, 59), Moment(5, 6, 0), 150, 150 * 60 + 59},                // daytime
      {Moment(5, 6, 0), Moment(5, 6, 0), 0, 0},                                   // at sunrise
      {Moment(5, 19, 0), Moment(5, 6, 0), 13 * 60, 13 * 3600},                    // at sunset
      {Moment(5, 3, 0), Moment(4, 5, 58), 21 * 60 + 2, (21 * 60 + 2) * 60},       // before sunrise
      {Moment(5, 21, 0, 30), Moment(5, 6, 0), 15 * 60, 15 * 3600 + 30},           // after sunset: same day
  };
  for (const Case& c : cases) {
    const ReferenceSunrise r = BornAt(c.birth);
    EXPECT_EQ(r.sunrise, c.sunrise) << c.birth.hour;
    EXPECT_EQ(r.minutesSince, c.minutes) << c.birth.hour;
    EXPECT_EQ(r.secondsSince, c.seconds) << c.birth.hour;
  }
  // Minutes count minute boundaries, not whole minutes: 06:59:50 to 08:00:10.
  const ReferenceSunrise r = BornAt(Moment(5, 8, 0, 10), Moment(5, 6, 59, 50));
  EXPECT_EQ(r.minutesSince, 61);
  EXPECT_EQ(r.secondsSince, 3620);
}

}  // namespace
}  // namespace corvane
