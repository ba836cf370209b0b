#include "astro/sunrise.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

// The almanac's answer for a date and a place given as the input form gives them.
struct DayResult {
  bool polar;
  CivilDateTime date, rise, set;
};

DayResult ComputeSunriseSunset(int month, int day, int year, int /*hour*/, int /*minute*/, int latDeg, int latMin,
                               bool south, int lonDeg, int lonMin, bool east, int zoneHours, int zoneMinutes,
                               bool dst) {
  const double lat = latDeg + latMin / 60.0, lon = lonDeg + lonMin / 60.0;
  const RiseSet r = AlmanacRiseSet(year, month, day, {south ? -lat : lat, east ? lon : -lon},
                                   -(zoneHours * 3600 + zoneMinutes * 60) + (dst ? 3600 : 0));
  return {!r.ok(), {year, month, day, 0, 0, 0}, r.rise, r.set};
}

std::string Clock(const CivilDateTime& t) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d", t.hour, t.minute);
  return buf;
}

TEST(Sunrise, AlmanacExamples) {
  const DayResult delhi = ComputeSunriseSunset(1, 1, 2000, 12, 0, 28, 38, false, 77, 13, true, -5, -30, false);
  const DayResult london = ComputeSunriseSunset(6, 21, 2000, 12, 0, 51, 30, false, 0, 0, true, 0, 0, false);
  const DayResult newYork = ComputeSunriseSunset(6, 21, 2000, 12, 0, 40, 43, false, 74, 0, false, 5, 0, false);
  EXPECT_FALSE(delhi.polar || london.polar || newYork.polar);
  EXPECT_EQ(delhi.rise, (CivilDateTime{2000, 1, 1, 7, 14, 0}));
  EXPECT_EQ(delhi.set, (CivilDateTime{2000, 1, 1, 17, 35, 0}));
  EXPECT_EQ(Clock(london.rise) + " " + Clock(london.set), "03:42 20:21");
  EXPECT_EQ(newYork.rise, (CivilDateTime{2000, 6, 21, 4, 25, 0}));
  EXPECT_EQ(Clock(newYork.set), "19:31");
  EXPECT_EQ(newYork.date, (CivilDateTime{2000, 6, 21, 0, 0, 0}));
}

TEST(Sunrise, SummerHourAddsAnHourOnEveryDateAndHemisphere) {
  // Sydney in January: southern summer, outside any April-to-October rule.
  const auto plain = ComputeSunriseSunset(1, 15, 1990, 9, 0, 33, 52, true, 151, 13, true, -10, 0, false);
  const auto summer = ComputeSunriseSunset(1, 15, 1990, 9, 0, 33, 52, true, 151, 13, true, -10, 0, true);
  EXPECT_EQ(summer.rise, AddMinutes(plain.rise, 60));
  EXPECT_EQ(summer.set, AddMinutes(plain.set, 60));
  // Delhi in July: zone 5:30 plus the hour is 6:30, i.e. the zone 6:30 east.
  const auto delhiSummer = ComputeSunriseSunset(7, 10, 2001, 9, 0, 28, 38, false, 77, 13, true, -5, -30, true);
  const auto zone630 = ComputeSunriseSunset(7, 10, 2001, 9, 0, 28, 38, false, 77, 13, true, -6, -30, false);
  EXPECT_EQ(delhiSummer.rise, zone630.rise);
  EXPECT_EQ(delhiSummer.set, zone630.set);
  // Zone 12 east plus the hour reaches 13 and is read as 11 west.
  const auto dateLine = ComputeSunriseSunset(7, 10, 2001, 9, 0, 36, 51, true, 174, 46, true, -12, 0, true);
  const auto west11 = ComputeSunriseSunset(7, 10, 2001, 9, 0, 36, 51, true, 174, 46, true, 11, 0, false);
  EXPECT_EQ(dateLine.rise, west11.rise);
  EXPECT_EQ(dateLine.set, west11.set);
}

