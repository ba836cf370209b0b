// The precise engine against Swiss Ephemeris called directly: positions, ayanamsa and
// retrograde motion at 300 spread births, sunrise and sunset against swe_rise_trans, and
// the engine's refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <thread>
#include <vector>

#include "app/chart_calculation.h"
#include "app/ephemeris_messages.h"
#include "astro/sunrise.h"
#include "astro/swiss_ephemeris.h"
#include "tests/app/sample_birth.h"
#include "tests/conventions/swiss_reference.h"

namespace corvane {
namespace {

using testing::AngleDifference;
using testing::OnReferenceThread;
using testing::SiderealModeOf;

struct Birth {
  CivilDateTime clock;  // local clock reading
  int utcOffsetSeconds = 0;  // local time minus UT
  GeoPoint place;
  EphemerisConventions conventions;
};

// Births spread over the engine's six centuries, every latitude up to the polar circles,
// every longitude and zone, both nodes, both sunrise definitions and every ayanamsa.
std::vector<Birth> SpreadBirths(int count) {
  std::vector<Birth> out;
  for (int i = 0; i < count; ++i) {
    Birth b;
    b.clock = {1800 + (i * 37) % 600, 1 + (i * 5) % 12, 1 + (i * 11) % 28, (i * 7) % 24, (i * 13) % 60, 0};
    const int hours = (i * 3) % 25 - 12;
    const int minutes = i % 4 == 0 ? (hours < 0 ? -30 : 30) : 0;
    b.utcOffsetSeconds = -(hours * 3600 + minutes * 60) + (i % 5 == 0 ? 3600 : 0);
    b.place = {-66.0 + (i * 53) % 1330 / 10.0, -180.0 + (i * 97) % 3600 / 10.0};
    b.conventions = {static_cast<Ayanamsa>(i % kAyanamsaCount), (i / 7) % 2 ? NodeKind::kTrue : NodeKind::kMean,
                     (i / 3) % 2 ? SunriseDefinition::kDiscCentre : SunriseDefinition::kUpperLimbRefracted};
    out.push_back(b);
  }
  return out;
}

struct Expected {
  PerBody<double> longitude{};
  double ayanamsa = 0;
  PerBody<double> speed{};
};

// The reference values of one birth, from the library's own calls with its own Julian day.
Expected DirectSwiss(const Birth& b) {
  Expected e;
  const double jd = swe_julday(b.clock.year, b.clock.month, b.clock.day, b.clock.hour + b.clock.minute / 60.0,
                               SE_GREG_CAL) - b.utcOffsetSeconds / 86400.0;
  swe_set_sid_mode(SiderealModeOf(b.conventions.ayanamsa), 0, 0);
  const std::pair<BodyIndex, int> bodies[] = {
      {kSun, SE_SUN},         {kMoon, SE_MOON},       {kMercury, SE_MERCURY},
      {kVenus, SE_VENUS},     {kMars, SE_MARS},       {kJupiter, SE_JUPITER},
      {kSaturn, SE_SATURN},
      {kRahu, b.conventions.node == NodeKind::kTrue ? SE_TRUE_NODE : SE_MEAN_NODE}};
  char err[AS_MAXCH];
  double x[6];
  for (const auto& [body, planet] : bodies) {
    EXPECT_GE(swe_calc_ut(jd, planet, SEFLG_SWIEPH | SEFLG_SIDEREAL | SEFLG_SPEED, x, err), 0) << err;
    e.longitude[body] = x[0];
    e.speed[body] = x[3];
  }
  e.longitude[kKetu] = std::fmod(e.longitude[kRahu] + 180.0, 360.0);
  double cusps[13], angles[10];
  swe_houses_ex(jd, SEFLG_SIDEREAL, b.place.latitudeDeg, b.place.longitudeDeg, 'E', cusps, angles);
  e.longitude[kAscendantBody] = angles[0];
  swe_get_ayanamsa_ex_ut(jd, SEFLG_SWIEPH, &e.ayanamsa, err);
  return e;
}

TEST(SwissEngine, LongitudesEqualDirectSwissEphemerisCallsOn300Charts) {
  const std::vector<Birth> births = SpreadBirths(300);
  std::vector<Expected> expected;
  OnReferenceThread([&] {
    for (const Birth& b : births) expected.push_back(DirectSwiss(b));
  });

  double worst = 0;
  for (std::size_t i = 0; i < births.size(); ++i) {
    const Birth& b = births[i];
    const SwissEphemeris engine(b.conventions);
    const UtInstant t = ToUniversalTime(b.clock, b.utcOffsetSeconds);
    const SiderealPositions got = engine.Positions(t, b.place);
    for (int body = 0; body < kBodyCount; ++body) {
      const double d = std::fabs(AngleDifference(got.longitudeDeg[body], expected[i].longitude[body]));
      worst = std::max(worst, d);
      EXPECT_LT(d, 1e-6) << "chart " << i << " body " << body;
      EXPECT_GE(got.longitudeDeg[body], 0.0);
      EXPECT_LT(got.longitudeDeg[body], 360.0);
    }
    EXPECT_NEAR(got.ayanamsaDeg, -expected[i].ayanamsa, 1e-6) << "chart " << i;
    // The Sun at the chart moment measured in the chart moment's zodiac is the Sun itself.
    EXPECT_LT(std::fabs(AngleDifference(engine.SunLongitudeDeg(t, t), expected[i].longitude[kSun])), 1e-6) << i;
    const PerBody<bool> retrograde = engine.Retrograde(t);
    for (const BodyIndex body : {kMercury, kVenus, kMars, kJupiter, kSaturn})
      EXPECT_EQ(retrograde[body], expected[i].speed[body] < 0) << "chart " << i << " body " << body;
    for (const BodyIndex body : {kSun, kMoon, kRahu, kKetu, kAscendantBody}) EXPECT_FALSE(retrograde[body]);
  }
  ::testing::Test::RecordProperty("worst_longitude_difference_deg", std::to_string(worst));
}

struct EventCase {
  GeoPoint place;
  int year, month, day;
  SunriseDefinition definition;
  SunEvents events;
};

// swe_rise_trans finds the next event after a start; started a little before the engine's
// event it must find the same one. The upper limb with standard refraction is asked of its
// horizon-height variant: no refraction model, the horizon 34' up, the upper limb.
double ReferenceEvent(const EventCase& c, double near, std::int32_t kind) {
  double geo[3] = {c.place.longitudeDeg, c.place.latitudeDeg, 0.0};
  double t = 0;
  char err[AS_MAXCH] = "";
  const double start = near - 0.1;
  const std::int32_t got =
      c.definition == SunriseDefinition::kDiscCentre
          ? swe_rise_trans(start, SE_SUN, nullptr, SEFLG_SWIEPH, kind | SE_BIT_DISC_CENTER | SE_BIT_NO_REFRACTION, geo,
                           0, 0, &t, err)
          : swe_rise_trans_true_hor(start, SE_SUN, nullptr, SEFLG_SWIEPH, kind | SE_BIT_NO_REFRACTION, geo, 0, 0,
                                    -34.0 / 60.0, &t, err);
  EXPECT_EQ(got, 0) << err;
  return t;
}

TEST(SwissEngine, SunriseAndSunsetAgreeWithSweRiseTransWithinOneSecond) {
  const GeoPoint places[] = {{0, 0},        {29, -81},      {51.5, -0.1},  {60, 0},
                             {-60, -150},   {64.8, 25.5},   {-33.9, 151.2}, {69.6, 18.9}};
  std::vector<EventCase> cases;
  for (const GeoPoint& place : places)
    for (const int year : {1850, 1975, 2019, 2350})
      for (int dayOfYear = 0; dayOfYear < 365; dayOfYear += 15)
        for (const auto definition : {SunriseDefinition::kUpperLimbRefracted, SunriseDefinition::kDiscCentre}) {
          const CivilDateTime date = AddDays({year, 1, 1, 0, 0, 0}, dayOfYear);
          const SwissEphemeris engine({Ayanamsa::kLahiri, NodeKind::kMean, definition});
          cases.push_back({place, date.year, date.month, date.day, definition,
                           engine.SunEventsUt(date.year, date.month, date.day, place)});
        }

  int compared = 0;
  double worst = 0;
  OnReferenceThread([&] {
    for (const EventCase& c : cases) {
      if (c.events.status != RiseSetStatus::kOk) continue;  // polar day or night at 69.6 N
      const double rise = ReferenceEvent(c, c.events.riseJdUt, SE_CALC_RISE);
      const double set = ReferenceEvent(c, c.events.setJdUt, SE_CALC_SET);
      for (const double seconds : {(c.events.riseJdUt - rise) * 86400.0, (c.events.setJdUt - set) * 86400.0}) {
        worst = std::max(worst, std::fabs(seconds));
        EXPECT_LT(std::fabs(seconds), 1.0) << c.place.latitudeDeg << " " << c.place.longitudeDeg << " " << c.year
                                           << "-" << c.month << "-" << c.day;
      }
      ++compared;
    }
  });
  EXPECT_GT(compared, 1400);
  ::testing::Test::RecordProperty("worst_event_difference_s", std::to_string(worst));
}

TEST(SwissEngine, PolarDayAndNightAsTheAlmanacHasThem) {
  const GeoPoint svalbard{78.2, 15.6};
  const int zone = 3600;  // CET
  const struct {
    int month, day;
  } dates[] = {{12, 21}, {6, 21}, {3, 21}, {1, 10}, {5, 10}, {9, 30}};
  const SwissEphemeris engine;
  for (const auto& d : dates) {
    const RiseSet precise = engine.SunRiseSet(2019, d.month, d.day, svalbard, zone);
    const RiseSet almanac = AlmanacRiseSet(2019, d.month, d.day, svalbard, zone);
    EXPECT_EQ(precise.status, almanac.status) << d.month << "-" << d.day;
  }
  EXPECT_EQ(engine.SunRiseSet(2019, 12, 21, svalbard, zone).status, RiseSetStatus::kSunNeverRises);
  EXPECT_EQ(engine.SunRiseSet(2019, 6, 21, svalbard, zone).status, RiseSetStatus::kSunNeverSets);
}

// Clock times are whole minutes rounded to the nearest one, on the given date.
TEST(SwissEngine, ClockTimesAreTheEventsRoundedToTheMinute) {
  const GeoPoint delhi{28.6, 77.2};
  const int india = 19800;  // IST, +05:30
  const SwissEphemeris engine;
  for (int day = 1; day <= 28; day += 9) {
    const SunEvents exact = engine.SunEventsUt(2019, 3, day, delhi);
    const RiseSet clock = engine.SunRiseSet(2019, 3, day, delhi, india);
    ASSERT_TRUE(clock.ok());
    const double midnightUt = swe_julday(2019, 3, day, 0.0, SE_GREG_CAL) - 5.5 / 24.0;
    const CivilDateTime midnight{2019, 3, day, 0, 0, 0};
    EXPECT_EQ(clock.rise, AddMinutes(midnight, std::llround((exact.riseJdUt - midnightUt) * 1440)));
    EXPECT_EQ(clock.set, AddMinutes(midnight, std::llround((exact.setJdUt - midnightUt) * 1440)));
  }
}

TEST(SwissEngine, RefusesBirthsOutsideItsCenturies) {
  const SwissEphemeris engine;
  const GeoPoint place{28.6, 77.2};
  const int utc = 0;
  for (const CivilDateTime clock : {CivilDateTime{1799, 12, 31, 12, 0, 0}, CivilDateTime{2400, 1, 1, 0, 0, 0},
                                    CivilDateTime{1500, 6, 1, 12, 0, 0}}) {
    try {
      engine.Positions(ToUniversalTime(clock, utc), place);
      ADD_FAILURE() << clock.year << " was computed";
    } catch (const EphemerisError& e) {
      EXPECT_EQ(e.failure(), EphemerisFailure::kOutsidePreciseRange);
    }
  }
  // The first and last birth dates compute, with the neighbouring days' sunrises; the clock
  // date counts, even when universal time has already gone back into 1799.
  const int india = 19800;  // IST, +05:30
  EXPECT_NO_THROW(engine.Positions(ToUniversalTime({1800, 1, 1, 0, 10, 0}, india), place));
  EXPECT_NO_THROW(engine.Positions(ToUniversalTime({2399, 12, 31, 23, 50, 0}, india), place));
  EXPECT_TRUE(engine.SunRiseSet(1799, 12, 31, place, india).ok());
  EXPECT_TRUE(engine.SunRiseSet(2400, 1, 1, place, india).ok());
  EXPECT_THROW(engine.SunRiseSet(1799, 11, 30, place, india), EphemerisError);
}

TEST(SwissEngine, MissingDataFilesNameTheDebianPackage) {
  // SE_EPHE_PATH overrides the data folder for a thread's first use of the library.
  std::optional<EphemerisFailure> problem, thrown;
  ::setenv("SE_EPHE_PATH", "/nonexistent-corvane-ephemeris", 1);
  std::thread thread([&] {
    problem = SwissDataProblem();
    try {
      SwissEphemeris().Positions(ToUniversalTime({2000, 1, 1, 12, 0, 0}, {}), {28.6, 77.2});
    } catch (const EphemerisError& e) {
      thrown = e.failure();
    }
  });
  thread.join();
  ::unsetenv("SE_EPHE_PATH");
  EXPECT_EQ(problem, EphemerisFailure::kDataFilesMissing);
  EXPECT_EQ(thrown, EphemerisFailure::kDataFilesMissing);
  EXPECT_EQ(SwissDataProblem(), std::nullopt);  // this thread found its files
}

// The engine reports a failure as a status; the sentences are the program's own, and the
// range sentence names the engine's years.
TEST(SwissEngine, FailuresAreWordedByTheApplication) {
  const std::string_view range = EphemerisFailureMessage(EphemerisFailure::kOutsidePreciseRange);
  EXPECT_EQ(range, "The precise engine (Swiss Ephemeris) computes births from the year 1800 to 2399 only.");
  EXPECT_NE(range.find(std::to_string(kPreciseFirstYear)), std::string_view::npos);
  EXPECT_NE(range.find(std::to_string(kPreciseLastYear)), std::string_view::npos);
  EXPECT_EQ(EphemerisFailureMessage(EphemerisFailure::kDataFilesMissing),
            "The Swiss Ephemeris data files were not found in /usr/share/libswe/ephe (or in the folder SE_EPHE_PATH "
            "names): install the Debian package swe-standard-data.");
  EXPECT_STREQ(EphemerisError(EphemerisFailure::kDataFilesMissing).what(), "data_files_missing");
}

// Charts calculated on four threads at once equal the ones calculated one after another.
TEST(SwissEngine, ConcurrentChartsEqualSequentialOnes) {
  CalculationSettings precise;
  precise.engine = EngineKind::kSwiss;
  precise.node = NodeKind::kTrue;
  std::vector<BirthData> births;
  for (int i = 0; i < 40; ++i) {
    BirthData d = testing::DelhiBirth();
    d.year = 1901 + (i * 7) % 150;
    d.monthIndex = i % 12;
    d.hour = (i * 5) % 24;
    births.push_back(d);
  }
  auto signature = [&](const BirthData& d) {
    const CalculationResult r = CalculateChart(d, precise);
    EXPECT_TRUE(r.ok());
    const Chart& c = r.chart();
    std::array<int, kLagnaCount> signs{};
    for (std::size_t l = 0; l < kLagnaCount; ++l) signs[l] = c.lagnas.lagnas[l].sign;
    return std::make_tuple(c.positions.longitudeDeg, signs, c.sun.riseBirthDay, c.sun.sunAtSunriseDeg);
  };
  std::vector<decltype(signature(births[0]))> sequential, concurrent(births.size());
  for (const BirthData& d : births) sequential.push_back(signature(d));
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      for (std::size_t i = t; i < births.size(); i += 4) concurrent[i] = signature(births[i]);
    });
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(sequential, concurrent);
}

}  // namespace
}  // namespace corvane
