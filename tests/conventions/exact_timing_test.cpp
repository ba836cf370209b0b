// Exact timing against whole minutes and against Swiss Ephemeris called directly: a birth
// on a whole minute with a sunrise on a whole minute gives the same lagnas either way, and
// under exact timing the lagnas counted from sunrise run from the moment swe_rise_trans gives.
#include <gtest/gtest.h>

#include <cmath>

#include "app/chart_calculation.h"
#include "astro/element_ephemeris.h"
#include "astro/swiss_ephemeris.h"
#include "tests/app/sample_birth.h"
#include "tests/conventions/swiss_reference.h"

namespace corvane {
namespace {

using testing::AngleDifference;
using testing::OnReferenceThread;

// The element method with its sunrises and sunsets put on the whole minute they are shown at,
// so that the unrounded and the rounded sunrise are one moment.
class WholeMinuteSunrises : public Ephemeris {
 public:
  SiderealPositions Positions(const UtInstant& t, const GeoPoint& place) const override {
    return inner_.Positions(t, place);
  }
  double SunLongitudeDeg(const UtInstant& t, const UtInstant& chartMoment) const override {
    return inner_.SunLongitudeDeg(t, chartMoment);
  }
  RiseSet SunRiseSet(int year, int month, int day, const GeoPoint& place, int utcOffsetSeconds) const override {
    RiseSet r = inner_.SunRiseSet(year, month, day, place, utcOffsetSeconds);
    r.riseSeconds = r.rise.hour * 3600.0 + r.rise.minute * 60.0;
    r.setSeconds = r.set.hour * 3600.0 + r.set.minute * 60.0;
    return r;
  }
  PerBody<bool> Retrograde(const UtInstant& t) const override { return inner_.Retrograde(t); }

