#include "astro/ascendant.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/time_scales.h"
#include "chart_fixtures.h"

namespace corvane {
namespace {

using testing::BirthChart;
using testing::EngineCase;

TEST(Ascendant, GreenwichAndDelhiExamples) {
  const SiderealPositions greenwich = BirthChart(2000, 1, 1, 12, 0, 0, 0, false, 51, 30, false, 0, 0).Positions();
  EXPECT_NEAR(TropicalAscendant(1.0, 12.0, 0.0, 51.5), 24.2979, 5e-5);
  EXPECT_NEAR(greenwich.ayanamsaDeg, -23.85399, 5e-6);
  EXPECT_NEAR(greenwich.longitudeDeg[kAscendantBody], 0.44393, 5e-6);

  const EngineCase delhi = BirthChart(2000, 1, 1, 12, 0, 77, 13, true, 28, 38, false, -5, -30);
  EXPECT_NEAR(TropicalAscendant(CenturiesSinceJ1900(delhi.Instant()), 6.5, -(77 + 13 / 60.0), 28 + 38 / 60.0), 7.0607,
              1e-4);
  EXPECT_NEAR(delhi.Positions().longitudeDeg[kAscendantBody], 343.2067, 5e-5);  // Pisces
}

// Madrid lies west of Greenwich but keeps central European time, one hour ahead of UT.
TEST(Ascendant, WesternPlaceOnAnEasternZoneUsesTheZoneDirection) {
  auto ascendant = [](int hour, int zone, bool dst) {
    return BirthChart(1990, 6, 10, hour, 0, 3, 42, false, 40, 25, false, zone, 0, dst).Positions().longitudeDeg[kAscendantBody];
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
    const SiderealPositions p = BirthChart(1999, 9, 21, minutes / 60, minutes % 60, 0, 0, false, 51, 30, false, 0, 0).Positions();
    const double ascendant = p.longitudeDeg[kAscendantBody];
    ASSERT_TRUE(ascendant >= 0.0 && ascendant < 360.0) << minutes;
    const double tropical = ascendant - p.ayanamsaDeg;
    if (tropical > 360 && tropical < 380) sawWrap = true;  // e.g. tropical 10 gives sidereal ~346
  }
  EXPECT_TRUE(sawWrap);
}

}  // namespace
}  // namespace corvane
