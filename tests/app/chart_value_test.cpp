// The chart value holds each fact once: one offset (local time minus UT, in seconds) that the
// calculation, the texts and the file all take; coordinates as numbers; the clock's
// abbreviation resolved when the chart is calculated.
#include <gtest/gtest.h>

#include <string>

#include "app/birth_zone.h"
#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "app/chart_request.h"
#include "app/chart_texts.h"
#include "sample_birth.h"

namespace corvane {
namespace {

std::shared_ptr<const Chart> Calculated(const BirthData& birth) {
  CalculationResult result = CalculateChart(birth);
  EXPECT_TRUE(result.ok());
  return result.ok() ? std::get<0>(result.outcome) : nullptr;
}

// A zone row with its daylight-saving tick is the clock of the ISO offset its label names plus
// one hour; the same birth on that exact offset, given without any row, gives the same chart.
TEST(ChartValue, ARowWithTheTickIsTheExactOffsetOneHourAhead) {
  struct Row {
    int position;
    int isoOffsetSeconds;  // the label's offset plus the hour: "Indian Time, IST, +5.3" ticked is +06:30
    const char* clock;
  };
  for (const Row& row : {Row{34, 23400, "Indian Time, IST, UTC+6:30 with daylight saving"},
                         Row{50, -9000, "Newfoundland Standard Time, NST, UTC-2:30 with daylight saving"},
                         Row{29, 3600, "Greenwich Mean Time, GMT, UTC+1:00 with daylight saving"}}) {
    BirthData ticked = testing::DelhiBirth();
    ticked.zonePosition = row.position;
    ticked.daylightSaving = true;
    BirthData exact = testing::DelhiBirth();
    exact.extras.utcOffsetSeconds = row.isoOffsetSeconds;
    const auto a = Calculated(ticked), b = Calculated(exact);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->clock.source, ClockSource::kZoneRow);
    EXPECT_EQ(a->clock.utcOffsetSeconds, row.isoOffsetSeconds) << row.position;
    EXPECT_EQ(ClockText(*a), row.clock);
    EXPECT_EQ(ClockText(*b), "exact offset " + FormatUtOffset(row.isoOffsetSeconds));
    for (int body = 0; body < kBodyCount; ++body)
      EXPECT_NEAR(a->positions.longitudeDeg[body], b->positions.longitudeDeg[body], 1e-9) << row.position;
    EXPECT_EQ(a->sun.riseBirthDay, b->sun.riseBirthDay) << row.position;
    EXPECT_EQ(a->sun.setBirthDay, b->sun.setBirthDay) << row.position;
    EXPECT_EQ(a->sun.minutesSinceSunrise, b->sun.minutesSinceSunrise) << row.position;
    for (int l = 0; l < kLagnaCount; ++l) EXPECT_EQ(a->lagnas.lagnas[l].sign, b->lagnas.lagnas[l].sign);
    // The file keeps the row and the tick, and opens to the same clock.
    const ParsedChartFile parsed = ParseChartFile(EncodeChartFile(*a));
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(ClockOf(parsed.birth()), a->clock);
  }
}

// An hour later on the clock is an hour earlier in UT: New Delhi's sunrise of 5 June 1975 was
// 05:24 IST (almanac), so 06:24 on a clock an hour ahead.
TEST(ChartValue, SunriseFollowsTheOffsetsSign) {
  BirthData ist = testing::DelhiBirth();
  BirthData ahead = ist;
  ahead.daylightSaving = true;
  const auto a = Calculated(ist), b = Calculated(ahead);
  ASSERT_TRUE(a && b);
  EXPECT_NEAR(a->sun.riseBirthDay.hour * 60 + a->sun.riseBirthDay.minute, 5 * 60 + 24, 2);
  EXPECT_EQ((b->sun.riseBirthDay.hour * 60 + b->sun.riseBirthDay.minute) -
                (a->sun.riseBirthDay.hour * 60 + a->sun.riseBirthDay.minute),
            60);
}

// A zone of the database: its abbreviation at the birth is part of the chart, so the texts made
// from a copy of the chart name it without asking the zone data again.
TEST(ChartValue, TheDatabaseClockIsResolvedWithTheChart) {
  BirthData madrid = testing::DelhiBirth();
  madrid.year = 1990, madrid.monthIndex = 6, madrid.day = 1, madrid.hour = 14, madrid.minute = 30;
  madrid.lonDegrees = "3", madrid.lonMinutes = "42", madrid.east = false;
  madrid.latDegrees = "40", madrid.latMinutes = "25";
  ASSERT_FALSE(SetBirthZone("Europe/Madrid", RepeatedTimeChoice::kAsk, madrid).has_value());
  const auto chart = Calculated(madrid);
  ASSERT_TRUE(chart);
  EXPECT_EQ(chart->clock.source, ClockSource::kZoneDatabase);
  EXPECT_EQ(chart->clock.utcOffsetSeconds, 7200);
  EXPECT_EQ(chart->clock.abbreviation, "CEST");
  const Chart copy = *chart;
  EXPECT_EQ(ClockText(copy), "Europe/Madrid, CEST, UTC+2:00");
  // Asked for again, the chart gives the same clock: the exact offset it used, with its zone.
  const Result<ChartReading> again = ResolveChart(RequestOf(copy));
  ASSERT_TRUE(again);
  EXPECT_EQ(again->chart->clock, chart->clock);
  EXPECT_EQ(again->chart->birth, chart->birth);
}

// A zone and a reading written beside a zone row (a chart file made by hand) did not set the
// clock: the chart's clock is the row's, and the file keeps them when saved again.
TEST(ChartValue, AZoneRecordedBesideARowDoesNotSetTheClock) {
  BirthData birth = testing::DelhiBirth();
  birth.extras.zoneId = "Asia/Kolkata";
  birth.extras.fold = DoubledHour::kLater;
  const auto chart = Calculated(birth);
  ASSERT_TRUE(chart);
  EXPECT_EQ(chart->clock.source, ClockSource::kZoneRow);
  EXPECT_EQ(chart->clock.zoneId, "");
  EXPECT_EQ(chart->clock.fold, DoubledHour::kNone);
  EXPECT_EQ(BirthClockReading(*chart), "07:05:00");
  EXPECT_EQ(ClockText(*chart), "Indian Time, IST, UTC+5:30");
  const ParsedChartFile parsed = ParseChartFile(EncodeChartFile(*chart));
  ASSERT_TRUE(parsed.ok());
  EXPECT_EQ(parsed.birth().extras, birth.extras);
  const ChartRequest again = RequestOf(*chart);
  EXPECT_EQ(again.clock.kind, ClockKind::kZoneRow);
  EXPECT_EQ(again.clock.zoneId, "Asia/Kolkata");
  EXPECT_EQ(again.clock.fold, RepeatedTimeChoice::kLater);
}

// Coordinates are held as numbers; the texts and the file are made from them.
TEST(ChartValue, CoordinatesAreNumbersWhateverTheirTyping) {
  BirthData typed = testing::DelhiBirth();
  typed.lonDegrees = " 077", typed.lonMinutes = "07 ", typed.latDegrees = "8", typed.latMinutes = "0";
  typed.south = true, typed.east = false;
  const auto chart = Calculated(typed);
  ASSERT_TRUE(chart);
  EXPECT_EQ(chart->birth.longitude, (PlaceCoordinate{77, 7, false}));
  EXPECT_EQ(chart->birth.latitude, (PlaceCoordinate{8, 0, false}));
  EXPECT_DOUBLE_EQ(chart->birth.longitude.Degrees(), -(77 + 7 / 60.0));
  const ChartTexts texts = TextsOf(*chart);
  EXPECT_EQ(texts.longitude, "77\xC2\xB0 7' W");
  EXPECT_EQ(texts.latitude, "8\xC2\xB0 0' S");
  const BirthFieldTexts fields = BirthFieldTextsOf(chart->birth);
  EXPECT_EQ(fields.lon.View(), "77:07W");
  EXPECT_EQ(fields.lat.View(), "8:00S");
  const ParsedChartFile parsed = ParseChartFile(EncodeChartFile(*chart));
  ASSERT_TRUE(parsed.ok());
  EXPECT_EQ(parsed.birth().lonDegrees, "77");
  EXPECT_EQ(parsed.birth().lonMinutes, "7");
  EXPECT_EQ(ChartBirthOf(parsed.birth()), chart->birth);
}

}  // namespace
}  // namespace corvane