TEST(Sunrise, PolarDayAndNightAreReportedAsSuch) {
  const struct {
    int month;
    RiseSetStatus status;
  } rows[] = {{6, RiseSetStatus::kSunNeverSets}, {12, RiseSetStatus::kSunNeverRises}, {3, RiseSetStatus::kOk}};
  for (const auto& row : rows) {
    const RiseSet r = AlmanacRiseSet(1995, row.month, 21, {70.0, 25.0}, 3600);
    EXPECT_EQ(r.status, row.status) << row.month;
  }
}

TEST(Sunrise, RoundedMinuteSixtyCarriesIntoTheNextHour) {
  // Delhi sunrise on 13 April 2001 comes to 05:59.54; sunset on 8 May to 18:59.71.
  const auto april = ComputeSunriseSunset(4, 13, 2001, 12, 0, 28, 38, false, 77, 13, true, -5, -30, false);
  EXPECT_EQ(april.rise, (CivilDateTime{2001, 4, 13, 6, 0, 0}));
  const auto may = ComputeSunriseSunset(5, 8, 2001, 12, 0, 28, 38, false, 77, 13, true, -5, -30, false);
  EXPECT_EQ(may.set, (CivilDateTime{2001, 5, 8, 19, 0, 0}));
  // Far west of its zone's meridian a sunset of 23:59.6 becomes midnight of the same date.
  const auto late = ComputeSunriseSunset(1, 1, 2001, 12, 0, 51, 30, false, 119, 43, false, 0, 0, false);
  EXPECT_EQ(late.set, (CivilDateTime{2001, 1, 1, 0, 0, 0}));
}

TEST(Sunrise, DayOfYearCountsFromZero) {
  // Same day count, same answer: 1 January of any year is day 0, and 31 December of a leap
  // year (day 365) lies one day beyond 31 December of a common year (day 364).
  auto riseOf = [](int month, int day, int year) {
    const auto rise = ComputeSunriseSunset(month, day, year, 12, 0, 51, 30, false, 0, 7, false, 0, 0, false).rise;
    return rise.hour * 60 + rise.minute;
  };
  EXPECT_EQ(riseOf(1, 1, 2000), riseOf(1, 1, 2001));
  EXPECT_EQ(riseOf(12, 30, 2000), riseOf(12, 31, 2001));
  // From March on a leap year runs one day count ahead, about two minutes of sunrise.
  EXPECT_NE(riseOf(3, 1, 2000), riseOf(3, 1, 2001));
  EXPECT_EQ(riseOf(2, 29, 2000), riseOf(3, 1, 2001));
}

struct Place {
  const char* name;
  int latDeg, latMin;
  bool south;
  int lonDeg, lonMin;
  bool east;
  int zoneHours, zoneMinutes;
};

TEST(Sunrise, EveryDayFrom1901To2050RisesBeforeItSets) {
  const Place places[] = {
      {"Helsinki", 60, 0, false, 24, 56, true, -2, 0},    {"Delhi", 28, 38, false, 77, 13, true, -5, -30},
      {"Quito", 0, 13, true, 78, 30, false, 5, 0},        {"Sydney", 33, 52, true, 151, 13, true, -10, 0},
      {"St John's", 47, 34, false, 52, 43, false, 3, 30}, {"South Atlantic", 60, 0, true, 45, 0, false, 3, 0},
  };
  for (const Place& p : places) {
    int failures = 0;
    for (int year = 1901; year <= 2050 && failures < 5; ++year) {
      for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= DaysInMonth(year, month); ++day) {
          const auto r = ComputeSunriseSunset(month, day, year, 12, 0, p.latDeg, p.latMin, p.south, p.lonDeg,
                                              p.lonMin, p.east, p.zoneHours, p.zoneMinutes, false);
          const CivilDateTime date{year, month, day, 0, 0, 0};
          const bool ok = !r.polar && r.rise < r.set && r.date == date && r.rise.hour >= 0 &&
                          r.set.hour < 24 && r.rise.minute >= 0 && r.rise.minute < 60 && r.set.minute < 60 &&
                          r.rise.year == year && r.rise.month == month && r.set.day == day;
          if (!ok) {
            ++failures;
            ADD_FAILURE() << p.name << " " << year << "-" << month << "-" << day << " rise " << Clock(r.rise)
                          << " set " << Clock(r.set) << " polar " << r.polar;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace corvane
