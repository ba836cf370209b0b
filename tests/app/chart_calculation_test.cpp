#include "app/chart_calculation.h"

#include "app/display_texts.h"

#include <gtest/gtest.h>

#include "tests/app/sample_birth.h"

namespace corvane {
namespace {

BirthData Delhi1975() {
  BirthData d = testing::DelhiBirth();
  d.city = " New Delhi ";
  return d;
}

const ChartState& Chart(const CalculationResult& r) {
  EXPECT_TRUE(r.ok());
  return r.chart();
}

TEST(ChartCalculation, InvalidInputYieldsTheMessageAndNoChart) {
  BirthData d = Delhi1975();
  d.name = "  ";
  const CalculationResult r = CalculateChart(d);
  ASSERT_FALSE(r.ok());
  const auto* m = std::get_if<InputMessage>(&r.outcome);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->text, "Please Enter Name");
}

TEST(ChartCalculation, HeaderTextsAndInputs) {
  BirthData d = Delhi1975();
  d.lonDegrees = "\t77 ";  // read as validation reads it, not as 0
  const CalculationResult r = CalculateChart(d);
  const ChartState& s = Chart(r);
  EXPECT_EQ(s.Results.DateText, "June/5/1975");
  EXPECT_EQ(s.Results.TimeText, "7:5");
  EXPECT_EQ(s.Results.LatitudeText, "28\xC2\xB0 36' N");
  EXPECT_EQ(s.Results.LongitudeText, "77\xC2\xB0 13' E");
  EXPECT_EQ(s.Results.CityText, " New Delhi ");  // shown as typed
  EXPECT_EQ(s.BirthCity, "New Delhi");           // stored trimmed
  EXPECT_EQ(s.ZoneOffsetHours, -5);
  EXPECT_EQ(s.ZoneOffsetMinutes, -30);
  EXPECT_EQ(s.LongitudeDegrees, 77);
}

// Every box that holds bodies lists them after an empty first line, in body order, and every
// body appears exactly once across the twelve boxes.
TEST(ChartCalculation, BodiesAreListedInTheBoxOfTheirSign) {
  const CalculationResult r = CalculateChart(Delhi1975());
  const ChartState& s = Chart(r);
  // On this date the Sun and a retrograde Mercury stand in Taurus, after them Ketu.
  EXPECT_EQ(s.Results.ChartBoxTexts[1], "\r\nSun\r\nMercury (R) \r\nKetu");
  int listed = 0;
  for (int k = 0; k < 12; ++k) {
    const std::string& box = s.Results.ChartBoxTexts[k];
    if (!box.empty()) {
      EXPECT_EQ(box.rfind("\r\n", 0), 0u) << k;
    }
    for (std::size_t p = box.find("\r\n"); p != std::string::npos; p = box.find("\r\n", p + 2)) ++listed;
  }
  EXPECT_EQ(listed, kBodyCount);
}

TEST(ChartCalculation, SecondsMoveOnlyTheElapsedTime) {
  BirthData d = Delhi1975();
  const CalculationResult a = CalculateChart(d);
  d.second = 42;
  const CalculationResult b = CalculateChart(d);
  const ChartState& s0 = Chart(a);
  const ChartState& s1 = Chart(b);
  EXPECT_EQ(s0.Results.PositionTexts, s1.Results.PositionTexts);
  EXPECT_EQ(s1.SecondsSinceSunrise - s0.SecondsSinceSunrise, 42);
}

TEST(ChartCalculation, SunEntryDescribesTheReferenceSunriseAfterward) {
  const CalculationResult r = CalculateChart(Delhi1975());
  const ChartState& s = Chart(r);
  // Born 102 minutes after sunrise: the Sun has moved a few arcminutes since.
  EXPECT_EQ(s.MinutesSinceSunrise, 102);
  EXPECT_NE(s.SunriseSunText, s.Results.PositionTexts[kSun]);
  EXPECT_EQ(s.SunriseSunText, CompactLongitude(s.SunriseSunLongitude));
  EXPECT_EQ(s.LagnaSigns[kSL], static_cast<int>(s.SunriseSunLongitude / 30.0));
}

// Every lagna's stored longitude, where it has one, lies in the sign it is marked in.
TEST(ChartCalculation, LagnaLongitudesAgreeWithTheirSigns) {
  for (int hour : {0, 5, 11, 17, 23}) {
    BirthData d = Delhi1975();
    d.hour = hour;
    const CalculationResult r = CalculateChart(d);
    const ChartState& s = Chart(r);
    for (int id : {kBL, kHL, kGL, kSrL, kVL, kCL, kSL, kAscendantLagna}) {
      ASSERT_TRUE(s.HasLongitude[id]) << id;
      EXPECT_EQ(static_cast<int>(s.LagnaLongitudes[id] / 30.0), s.LagnaSigns[id]) << id << " at " << hour;
    }
    EXPECT_EQ(s.LagnaSigns[kAscendantLagna], s.PlanetSign[kAscendantBody]);
  }
}

TEST(ChartCalculation, ACalculationOwesNothingToThePreviousOne) {
  BirthData other = Delhi1975();
  other.year = 1990;
  other.monthIndex = 0;
  other.hour = 23;
  other.east = false;
  other.zonePosition = 27;
  const CalculationResult fresh = CalculateChart(Delhi1975());
  (void)CalculateChart(other);
  const CalculationResult again = CalculateChart(Delhi1975());
  const ChartState& a = Chart(fresh);
  const ChartState& b = Chart(again);
  EXPECT_EQ(a.Results.ChartBoxTexts, b.Results.ChartBoxTexts);
  EXPECT_EQ(a.Results.LagnaBoxTexts, b.Results.LagnaBoxTexts);
  EXPECT_EQ(a.ChartBodyNames, b.ChartBodyNames);
  EXPECT_EQ(a.LagnaSigns, b.LagnaSigns);
}

TEST(ChartCalculation, PolarDateStopsWithAMessageNamingTheDate) {
  BirthData d = Delhi1975();
  d.latDegrees = "75";
  d.monthIndex = 5;
  d.day = 21;
  const CalculationResult r = CalculateChart(d);
  const auto* polar = std::get_if<PolarDate>(&r.outcome);
  ASSERT_NE(polar, nullptr);
  // The day before is polar too, but the message names the birth date itself.
  EXPECT_NE(polar->message.find("June 21, 1975"), std::string::npos) << polar->message;
  // A midwinter date in the south has polar night: no sunrise either.
  d.south = true;
  const CalculationResult night = CalculateChart(d);
  EXPECT_NE(std::get_if<PolarDate>(&night.outcome), nullptr);
  d.latDegrees = "60";
  EXPECT_TRUE(CalculateChart(d).ok());
}

}  // namespace
}  // namespace corvane
