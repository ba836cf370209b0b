#include "app/birth_sweep.h"

#include <gtest/gtest.h>

#include <set>

#include "app/birth_zone.h"
#include "app/chart_calculation.h"
#include "tests/app/sample_birth.h"

namespace corvane {
namespace {

// One birth of the table: its clock, place, engine and the window swept.
struct SweepCase {
  const char* label;
  int year, month, day, hour, minute, second;
  int zonePosition;
  const char* zoneId;  // empty: the zone row alone
  int lonDeg, lonMin;
  bool east;
  int latDeg, latMin;
  bool south;
  EngineKind engine;
  int minutes;
};

constexpr EngineKind E = EngineKind::kElements;
constexpr EngineKind S = EngineKind::kSwiss;

// Fifty births: every continent's latitudes, both engines, births on the second, windows across
// midnight, across sunrise (when the lagnas counted from sunrise start again), across a
// daylight-saving change both ways, and near the poles where some dates of the window have no
// sunrise.
const SweepCase kCases[] = {
    {"Delhi morning", 1975, 6, 5, 7, 5, 0, 34, "", 77, 13, true, 28, 36, false, E, 30},
    {"Delhi morning, precise", 1975, 6, 5, 7, 5, 0, 34, "", 77, 13, true, 28, 36, false, S, 30},
    {"Delhi before sunrise", 1975, 6, 5, 5, 20, 0, 34, "", 77, 13, true, 28, 36, false, E, 25},
    {"Delhi before sunrise, precise", 1975, 6, 5, 5, 20, 0, 34, "", 77, 13, true, 28, 36, false, S, 15},
    {"Delhi across midnight", 1975, 6, 5, 23, 50, 0, 34, "", 77, 13, true, 28, 36, false, E, 20},
    {"Delhi across new year", 1999, 12, 31, 23, 55, 30, 34, "", 77, 13, true, 28, 36, false, E, 10},
    {"Delhi across new year, precise", 1999, 12, 31, 23, 58, 0, 34, "", 77, 13, true, 28, 36, false, S, 5},
    {"Delhi with seconds", 1988, 2, 29, 14, 12, 47, 34, "", 77, 13, true, 28, 36, false, E, 12},
    {"Mumbai evening", 1962, 8, 15, 18, 40, 0, 34, "", 72, 50, true, 18, 58, false, E, 15},
    {"Mumbai at sunset, precise", 1962, 8, 15, 19, 5, 0, 34, "", 72, 50, true, 18, 58, false, S, 10},
    {"Chennai noon", 2001, 1, 26, 12, 0, 0, 34, "", 80, 16, true, 13, 5, false, E, 10},
    {"Kolkata by zone id", 1947, 8, 15, 0, 10, 0, 34, "Asia/Kolkata", 88, 22, true, 22, 34, false, E, 20},
    {"London winter", 1969, 1, 20, 6, 30, 0, 29, "", 0, 7, false, 51, 30, false, E, 20},
    {"London summer by zone id", 1985, 7, 13, 16, 0, 0, 29, "Europe/London", 0, 7, false, 51, 30, false, E, 10},
    {"London spring forward", 2021, 3, 28, 0, 50, 0, 29, "Europe/London", 0, 7, false, 51, 30, false, E, 20},
    {"London fall back, earlier", 2021, 10, 31, 0, 45, 0, 29, "Europe/London", 0, 7, false, 51, 30, false, E, 20},
    {"New York spring forward", 2021, 3, 14, 1, 45, 0, 27, "America/New_York", 74, 0, false, 40, 43, false, E, 90},
    {"New York spring forward, precise", 2021, 3, 14, 3, 5, 0, 27, "America/New_York", 74, 0, false, 40, 43, false,
     S, 8},
    {"New York fall back", 2021, 11, 7, 1, 30, 0, 27, "America/New_York", 74, 0, false, 40, 43, false, E, 40},
    {"New York after fall back", 2021, 11, 7, 2, 20, 0, 27, "America/New_York", 74, 0, false, 40, 43, false, E, 30},
    {"Chicago night", 1955, 4, 2, 3, 3, 3, 21, "", 87, 39, false, 41, 51, false, E, 12},
    {"Los Angeles morning", 1977, 9, 9, 6, 45, 0, 54, "", 118, 15, false, 34, 3, false, E, 15},
    {"Mexico City", 1990, 10, 10, 10, 10, 10, 21, "", 99, 8, false, 19, 26, false, E, 10},
    {"Lima", 1940, 3, 21, 5, 55, 0, 27, "", 77, 3, false, 12, 3, true, E, 15},
    {"Sao Paulo sunrise", 2010, 12, 21, 5, 15, 0, 14, "", 46, 38, false, 23, 33, true, E, 20},
    {"Buenos Aires", 1933, 11, 3, 21, 21, 0, 14, "", 58, 22, false, 34, 36, true, E, 10},
    {"Cape Town", 1994, 4, 27, 9, 0, 0, 26, "", 18, 25, true, 33, 55, true, E, 10},
    {"Nairobi equator", 2004, 2, 14, 6, 40, 0, 12, "", 36, 49, true, 1, 17, true, E, 20},
    {"Cairo", 1918, 11, 11, 11, 11, 0, 26, "", 31, 14, true, 30, 3, false, E, 10},
    {"Moscow winter", 1961, 4, 12, 9, 7, 0, 12, "", 37, 37, true, 55, 45, false, E, 10},
    {"Berlin", 1989, 11, 9, 18, 57, 0, 20, "", 13, 24, true, 52, 31, false, E, 10},
    {"Madrid with seconds", 1990, 7, 1, 14, 30, 15, 20, "", 3, 42, false, 40, 25, false, E, 10},
    {"Paris, precise", 1968, 5, 3, 22, 0, 0, 20, "", 2, 21, true, 48, 51, false, S, 6},
    {"Tokyo", 1964, 10, 10, 14, 0, 0, 38, "", 139, 41, true, 35, 41, false, E, 10},
    {"Beijing, precise", 1976, 7, 28, 3, 42, 0, 23, "", 116, 23, true, 39, 55, false, S, 6},
    {"Singapore", 1965, 8, 9, 10, 0, 0, 23, "", 103, 51, true, 1, 17, false, E, 10},
    {"Jakarta", 1945, 8, 17, 10, 0, 0, 39, "", 106, 50, true, 6, 12, true, E, 10},
    {"Sydney summer", 2000, 1, 1, 0, 5, 0, 8, "", 151, 12, true, 33, 52, true, E, 15},
    {"Perth", 1979, 6, 30, 17, 30, 0, 10, "", 115, 51, true, 31, 57, true, E, 10},
    {"Auckland", 1985, 2, 6, 4, 4, 0, 47, "", 174, 46, true, 36, 51, true, E, 10},
    {"Honolulu", 1961, 8, 4, 19, 24, 0, 32, "", 157, 52, false, 21, 18, false, E, 10},
    {"Anchorage", 1971, 5, 1, 4, 30, 0, 1, "", 149, 54, false, 61, 13, false, E, 10},
    {"Reykjavik", 1930, 6, 21, 1, 0, 0, 29, "", 21, 57, false, 64, 9, false, E, 20},
    {"Helsinki", 1952, 7, 19, 12, 0, 0, 26, "", 24, 56, true, 60, 10, false, E, 10},
    {"Tromso midwinter, no sunrise", 1980, 12, 21, 12, 0, 0, 20, "", 18, 57, true, 69, 39, false, E, 5},
    {"Tromso, first sunrise after polar night", 1980, 1, 15, 23, 50, 0, 20, "", 18, 57, true, 69, 39, false, E,
     20},
    {"Murmansk last sunrise before polar night", 1990, 12, 1, 23, 55, 0, 12, "", 33, 5, true, 68, 58, false, E,
     10},
    {"Ushuaia", 1975, 12, 21, 3, 0, 0, 14, "", 68, 18, false, 54, 48, true, E, 10},
    {"McMurdo summer, midnight sun", 1995, 12, 25, 12, 0, 0, 47, "", 166, 40, true, 77, 51, true, E, 5},
    {"Kathmandu clocks skip 15 minutes", 1986, 1, 1, 0, 20, 0, 34, "Asia/Kathmandu", 85, 19, true, 27, 42, false, E, 25},
};

BirthData BirthOf(const SweepCase& c) {
  BirthData d;
  d.name = "SWEEP";
  d.year = c.year;
  d.monthIndex = c.month - 1;
  d.day = c.day;
  d.hour = c.hour;
  d.minute = c.minute;
  d.second = c.second;
  d.zonePosition = c.zonePosition;
  d.lonDegrees = std::to_string(c.lonDeg);
  d.lonMinutes = std::to_string(c.lonMin);
  d.east = c.east;
  d.latDegrees = std::to_string(c.latDeg);
  d.latMinutes = std::to_string(c.latMin);
  d.south = c.south;
  if (*c.zoneId) {
    const auto refusal = SetBirthZone(c.zoneId, RepeatedTimeChoice::kEarlier, d);
    EXPECT_FALSE(refusal) << c.label << ": " << (refusal ? refusal->message : "");
  }
  return d;
}

CalculationSettings SettingsOf(const SweepCase& c) {
  CalculationSettings settings;
  settings.engine = c.engine;
  return settings;
}

// What a direct calculation at a local time gives: the lagna signs and the nakshatra, or
// nothing where the sweep must show a gap.
struct Direct {
  bool chart = false;
  std::array<int, kLagnaCount> signs{};
  int nakshatra = -1;
};

Direct Calculate(const BirthData& birth, const CalculationSettings& settings, const CivilDateTime& at) {
  Direct direct;
  BirthData moved;
  if (!MoveBirthTo(birth, at, moved)) return direct;
  const CalculationResult result = CalculateChart(moved, settings);
  if (!result.ok()) return direct;
  direct.chart = true;
  for (int l = 0; l < kLagnaCount; ++l) direct.signs[l] = result.chart().lagnas.lagnas[l].sign;
  // The nakshatra from the Moon's longitude by the plain rule of 13°20' each.
  direct.nakshatra = static_cast<int>(result.chart().positions.longitudeDeg[kMoon] / (360.0 / 27.0));
  return direct;
}

// The value a row gives at a moment, or -1 outside its intervals.
int ValueAt(const std::vector<SweepInterval>& row, const CivilDateTime& t) {
  for (const SweepInterval& interval : row)
    if (interval.from <= t && t < interval.to) return interval.value;
  return -1;
}

bool InGap(const BirthSweep& sweep, const CivilDateTime& t) {
  for (const SweepGap& gap : sweep.gaps)
    if (gap.from <= t && t < gap.to) return true;
  return false;
}

// Every row and gap of the sweep against the direct calculation at `t`.
void ExpectSweepHolds(const char* label, const BirthSweep& sweep, const Direct& direct, const CivilDateTime& t) {
  const std::string when = SweepDateTimeText(t);
  if (!direct.chart) {
    EXPECT_TRUE(InGap(sweep, t)) << label << ": no chart at " << when << " but no gap";
    return;
  }
  EXPECT_FALSE(InGap(sweep, t)) << label << ": a chart at " << when << " inside a gap";
  for (int l = 0; l < kLagnaCount; ++l)
    EXPECT_EQ(ValueAt(sweep.lagnas[l], t), direct.signs[l]) << label << ": " << kLagnaKeys[l] << " at " << when;
  EXPECT_EQ(ValueAt(sweep.nakshatra, t), direct.nakshatra) << label << ": nakshatra at " << when;
}

class SweepOfBirths : public ::testing::TestWithParam<SweepCase> {};

TEST_P(SweepOfBirths, EveryIntervalHoldsAndNoChangeIsMissed) {
  const SweepCase& c = GetParam();
  const CalculationSettings settings = SettingsOf(c);
  if (c.engine == EngineKind::kSwiss && CheckSettings(settings)) GTEST_SKIP() << "Swiss Ephemeris files missing";
  const BirthData birth = BirthOf(c);
  const BirthSweep sweep = SweepBirthTime(birth, settings, c.minutes);

  // The window, and rows and gaps that tile it without overlap, in order.
  const CivilDateTime given{c.year, c.month, c.day, c.hour, c.minute, c.second};
  ASSERT_EQ(sweep.start, AddMinutes(given, -c.minutes));
  ASSERT_EQ(sweep.end, AddMinutes(given, c.minutes));
  std::set<CivilDateTime> boundaries;
  std::int64_t covered = 0;
  for (const auto* row : {&sweep.lagnas[0], &sweep.nakshatra}) {
    covered = 0;
    for (std::size_t i = 0; i < row->size(); ++i) {
      const SweepInterval& interval = (*row)[i];
      ASSERT_LT(interval.from, interval.to) << c.label;
      if (i > 0) {
        ASSERT_LE((*row)[i - 1].to, interval.from) << c.label;
        // Two neighbours with the same value are one interval, unless a gap parts them.
        if ((*row)[i - 1].to == interval.from) {
          EXPECT_NE((*row)[i - 1].value, interval.value) << c.label;
        }
      }
      covered += SerialSeconds(interval.to) - SerialSeconds(interval.from);
    }
    for (const SweepGap& gap : sweep.gaps) covered += SerialSeconds(gap.to) - SerialSeconds(gap.from);
    EXPECT_EQ(covered, std::int64_t{2} * c.minutes * 60) << c.label << ": rows and gaps do not cover the window";
  }
  for (const auto& row : sweep.lagnas) {
    for (const SweepInterval& interval : row) boundaries.insert(interval.from), boundaries.insert(interval.to);
  }
  for (const SweepInterval& interval : sweep.nakshatra) boundaries.insert(interval.from), boundaries.insert(interval.to);
  for (const SweepGap& gap : sweep.gaps) boundaries.insert(gap.from), boundaries.insert(gap.to);

  // Each interval's value at its first second and at its middle.
  for (int l = 0; l < kLagnaCount; ++l) {
    for (const SweepInterval& interval : sweep.lagnas[l]) {
      const std::int64_t middle = (SerialSeconds(interval.to) - SerialSeconds(interval.from)) / 2;
      for (const CivilDateTime& t : {interval.from, AddSeconds(interval.from, middle)}) {
        const Direct direct = Calculate(birth, settings, t);
        ASSERT_TRUE(direct.chart) << c.label << " at " << SweepDateTimeText(t);
        EXPECT_EQ(direct.signs[l], interval.value) << c.label << ": " << kLagnaKeys[l] << " at " << SweepDateTimeText(t);
      }
    }
  }

  // A scan a minute at a time, and a second at a time around every boundary.
  for (CivilDateTime t = sweep.start; t < sweep.end; t = AddMinutes(t, 1))
    ExpectSweepHolds(c.label, sweep, Calculate(birth, settings, t), t);
  for (const CivilDateTime& boundary : boundaries) {
    for (int s = -3; s <= 3; ++s) {
      const CivilDateTime t = AddSeconds(boundary, s);
      if (t < sweep.start || !(t < sweep.end)) continue;
      ExpectSweepHolds(c.label, sweep, Calculate(birth, settings, t), t);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Births, SweepOfBirths, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<SweepCase>& info) {
                           std::string name;
                           for (const char* p = info.param.label; *p; ++p)
                             if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                           return name;
                         });

BirthSweep SweepOfLabel(std::string_view label) {
  for (const SweepCase& c : kCases) {
    if (label == c.label) return SweepBirthTime(BirthOf(c), SettingsOf(c), c.minutes);
  }
  ADD_FAILURE() << "no case " << label;
  return {};
}

// The clocks of New York went from 02:00 straight to 03:00 on 14 March 2021: that hour of
// the window is one skipped gap, and the rows stop and start again at its ends.
TEST(BirthSweep, ClocksSkippedHourIsOneGap) {
  const BirthSweep sweep = SweepOfLabel("New York spring forward");
  ASSERT_EQ(sweep.gaps.size(), 1u);
  EXPECT_EQ(sweep.gaps[0].kind, SweepGapKind::kSkippedClock);
  EXPECT_EQ(SweepDateTimeText(sweep.gaps[0].from), "2021-03-14 02:00:00");
  EXPECT_EQ(SweepDateTimeText(sweep.gaps[0].to), "2021-03-14 03:00:00");
  for (const auto& row : sweep.lagnas) {
    ASSERT_FALSE(row.empty());
    EXPECT_EQ(SweepDateTimeText(row.front().from), "2021-03-14 00:15:00");
    EXPECT_EQ(SweepDateTimeText(row.back().to), "2021-03-14 03:15:00");
  }
}

// Polar night at Tromsø: no date of the window has a sunrise, so the whole window is a gap.
TEST(BirthSweep, PolarNightIsAGapWithTheCalculationsWords) {
  const BirthSweep sweep = SweepOfLabel("Tromso midwinter, no sunrise");
  ASSERT_EQ(sweep.gaps.size(), 1u);
  EXPECT_EQ(sweep.gaps[0].kind, SweepGapKind::kPolar);
  EXPECT_EQ(sweep.gaps[0].from, sweep.start);
  EXPECT_EQ(sweep.gaps[0].to, sweep.end);
  EXPECT_NE(sweep.gaps[0].message.find("The Sun does not rise"), std::string::npos);
  for (const auto& row : sweep.lagnas) EXPECT_TRUE(row.empty());
}

// Classical rates away from sunrise: the Pranapada lagna takes a sign every 6 minutes (15
// vighatis), the Ghati lagna every 24 minutes (one ghati a sign) and the Hora lagna every hour.
// The whole intervals of a window must have exactly those lengths.
TEST(BirthSweep, FastLagnasKeepTheirClassicalRates) {
  BirthData birth = testing::DelhiBirth();
  birth.hour = 12;
  birth.minute = 0;
  const BirthSweep sweep = SweepBirthTime(birth, {}, 150);
  ASSERT_TRUE(sweep.gaps.empty());
  const auto interior = [](const std::vector<SweepInterval>& row) {
    std::vector<std::int64_t> lengths;
    for (std::size_t i = 1; i + 1 < row.size(); ++i)
      lengths.push_back(SerialSeconds(row[i].to) - SerialSeconds(row[i].from));
    return lengths;
  };
  for (const auto& [lagna, seconds, atLeast] :
       {std::tuple{kPpL, 360, 45u}, std::tuple{kGL, 1440, 10u}, std::tuple{kHL, 3600, 3u}}) {
    const auto lengths = interior(sweep.lagnas[lagna]);
    EXPECT_GE(lengths.size(), atLeast) << kLagnaKeys[lagna];
    for (const std::int64_t length : lengths) EXPECT_EQ(length, seconds) << kLagnaKeys[lagna];
  }
  // Successive signs in zodiacal order.
  for (const LagnaId lagna : {kPpL, kGL, kHL}) {
    const auto& row = sweep.lagnas[lagna];
    for (std::size_t i = 1; i < row.size(); ++i) EXPECT_EQ(row[i].value, (row[i - 1].value + 1) % 12);
  }
}

TEST(BirthSweep, SummaryNamesTheSteadyLagnasAndCountsTheOthers) {
  BirthSweep sweep;
  sweep.minutes = 15;
  const CivilDateTime a{2000, 1, 1, 6, 45, 0}, b{2000, 1, 1, 7, 0, 0}, c{2000, 1, 1, 7, 15, 0};
  for (auto& row : sweep.lagnas) row = {{a, c, 3}};
  sweep.lagnas[kHL] = {{a, b, 2}, {b, c, 3}};
  sweep.lagnas[kGL] = {{a, b, 5}, {b, c, 6}};
  sweep.lagnas[kPpL] = {{a, b, 1}, {b, c, 2}, {c, c, 1}};
  EXPECT_EQ(SweepSummary(sweep),
            "Within \u00b115 min: AL, BL, SrL, IL, PL, UL, VL, CL, SL, Ascendant keep their signs; "
            "HL has 2 possible signs; GL 2; PpL 2.");
  for (auto& row : sweep.lagnas) row = {{a, c, 3}};
  EXPECT_EQ(SweepSummary(sweep), "Within \u00b115 min: every lagna keeps its sign.");
  for (auto& row : sweep.lagnas) row = {{a, b, 3}, {b, c, 4}};
  sweep.lagnas[kAL] = {{a, c, 1}};
  EXPECT_NE(SweepSummary(sweep).find("AL keeps its sign; BL has 2 possible signs; HL 2;"), std::string::npos);
}

// 01:00 to 02:00 happened twice in New York on 7 November 2021. A window around a birth in that
// hour's first reading (EDT) takes the first reading there; one around a birth after the change
// (EST) takes the second, as the chart calculated with that reading chosen gives.
TEST(BirthSweep, DoubledHourFollowsTheBirthsReading) {
  const auto chartWith = [](RepeatedTimeChoice fold, int hour, int minute) {
    BirthData d = BirthOf(kCases[0]);
    d.year = 2021, d.monthIndex = 10, d.day = 7, d.hour = hour, d.minute = minute, d.second = 0;
    d.lonDegrees = "74", d.lonMinutes = "0", d.east = false, d.latDegrees = "40", d.latMinutes = "43";
    EXPECT_FALSE(SetBirthZone("America/New_York", fold, d));
    std::array<int, kLagnaCount> signs{};
    const CalculationResult result = CalculateChart(d);
    for (int l = 0; l < kLagnaCount; ++l) signs[l] = result.chart().lagnas.lagnas[l].sign;
    return signs;
  };
  const CivilDateTime at{2021, 11, 7, 1, 55, 0};
  const BirthSweep earlier = SweepOfLabel("New York fall back");
  const BirthSweep later = SweepOfLabel("New York after fall back");
  EXPECT_TRUE(earlier.gaps.empty());
  EXPECT_TRUE(later.gaps.empty());
  const auto first = chartWith(RepeatedTimeChoice::kEarlier, 1, 55);
  const auto second = chartWith(RepeatedTimeChoice::kLater, 1, 55);
  ASSERT_NE(first[kPpL], second[kPpL]);  // an hour apart: the Pranapada lagna has moved on
  for (int l = 0; l < kLagnaCount; ++l) {
    EXPECT_EQ(ValueAt(earlier.lagnas[l], at), first[l]) << kLagnaKeys[l];
    EXPECT_EQ(ValueAt(later.lagnas[l], at), second[l]) << kLagnaKeys[l];
  }
}

// A doubled hour inside the window is swept with both readings: the rows keep the birth's,
// the repeat holds the other over the same clock readings, and the axis puts the two times
// in the order they happened.
struct DoubledCase {
  const char* label;
  CivilDateTime repeatFrom, repeatTo;
  bool repeatIsLater;
  const char* earlier;
  const char* later;
};

TEST(BirthSweep, DoubledHourIsSweptWithBothReadings) {
  // New York set its clocks back at 02:00 EDT on 2021-11-07 to 01:00 EST: 01:00:00-01:59:59
  // happened twice. London on 2021-10-31 at 02:00 BST to 01:00 GMT.
  //  - 01:30 EDT ±40 min: the window 00:50-02:10 holds the whole doubled hour.
  //  - 02:20 EST ±30 min: the window starts at 01:50, ten doubled minutes, of which the rows
  //    take the birth's EST and the repeat the EDT ones.
  //  - 00:45 BST ±20 min: the window ends at 01:05, five doubled minutes.
  const DoubledCase kDoubled[] = {
      {"New York fall back", {2021, 11, 7, 1, 0, 0}, {2021, 11, 7, 2, 0, 0}, true, "EDT", "EST"},
      {"New York after fall back", {2021, 11, 7, 1, 50, 0}, {2021, 11, 7, 2, 0, 0}, false, "EDT", "EST"},
      {"London fall back, earlier", {2021, 10, 31, 1, 0, 0}, {2021, 10, 31, 1, 5, 0}, true, "BST", "GMT"},
  };
  for (const DoubledCase& d : kDoubled) {
    const SweepCase* c = nullptr;
    for (const SweepCase& each : kCases)
      if (std::string(each.label) == d.label) c = &each;
    ASSERT_NE(c, nullptr) << d.label;
    const BirthData birth = BirthOf(*c);
    const BirthSweep sweep = SweepBirthTime(birth, SettingsOf(*c), c->minutes);
    ASSERT_TRUE(sweep.repeat.has_value()) << d.label;
    const SweepRepeat& r = *sweep.repeat;
    EXPECT_EQ(r.from, d.repeatFrom) << d.label;
    EXPECT_EQ(r.to, d.repeatTo) << d.label;
    EXPECT_EQ(r.repeatIsLater, d.repeatIsLater) << d.label;
    EXPECT_EQ(r.earlierAbbreviation, d.earlier) << d.label;
    EXPECT_EQ(r.laterAbbreviation, d.later) << d.label;
    // The repeat's rows against charts set up directly with the other reading, every 97 s
    // and at each boundary.
    const RepeatedTimeChoice other = d.repeatIsLater ? RepeatedTimeChoice::kLater : RepeatedTimeChoice::kEarlier;
    std::set<CivilDateTime> times;
    for (CivilDateTime t = r.from; t < r.to; t = AddSeconds(t, 97)) times.insert(t);
    for (const SweepInterval& interval : r.lagnas[kPpL]) times.insert(interval.from);
    for (const CivilDateTime& t : times) {
      BirthData direct = birth;
      direct.year = t.year, direct.monthIndex = t.month - 1, direct.day = t.day;
      direct.hour = t.hour, direct.minute = t.minute, direct.second = t.second;
      ASSERT_FALSE(SetBirthZone(c->zoneId, other, direct));
      const CalculationResult result = CalculateChart(direct, SettingsOf(*c));
      ASSERT_TRUE(result.ok());
      for (int l = 0; l < kLagnaCount; ++l)
        EXPECT_EQ(ValueAt(r.lagnas[l], t), result.chart().lagnas.lagnas[l].sign)
            << d.label << ": " << kLagnaKeys[l] << " at " << SweepDateTimeText(t);
      // The chart a pick on the repeat shows is that same reading.
      const std::shared_ptr<const Chart> given = std::get<0>(CalculateChart(birth, SettingsOf(*c)).outcome);
      const std::shared_ptr<const Chart> picked = ChartAtTime(*given, t, true);
      ASSERT_TRUE(picked);
      EXPECT_EQ(picked->clock.utcOffsetSeconds, direct.extras.utcOffsetSeconds) << d.label;
    }
    EXPECT_TRUE(r.gaps.empty()) << d.label;
  }
}

// The axis of a doubled hour in the order of happening: each moment's second on the axis is
// its universal time less the window's first one. New York 01:30 EDT ±40 min: EDT is UT-4,
// EST UT-5; the window starts 00:50 EDT = 04:50 UT.
TEST(BirthSweep, DoubledHourAxisFollowsUniversalTime) {
  BirthSweep sweep;
  for (const SweepCase& each : kCases)
    if (std::string(each.label) == "New York fall back") sweep = SweepBirthTime(BirthOf(each), SettingsOf(each), 40);
  ASSERT_TRUE(sweep.repeat.has_value());
  const std::vector<SweepAxisPiece> axis = SweepAxis(sweep);
  EXPECT_EQ(SweepAxisSeconds(axis), (80 + 60) * 60);  // 04:50 UT to 07:10 UT (02:10 EST)
  struct AxisCase {
    SweepMoment moment;
    int utHour, utMinute;  // by hand from the offsets above
    const char* abbreviation;
  };
  const AxisCase kMoments[] = {
      {{{2021, 11, 7, 0, 50, 0}, false}, 4, 50, "EDT"},
      {{{2021, 11, 7, 1, 30, 0}, false}, 5, 30, "EDT"},
      {{{2021, 11, 7, 1, 59, 0}, false}, 5, 59, "EDT"},
      {{{2021, 11, 7, 1, 0, 0}, true}, 6, 0, "EST"},
      {{{2021, 11, 7, 1, 30, 0}, true}, 6, 30, "EST"},
      {{{2021, 11, 7, 2, 0, 0}, false}, 7, 0, "EST"},
      {{{2021, 11, 7, 2, 9, 0}, false}, 7, 9, "EST"},
      // A repeat moment outside the doubled hour is the rows' one.
      {{{2021, 11, 7, 0, 55, 0}, true}, 4, 55, "EDT"},
  };
  for (const AxisCase& m : kMoments) {
    const std::int64_t expected = (m.utHour * 60 + m.utMinute - (4 * 60 + 50)) * 60;
    const std::string label = SweepDateTimeText(m.moment.time) + (m.moment.repeat ? " repeat" : "");
    EXPECT_EQ(SweepAxisSecondOf(axis, m.moment), expected) << label;
    const SweepMoment back = SweepMomentAt(axis, expected);
    EXPECT_EQ(back.time, m.moment.time) << label;
    EXPECT_EQ(SweepAbbreviationOf(sweep, back), m.abbreviation) << label;
  }
  EXPECT_EQ(SweepMomentAt(axis, SweepAxisSeconds(axis)).time, sweep.end);
  // Without a zone id the window has no repeat and its axis is the window itself.
  const BirthSweep plain = SweepBirthTime(BirthOf(kCases[0]), SettingsOf(kCases[0]), 30);
  EXPECT_FALSE(plain.repeat.has_value());
  EXPECT_EQ(SweepAxisSeconds(SweepAxis(plain)), 60 * 60);
  EXPECT_EQ(SweepAbbreviationOf(plain, {plain.given, false}), "");
}

TEST(BirthSweep, ClockTextsNameTheDateOnlyOffTheBirthDate) {
  const CivilDateTime given{1999, 12, 31, 23, 58, 0};
  EXPECT_EQ(SweepClockText({1999, 12, 31, 23, 53, 0}, given), "23:53:00");
  EXPECT_EQ(SweepClockText({2000, 1, 1, 0, 3, 0}, given), "2000-01-01 00:03:00");
}

}  // namespace
}  // namespace corvane
