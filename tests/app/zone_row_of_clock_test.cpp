// The zone list row a chart shows and saves in the classic file lines is the row that fits the
// clock used, never a row left from an earlier entry.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "app/zone_table.h"
#include "tests/app/sample_birth.h"

using namespace corvane;

namespace {

int RowNamed(std::string_view start) {
  for (int p = 0; p < kZoneCount; ++p)
    if (kZoneTable[static_cast<std::size_t>(p)].text.starts_with(start)) return p;
  return -1;
}

// Local time minus UT that a row gives, read from its text ("Central European Time,CET,+1.0"),
// an hour more with the tick.
int RowSeconds(int position, bool tick) {
  const std::string text(kZoneTable[static_cast<std::size_t>(position)].text);
  const double hours = std::strtod(text.substr(text.rfind(',') + 1).c_str(), nullptr);
  return static_cast<int>(hours * 3600) + (tick ? 3600 : 0);
}

}  // namespace

TEST(ZoneRowOfClock, TheRowShownAndSavedFitsTheClockUsed) {
  struct Case {
    const char* what;
    int year, month, day, hour, minute;
    int offset;
    DoubledHour fold;
    const char* staleRow;
    bool exact;  // a row gives the offset exactly (else the nearest row, tick off)
  };
  const Case cases[] = {
      // Munich in summer: CEST, UTC+2; the list still showed Greenwich from before.
      {"summer", 1990, 7, 1, 12, 0, 7200, DoubledHour::kNone, "Greenwich Mean Time", true},
      // 02:30 on 31 October 2021 happened twice; the later reading is CET, UTC+1.
      {"doubled, later", 2021, 10, 31, 2, 30, 3600, DoubledHour::kLater, "Central European Daylight", true},
      {"doubled, earlier", 2021, 10, 31, 2, 30, 7200, DoubledHour::kEarlier, "Greenwich Mean Time", true},
      // Berlin kept local mean time until 1893: UTC+0:53:28, which no row gives; the nearest
      // row is UTC+1.
      {"local mean time", 1880, 5, 1, 12, 0, 3208, DoubledHour::kNone, "Greenwich Mean Time", false},
  };
  for (const Case& c : cases) {
    BirthData birth = corvane::testing::DelhiBirth();
    birth.year = c.year, birth.monthIndex = c.month - 1, birth.day = c.day, birth.hour = c.hour, birth.minute = c.minute;
    birth.latDegrees = "48", birth.latMinutes = "8", birth.lonDegrees = "11", birth.lonMinutes = "35";
    birth.zonePosition = RowNamed(c.staleRow);
    birth.daylightSaving = false;
    birth.extras.zoneId = "Europe/Berlin";
    birth.extras.utcOffsetSeconds = c.offset;
    birth.extras.fold = c.fold;
    const BirthClock clock = ClockOf(birth);
    EXPECT_EQ(clock.utcOffsetSeconds, c.offset) << c.what;
    if (c.exact) {
      EXPECT_EQ(RowSeconds(clock.zonePosition, clock.daylightSaving), c.offset) << c.what;
    } else {
      EXPECT_EQ(RowSeconds(clock.zonePosition, false), 3600) << c.what;
      EXPECT_FALSE(clock.daylightSaving) << c.what;
    }
    // The file's classic zone line is that row, and the file opens to it (within the years
    // of the built-in engine).
    if (c.year < 1901) continue;
    const CalculationResult result = CalculateChart(birth);
    ASSERT_TRUE(result.ok()) << c.what;
    const ParsedChartFile reopened = ParseChartFile(EncodeChartFile(result.chart()));
    ASSERT_TRUE(reopened.ok()) << c.what;
    EXPECT_EQ(reopened.birth().zonePosition, clock.zonePosition) << c.what;
    EXPECT_EQ(reopened.birth().daylightSaving, clock.daylightSaving) << c.what;
  }
  // A row that already gives the offset is kept as it is: CET with the tick for CEST.
  BirthData kept = corvane::testing::DelhiBirth();
  kept.zonePosition = RowNamed("Central European Time");
  kept.daylightSaving = true;
  kept.extras.zoneId = "Europe/Berlin";
  kept.extras.utcOffsetSeconds = 7200;
  kept.year = 1990, kept.monthIndex = 6, kept.day = 1;
  EXPECT_EQ(ClockOf(kept).zonePosition, kept.zonePosition);
  EXPECT_TRUE(ClockOf(kept).daylightSaving);
}
