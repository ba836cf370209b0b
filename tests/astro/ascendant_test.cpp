#include "astro/ascendant.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/longitude_text.h"
#include "astro/time_scales.h"
#include "chart_fixtures.h"

namespace corvane {
namespace {

using testing::BirthChart;

TEST(Ascendant, GreenwichAndDelhiExamples) {
  ChartState c = BirthChart(2000, 1, 1, 12, 0, 0, 0, false, 51, 30, false, 0, 0);
  ComputeAscendant(c);
  EXPECT_NEAR(TropicalAscendant(1.0, 12.0, 0.0, 51.5), 24.2979, 5e-5);
  EXPECT_NEAR(c.AyanamsaOffset, -23.85399, 5e-6);
  EXPECT_NEAR(c.AscendantLongitude, 0.44393, 5e-6);
  EXPECT_EQ(c.AscendantDegree, 0.0);
  EXPECT_EQ(c.AscendantPositionText, "0\xC2\xB0 26' 38\" Ari");

  ChartState delhi = BirthChart(2000, 1, 1, 12, 0, 77, 13, true, 28, 38, false, -5, -30);
  ComputeAscendant(delhi);
  EXPECT_NEAR(TropicalAscendant(CenturiesSinceJ1900(2451545, 6.5), 6.5, -(77 + 13 / 60.0), 28 + 38 / 60.0), 7.0607, 1e-4);
  EXPECT_NEAR(delhi.AscendantLongitude, 343.2067, 5e-5);
  EXPECT_EQ(delhi.AscendantDegree, 343.0);
  EXPECT_EQ(SignOfCompact(CompactLongitude(delhi.AscendantPositionText)), 11);  // Pisces
}

// Where zone and place share a side of Greenwich, the signed zone gives the very time the
// longitude's hemisphere gives, so the results must not move.
TEST(Ascendant, SameSideZonesMatchTheHemisphereRule) {
  for (ChartState c : {BirthChart(1975, 1, 5, 7, 5, 77, 13, true, 28, 38, false, -5, -30),
                       BirthChart(1988, 7, 14, 23, 50, 74, 0, false, 40, 43, false, 5, 0, true),
                       BirthChart(1962, 11, 30, 0, 20, 151, 13, true, 33, 52, true, -10, 0, true),
                       BirthChart(2031, 3, 3, 16, 45, 52, 43, false, 47, 34, false, 3, 30)}) {
    ComputeAscendant(c);
    const double ut = testing::HemisphereRuleUniversalTime(c);
    const double t = CenturiesSinceJ1900(JulianDayNumber(c.BirthMonth, c.BirthDay, c.BirthYear), ut);
    const double lon = (c.LongitudeDegrees + c.LongitudeMinutes / 60.0) * (c.IsEast ? -1 : 1);
    const double lat = (c.LatitudeDegrees + c.LatitudeMinutes / 60.0) * (c.IsSouth ? -1 : 1);
    double expected = TropicalAscendant(t, ut, lon, lat) + AyanamsaJ1900(t);
    NormalizeDegrees(expected);
    EXPECT_NEAR(c.AscendantLongitude, expected, 1e-9) << c.BirthYear;
  }
}

// Madrid lies west of Greenwich but keeps central European time, one hour ahead of UT.
TEST(Ascendant, WesternPlaceOnAnEasternZoneUsesTheZoneDirection) {
  auto ascendant = [](int hour, int zone, bool dst) {
    ChartState c = BirthChart(1990, 6, 10, hour, 0, 3, 42, false, 40, 25, false, zone, 0, dst);
    ComputeAscendant(c);
    return c.AscendantLongitude;
  };
  const double ut12 = ascendant(12, 0, false);
  EXPECT_NEAR(ascendant(13, -1, false), ut12, 1e-9);
  EXPECT_NEAR(ascendant(14, -1, true), ut12, 1e-9);  // the summer hour: one hour of clock time back
  // The hemisphere rule would put the birth at 14:00 UT, some thirty degrees later.
  EXPECT_GT(std::fabs(ascendant(13, -1, false) - ascendant(14, 0, false)), 15.0);
}

TEST(Ascendant, StaysInRangeOverADayAndAtTropicalValuesBelowTheAyanamsa) {
  bool sawWrap = false;
  for (int minutes = 0; minutes < 24 * 60; minutes += 7) {
    ChartState c = BirthChart(1999, 9, 21, minutes / 60, minutes % 60, 0, 0, false, 51, 30, false, 0, 0);
    ComputeAscendant(c);
    ASSERT_TRUE(c.AscendantLongitude >= 0.0 && c.AscendantLongitude < 360.0) << minutes;
    EXPECT_EQ(c.AscendantDegree, std::floor(c.AscendantLongitude));
    const double tropical = c.AscendantLongitude - c.AyanamsaOffset;
    if (tropical > 360 && tropical < 380) sawWrap = true;  // e.g. tropical 10 gives sidereal ~346
  }
  EXPECT_TRUE(sawWrap);
}

}  // namespace
}  // namespace corvane
