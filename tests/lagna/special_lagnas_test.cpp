#include "lagna/special_lagnas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/lagna/lagna_test_chart.h"

namespace corvane {
namespace {

using testing_support::At;
using testing_support::ChartAt;
using testing_support::In;
using namespace testing_support::signs;

// A chart with the Sun at sunrise at `sun`, the ascendant at `ascendant`, the Moon at
// `moon`, the other bodies in Aries, born `minutes` (and `extraSeconds`) after sunrise.
ChartState SunriseChart(double sun, double ascendant, double moon, int minutes, int extraSeconds = 0) {
  std::array<double, kBodyCount> lon{};
  lon[kSun] = sun;
  lon[kMoon] = moon;
  lon[kAscendantBody] = ascendant;
  ChartState chart = ChartAt(lon);
  chart.MinutesSinceSunrise = minutes;
  chart.SecondsSinceSunrise = minutes * 60LL + extraSeconds;
  return chart;
}

TEST(SunriseLagnas, BirthAtSunriseLeavesGhatiHoraBhavaWithTheSun) {
  ChartState chart = SunriseChart(40.0, In(Vir), In(Lib), 0);
  ComputeSunriseLagnas(chart);
  for (LagnaId id : {kGL, kHL, kBL}) {
    EXPECT_EQ(chart.LagnaSigns[id], Tau) << id;
    EXPECT_DOUBLE_EQ(chart.LagnaLongitudes[id], 40.0) << id;
    EXPECT_TRUE(chart.HasLongitude[id]);
  }
  // Taurus is fixed: Pranapada starts from its 9th, Capricorn, and the Sun's 10 degrees carry.
  EXPECT_EQ(chart.LagnaSigns[kPpL], Cap);
  EXPECT_DOUBLE_EQ(chart.LagnaLongitudes[kPpL], 280.0);
  EXPECT_EQ(chart.PranapadaSignNumber, Cap + 1);
}

TEST(SunriseLagnas, LongitudeOfExactlyThreeSixtyIsAries) {
  // GL: 330 + 1.25 × 24 = 360.
  ChartState chart = SunriseChart(330.0, In(Tau), In(Can), 24);
  chart.LagnaSigns[kGL] = Leo;  // would survive if the lagna were dropped
  GhatiLagna(chart);
  EXPECT_EQ(chart.LagnaSigns[kGL], Ari);
  EXPECT_DOUBLE_EQ(chart.LagnaLongitudes[kGL], 0.0);
  EXPECT_EQ(chart.Results.LagnaBoxTexts[Ari], "\r\nGL");

  // VL: ascendant 35 (even sign) and HL 325 (odd sign) give 360 - |325 - 325| = 360.
  ChartState varnada = SunriseChart(325.0, 35.0, In(Can), 0);
  varnada.LagnaSigns[kVL] = Leo;
  HoraLagna(varnada);
  VarnadaLagna(varnada);
  EXPECT_EQ(varnada.LagnaSigns[kVL], Ari);
  EXPECT_DOUBLE_EQ(varnada.LagnaLongitudes[kVL], 0.0);
  EXPECT_EQ(varnada.Results.LagnaBoxTexts[Ari], "\r\nVL");
  EXPECT_DOUBLE_EQ(ReduceLongitude(720.0), 0.0);
  EXPECT_DOUBLE_EQ(ReduceLongitude(-30.0), 330.0);
}

TEST(SunriseLagnas, MissingSunPositionLeavesTheLagnasUnplaced) {
  ChartState chart = SunriseChart(0.0, 35.0, In(Can), 30);
  chart.SunriseSunLongitude = std::nan("");
  chart.AscendantLongitude = std::nan("");
  ComputeSunriseLagnas(chart);
  for (LagnaId id : {kGL, kHL, kBL, kVL, kSrL}) EXPECT_FALSE(chart.HasLongitude[id]) << id;
  EXPECT_EQ(chart.HoraHouse, 0);
  // The lagnas read from the texts are still placed.
  EXPECT_EQ(chart.LagnaSigns[kCL], Can);
  EXPECT_TRUE(chart.HasLongitude[kPpL]);
}

TEST(SunriseLagnas, HousesOfHoraAndPranapadaCountFromTheAscendant) {
  // Sun 10 Cancer at the moment of birth: HL and PpL (movable Sun) both fall in Cancer.
  for (const auto& [rising, house] : {std::pair{Can, 1}, std::pair{Leo, 12}}) {
    ChartState chart = SunriseChart(100.0, In(rising), In(Ari), 0);
    ComputeSunriseLagnas(chart);
    EXPECT_EQ(chart.HoraHouse, house);
    EXPECT_EQ(chart.PranapadaHouse, house);
  }
  EXPECT_EQ(HouseFromAscendant(Pis + 1, Ari + 1), 12);
  EXPECT_EQ(HouseFromAscendant(Ari + 1, Pis + 1), 2);
  EXPECT_EQ(HouseFromAscendant(Lib + 1, Ari + 1), 7);
}

TEST(InduLagna, CountsTheKalaRemainderFromTheAscendant) {
  // Moon Leo (6) + Sagittarius rising (30): remainder 0, the 12th from Sagittarius. Moon Cancer
  // (10) + Aries rising (10): remainder 8. Moon Scorpio (16) + Taurus rising (1): remainder 5.
  struct Case { int ascendant, moon, indu; };
  for (const Case c : {Case{Sag, Leo, Sco}, Case{Ari, Can, Sco}, Case{Tau, Sco, Vir}}) {
    ChartState chart = SunriseChart(0.0, In(c.ascendant), In(c.moon), 0);
    InduLagna(chart);
    EXPECT_EQ(chart.LagnaSigns[kIL], c.indu) << c.ascendant;
    EXPECT_EQ(chart.Results.LagnaBoxTexts[static_cast<std::size_t>(c.indu)], "\r\nIL");
  }
}

TEST(VarnadaLagna, CombinesAscendantAndHoraInWholeDegrees) {
  // Ascendant 35 (even): 325; HL 20 (odd): 20; 360 - (325 - 20) = 55. Both odd: 65 + 136 = 201.
  // Both even past 360: 325 + 210 - 360 = 175, then 185.
  struct Case { double sun, ascendant, varnada; int sign; };
  for (const Case c : {Case{20.0, 35.0, 55.0, Tau}, Case{136.7, 65.9, 201.0, Lib}, Case{150.0, 35.0, 185.0, Lib}}) {
    ChartState chart = SunriseChart(c.sun, c.ascendant, In(Can), 0);
    HoraLagna(chart);
    VarnadaLagna(chart);
    EXPECT_DOUBLE_EQ(chart.LagnaLongitudes[kVL], c.varnada) << c.ascendant;
    EXPECT_EQ(chart.LagnaSigns[kVL], c.sign) << c.ascendant;
  }
}

TEST(MoonAndSunLagnas, ReadTheBodyEntries) {
  ChartState chart = SunriseChart(In(Tau), In(Ari), In(Aqu), 0);
  // After the sunrise pass the Sun's entry describes the reference sunrise, not the birth.
  chart.ChartBodyPositions[kSun] = At(In(Gem));
  chart.Results.PositionTexts[kSun] = At(In(Tau));
  ChandraLagna(chart);
  SuryaLagna(chart);
  EXPECT_EQ(chart.LagnaSigns[kCL], Aqu);
  EXPECT_EQ(chart.LagnaSigns[kSL], Gem);
  EXPECT_EQ(chart.Results.LagnaBoxTexts[Aqu], "\r\nCL");
  EXPECT_EQ(chart.Results.LagnaBoxTexts[Gem], "\r\nSL");
}

TEST(SreeLagna, AdvancesTheAscendantByTheNakshatraFraction) {
  ChartState chart = SunriseChart(0.0, 35.17, 100.0, 0);
  chart.MoonNakshatraStart = 93.31;
  SreeLagna(chart);
  EXPECT_NEAR(chart.LagnaLongitudes[kSrL], 215.8, 1e-9);
  EXPECT_EQ(chart.LagnaSigns[kSrL], Sco);
  // Past a whole circle: 350 + half a nakshatra (180 degrees) = 170.
  ChartState wrap = SunriseChart(0.0, 350.0, 100.0, 0);
  wrap.MoonNakshatraStart = 100.0 - 20.0 / 3.0;
  SreeLagna(wrap);
  EXPECT_NEAR(wrap.LagnaLongitudes[kSrL], 170.0, 1e-9);
}

TEST(Vighati2Degree, SplitsSignsIntoDegreesMinutesSecondsAndWholeSigns) {
  auto parts = [](double x) {
    const VighatiDegrees v = Vighati2Degree(x);
    return std::array<long long, 4>{v.degrees, v.minutes, v.seconds, v.wholeSigns};
  };
  EXPECT_EQ(parts(20.5), (std::array<long long, 4>{15, 0, 0, 20}));
  // 2 25/32 signs: 23.4375 degrees = 23 degrees 26 minutes 15 seconds, either sign.
  EXPECT_EQ(parts(2.78125), (std::array<long long, 4>{23, 26, 15, 2}));
  EXPECT_EQ(parts(-2.78125), (std::array<long long, 4>{23, 26, 15, 2}));
}

TEST(PranapadaLagna, AdvancesOneSignPerFifteenVighatis) {
  // 2 h 3 min = 20.5 signs from a movable Sun at 0 Aries: 20 whole signs (Sagittarius),
  // 15 degrees into the sign.
  ChartState chart = SunriseChart(0.0, In(Ari), In(Can), 123);
  PranapadaLagna(chart);
  EXPECT_EQ(chart.LagnaSigns[kPpL], Sag);
  EXPECT_DOUBLE_EQ(chart.LagnaLongitudes[kPpL], 255.0);
  EXPECT_EQ(chart.PranapadaHouse, 9);

  // Degrees and minutes carry into the next sign: dual Sun at 25 Gem 50 (base Libra) with
  // 0.25 signs (90 seconds since sunrise, 7 degrees 30 minutes) gives 33 degrees 20 minutes
  // past Libra's start: 3 degrees 20 minutes Scorpio.
  ChartState carry = SunriseChart(85.84, In(Ari), In(Can), 1, 30);
  ASSERT_EQ(carry.SunriseSunText, "25 Gem 50");
  PranapadaLagna(carry);
  EXPECT_EQ(carry.LagnaSigns[kPpL], Sco);
  EXPECT_NEAR(carry.LagnaLongitudes[kPpL], 213.0 + 20.0 / 60.0, 1e-9);

  ChartState unreadable = SunriseChart(0.0, In(Ari), In(Can), 10);
  unreadable.SunriseSunText = "";
  PranapadaLagna(unreadable);
  EXPECT_FALSE(unreadable.HasLongitude[kPpL]);
  for (const std::string& box : unreadable.Results.LagnaBoxTexts) EXPECT_TRUE(box.empty());
}

// Births every 10 minutes from one sunrise to just before the next, each with the sunrise
// and sunset of its own calendar date. Between sunrises the reference stays the same, so
// GL, HL and BL must move forward by a constant step all through the night.
TEST(SunriseLagnas, AdvanceSteadilyThroughADayAndANight) {
  const CivilDateTime firstSunrise{2024, 3, 10, 6, 0, 0};
  const auto sunOn = [&](const CivilDateTime& sunrise) {
    return 340.0 + static_cast<double>(DaysFromCivil(sunrise.year, sunrise.month, sunrise.day) -
                                       DaysFromCivil(2024, 3, 10));
  };
  std::array<double, 3> previous{};
  for (int step = 0; step < 144; ++step) {
    const CivilDateTime birth = AddMinutes(firstSunrise, step * 10);
    const CivilDateTime day{birth.year, birth.month, birth.day, 6, 0, 0};
    ChartState chart = SunriseChart(0.0, In(Tau), In(Can), 0);
    chart.BirthMoment = birth;
    chart.SunriseBirthDay = day;
    chart.SunsetBirthDay = AddMinutes(day, 12 * 60);
    chart.SunrisePrevious = AddDays(day, -1);
    chart.SunriseNext = AddDays(day, 1);
    ChooseReferenceSunrise(chart);
    ASSERT_EQ(chart.ReferenceSunrise, firstSunrise) << step;
    // The sunrise pass of the planet step: the Sun as it stood at the reference sunrise.
    chart.SunriseSunLongitude = sunOn(chart.ReferenceSunrise);
    chart.SunriseSunText = At(chart.SunriseSunLongitude);
    chart.ChartBodyPositions[kSun] = chart.SunriseSunText;
    ComputeSunriseLagnas(chart);

    const std::array<double, 3> now = {chart.LagnaLongitudes[kGL], chart.LagnaLongitudes[kHL],
                                       chart.LagnaLongitudes[kBL]};
    const std::array<double, 3> rate = {12.5, 5.0, 2.5};
    if (step > 0) {
      for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(ReduceLongitude(now[i] - previous[i]), rate[i], 1e-9) << "lagna " << i << " at step " << step;
      }
    }
    previous = now;
  }
}

// Taurus rising, 7:33 birth 123 minutes after a 5:30 sunrise with the Sun at 15 Gemini.
TEST(SpecialLagnas, CompleteChartFillsTheLagnaListsInOrder) {
  std::array<double, kBodyCount> lon = {75.0, 100.0, 92.0, 102.0, 28.0, 333.0, 319.0, 247.0, 67.0, 35.17};
  ChartState chart = ChartAt(lon);
  chart.ChartBodyNames[kMercury] = "Mercury (R) ";
  chart.MoonNakshatraStart = 93.31;
  chart.BirthMoment = {1975, 6, 10, 7, 33, 0};
  chart.SunrisePrevious = {1975, 6, 9, 5, 30, 0};
  chart.SunriseBirthDay = {1975, 6, 10, 5, 30, 0};
  chart.SunsetBirthDay = {1975, 6, 10, 19, 15, 0};
  chart.SunriseNext = {1975, 6, 11, 5, 30, 0};

  ASSERT_TRUE(CalculateArudhaPadas(chart));
  ChooseReferenceSunrise(chart);
  ASSERT_EQ(chart.MinutesSinceSunrise, 123);
  ComputeSunriseLagnas(chart);

  // Bare line breaks are the padas of houses 2 to 11 (Aries 3 and 4, Taurus 5, Leo 2, Virgo 7,
  // Scorpio 10, Sagittarius 11, Capricorn 6, Pisces 8 and 9).
  const std::array<std::string, 12> expected = {
      "\r\n\r\n", "\r\n", "\r\nSL", "\r\nPL\r\nBL\r\nCL\r\nPpL", "\r\n\r\nHL", "\r\nAL\r\n\r\nVL", "",
      "\r\n\r\nGL\r\nSrL", "\r\n", "\r\n\r\nUL", "", "\r\n\r\n\r\nIL"};
  EXPECT_EQ(chart.Results.LagnaBoxTexts, expected);

  const std::array<int, kLagnaCount> signs = {Vir, Can, Leo, Sco, Sco, Pis, Can, Cap, Can, Vir, Can, Gem, Tau};
  EXPECT_EQ(chart.LagnaSigns, signs);
  EXPECT_EQ(chart.HoraHouse, 4);
  EXPECT_EQ(chart.PranapadaHouse, 3);
  EXPECT_EQ(chart.ArudhaPadaSigns[0], Vir);
  EXPECT_EQ(chart.ArudhaPadaSigns[11], Cap);
}

}  // namespace
}  // namespace corvane
