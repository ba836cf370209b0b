#include "astro/moon.h"

#include <gtest/gtest.h>

#include "astro/longitude_text.h"
#include "astro/tables/nakshatra_starts.h"
#include "astro/time_scales.h"
#include "chart_fixtures.h"

namespace corvane {
namespace {

using testing::BirthChart;
using testing::HemisphereRuleUniversalTime;

TEST(Moon, AtJ2000) {
  EXPECT_NEAR(LunarPeriodicSum(0), 4.99964, 5e-6);
  EXPECT_NEAR(TropicalMoonLongitude(0), 223.31610, 5e-6);
  ChartState c = BirthChart(2000, 1, 1, 12, 0, 0, 0, false, 51, 30, false, 0, 0);
  ComputeMoon(c);
  EXPECT_NEAR(c.MoonSiderealLongitude, 199.46260, 5e-6);
  EXPECT_EQ(c.MoonPositionText, "19\xC2\xB0 27' 45\" Lib");
  EXPECT_DOUBLE_EQ(c.MoonNakshatraStart, 186.62);  // index 14
}

TEST(Moon, MovesAboutThirteenDegreesADay) {
  for (double t = -1.0; t < 0.5; t += 0.0137) {
    double step = TropicalMoonLongitude(t + 1.0 / 36525) - TropicalMoonLongitude(t);
    if (step < 0) step += 360;
    EXPECT_TRUE(step > 11.5 && step < 15.5) << t;
    EXPECT_TRUE(TropicalMoonLongitude(t) >= 0.0 && TropicalMoonLongitude(t) <= 360.0) << t;
  }
}

TEST(Moon, NakshatraStartsUseTheExactWidthForTheIndex) {
  for (std::size_t k = 0; k < kNakshatraStarts.size(); ++k)
    EXPECT_NEAR(kNakshatraStarts[k], static_cast<double>(k) * 13.33, 1e-9) << k;
  EXPECT_DOUBLE_EQ(NakshatraStartOf(13.34), 13.33);
  EXPECT_DOUBLE_EQ(NakshatraStartOf(13.332), 0.0);
  EXPECT_DOUBLE_EQ(NakshatraStartOf(359.9), 346.58);
  EXPECT_DOUBLE_EQ(NakshatraStartOf(0.0), 0.0);
  EXPECT_DOUBLE_EQ(NakshatraStartOf(40.0), 39.99);  // exactly the start of index 3
  // The starts are never above the Moon, and late ones fall short of the exact grid.
  EXPECT_NEAR(359.9 - NakshatraStartOf(359.9), 13.32, 1e-9);
}

TEST(Moon, SameSideZonesMatchTheHemisphereRule) {
  for (ChartState c : {BirthChart(2000, 1, 2, 2, 0, 80, 0, true, 13, 5, false, -5, -30),
                       BirthChart(1988, 7, 14, 23, 50, 74, 0, false, 40, 43, false, 5, 0, true),
                       BirthChart(1962, 11, 30, 0, 20, 151, 13, true, 33, 52, true, -10, 0, true)}) {
    ComputeMoon(c);
    const double ut = HemisphereRuleUniversalTime(c);
    const double t = CenturiesSinceJ2000(JulianDayNumber(c.BirthMonth, c.BirthDay, c.BirthYear), ut);
    double expected = TropicalMoonLongitude(t) + AyanamsaJ2000(t);
    if (expected < 0) expected += 360;
    EXPECT_NEAR(c.MoonSiderealLongitude, expected, 1e-9) << c.BirthYear;
    EXPECT_DOUBLE_EQ(c.MoonNakshatraStart, NakshatraStartOf(expected));
  }
}

// Madrid (west of Greenwich, central European time): 13:00 local is 12:00 UT; the hemisphere
// rule's 14:00 UT is two hours of lunar motion, about a degree, away.
TEST(Moon, WesternPlaceOnAnEasternZoneUsesTheZoneDirection) {
  ChartState madrid = BirthChart(1990, 6, 10, 13, 0, 3, 42, false, 40, 25, false, -1, 0);
  ChartState sameInstantUt = BirthChart(1990, 6, 10, 12, 0, 3, 42, false, 40, 25, false, 0, 0);
  ComputeMoon(madrid);
  ComputeMoon(sameInstantUt);
  EXPECT_NEAR(madrid.MoonSiderealLongitude, sameInstantUt.MoonSiderealLongitude, 1e-9);
  const double t14 = CenturiesSinceJ2000(JulianDayNumber(6, 10, 1990), 14.0);
  EXPECT_GT(TropicalMoonLongitude(t14) + AyanamsaJ2000(t14) - madrid.MoonSiderealLongitude, 0.8);
}

}  // namespace
}  // namespace corvane
