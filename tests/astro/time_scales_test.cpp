#include "astro/time_scales.h"
#include "astro/ut_instant.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(TimeScales, JulianDayNumbersAcrossTheCalendarReform) {
  EXPECT_EQ(JulianDayNumber(1, 1, 2000), 2451545.0);
  EXPECT_EQ(JulianDayNumber(1, 1, 1900), 2415021.0);
  EXPECT_EQ(JulianDayNumber(12, 31, 1999), 2451544.0);
  EXPECT_EQ(JulianDayNumber(3, 1, 2000) - JulianDayNumber(2, 28, 2000), 2.0);  // leap day
  // The Gregorian correction starts strictly after the Julian-count 2299171.
  EXPECT_EQ(JulianDayNumber(10, 16, 1582), 2299162.0);
  EXPECT_EQ(JulianDayNumber(10, 15, 1582), 2299171.0);
}

TEST(TimeScales, DayNumbersFromJ2000) {
  EXPECT_DOUBLE_EQ(DayNumberJ2000(2000, 1, 1, 12, 0), 0.0);
  EXPECT_DOUBLE_EQ(DayNumberJ2000(1990, 4, 19, 0, 0), -3544.5);
  EXPECT_DOUBLE_EQ(DayNumberJ2000(2000, 1, 2, 0, 30), 0.5 + 0.5 / 24.0);
  EXPECT_DOUBLE_EQ(DayNumberJ2000(2001, 3, 1, 12, 0) - DayNumberJ2000(2001, 2, 28, 12, 0), 1.0);
}

TEST(TimeScales, UniversalTimeUsesTheSignedZoneAndTheSummerHour) {
  // Clock reading, offset, and the UT calendar moment worked out by hand.
  const struct {
    CivilDateTime clock;
    int utcOffsetSeconds;  // local time minus UT, as ISO 8601 writes it
    CivilDateTime ut;
  } rows[] = {
      {{1985, 3, 10, 2, 0, 0}, 19800, {1985, 3, 9, 20, 30, 0}},     // India (+05:30): previous UT day
      {{1985, 3, 10, 12, 0, 0}, -14400, {1985, 3, 10, 16, 0, 0}},   // New York in summer (-04:00)
      {{1985, 3, 10, 12, 0, 0}, 23400, {1985, 3, 10, 5, 30, 0}},    // zone 5:30 plus the hour (+06:30)
      {{1990, 6, 10, 13, 0, 0}, 3600, {1990, 6, 10, 12, 0, 0}},     // Madrid on CET (+01:00)
      {{1999, 12, 31, 22, 15, 0}, -12600, {2000, 1, 1, 1, 45, 0}},  // Newfoundland (-03:30), into the next year
      {{1937, 6, 30, 12, 0, 0}, 1172, {1937, 6, 30, 11, 40, 28}},   // local mean time (+00:19:32)
      {{1937, 6, 30, 12, 0, 0}, -1172, {1937, 6, 30, 12, 19, 32}},  // the same west of Greenwich
  };
  for (const auto& row : rows) {
    const UtInstant t = ToUniversalTime(row.clock, row.utcOffsetSeconds);
    EXPECT_EQ(UniversalCivilTime(t), row.ut) << row.clock.hour << " " << row.utcOffsetSeconds;
    EXPECT_EQ(t.day, row.clock.day);  // the date stays that of the clock reading
  }
  // J2000.0 itself, and the same instant reached from a clock a day later.
  EXPECT_DOUBLE_EQ(CenturiesSinceJ1900(ToUniversalTime({2000, 1, 1, 12, 0, 0}, 0)), 1.0);
  EXPECT_DOUBLE_EQ(DaysSinceJ2000(ToUniversalTime({2000, 1, 1, 12, 0, 0}, 0)), 0.0);
  EXPECT_NEAR(CenturiesSinceJ2000(ToUniversalTime({2000, 1, 2, 2, 0, 0}, 14 * 3600)), 0.0, 1e-15);
}

TEST(TimeScales, BothAyanamsas) {
  EXPECT_NEAR(AyanamsaJ2000(0), -23.85350, 5e-6);
  EXPECT_NEAR(AyanamsaJ1900(1), -23.85399, 5e-6);
  // The two forms describe the same quantity within a few arcseconds.
  for (double t2000 = -1.0; t2000 <= 0.5; t2000 += 0.05)
    EXPECT_NEAR(AyanamsaJ1900(t2000 + 1.0), AyanamsaJ2000(t2000), 10.0 / 3600) << t2000;
  // About 50.3 arcseconds a year more negative.
  EXPECT_NEAR(AyanamsaJ2000(-0.5) - AyanamsaJ2000(0), 0.5 * 5025.64 / 3600, 0.01);
}

TEST(TimeScales, GeneralPrecession) {
  EXPECT_EQ(GeneralPrecessionDegrees(0), 0.0);
  EXPECT_NEAR(GeneralPrecessionDegrees(36525), (5029.0966 + 1.11113) / 3600, 1e-12);
  EXPECT_NEAR(GeneralPrecessionDegrees(-36525 / 2.0), (-5029.0966 / 2 + 1.11113 / 4) / 3600, 1e-12);
}

TEST(TimeScales, QuadrantArcTangent) {
  EXPECT_EQ(QuadrantArcTangent(0, -1), 0.0);
  EXPECT_NEAR(QuadrantArcTangent(1, 0), kPi / 2, 1e-14);
  EXPECT_NEAR(QuadrantArcTangent(-1, 0), -kPi / 2, 1e-14);
  EXPECT_EQ(QuadrantArcTangent(0, 0), 0.0);
  EXPECT_NEAR(QuadrantArcTangent(-1, -1), -3 * kPi / 4, 1e-14);
  EXPECT_NEAR(QuadrantArcTangent(1, -1), 3 * kPi / 4, 1e-14);
  EXPECT_NEAR(QuadrantArcTangent(-2, 3), -0.5880026035475675, 1e-14);
}

TEST(TimeScales, ReducedRadiansAndOneTurnShifts) {
  EXPECT_NEAR(NormalizeRadians(-0.5), kTwoPi - 0.5, 1e-13);
  EXPECT_NEAR(NormalizeRadians(7.0), 7.0 - kTwoPi, 1e-13);
  EXPECT_NEAR(NormalizeRadians(-20.0), -20.0 + 4 * kTwoPi, 1e-12);
  EXPECT_EQ(NormalizeRadians(0.0), 0.0);
  for (double a = -1000; a < 1000; a += 0.37) {
    const double r = NormalizeRadians(a);
    EXPECT_GE(r, 0.0);
    EXPECT_LT(r, kTwoPi);
  }

  // Degrees move by one turn at most.
  for (auto [in, out] : {std::pair{360.0, 360.0}, {-10.0, 350.0}, {725.0, 365.0}, {-400.0, -40.0}})
    EXPECT_EQ(ShiftByAtMostOneTurn(in), out) << in;
}

}  // namespace
}  // namespace corvane