 private:
  ElementEphemeris inner_;
};

TEST(ExactTiming, WholeMinuteBirthAndSunriseGiveTheMinuteLagnas) {
  const WholeMinuteSunrises engine;
  CalculationSettings minute, exact;
  exact.timing = TimingPrecision::kExact;
  int charts = 0, beforeSunrise = 0;
  for (int month = 0; month < 12; month += 1)
    for (int hour = 0; hour < 24; hour += 5)
      for (const int minuteOfHour : {0, 17, 59}) {
        BirthData birth = testing::DelhiBirth();
        birth.monthIndex = month;
        birth.day = 3 + 2 * month;
        birth.hour = hour;
        birth.minute = minuteOfHour;
        birth.second = 0;
        const CalculationResult a = CalculateChart(birth, engine, minute);
        const CalculationResult b = CalculateChart(birth, engine, exact);
        ASSERT_TRUE(a.ok() && b.ok());
        const Chart &m = a.chart(), &e = b.chart();
        ASSERT_TRUE(e.sun.exact.has_value());
        EXPECT_FALSE(m.sun.exact.has_value());
        EXPECT_DOUBLE_EQ(e.sun.exact->secondsSinceSunrise, static_cast<double>(m.sun.secondsSinceSunrise));
        EXPECT_EQ(e.sun.referenceSunrise, m.sun.referenceSunrise);
        EXPECT_DOUBLE_EQ(e.sun.sunAtSunriseDeg, m.sun.sunAtSunriseDeg);
        for (int l = 0; l < kLagnaCount; ++l) {
          const LagnaPosition &x = e.lagnas.lagnas[static_cast<std::size_t>(l)],
                              &y = m.lagnas.lagnas[static_cast<std::size_t>(l)];
          EXPECT_EQ(x.sign, y.sign) << month << " " << hour << " " << l;
          EXPECT_EQ(x.longitudeDeg.has_value(), y.longitudeDeg.has_value());
          EXPECT_NEAR(x.longitudeDeg.value_or(0), y.longitudeDeg.value_or(0), 1e-9) << month << " " << hour << " " << l;
        }
        EXPECT_EQ(e.lagnas.horaHouse, m.lagnas.horaHouse);
        EXPECT_EQ(e.lagnas.pranapadaHouse, m.lagnas.pranapadaHouse);
        beforeSunrise += m.sun.referenceSunrise.day != m.birth.day;
        ++charts;
      }
  EXPECT_EQ(charts, 180);
  EXPECT_GT(beforeSunrise, 0);  // births counted from the day before's sunrise are among them
}

// RAM's birth at 07:05:40 in New Delhi (IST, UT + 5:30) with the precise engine: the upper
// limb with standard refraction from swe_rise_trans, the Sun there and the Moon at the birth
// second from swe_calc_ut (Lahiri).
TEST(ExactTiming, CountsFromTheSunriseSweRiseTransGives) {
  if (SwissDataProblem()) GTEST_SKIP() << "Swiss Ephemeris data files are not installed";
  BirthData birth = testing::DelhiBirth();
  birth.second = 40;
  CalculationSettings settings;
  settings.engine = EngineKind::kSwiss;
  settings.timing = TimingPrecision::kExact;
  const CalculationResult result = CalculateChart(birth, settings);
  ASSERT_TRUE(result.ok());
  const Chart& chart = result.chart();
  ASSERT_TRUE(chart.sun.exact.has_value());

  double riseJd = 0, birthJd = 0, midnightJd = 0, sun = 0, moon = 0;
  OnReferenceThread([&] {
    midnightJd = swe_julday(1975, 6, 4, 18.5, SE_GREG_CAL);  // 5 June 00:00 IST
    birthJd = swe_julday(1975, 6, 5, 1.5 + 5.0 / 60.0 + 40.0 / 3600.0, SE_GREG_CAL);
    double geo[3] = {77.0 + 13.0 / 60.0, 28.0 + 36.0 / 60.0, 0.0};
    char err[AS_MAXCH] = "";
    ASSERT_EQ(swe_rise_trans_true_hor(midnightJd, SE_SUN, nullptr, SEFLG_SWIEPH, SE_CALC_RISE | SE_BIT_NO_REFRACTION,
                                      geo, 0, 0, -34.0 / 60.0, &riseJd, err),
              0)
        << err;
    swe_set_sid_mode(SE_SIDM_LAHIRI, 0, 0);
    double x[6];
    ASSERT_GE(swe_calc_ut(riseJd, SE_SUN, SEFLG_SWIEPH | SEFLG_SIDEREAL, x, err), 0) << err;
    sun = x[0];
    ASSERT_GE(swe_calc_ut(birthJd, SE_MOON, SEFLG_SWIEPH | SEFLG_SIDEREAL, x, err), 0) << err;
    moon = x[0];
  });
  const double riseClock = (riseJd - midnightJd) * 86400.0;  // about 05:24 IST
  const double since = (birthJd - riseJd) * 86400.0;
  EXPECT_NEAR(chart.sun.exact->riseBirthDay, riseClock, 1.0);
  EXPECT_NEAR(chart.sun.exact->referenceSunrise, riseClock, 1.0);
  EXPECT_NEAR(chart.sun.exact->secondsSinceSunrise, since, 1.0);
  EXPECT_NEAR(AngleDifference(chart.sun.sunAtSunriseDeg, sun), 0.0, 0.001);
  // The Moon moves about 0.006 degrees in the 40 seconds: the birth second, not the minute.
  EXPECT_NEAR(AngleDifference(chart.positions.longitudeDeg[kMoon], moon), 0.0, 0.001);
  // One second of sunrise moves GL by 1.25 arc minutes / 60.
  const struct {
    LagnaId lagna;
    double degreesPerMinute;
  } rates[] = {{kGL, 1.25}, {kHL, 0.5}, {kBL, 0.25}};
  for (const auto& r : rates)
    EXPECT_NEAR(AngleDifference(chart.lagnas.lagnas[r.lagna].longitudeDeg.value_or(-1.0), sun + r.degreesPerMinute * since / 60.0), 0.0, 0.025)
        << r.lagna;
}

}  // namespace
}  // namespace corvane
