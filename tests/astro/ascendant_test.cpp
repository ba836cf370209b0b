#include "astro/ascendant.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/longitude_text.h"
#include "astro/time_scales.h"
#include "chart_fixtures.h"

namespace corvane {
namespace {

using testing::BirthChart;
using testing::HemisphereRuleUniversalTime;

TEST(Ascendant, GreenwichAtJ1900PlusOneCentury) {
  ChartState c = BirthChart(2000, 1, 1, 12, 0, 0, 0, false, 51, 30, false, 0, 0);
  ComputeAscendant(c);
  EXPECT_NEAR(TropicalAscendant(1.0, 12.0, 0.0, 51.5), 24.2979, 5e-5);
  EXPECT_NEAR(c.AyanamsaOffset, -23.85399, 5e-6);
  EXPECT_NEAR(c.AscendantLongitude, 0.44393, 5e-6);
  EXPECT_EQ(c.AscendantDegree, 0.0);
  EXPECT_EQ(c.AscendantPositionText, "0\xC2\xB0 26' 38\" Ari");
}

TEST(Ascendant, DelhiInIndianTime) {
  ChartState c = BirthChart(2000, 1, 1, 12, 0, 77, 13, true, 28, 38, false, -5, -30);
  ComputeAscendant(c);
  const double lon = -(77 + 13 / 60.0), lat = 28 + 38 / 60.0;
  const double t = CenturiesSinceJ1900(2451545, 6.5);
  EXPECT_NEAR(TropicalAscendant(t, 6.5, lon, lat), 7.0607, 1e-4);
  EXPECT_NEAR(c.AscendantLongitude, 343.2067, 5e-5);
  EXPECT_EQ(c.AscendantDegree, 343.0);
  EXPECT_EQ(c.AscendantPositionText, FormatLongitude(c.AscendantLongitude));
  EXPECT_EQ(SignOfCompact(CompactLongitude(c.AscendantPositionText)), 11);  // Pisces
}

// Where zone and place share a side of Greenwich, the signed zone gives the very time the
// longitude hemisphere gives; both kinds of result must then agree.
TEST(Ascendant, SameSideZonesMatchTheHemisphereRule) {
  const ChartState cases[] = {
      BirthChart(1975, 1, 5, 7, 5, 77, 13, true, 28, 38, false, -5, -30),
      BirthChart(1988, 7, 14, 23, 50, 74, 0, false, 40, 43, false, 5, 0, true),
      BirthChart(1962, 11, 30, 0, 20, 151, 13, true, 33, 52, true, -10, 0, true),
      BirthChart(2031, 3, 3, 16, 45, 52, 43, false, 47, 34, false, 3, 30),
  };
  for (ChartState c : cases) {
    ComputeAscendant(c);
    const double ut = HemisphereRuleUniversalTime(c);
    const double t = CenturiesSinceJ1900(JulianDayNumber(c.BirthMonth, c.BirthDay, c.BirthYear), ut);
    const double lon = (c.LongitudeDegrees + c.LongitudeMinutes / 60.0) * (c.IsEast ? -1 : 1);
    const double lat = (c.LatitudeDegrees + c.LatitudeMinutes / 60.0) * (c.IsSouth ? -1 : 1);
    double expected = TropicalAscendant(t, ut, lon, lat) + AyanamsaJ1900(t);
    NormalizeDegrees(expected);
    EXPECT_NEAR(c.AscendantLongitude, expected, 1e-9) << c.BirthYear;
    EXPECT_NEAR(c.AyanamsaOffset, AyanamsaJ1900(t), 1e-12);
  }
}

// Madrid lies west of Greenwich but keeps central European time, one hour ahead of UT.
TEST(Ascendant, WesternPlaceOnAnEasternZoneUsesTheZoneDirection) {
  ChartState madrid = BirthChart(1990, 6, 10, 13, 0, 3, 42, false, 40, 25, false, -1, 0);
  ChartState sameInstantUt = BirthChart(1990, 6, 10, 12, 0, 3, 42, false, 40, 25, false, 0, 0);
  ComputeAscendant(madrid);
  ComputeAscendant(sameInstantUt);
  EXPECT_NEAR(madrid.AscendantLongitude, sameInstantUt.AscendantLongitude, 1e-9);
  // The hemisphere rule would put the birth at 14:00 UT, some thirty degrees later.
  ChartState twoHoursLate = BirthChart(1990, 6, 10, 14, 0, 3, 42, false, 40, 25, false, 0, 0);
  ComputeAscendant(twoHoursLate);
  EXPECT_GT(std::fabs(madrid.AscendantLongitude - twoHoursLate.AscendantLongitude), 15.0);
  // The summer hour moves it back by one hour of clock time.
  ChartState madridSummer = BirthChart(1990, 6, 10, 14, 0, 3, 42, false, 40, 25, false, -1, 0, true);
  ComputeAscendant(madridSummer);
  EXPECT_NEAR(madridSummer.AscendantLongitude, sameInstantUt.AscendantLongitude, 1e-9);
}

TEST(Ascendant, StaysInRangeOverADayAndAtTropicalValuesBelowTheAyanamsa) {
  bool sawWrap = false;
  for (int minutes = 0; minutes < 24 * 60; minutes += 7) {
    ChartState c = BirthChart(1999, 9, 21, minutes / 60, minutes % 60, 0, 0, false, 51, 30, false, 0, 0);
    ComputeAscendant(c);
    ASSERT_GE(c.AscendantLongitude, 0.0);
    ASSERT_LT(c.AscendantLongitude, 360.0);
    EXPECT_EQ(c.AscendantDegree, std::floor(c.AscendantLongitude));
    EXPECT_GE(SignOfCompact(CompactLongitude(c.AscendantPositionText)), 0);
    const double tropical = c.AscendantLongitude - c.AyanamsaOffset;
    if (tropical > 360 && tropical < 380) sawWrap = true;  // e.g. tropical 10 gives sidereal ~346
  }
  EXPECT_TRUE(sawWrap);
}

}  // namespace
}  // namespace corvane
