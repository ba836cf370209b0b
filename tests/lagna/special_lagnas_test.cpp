#include "lagna/special_lagnas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "lagna/reference_sunrise.h"
#include "tests/lagna/lagna_test_chart.h"

namespace corvane {
namespace {

using testing_support::In;
using namespace testing_support::signs;

// Inputs with the Sun at sunrise at `sun`, the ascendant at `ascendant`, the Moon at `moon`,
// the other bodies in Aries, born `minutes` (and `extraSeconds`) after sunrise.
LagnaInputs SunriseInputs(double sun, double ascendant, double moon, int minutes, int extraSeconds = 0) {
  LagnaInputs in;
  in.birthDeg[kSun] = sun;
  in.birthDeg[kMoon] = moon;
  in.birthDeg[kAscendantBody] = ascendant;
  in.sunAtSunriseDeg = sun;
  in.minutesSinceSunrise = minutes;
  in.secondsSinceSunrise = minutes * 60LL + extraSeconds;
  return in;
}

double LongitudeOf(const LagnaChart& chart, LagnaId id) { return chart.lagnas[id].longitudeDeg.value_or(-1.0); }

TEST(SunriseLagnas, BirthAtSunriseLeavesGhatiHoraBhavaWithTheSun) {
  const LagnaChart chart = ComputeLagnas(SunriseInputs(40.0, In(Vir), In(Lib), 0));
  for (LagnaId id : {kGL, kHL, kBL}) {
    EXPECT_EQ(chart.lagnas[id].sign, Tau) << id;
    EXPECT_DOUBLE_EQ(LongitudeOf(chart, id), 40.0) << id;
  }
  // Taurus is fixed: Pranapada starts from its 9th, Capricorn, and the Sun's 10 degrees carry.
  EXPECT_EQ(chart.lagnas[kPpL].sign, Cap);
  EXPECT_DOUBLE_EQ(LongitudeOf(chart, kPpL), 280.0);
}

TEST(SunriseLagnas, LongitudeOfExactlyThreeSixtyIsAries) {
  // GL: 330 + 1.25 × 24 = 360.
  const LagnaChart chart = ComputeLagnas(SunriseInputs(330.0, In(Tau), In(Can), 24));
  EXPECT_TRUE(chart.lagnas[kGL].placed);
  EXPECT_EQ(chart.lagnas[kGL].sign, Ari);
  EXPECT_DOUBLE_EQ(LongitudeOf(chart, kGL), 0.0);

  // VL: ascendant 35 (even sign) and HL 325 (odd sign) give 360 - |325 - 325| = 360.
  const LagnaChart varnada = ComputeLagnas(SunriseInputs(325.0, 35.0, In(Can), 0));
  EXPECT_EQ(varnada.lagnas[kVL].sign, Ari);
  EXPECT_DOUBLE_EQ(LongitudeOf(varnada, kVL), 0.0);
  EXPECT_DOUBLE_EQ(ReduceLongitude(720.0), 0.0);
  EXPECT_DOUBLE_EQ(ReduceLongitude(-30.0), 330.0);
}

TEST(SunriseLagnas, MissingSunPositionLeavesTheLagnasUnplaced) {
  LagnaInputs in = SunriseInputs(0.0, 35.0, In(Can), 30);
  in.sunAtSunriseDeg = std::nan("");
  in.birthDeg[kAscendantBody] = std::nan("");
  const LagnaChart chart = ComputeLagnas(in);
  for (LagnaId id : {kGL, kHL, kBL, kVL, kSrL, kPpL, kSL, kAL, kUL, kAscendantLagna})
    EXPECT_FALSE(chart.lagnas[id].placed) << id;
  EXPECT_EQ(chart.horaHouse, 0);
  EXPECT_EQ(chart.pranapadaHouse, 0);
  // The Moon's own lagna is still placed.
  EXPECT_EQ(chart.lagnas[kCL].sign, Can);
}

TEST(SunriseLagnas, HousesOfHoraAndPranapadaCountFromTheAscendant) {
  // Sun 10 Cancer at the moment of birth: HL and PpL (movable Sun) both fall in Cancer.
  for (const auto& [rising, house] : {std::pair{Can, 1}, std::pair{Leo, 12}}) {
    const LagnaChart chart = ComputeLagnas(SunriseInputs(100.0, In(rising), In(Ari), 0));
    EXPECT_EQ(chart.horaHouse, house);
    EXPECT_EQ(chart.pranapadaHouse, house);
  }
  EXPECT_EQ(HouseFromAscendant(Pis + 1, Ari + 1), 12);
  EXPECT_EQ(HouseFromAscendant(Ari + 1, Pis + 1), 2);
  EXPECT_EQ(HouseFromAscendant(Lib + 1, Ari + 1), 7);
}

TEST(InduLagna, CountsTheKalaRemainderFromTheAscendant) {
  // Moon Leo (6) + Sagittarius rising (30): remainder 0, the 12th from Sagittarius. Moon Cancer
  // (10) + Aries rising (10): remainder 8. Moon Scorpio (16) + Taurus rising (1): remainder 5.
  // Aquarius rising (9th Libra: Venus, 10) + Moon Leo (9th Aries: Mars, 6): remainder 4, Taurus.
  // Pisces rising (9th Scorpio: Mars, 6) + Moon Cancer (9th Pisces: Jupiter, 10): 4, Gemini.
  struct Case { int ascendant, moon, indu; };
  for (const Case c : {Case{Sag, Leo, Sco}, Case{Ari, Can, Sco}, Case{Tau, Sco, Vir}, Case{Aqu, Leo, Tau},
                       Case{Pis, Can, Gem}}) {
    const LagnaChart chart = ComputeLagnas(SunriseInputs(0.0, In(c.ascendant), In(c.moon), 0));
    EXPECT_EQ(chart.lagnas[kIL].sign, c.indu) << c.ascendant;
  }
}

TEST(VarnadaLagna, CombinesAscendantAndHoraInWholeDegrees) {
  // Ascendant 35 (even): 325; HL 20 (odd): 20; 360 - (325 - 20) = 55. Both odd: 65 + 136 = 201.
  // Both even past 360: 325 + 210 - 360 = 175, then 185.
  struct Case { double sun, ascendant, varnada; int sign; };
  for (const Case c : {Case{20.0, 35.0, 55.0, Tau}, Case{136.7, 65.9, 201.0, Lib}, Case{150.0, 35.0, 185.0, Lib}}) {
    const LagnaChart chart = ComputeLagnas(SunriseInputs(c.sun, c.ascendant, In(Can), 0));
    EXPECT_DOUBLE_EQ(LongitudeOf(chart, kVL), c.varnada) << c.ascendant;
    EXPECT_EQ(chart.lagnas[kVL].sign, c.sign) << c.ascendant;
  }
}

TEST(MoonAndSunLagnas, ReadTheBodyEntries) {
  // The Surya lagna follows the Sun at the reference sunrise, not at birth.
  LagnaInputs in = SunriseInputs(In(Tau), In(Ari), In(Aqu), 0);
  in.sunAtSunriseDeg = In(Gem);
  const LagnaChart chart = ComputeLagnas(in);
  EXPECT_EQ(chart.lagnas[kCL].sign, Aqu);
  EXPECT_EQ(chart.lagnas[kSL].sign, Gem);
  EXPECT_DOUBLE_EQ(LongitudeOf(chart, kSL), In(Gem));
}

TEST(SreeLagna, AdvancesTheAscendantByTheNakshatraFraction) {
  LagnaInputs in = SunriseInputs(0.0, 35.17, 100.0, 0);
  in.moonNakshatraStartDeg = 93.31;
  const LagnaChart chart = ComputeLagnas(in);
  EXPECT_NEAR(LongitudeOf(chart, kSrL), 215.8, 1e-9);
  EXPECT_EQ(chart.lagnas[kSrL].sign, Sco);
  // Past a whole circle: 350 + half a nakshatra (180 degrees) = 170.
  LagnaInputs wrap = SunriseInputs(0.0, 350.0, 100.0, 0);
  wrap.moonNakshatraStartDeg = 100.0 - 20.0 / 3.0;
  EXPECT_NEAR(LongitudeOf(ComputeLagnas(wrap), kSrL), 170.0, 1e-9);
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
  const LagnaChart chart = ComputeLagnas(SunriseInputs(0.0, In(Ari), In(Can), 123));
  EXPECT_EQ(chart.lagnas[kPpL].sign, Sag);
  EXPECT_DOUBLE_EQ(LongitudeOf(chart, kPpL), 255.0);
  EXPECT_EQ(chart.pranapadaHouse, 9);

  // Degrees and minutes carry into the next sign: dual Sun at 25 Gem 50 (base Libra) with
  // 0.25 signs (90 seconds since sunrise, 7 degrees 30 minutes) gives 33 degrees 20 minutes
  // past Libra's start: 3 degrees 20 minutes Scorpio.
  // 85.84 degrees is 25 degrees 50.4 minutes of Gemini.
  const LagnaChart carry = ComputeLagnas(SunriseInputs(85.84, In(Ari), In(Can), 1, 30));
  EXPECT_EQ(carry.lagnas[kPpL].sign, Sco);
  EXPECT_NEAR(LongitudeOf(carry, kPpL), 213.0 + 20.0 / 60.0, 1e-9);
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
    const ReferenceSunrise reference = ChooseReferenceSunrise(birth, day, AddDays(day, -1));
    ASSERT_EQ(reference.sunrise, firstSunrise) << step;
    // The Sun as it stood at the reference sunrise.
    LagnaInputs in = SunriseInputs(sunOn(reference.sunrise), In(Tau), In(Can), 0);
    in.minutesSinceSunrise = reference.minutesSince;
    in.secondsSinceSunrise = reference.secondsSince;
    const LagnaChart chart = ComputeLagnas(in);

    const std::array<double, 3> now = {LongitudeOf(chart, kGL), LongitudeOf(chart, kHL), LongitudeOf(chart, kBL)};
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
TEST(SpecialLagnas, CompleteChartPlacesEveryEntry) {
  LagnaInputs in;
  in.birthDeg = {75.0, 100.0, 92.0, 102.0, 28.0, 333.0, 319.0, 247.0, 67.0, 35.17};
  in.sunAtSunriseDeg = 75.0;
  in.moonNakshatraStartDeg = 93.31;
  const ReferenceSunrise reference =
      ChooseReferenceSunrise({1975, 6, 10, 7, 33, 0}, {1975, 6, 10, 5, 30, 0}, {1975, 6, 9, 5, 30, 0});
  ASSERT_EQ(reference.minutesSince, 123);
  in.minutesSinceSunrise = reference.minutesSince;
  in.secondsSinceSunrise = reference.secondsSince;
  const LagnaChart chart = ComputeLagnas(in);

  const std::array<int, kLagnaCount> signs = {Vir, Can, Leo, Sco, Sco, Pis, Can, Cap, Can, Vir, Can, Gem, Tau};
  for (int l = 0; l < kLagnaCount; ++l) {
    EXPECT_TRUE(chart.lagnas[l].placed) << l;
    EXPECT_EQ(chart.lagnas[l].sign, signs[l]) << l;
  }
  EXPECT_EQ(chart.horaHouse, 4);
  EXPECT_EQ(chart.pranapadaHouse, 3);
  // Padas of houses 1 to 12 (house 1 is AL, house 12 UL).
  const std::array<int, 12> padas = {Vir, Leo, Ari, Ari, Tau, Cap, Vir, Pis, Pis, Sco, Sag, Cap};
  EXPECT_EQ(chart.padas.padaSign, padas);

}

}  // namespace
}  // namespace corvane
