// The conventions behind the lagnas, one by one, on births worked by hand from the classical
// rules: the Varnada lagna counted in signs, the Pranapada lagna from the Sun at birth, the
// Jaimini lords of Scorpio and Aquarius, the exact nakshatra starts and the time since an
// unrounded sunrise.
#include <gtest/gtest.h>

#include "astro/moon.h"
#include "lagna/sign_lords.h"
#include "lagna/special_lagnas.h"
#include "tests/lagna/lagna_test_chart.h"

namespace corvane {
namespace {

using testing_support::In;
using namespace testing_support::signs;

// A birth at sunrise (no time elapsed), so that the Hora lagna stands on the Sun at sunrise;
// every body other than those given sits in the middle of Aries.
LagnaInputs AtSunrise(double sun, double ascendant) {
  LagnaInputs in;
  for (double& b : in.birthDeg) b = In(Ari);
  in.birthDeg[kSun] = sun;
  in.birthDeg[kAscendantBody] = ascendant;
  in.sunAtSunriseDeg = sun;
  return in;
}

// Varnada lagna in signs. An odd sign counts from Aries, an even one backwards from Pisces
// (both inclusively); same parity adds, different parity takes the difference; the result is
// counted from Aries for an odd ascendant, backwards from Pisces for an even one.
TEST(VarnadaInSigns, FollowsTheClassicalCount) {
  const struct {
    int ascendant, hora, varnada;
    const char* working;
  } cases[] = {
      {Ari, Gem, Can, "1 + 3 = 4; 4th from Aries"},
      {Tau, Can, Leo, "Taurus 11, Cancer 9 from Pisces; 20 = 8; 8th back from Pisces"},
      {Leo, Cap, Tau, "Leo 5, Capricorn 3; 5 - 3 = 2; 2nd from Aries"},
      {Vir, Sag, Aqu, "Virgo 7, Sagittarius 9; 2; 2nd back from Pisces"},
      {Ari, Pis, Pis, "Aries 1, Pisces 1; 0 counts as 12; 12th from Aries"},
      {Pis, Aqu, Gem, "Pisces 1, Aquarius 11; 10; 10th back from Pisces"},
      {Sag, Sag, Vir, "9 + 9 = 18 = 6; 6th from Aries"},
  };
  for (const auto& c : cases) {
    LagnaInputs in = AtSunrise(In(c.hora), In(c.ascendant));
    in.varnada = VarnadaCount::kSigns;
    const LagnaChart chart = ComputeLagnas(in);
    ASSERT_EQ(chart.lagnas[kHL].sign, c.hora);
    EXPECT_TRUE(chart.lagnas[kVL].placed) << c.working;
    EXPECT_EQ(chart.lagnas[kVL].sign, c.varnada) << c.working;
    EXPECT_FALSE(chart.lagnas[kVL].longitudeDeg.has_value()) << c.working;
  }
  // The degree count of the first case: 15 + 75 = 90, the first point of Cancer too; of the
  // third: Leo 135, Capricorn 285 counted back from 360 is 75; 135 - 75 = 60, Gemini.
  LagnaInputs degrees = AtSunrise(In(Cap), In(Leo));
  EXPECT_EQ(ComputeLagnas(degrees).lagnas[kVL].sign, Gem);
}

// Pranapada lagna: born 17 hours after sunrise, 17 x 150 vighatis / 15 = 170 signs. Sun at
// sunrise 29 Ari 45 (movable: counted from its own sign): 170 = 14 x 12 + 2 signs on from
// Aries is Gemini, 29 deg 45. Sun at birth 0 Tau 30 (fixed: from its 9th, Capricorn):
// Capricorn + 2 signs = Pisces, 0 deg 30.
TEST(PranapadaSun, TheSunAtBirthChangesTheBase) {
  LagnaInputs in = AtSunrise(29.75, In(Leo));
  in.birthDeg[kSun] = 30.5;
  in.minutesSinceSunrise = 1020;
  in.secondsSinceSunrise = 61200;
  const LagnaChart atSunrise = ComputeLagnas(in);
  EXPECT_EQ(atSunrise.lagnas[kPpL].sign, Gem);
  EXPECT_NEAR(*atSunrise.lagnas[kPpL].longitudeDeg, 89.75, 1e-9);
  in.pranapadaSun = PranapadaSun::kAtBirth;
  const LagnaChart atBirth = ComputeLagnas(in);
  EXPECT_EQ(atBirth.lagnas[kPpL].sign, Pis);
  EXPECT_NEAR(*atBirth.lagnas[kPpL].longitudeDeg, 330.5, 1e-9);
  EXPECT_EQ(atBirth.pranapadaHouse, 8);  // Pisces from a Leo ascendant
  // The Surya lagna stays with the Sun at sunrise.
  EXPECT_EQ(atBirth.lagnas[kSL].sign, Ari);
}

// Surya lagna: the same birth, Sun 29 Ari 45 at sunrise and 0 Tau 30 at birth. The Surya Sun
// moves SL alone, from Aries at 29.75 to Taurus at 30.5; the Pranapada Sun stays at sunrise.
TEST(SuryaSun, TheSunAtBirthGivesTheSignItOccupies) {
  LagnaInputs in = AtSunrise(29.75, In(Leo));
  in.birthDeg[kSun] = 30.5;
  in.minutesSinceSunrise = 1020;
  in.secondsSinceSunrise = 61200;
  const LagnaChart atSunrise = ComputeLagnas(in);
  in.suryaSun = SuryaSun::kAtBirth;
  const LagnaChart atBirth = ComputeLagnas(in);
  EXPECT_EQ(atSunrise.lagnas[kSL].sign, Ari);
  EXPECT_NEAR(*atSunrise.lagnas[kSL].longitudeDeg, 29.75, 1e-9);
  EXPECT_EQ(atBirth.lagnas[kSL].sign, Tau);
  EXPECT_NEAR(*atBirth.lagnas[kSL].longitudeDeg, 30.5, 1e-9);
  for (int l = 0; l < kLagnaCount; ++l) {
    const auto i = static_cast<std::size_t>(l);
    if (l != kSL) {
      EXPECT_EQ(atBirth.lagnas[i].sign, atSunrise.lagnas[i].sign) << kLagnaKeys[i];
    }
  }
  EXPECT_EQ(atBirth.lagnas[kPpL].sign, Gem);  // still from the Sun at sunrise
}

// Jaimini sign aspects: movable signs aspect the fixed signs but the next, fixed signs the
// movable signs but the one before, dual signs the other dual signs.
TEST(JaiminiLords, SignAspects) {
  const struct {
    int from;
    int aspected[3];
  } rows[] = {
      {Ari, {Leo, Sco, Aqu}}, {Tau, {Can, Lib, Cap}}, {Gem, {Vir, Sag, Pis}}, {Can, {Sco, Aqu, Tau}},
      {Sco, {Can, Cap, Ari}}, {Aqu, {Ari, Can, Lib}}, {Pis, {Gem, Vir, Sag}}, {Cap, {Tau, Leo, Sco}},
  };
  for (const auto& r : rows) {
    int count = 0;
    for (int to = 0; to < 12; ++to) count += SignAspects(r.from, to);
    EXPECT_EQ(count, 3) << r.from;
    for (int to : r.aspected) EXPECT_TRUE(SignAspects(r.from, to)) << r.from << " " << to;
  }
}

// Every body in the middle of a sign given per body.
PerBody<int> Signs(std::initializer_list<std::pair<BodyIndex, int>> placed, int rest) {
  PerBody<int> s{};
  s.fill(rest);
  for (const auto& [b, sign] : placed) s[b] = sign;
  return s;
}

PerBody<double> Middles(const PerBody<int>& signs) {
  PerBody<double> d{};
  for (int b = 0; b < kBodyCount; ++b) d[b] = In(signs[b]);
  return d;
}

TEST(JaiminiLords, StrongerOfTwoLordsByTheRulesInOrder) {
  // Rule 1: Saturn in Leo with the Sun and the Moon; Rahu alone in Gemini.
  PerBody<int> s = Signs({{kSaturn, Leo}, {kSun, Leo}, {kMoon, Leo}, {kRahu, Gem}, {kKetu, Sag}}, Ari);
  EXPECT_EQ(StrongerCoLord(Aqu, kSaturn, kRahu, s, Middles(s)), kSaturn);
  // Rule 1 the other way: Rahu with Jupiter in Pisces, Saturn alone in Taurus.
  s = Signs({{kSaturn, Tau}, {kRahu, Pis}, {kJupiter, Pis}, {kKetu, Vir}}, Ari);
  EXPECT_EQ(StrongerCoLord(Aqu, kSaturn, kRahu, s, Middles(s)), kRahu);
  // Rule 2: both alone. Rahu in Virgo is aspected by Jupiter in Pisces (dual to dual); Saturn
  // in Taurus has Venus, Mercury and the rest in Aries, the sign next to it (no aspect).
  s = Signs({{kSaturn, Tau}, {kRahu, Vir}, {kKetu, Pis}, {kJupiter, Pis}}, Ari);
  EXPECT_EQ(StrongerCoLord(Aqu, kSaturn, kRahu, s, Middles(s)), kRahu);
  // Rule 2: Mars alone in Cancer is aspected by its dispositor the Moon from Scorpio and by
  // Jupiter from Taurus (fixed to movable, not the sign before); Ketu alone in Gemini has
  // Mercury in Aries (movable: it aspects fixed signs only) and Jupiter in Taurus (fixed:
  // movable signs only): Mars, 2 to 0.
  s = Signs({{kMars, Can}, {kMoon, Sco}, {kKetu, Gem}, {kRahu, Sag}, {kJupiter, Tau}}, Ari);
  EXPECT_EQ(StrongerCoLord(Sco, kMars, kKetu, s, Middles(s)), kMars);
  // Rule 5: both alone and unaspected, neither exalted, both in fixed signs (the others in
  // Pisces, which aspects only the dual signs). Saturn 10 degrees into Taurus; Rahu 25
  // degrees into Leo has gone through 5 (a node moves backwards): Saturn. Rahu at 5 degrees
  // has gone through 25: Rahu.
  s = Signs({{kSaturn, Tau}, {kRahu, Leo}, {kKetu, Aqu}}, Pis);
  PerBody<double> d = Middles(s);
  d[kSaturn] = 40.0;
  d[kRahu] = 145.0;
  d[kKetu] = 325.0;
  EXPECT_EQ(StrongerCoLord(Aqu, kSaturn, kRahu, s, d), kSaturn);
  d[kRahu] = 125.0;
  d[kKetu] = 305.0;
  EXPECT_EQ(StrongerCoLord(Aqu, kSaturn, kRahu, s, d), kRahu);
  // Only Scorpio and Aquarius change.
  const std::array<BodyIndex, 12> lords = SignLordsOf(SignLords::kJaimini, s, d);
  for (int sign = 0; sign < 12; ++sign)
    if (sign != Sco && sign != Aqu) {
      EXPECT_EQ(lords[sign], kSingleSignLords[sign]) << sign;
    }
  EXPECT_EQ(lords[Aqu], kRahu);
  EXPECT_EQ(SignLordsOf(SignLords::kSingle, s, d), kSingleSignLords);
}

// The rules added before and inside the count, each on a birth worked by hand where every
// earlier rule ties.
TEST(JaiminiLords, OwnSignExaltationAndSignNature) {
  const struct {
    int ruled;
    BodyIndex planet, node;
    PerBody<int> signs;
    BodyIndex stronger;
    const char* working;
  } cases[] = {
      // First rule: Mars in Scorpio itself with the Sun and the Moon (rule 1 would pick Mars,
      // 2 companions to none), Ketu alone in Taurus: the rulership goes to Ketu.
      {Sco, kMars, kKetu, Signs({{kMars, Sco}, {kSun, Sco}, {kMoon, Sco}, {kKetu, Tau}, {kRahu, Sco}}, Pis), kKetu,
       "Mars in Scorpio: take Ketu"},
      // The same with Rahu in Aquarius beside Saturn's Libra: Saturn.
      {Aqu, kSaturn, kRahu, Signs({{kSaturn, Lib}, {kRahu, Aqu}, {kKetu, Leo}}, Pis), kSaturn,
       "Rahu in Aquarius: take Saturn"},
      // Rule 3: Mars alone in Virgo, Ketu alone in Sagittarius (exalted); the rest in Cancer:
      // Cancer (movable) aspects Scorpio, Aquarius and Taurus only, so neither is aspected; Mars'
      // dispositor Mercury and Ketu's Jupiter stand in Cancer. Both in dual signs, so rule 4
      // ties; Mars further advanced would win rule 5: Ketu by exaltation.
      {Sco, kMars, kKetu, Signs({{kMars, Vir}, {kKetu, Sag}, {kRahu, Gem}}, Can), kKetu, "Ketu exalted"},
      // Rule 3 the other way: Saturn exalted in Libra, Rahu alone in Capricorn, the rest in
      // Pisces (aspects the dual signs only); Libra and Capricorn both movable.
      {Aqu, kSaturn, kRahu, Signs({{kSaturn, Lib}, {kRahu, Cap}, {kKetu, Can}}, Pis), kSaturn, "Saturn exalted"},
      // Rule 4: Rahu alone in Virgo (dual), Saturn alone in Taurus (fixed), the rest in Leo:
      // Leo (fixed) aspects Libra, Capricorn and Aries, neither lord; Ketu in Pisces. Rahu.
      {Aqu, kSaturn, kRahu, Signs({{kSaturn, Tau}, {kRahu, Vir}, {kKetu, Pis}}, Leo), kRahu, "dual over fixed"},
      // Rule 4: Mars alone in Leo (fixed) against Ketu alone in Cancer (movable), the rest in
      // Pisces: Mars.
      {Sco, kMars, kKetu, Signs({{kMars, Leo}, {kKetu, Can}, {kRahu, Cap}}, Pis), kMars, "fixed over movable"},
  };
  for (const auto& c : cases) {
    PerBody<double> d = Middles(c.signs);
    // Rule 5 would give the other lord: the planet 10 degrees further on or back from the middle.
    d[c.planet] += c.stronger == c.node ? 10.0 : -10.0;
    EXPECT_EQ(StrongerCoLord(c.ruled, c.planet, c.node, c.signs, d), c.stronger) << c.working;
  }
}

// Scorpio rising; Mars alone in Gemini, Ketu in Capricorn with the Moon (Rahu in Cancer).
// Single lord: Mars in the 8th from Scorpio, the 8th from Gemini is Capricorn: AL Capricorn,
// PL Gemini. Jaimini: Ketu has a companion, Mars none; Ketu in the 3rd, the 3rd from
// Capricorn is Pisces: AL Pisces, PL Capricorn.
TEST(JaiminiLords, ArudhaAndPakaLagnasCountToTheStrongerLord) {
  LagnaInputs in = AtSunrise(In(Ari), In(Sco));
  in.birthDeg[kMars] = In(Gem);
  in.birthDeg[kKetu] = In(Cap);
  in.birthDeg[kMoon] = In(Cap);
  in.birthDeg[kRahu] = In(Can);
  const LagnaChart single = ComputeLagnas(in);
  EXPECT_EQ(single.lagnas[kAL].sign, Cap);
  EXPECT_EQ(single.lagnas[kPL].sign, Gem);
  in.lords = SignLords::kJaimini;
  const LagnaChart jaimini = ComputeLagnas(in);
  EXPECT_EQ(jaimini.lagnas[kAL].sign, Pis);
  EXPECT_EQ(jaimini.lagnas[kPL].sign, Cap);
  // UL, the pada of the 12th (Libra, Venus in Aries, its 7th): the 10th from Libra, Cancer,
  // under both rules.
  EXPECT_EQ(single.lagnas[kUL].sign, Can);
  EXPECT_EQ(jaimini.lagnas[kUL].sign, Can);
}

// Nakshatra k starts at k x 13 deg 20 min: the 16th (Vishakha, k = 15) at 200 degrees, where
// the table has 199.95; the 26th (k = 25) at 333 deg 20 min, where the table has 333.25.
TEST(ExactNakshatras, StartAtMultiplesOfThirteenTwenty) {
  EXPECT_DOUBLE_EQ(NakshatraStartOf(205.0, NakshatraDivision::kExact), 200.0);
  EXPECT_DOUBLE_EQ(NakshatraStartOf(205.0, NakshatraDivision::kTable), 199.95);
  EXPECT_NEAR(NakshatraStartOf(346.6, NakshatraDivision::kExact), 333.0 + 20.0 / 60.0, 1e-12);
  EXPECT_DOUBLE_EQ(NakshatraStartOf(0.0, NakshatraDivision::kExact), 0.0);
  EXPECT_NEAR(NakshatraStartOf(359.99, NakshatraDivision::kExact), 346.0 + 40.0 / 60.0, 1e-12);
  // Sree lagna: the Moon 13.2667 degrees into the nakshatra from the exact start, 13.35 from
  // the table's; times 27 (360 / 13 1/3) that is 358.2 against 360.45: the ascendant less 1.8
  // degrees, or more 0.45. Ascendant 10 Leo (130): 128.2 and 130.45.
  LagnaInputs in = AtSunrise(In(Ari), 130.0);
  in.birthDeg[kMoon] = 346.6;
  in.moonNakshatraStartDeg = NakshatraStartOf(346.6, NakshatraDivision::kExact);
  EXPECT_NEAR(*ComputeLagnas(in).lagnas[kSrL].longitudeDeg, 128.2, 1e-9);
  in.moonNakshatraStartDeg = NakshatraStartOf(346.6, NakshatraDivision::kTable);
  EXPECT_NEAR(*ComputeLagnas(in).lagnas[kSrL].longitudeDeg, 130.45, 1e-9);
}

// Born 25 minutes 30 seconds after an unrounded sunrise, Sun at sunrise 10 Tau: GL 40 +
// 1.25 x 25.5 = 71.875, HL 40 + 0.5 x 25.5 = 52.75, BL 40 + 0.25 x 25.5 = 46.375; PpL 0.425
// hour x 10 = 4.25 signs: Capricorn (9th from Taurus) + 4 signs = Taurus, 10 deg + 7 deg 30
// = 17 deg 30: 47.5. The whole-minute count (25) gives GL 71.25. At 1534.5 seconds PpL
// advances 4.2625 signs, 4 signs 7 deg 52.5 min, kept in whole minutes: 47 deg 52.
TEST(ExactTiming, TheUnroundedTimeSinceSunriseMovesEveryLagnaCountedFromIt) {
  LagnaInputs in = AtSunrise(40.0, In(Vir));
  in.minutesSinceSunrise = 25;
  in.secondsSinceSunrise = 1530;
  const LagnaChart minute = ComputeLagnas(in);
  EXPECT_DOUBLE_EQ(*minute.lagnas[kGL].longitudeDeg, 71.25);
  in.exactSecondsSinceSunrise = 1530.0;
  const LagnaChart exact = ComputeLagnas(in);
  EXPECT_DOUBLE_EQ(*exact.lagnas[kGL].longitudeDeg, 71.875);
  EXPECT_DOUBLE_EQ(*exact.lagnas[kHL].longitudeDeg, 52.75);
  EXPECT_DOUBLE_EQ(*exact.lagnas[kBL].longitudeDeg, 46.375);
  EXPECT_EQ(exact.lagnas[kPpL].sign, Tau);
  EXPECT_DOUBLE_EQ(*exact.lagnas[kPpL].longitudeDeg, 47.5);
  in.exactSecondsSinceSunrise = 1534.5;
  EXPECT_NEAR(*ComputeLagnas(in).lagnas[kPpL].longitudeDeg, 47.0 + 52.0 / 60.0, 1e-9);
}

}  // namespace
}  // namespace corvane
