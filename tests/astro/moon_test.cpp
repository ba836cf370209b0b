#include "astro/moon.h"

#include <gtest/gtest.h>

#include "astro/tables/nakshatra_starts.h"
#include "astro/time_scales.h"
#include "chart_fixtures.h"

namespace corvane {
namespace {

using testing::BirthChart;

TEST(Moon, AtJ2000) {
  EXPECT_NEAR(LunarPeriodicSum(0), 4.99964, 5e-6);
  EXPECT_NEAR(TropicalMoonLongitude(0), 223.31610, 5e-6);
  const double moon = BirthChart(2000, 1, 1, 12, 0, 0, 0, false, 51, 30, false, 0, 0).Positions().longitudeDeg[kMoon];
  EXPECT_NEAR(moon, 199.46260, 5e-6);
  EXPECT_DOUBLE_EQ(NakshatraStartOf(moon), 186.62);  // index 14
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

// Madrid (west of Greenwich, central European time): 13:00 local is 12:00 UT; the hemisphere
// rule's 14:00 UT is two hours of lunar motion, about a degree, away.
TEST(Moon, WesternPlaceOnAnEasternZoneUsesTheZoneDirection) {
  const double madrid = BirthChart(1990, 6, 10, 13, 0, 3, 42, false, 40, 25, false, -1, 0).Positions().longitudeDeg[kMoon];
  const double sameInstantUt = BirthChart(1990, 6, 10, 12, 0, 3, 42, false, 40, 25, false, 0, 0).Positions().longitudeDeg[kMoon];
  const double ut14 = BirthChart(1990, 6, 10, 14, 0, 3, 42, false, 40, 25, false, 0, 0).Positions().longitudeDeg[kMoon];
  EXPECT_NEAR(madrid, sameInstantUt, 1e-9);
  EXPECT_GT(ut14 - madrid, 0.8);
}

}  // namespace
}  // namespace corvane
