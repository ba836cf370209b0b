#include "lagna/reference_sunrise.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

CivilDateTime Moment(int day, int hour, int minute, int second = 0) { return {1975, 1, day, hour, minute, second}; }

// Birth on 5 January 1975 with sunrise 06:00 and sunset 19:00; the neighbouring days
// rise a little differently so that the chosen day can be told apart.
ChartState ChartBornAt(const CivilDateTime& birth) {
  ChartState chart;
  chart.BirthMoment = birth;
  chart.SunrisePrevious = Moment(4, 5, 58);
  chart.SunriseBirthDay = Moment(5, 6, 0);
  chart.SunsetBirthDay = Moment(5, 19, 0);
  chart.SunriseNext = Moment(6, 6, 2);
  return chart;
}

TEST(ReferenceSunrise, DaytimeBirthCountsFromTheDaysSunrise) {
  ChartState chart = ChartBornAt(Moment(5, 8, 30, 59));
  ChooseReferenceSunrise(chart);
  EXPECT_EQ(chart.ReferenceSunrise, Moment(5, 6, 0));
  EXPECT_EQ(chart.MinutesSinceSunrise, 150);
  EXPECT_EQ(chart.SecondsSinceSunrise, 150 * 60 + 59);
}

TEST(ReferenceSunrise, BirthAtSunriseAndAtSunsetKeepTheDaysSunrise) {
  ChartState atSunrise = ChartBornAt(Moment(5, 6, 0));
  ChooseReferenceSunrise(atSunrise);
  EXPECT_EQ(atSunrise.ReferenceSunrise, Moment(5, 6, 0));
  EXPECT_EQ(atSunrise.MinutesSinceSunrise, 0);
  EXPECT_EQ(atSunrise.SecondsSinceSunrise, 0);

  ChartState atSunset = ChartBornAt(Moment(5, 19, 0));
  ChooseReferenceSunrise(atSunset);
  EXPECT_EQ(atSunset.ReferenceSunrise, Moment(5, 6, 0));
  EXPECT_EQ(atSunset.MinutesSinceSunrise, 13 * 60);
}

TEST(ReferenceSunrise, BirthBeforeSunriseCountsFromThePreviousSunrise) {
  ChartState chart = ChartBornAt(Moment(5, 3, 0));
  ChooseReferenceSunrise(chart);
  EXPECT_EQ(chart.ReferenceSunrise, Moment(4, 5, 58));
  EXPECT_EQ(chart.MinutesSinceSunrise, 21 * 60 + 2);
  EXPECT_EQ(chart.SecondsSinceSunrise, (21 * 60 + 2) * 60);
  EXPECT_EQ(chart.SunriseMoment.day, "4");
  EXPECT_EQ(chart.SunriseMoment.minute, "58");
}

TEST(ReferenceSunrise, BirthAfterSunsetStillCountsFromTheDaysSunrise) {
  ChartState chart = ChartBornAt(Moment(5, 21, 0, 30));
  ChooseReferenceSunrise(chart);
  EXPECT_EQ(chart.ReferenceSunrise, Moment(5, 6, 0));
  EXPECT_EQ(chart.MinutesSinceSunrise, 15 * 60);
  EXPECT_EQ(chart.SecondsSinceSunrise, 15 * 3600 + 30);
}

TEST(ReferenceSunrise, MinutesCountMinuteBoundariesNotWholeMinutes) {
  ChartState chart = ChartBornAt(Moment(5, 8, 0, 10));
  chart.SunriseBirthDay = Moment(5, 6, 59, 50);
  ChooseReferenceSunrise(chart);
  EXPECT_EQ(chart.MinutesSinceSunrise, 61);   // 06:59 to 08:00
  EXPECT_EQ(chart.SecondsSinceSunrise, 3620);
}

TEST(ReferenceSunrise, MomentTextsNameTheSunrise) {
  ChartState chart = ChartBornAt(Moment(5, 12, 0));
  chart.SunriseBirthDay = {812, 9, 5, 7, 4, 0};
  chart.BirthMoment = {812, 9, 5, 12, 0, 0};
  chart.SunsetBirthDay = {812, 9, 5, 18, 40, 0};
  ChooseReferenceSunrise(chart);
  EXPECT_EQ(chart.SunriseMoment.day, "5");
  EXPECT_EQ(chart.SunriseMoment.month, "September");
  EXPECT_EQ(chart.SunriseMoment.year, "0812");
  EXPECT_EQ(chart.SunriseMoment.hour, "7");
  EXPECT_EQ(chart.SunriseMoment.minute, "4");
}

}  // namespace
}  // namespace corvane
