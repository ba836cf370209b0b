// Charts that leave the program as a chart file come back the same: the JSON of the chart
// before saving equals, key for key, the JSON of the chart opened from the file under the
// same settings.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/birth_zone.h"
#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "cli/chart_json.h"
#include "tests/app/sample_birth.h"
#include "tests/cli/chart_json_text.h"

namespace corvane {
namespace {

using testing::ChartJsonText;

struct RoundTripCase {
  const char* label;
  BirthData birth;
  const char* zoneId = "";  // a zone of the database, "" for the zone row
  RepeatedTimeChoice fold = RepeatedTimeChoice::kAsk;
  CalculationSettings settings{};
};

BirthData At(int year, int month, int day, int hour, int minute, int second, int zone, bool dst, const char* lon,
             bool east, const char* lat, bool south, const char* name = "RAM", const char* city = "City") {
  BirthData b;
  b.name = name, b.year = year, b.monthIndex = month - 1, b.day = day, b.hour = hour, b.minute = minute;
  b.second = second, b.zonePosition = zone, b.daylightSaving = dst;
  const std::string l(lon), t(lat);
  b.lonDegrees = l.substr(0, l.find(':')), b.lonMinutes = l.substr(l.find(':') + 1), b.east = east;
  b.latDegrees = t.substr(0, t.find(':')), b.latMinutes = t.substr(t.find(':') + 1), b.south = south;
  b.city = city;
  return b;
}

CalculationSettings Settings(EngineKind engine, Ayanamsa ayanamsa, NodeKind node, SunriseDefinition sunrise, InduRule indu) {
  return {engine, ayanamsa, node, sunrise, indu};
}

std::vector<RoundTripCase> Cases() {
  const auto swiss = Settings(EngineKind::kSwiss, Ayanamsa::kRaman, NodeKind::kTrue, SunriseDefinition::kDiscCentre,
                              InduRule::kFromMoon);
  const auto kp = Settings(EngineKind::kElements, Ayanamsa::kKrishnamurti, NodeKind::kMean,
                           SunriseDefinition::kDiscCentre, InduRule::kFromMoon);
  std::vector<RoundTripCase> cases = {
      {"Delhi, zone row", testing::DelhiBirth()},
      {"zone row with the tick", At(1990, 7, 1, 14, 30, 15, 20, true, "3:42", false, "40:25", false)},
      {"zone row without the tick, seconds", At(1961, 2, 28, 23, 59, 59, 29, false, "0:07", false, "51:30", false)},
      {"southern, western", At(1950, 12, 31, 0, 0, 1, 3, false, "58:22", false, "34:36", true)},
      {"accented names", At(1983, 4, 9, 6, 45, 0, 20, false, "2:21", true, "48:51", false, "ZOE", "Zo\xC3\xAB M\xC3\xBCller")},
      {"Berlin, doubled hour, earlier", At(2021, 10, 31, 2, 30, 15, 20, false, "11:35", true, "48:08", false),
       "Europe/Berlin", RepeatedTimeChoice::kEarlier},
      {"Berlin, doubled hour, later", At(2021, 10, 31, 2, 30, 15, 20, false, "11:35", true, "48:08", false),
       "Europe/Berlin", RepeatedTimeChoice::kLater},
      {"New York, doubled hour, later", At(2021, 11, 7, 1, 30, 0, 29, false, "74:00", false, "40:43", false),
       "America/New_York", RepeatedTimeChoice::kLater},
      {"New York, doubled hour, earlier", At(2021, 11, 7, 1, 30, 0, 29, false, "74:00", false, "40:43", false),
       "America/New_York", RepeatedTimeChoice::kEarlier},
      {"next to a skipped hour", At(2021, 3, 14, 3, 0, 0, 29, false, "74:00", false, "40:43", false), "America/New_York"},
      {"Amsterdam 1930, exact offset", At(1930, 1, 15, 12, 0, 0, 20, false, "4:54", true, "52:22", false),
       "Europe/Amsterdam"},
      {"local mean time", At(1905, 5, 5, 10, 10, 10, 29, false, "77:13", true, "28:36", false), "Asia/Kolkata"},
      {"Kolkata by zone id", At(1975, 6, 5, 7, 5, 9, 29, false, "77:13", true, "28:36", false), "Asia/Kolkata"},
      {"Kathmandu", At(2001, 8, 8, 8, 8, 8, 29, false, "85:19", true, "27:42", false), "Asia/Kathmandu"},
      {"Sydney summer", At(2010, 1, 20, 20, 0, 0, 29, false, "151:12", true, "33:52", true), "Australia/Sydney"},
      {"Swiss engine, other conventions", testing::DelhiBirth(), "", RepeatedTimeChoice::kAsk, swiss},
      {"Swiss engine, Berlin later", At(2021, 10, 31, 2, 30, 15, 20, false, "11:35", true, "48:08", false),
       "Europe/Berlin", RepeatedTimeChoice::kLater, swiss},
      {"element method, Krishnamurti", At(1999, 9, 9, 9, 9, 9, 34, false, "72:50", true, "18:58", false), "",
       RepeatedTimeChoice::kAsk, kp},
  };
  // Zone rows across the list, with and without the tick, at varied seconds.
  for (int zone = 0; zone < 71; zone += 5)
    cases.push_back({"zone row sweep", At(1901 + zone, zone % 12 + 1, zone % 28 + 1, zone % 24, zone % 60, zone % 60, zone,
                                          zone % 2 == 1, "20:15", zone % 3 == 0, "10:05", zone % 4 == 0)});
  return cases;
}

TEST(ChartFileRoundTrip, OpeningTheSavedFileGivesTheSameJson) {
  int checked = 0;
  for (const RoundTripCase& c : Cases()) {
    if (c.settings.engine == EngineKind::kSwiss && CheckSettings(c.settings)) continue;  // no data files here
    BirthData birth = c.birth;
    if (*c.zoneId != '\0') {
      ASSERT_EQ(SetBirthZone(c.zoneId, c.fold, birth), std::nullopt) << c.label;
      birth.place = std::string("Somewhere (") + c.zoneId + ")";
      birth.placeFilled = {"lat", "zone"};
    }
    const CalculationResult before = CalculateChart(birth, c.settings);
    ASSERT_TRUE(before.ok()) << c.label;
    ASSERT_EQ(UnsavableChart(before.chart()), std::nullopt) << c.label;
    const ParsedChartFile file = ParseChartFile(EncodeChartFile(before.chart()));
    ASSERT_TRUE(file.ok()) << c.label << ": " << file.refusal().reason;
    const CalculationResult after = CalculateChart(file.birth(), c.settings);
    ASSERT_TRUE(after.ok()) << c.label;
    EXPECT_EQ(ChartJsonText(after.chart(), true), ChartJsonText(before.chart(), true)) << c.label;
    ++checked;
  }
  EXPECT_GE(checked, 30);
}

// The doubled hour of Munich, 31 October 2021, taken as CET: the file keeps that clock, so the
// reopened ascendant is the one computed (23 Leo, not the 12 Leo of CEST).
TEST(ChartFileRoundTrip, TheDoubledHourKeepsItsReading) {
  BirthData birth = At(2021, 10, 31, 2, 30, 15, 20, false, "11:35", true, "48:08", false);
  ASSERT_EQ(SetBirthZone("Europe/Berlin", RepeatedTimeChoice::kLater, birth), std::nullopt);
  const CalculationResult before = CalculateChart(birth);
  ASSERT_TRUE(before.ok());
  EXPECT_EQ(before.chart().clock.utcOffsetSeconds, 3600);
  EXPECT_EQ(before.chart().clock.fold, DoubledHour::kLater);
  const ParsedChartFile file = ParseChartFile(EncodeChartFile(before.chart()));
  ASSERT_TRUE(file.ok());
  const CalculationResult after = CalculateChart(file.birth());
  ASSERT_TRUE(after.ok());
  EXPECT_EQ(after.chart().clock.fold, DoubledHour::kLater);
  EXPECT_EQ(after.chart().lagnas.lagnas[kAscendantLagna].sign, 4);  // Leo
  EXPECT_EQ(after.chart().positions.longitudeDeg[kAscendantBody], before.chart().positions.longitudeDeg[kAscendantBody]);
}

// Texts the reader refuses are refused by the saver, naming the field, and random texts that
// the saver takes open again to the same birth.
TEST(ChartFileRoundTrip, TheSaverTakesOnlyWhatTheReaderGivesBack) {
  const CalculationResult delhi = CalculateChart(testing::DelhiBirth());
  ASSERT_TRUE(delhi.ok());
  for (const char* bad : {"Delhi\r", "Del\thi", "Delhi\n", "De\x01lhi", "Delhi\x7F"}) {
    Chart chart = delhi.chart();
    chart.birth.city = bad;
    const auto refusal = UnsavableChart(chart);
    ASSERT_TRUE(refusal.has_value()) << bad;
    EXPECT_NE(refusal->find("city"), std::string::npos) << *refusal;
  }
  Chart huge = delhi.chart();
  huge.birth.state = std::string(65450, 'A');
  ASSERT_TRUE(UnsavableChart(huge).has_value());
  EXPECT_NE(UnsavableChart(huge)->find("state"), std::string::npos);

  std::mt19937 random(19);
  int saved = 0;
  for (int trial = 0; trial < 2000; ++trial) {
    Chart chart = delhi.chart();
    std::string* field[] = {&chart.birth.name, &chart.birth.city, &chart.birth.state, &chart.birth.country,
                            &chart.birth.place};
    std::string text;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) text.push_back(static_cast<char>(random() % 256));
    *field[random() % 5] = text;
    if (UnsavableChart(chart)) continue;
    ++saved;
    const ParsedChartFile file = ParseChartFile(EncodeChartFile(chart));
    ASSERT_TRUE(file.ok()) << file.refusal().reason;
    const BirthData& b = file.birth();
    // Texts come back without their outer blanks; invalid UTF-8 is stored as its replacement.
    const ParsedChartFile again = ParseChartFile(EncodeChartFile([&] {
      Chart c = chart;
      c.birth = ChartBirthOf(b);
      return c;
    }()));
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again.birth().name, b.name);
    EXPECT_EQ(again.birth().city, b.city);
    EXPECT_EQ(again.birth().state, b.state);
    EXPECT_EQ(again.birth().country, b.country);
    EXPECT_EQ(again.birth().place, b.place);
  }
  EXPECT_GT(saved, 100);
}

}  // namespace
}  // namespace corvane
