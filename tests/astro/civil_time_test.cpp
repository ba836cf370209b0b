#include "astro/civil_time.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(CivilTime, RoundTripsDaysAndRollsOverFields) {
  for (std::int64_t d = -80000; d < 80000; d += 37) {
    const CivilDateTime t = CivilFromDays(d);
    EXPECT_EQ(DaysFromCivil(t.year, t.month, t.day), d);
  }
  EXPECT_EQ(AddMinutes({2000, 12, 31, 23, 59, 0}, 1), (CivilDateTime{2001, 1, 1, 0, 0, 0}));
  EXPECT_EQ(AddMinutes({2000, 3, 1, 0, 10, 0}, -20), (CivilDateTime{2000, 2, 29, 23, 50, 0}));
  EXPECT_EQ(AddDays({1900, 2, 28, 5, 0, 0}, 1), (CivilDateTime{1900, 3, 1, 5, 0, 0}));
}

TEST(CivilTime, CalendarQueries) {
  EXPECT_EQ(DayOfYear(2000, 1, 1), 1);
  EXPECT_EQ(DayOfYear(2000, 12, 31), 366);
  EXPECT_EQ(DayOfYear(1999, 12, 31), 365);
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2000, 0), 0);  // no such month
  EXPECT_EQ(DaysInMonth(2000, 13), 0);
}

TEST(CivilTime, DifferencesCountWholeBoundaries) {
  const CivilDateTime a{2000, 1, 1, 6, 59, 59};
  const CivilDateTime b{2000, 1, 1, 7, 0, 1};
  EXPECT_EQ(MinuteCountDifference(a, b), 1);
  EXPECT_EQ(SecondCountDifference(a, b), 2);
  EXPECT_EQ(MinuteCountDifference(b, a), -1);
}

}  // namespace
}  // namespace corvane
