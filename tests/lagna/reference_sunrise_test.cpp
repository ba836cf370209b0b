#include "lagna/reference_sunrise.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

CivilDateTime Moment(int day, int hour, int minute, int second = 0) { return {1975, 1, day, hour, minute, second}; }

// Birth on 5 January 1975 with sunrise 06:00 and sunset 19:00; the neighbouring days rise a
// little differently so that the chosen day can be told apart.
ChartState ChartBornAt(const CivilDateTime& birth) {
  ChartState chart;
  chart.BirthMoment = birth;
  chart.SunrisePrevious = Moment(4, 5, 58);
  chart.SunriseBirthDay = Moment(5, 6, 0);
  chart.SunsetBirthDay = Moment(5, 19, 0);
  chart.SunriseNext = Moment(6, 6, 2);
  return chart;
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
    ChartState chart = ChartBornAt(c.birth);
    ChooseReferenceSunrise(chart);
    EXPECT_EQ(chart.ReferenceSunrise, c.sunrise) << c.birth.hour;
    EXPECT_EQ(chart.MinutesSinceSunrise, c.minutes) << c.birth.hour;
    EXPECT_EQ(chart.SecondsSinceSunrise, c.seconds) << c.birth.hour;
  }
  // Minutes count minute boundaries, not whole minutes: 06:59:50 to 08:00:10.
  ChartState chart = ChartBornAt(Moment(5, 8, 0, 10));
  chart.SunriseBirthDay = Moment(5, 6, 59, 50);
  ChooseReferenceSunrise(chart);
  EXPECT_EQ(chart.MinutesSinceSunrise, 61);
  EXPECT_EQ(chart.SecondsSinceSunrise, 3620);
}

TEST(ReferenceSunrise, MomentTextsNameTheSunrise) {
  ChartState before = ChartBornAt(Moment(5, 3, 0));
  ChooseReferenceSunrise(before);
  EXPECT_EQ(before.SunriseMoment.day, "4");
  EXPECT_EQ(before.SunriseMoment.minute, "58");
  ChartState chart;
  chart.SunriseBirthDay = {812, 9, 5, 7, 4, 0};
  chart.BirthMoment = {812, 9, 5, 12, 0, 0};
  chart.SunsetBirthDay = {812, 9, 5, 18, 40, 0};
  ChooseReferenceSunrise(chart);
  const SunriseMomentParts& m = chart.SunriseMoment;
  EXPECT_EQ((std::array<std::string, 5>{m.day, m.month, m.year, m.hour, m.minute}),
            (std::array<std::string, 5>{"5", "September", "0812", "7", "4"}));
}

}  // namespace
}  // namespace corvane
