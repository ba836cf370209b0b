#include "app/chart_calculation.h"
#include "app/chart_texts.h"

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

const Chart& ChartOf(const CalculationResult& r) {
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
  const Chart& s = ChartOf(r);
  EXPECT_EQ(TextsOf(s).date, "June/5/1975");
  EXPECT_EQ(TextsOf(s).time, "07:05:00");
  EXPECT_EQ(TextsOf(s).latitude, "28\xC2\xB0 36' N");
  EXPECT_EQ(TextsOf(s).longitude, "77\xC2\xB0 13' E");
  EXPECT_EQ(TextsOf(s).city, "New Delhi");  // without the blanks typed around it
  EXPECT_EQ(s.birth.city, "New Delhi");
  EXPECT_EQ(s.clock.utcOffsetSeconds, 5 * 3600 + 30 * 60);  // Indian time, local minus UT
  EXPECT_EQ(s.clock.source, ClockSource::kZoneRow);
}

// Every box that holds bodies lists them after an empty first line, in body order, and every
// body appears exactly once across the twelve boxes.
TEST(ChartCalculation, BodiesAreListedInTheBoxOfTheirSign) {
  const CalculationResult r = CalculateChart(Delhi1975());
  const ChartTexts texts = TextsOf(ChartOf(r));
  // On this date the Sun and a retrograde Mercury stand in Taurus, after them Ketu.
  EXPECT_EQ(texts.chartBoxes[1], "\r\nSun\r\nMercury (R) \r\nKetu");
  int listed = 0;
  for (int k = 0; k < 12; ++k) {
    const std::string& box = texts.chartBoxes[k];
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
  const Chart& s0 = ChartOf(a);
  const Chart& s1 = ChartOf(b);
  EXPECT_EQ(TextsOf(s0).positions, TextsOf(s1).positions);
  EXPECT_EQ(s1.sun.secondsSinceSunrise - s0.sun.secondsSinceSunrise, 42);
}

TEST(ChartCalculation, SunEntryDescribesTheReferenceSunriseAfterward) {
  const CalculationResult r = CalculateChart(Delhi1975());
  const Chart& s = ChartOf(r);
  // Born 102 minutes after sunrise: the Sun has moved a few arcminutes since.
  EXPECT_EQ(s.sun.minutesSinceSunrise, 102);
  EXPECT_NE(TextsOf(s).sunAtSunrise, TextsOf(s).positions[kSun]);
  EXPECT_EQ(TextsOf(s).sunAtSunrise, CompactLongitude(s.sun.sunAtSunriseDeg));
  EXPECT_EQ(s.lagnas.lagnas[kSL].sign, static_cast<int>(s.sun.sunAtSunriseDeg / 30.0));
}

// Every lagna's stored longitude, where it has one, lies in the sign it is marked in.
TEST(ChartCalculation, LagnaLongitudesAgreeWithTheirSigns) {
  for (int hour : {0, 5, 11, 17, 23}) {
    BirthData d = Delhi1975();
    d.hour = hour;
    const CalculationResult r = CalculateChart(d);
    const Chart& s = ChartOf(r);
    for (int id : {kBL, kHL, kGL, kSrL, kVL, kCL, kSL, kAscendantLagna}) {
      ASSERT_TRUE(s.lagnas.lagnas[id].longitudeDeg.has_value()) << id;
      EXPECT_EQ(static_cast<int>(s.lagnas.lagnas[id].longitudeDeg.value_or(0.0) / 30.0), s.lagnas.lagnas[id].sign) << id << " at " << hour;
    }
    EXPECT_EQ(s.lagnas.lagnas[kAscendantLagna].sign, BodySign(s, kAscendantBody));
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
  const Chart& a = ChartOf(fresh);
  const Chart& b = ChartOf(again);
  EXPECT_EQ(TextsOf(a).chartBoxes, TextsOf(b).chartBoxes);
  EXPECT_EQ(TextsOf(a).lagnaBoxes, TextsOf(b).lagnaBoxes);
  EXPECT_EQ(TextsOf(a).bodyNames, TextsOf(b).bodyNames);
  EXPECT_EQ(TextsOf(a).positions, TextsOf(b).positions);
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
