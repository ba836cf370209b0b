#include "astro/retrograde.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "astro/element_ephemeris.h"

namespace corvane {
namespace {

CivilDateTime Row(std::string_view row) {
  int f[5] = {};
  std::size_t pos = 0;
  for (int& v : f) {
    const std::size_t comma = row.find(',', pos);
    v = std::stoi(std::string(row.substr(pos, comma - pos)));
    pos = comma + 1;
  }
  return {f[2], f[0], f[1], f[3], f[4], 0};
}

std::int64_t DayNumber(const CivilDateTime& t) { return DaysFromCivil(t.year, t.month, t.day); }

struct KnownPeriod {
  std::string_view planet, start, end;
};

struct PlanetShape {
  std::string_view planet;
  std::size_t periods;
  std::string_view firstStart, firstEnd, lastStart, lastEnd;
  int minDays, maxDays;  // calendar days from station retrograde to station direct
};

const PlanetShape kShapes[] = {
    {"Mercury", 495, "1,13,1897,15,42,", "2,3,1897,9,32,", "10,12,2053,9,6,", "11,2,2053,3,51,", 19, 25},
    {"Venus", 99, "4,7,1897,11,1,", "5,20,1897,1,58,", "12,9,2053,13,15,", "1,19,2054,10,35,", 40, 44},
    {"Mars", 74, "11,2,1896,6,45,", "1,16,1897,9,14,", "9,22,2052,20,5,", "11,29,2052,7,5,", 60, 81},
    {"Jupiter", 144, "12,25,1896,10,16,", "4,26,1897,6,25,", "2,19,2053,1,45,", "6,22,2053,13,17,", 117, 125},
    {"Saturn", 152, "3,9,1897,18,31,", "7,28,1897,6,57,", "6,24,2053,14,52,", "11,10,2053,18,47,", 133, 142},
    {"Uranus", 155, "3,3,1897,12,46,", "8,2,1897,21,44,", "1,8,2053,16,26,", "6,7,2053,14,31,", 149, 155},
    {"Neptune", 157, "9,22,1896,14,10,", "2,26,1897,1,4,", "9,7,2053,3,30,", "2,10,2054,21,57,", 156, 161},
    {"Pluto", 157, "9,12,1896,11,39,", "2,23,1897,15,31,", "6,13,2053,17,13,", "11,25,2053,8,32,", 156, 165},
};

// Periods quoted besides the first and last ones.
const KnownPeriod kFurtherPeriods[] = {
    {"Mercury", "2,21,2000,0,39,", "3,14,2000,20,28,"},
    {"Mercury", "6,23,2000,8,32,", "7,17,2000,13,9,"},
    {"Mercury", "10,18,2000,13,39,", "11,8,2000,2,32,"},
    {"Mercury", "12,22,1904,9,42,", "1,11,1905,10,24,"},
};

// The same calendar dates, and the times close: the computed stations differ from the
// quoted ones by minutes. The quoted 2000-02-21 row writes its hour 12 as 0, so for that
// row only the date is compared.
void ExpectMatches(const RetrogradePeriod& got, const KnownPeriod& want) {
  SCOPED_TRACE(std::string(want.planet) + " " + std::string(want.start));
  EXPECT_EQ(got.planet, want.planet);
  for (const auto& [moment, row] : {std::pair{got.start, want.start}, std::pair{got.end, want.end}}) {
    const CivilDateTime quoted = Row(row);
    EXPECT_EQ(DayNumber(moment), DayNumber(quoted)) << row;
    if (row != "2,21,2000,0,39,") {
      EXPECT_LE(std::llabs(MinuteCountDifference(moment, quoted)), 30) << row;
    }
  }
}

// Counts, first and last periods, order, plausible lengths, and coverage of every year the
// form offers.
TEST(StationTable, CountsEndsAndShapeOfEveryPlanet) {
  std::size_t total = 0;
  for (const PlanetShape& shape : kShapes) {
    SCOPED_TRACE(shape.planet);
    const std::vector<RetrogradePeriod>& periods = RetrogradePeriodsOf(shape.planet);
    ASSERT_EQ(periods.size(), shape.periods);
    ExpectMatches(periods.front(), {shape.planet, shape.firstStart, shape.firstEnd});
    ExpectMatches(periods.back(), {shape.planet, shape.lastStart, shape.lastEnd});
    total += periods.size();
    for (std::size_t i = 0; i < periods.size(); ++i) {
      const RetrogradePeriod& p = periods[i];
      EXPECT_EQ(p.planet, shape.planet);
      EXPECT_TRUE(i == 0 || periods[i - 1].end < p.start) << i;
      const std::int64_t days = DayNumber(p.end) - DayNumber(p.start);
      EXPECT_TRUE(days >= shape.minDays && days <= shape.maxDays) << i << ": " << days;
    }
    EXPECT_LE(periods.front().start.year, 1901);
    EXPECT_GE(periods.back().end.year, 2050);
  }
  EXPECT_EQ(total * 2, 2866u);  // rows in all
  EXPECT_TRUE(RetrogradePeriodsOf("Sun").empty());
  for (const KnownPeriod& want : kFurtherPeriods) {
    const auto& periods = RetrogradePeriodsOf(want.planet);
    const auto found = std::find_if(periods.begin(), periods.end(), [&](const RetrogradePeriod& p) {
      return DayNumber(p.start) == DayNumber(Row(want.start));
    });
    ASSERT_NE(found, periods.end()) << want.start;
    ExpectMatches(*found, want);
  }
}

// Calendar dates only, strictly inside a period; the last rows look past the tables' ends.
TEST(IsRetrograde, EdgesOfPeriodsAndTables) {
  struct Case { const char* planet; CivilDateTime t; bool retrograde; };
  const Case cases[] = {
      {"Mercury", {2000, 2, 20, 12, 0, 0}, false},  {"Mercury", {2000, 2, 21, 0, 0, 0}, false},
      {"Mercury", {2000, 2, 21, 23, 59, 0}, false}, {"Mercury", {2000, 2, 22, 0, 0, 0}, true},
      {"Mercury", {2000, 3, 13, 23, 59, 0}, true},  {"Mercury", {2000, 3, 14, 0, 0, 0}, false},
      {"Mercury", {2000, 3, 14, 23, 59, 0}, false}, {"Mercury", {2000, 7, 1, 6, 0, 0}, true},
      {"Mercury", {2000, 6, 23, 18, 0, 0}, false},  {"Mercury", {2000, 11, 7, 23, 59, 0}, true},
      {"Mercury", {2000, 11, 8, 0, 0, 0}, false},   {"Mercury", {1904, 12, 31, 12, 0, 0}, true},
      {"Mercury", {1905, 1, 1, 0, 0, 0}, true},     {"Mars", {2050, 9, 12, 0, 0, 0}, true},
      {"Mars", {2050, 9, 13, 10, 0, 0}, false},     {"Mars", {2050, 9, 30, 12, 0, 0}, false},
      {"Mars", {2051, 6, 1, 0, 0, 0}, false},       {"Mars", {2100, 1, 1, 0, 0, 0}, false},
      {"Mercury", {1800, 1, 1, 0, 0, 0}, false},    {"Pluto", {1899, 12, 1, 0, 0, 0}, true},
      {"Jupiter", {2051, 3, 1, 0, 0, 0}, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsRetrograde(c.planet, c.t), c.retrograde) << c.planet << " " << c.t.year << "-" << c.t.month << "-" << c.t.day;
}

TEST(IsRetrograde, OnlyTheEightExactNamesAreKnown) {
  const CivilDateTime mercuryRetrograde{2000, 3, 1, 12, 0, 0};
  ASSERT_TRUE(IsRetrograde("Mercury", mercuryRetrograde));
  for (std::string_view name : {"mercury", "Mercury ", "Merc", "", "Sun", "Rahu", "Asc", "Mercury (R) "})
    EXPECT_FALSE(IsRetrograde(name, mercuryRetrograde)) << '"' << name << '"';
}

// The lookup as a plain scan in table order with the two day differences.
bool LinearScan(std::string_view planet, const CivilDateTime& birth) {
  const std::int64_t b = DayNumber(birth);
  for (const RetrogradePeriod& p : RetrogradePeriodsOf(planet)) {
    const std::int64_t dStart = DayNumber(p.start) - b;
    const std::int64_t dEnd = DayNumber(p.end) - b;
    if (dStart < 0 && dEnd > 0) return true;
  }
  return false;
}

TEST(IsRetrograde, AgreesWithALinearScanOnEveryDay) {
  const std::int64_t first = DaysFromCivil(1898, 6, 1);
  const std::int64_t last = DaysFromCivil(2052, 6, 1);
  int retrogradeDays = 0;
  for (std::string_view planet : kStationPlanets) {
    for (std::int64_t d = first; d <= last; ++d) {
      CivilDateTime t = CivilFromDays(d);
      t.hour = static_cast<int>(d % 24);
      t.minute = static_cast<int>((d * 7) % 60);
      const bool want = LinearScan(planet, t);
      ASSERT_EQ(IsRetrograde(planet, t), want) << planet << " " << t.year << "-" << t.month << "-" << t.day;
      retrogradeDays += want;
    }
  }
  EXPECT_GT(retrogradeDays, 0);
}

// The element engine marks only Mercury to Saturn, by the calendar date of the clock reading.
TEST(ElementEphemerisRetrograde, MarksTheFivePlanetsByTheStationTable) {
  const CivilDateTime dates[] = {{1900, 6, 1, 10, 30, 0}, {1900, 12, 1, 0, 0, 0}, {2000, 3, 1, 23, 59, 0},
                                 {1975, 6, 5, 7, 5, 0},   {2050, 9, 12, 0, 0, 0}};
  constexpr std::array<const char*, kBodyCount> kNames = {"Sun",     "Moon",   "Mercury", "Venus", "Mars",
                                                          "Jupiter", "Saturn", "Rahu",    "Ketu",  "Asc"};
  int marked = 0;
  for (const CivilDateTime& t : dates) {
    // 23:59 in a zone five hours behind is already the next UT day; the clock's date counts.
    const PerBody<bool> retrograde = ElementEphemeris().Retrograde(ToUniversalTime(t, -5 * 3600));
    for (int body = 0; body < kBodyCount; ++body) {
      const bool mark = body >= kMercury && body <= kSaturn && IsRetrograde(kNames[body], t);
      EXPECT_EQ(retrograde[body], mark) << t.year << " " << kNames[body];
      marked += mark;
    }
  }
  EXPECT_GE(marked, 3);
  EXPECT_TRUE(IsRetrograde("Saturn", dates[0]));  // 1900-04-14 to 1900-09-02
  EXPECT_TRUE(IsRetrograde("Mercury", dates[2]));
  EXPECT_TRUE(IsRetrograde("Mars", dates[4]));
}

TEST(RetrogradePeriodsTouchingYear, ListsOverlappingPeriodsInPlanetThenTimeOrder) {
  auto slot = [](std::string_view planet) {
    return std::find(kStationPlanets.begin(), kStationPlanets.end(), planet) - kStationPlanets.begin();
  };
  for (int year : {1899, 1904, 1905, 2000, 2051}) {
    const std::vector<RetrogradePeriod> periods = RetrogradePeriodsTouchingYear(year);
    ASSERT_FALSE(periods.empty()) << year;
    bool mercury1904 = false;
    for (std::size_t i = 0; i < periods.size(); ++i) {
      EXPECT_LT(periods[i].start, (CivilDateTime{year + 1, 1, 1, 0, 0, 0}));
      EXPECT_GE(periods[i].end, (CivilDateTime{year, 1, 1, 0, 0, 0}));
      if (i > 0) {
        const auto a = slot(periods[i - 1].planet), b = slot(periods[i].planet);
        EXPECT_TRUE(a < b || (a == b && periods[i - 1].start < periods[i].start));
      }
      mercury1904 |= periods[i].planet == "Mercury" && periods[i].start.year == 1904 && periods[i].end.year == 1905;
    }
    EXPECT_EQ(mercury1904, year == 1904 || year == 1905) << year;  // belongs to both years
    if (year != 2000) continue;
    std::vector<RetrogradePeriod> mercury;
    std::copy_if(periods.begin(), periods.end(), std::back_inserter(mercury),
                 [](const RetrogradePeriod& p) { return p.planet == "Mercury"; });
    ASSERT_EQ(mercury.size(), 3u);
    ExpectMatches(mercury[0], kFurtherPeriods[0]);
    ExpectMatches(mercury[2], kFurtherPeriods[2]);
  }
  EXPECT_TRUE(RetrogradePeriodsTouchingYear(1850).empty());
  EXPECT_TRUE(RetrogradePeriodsTouchingYear(2100).empty());
}

}  // namespace
}  // namespace corvane
