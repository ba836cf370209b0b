// The sixteen vargas against their definitions, written here as tables of the sign each
// division of each rasi sign starts its count from, and the sign-only lagnas found inside a
// varga's chart on charts worked by hand.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "lagna/special_lagnas.h"
#include "lagna/vargas.h"
#include "tests/lagna/lagna_test_chart.h"

namespace corvane {
namespace {

using namespace testing_support::signs;

// An equal-part varga: division k of rasi sign s falls in start[s] + k * step.
struct EqualVarga {
  const char* key;
  int divisions;
  int step;
  std::array<int, 12> start;  // Aries .. Pisces
};

// Written from the definitions, sign by sign (odd = Aries, Gemini, ...; movable = Aries,
// Cancer, Libra, Capricorn; fixed = Taurus, Leo, Scorpio, Aquarius).
const EqualVarga kEqualVargas[] = {
    {"D1", 1, 1, {Ari, Tau, Gem, Can, Leo, Vir, Lib, Sco, Sag, Cap, Aqu, Pis}},
    // The sign, its 5th, its 9th.
    {"D3", 3, 4, {Ari, Tau, Gem, Can, Leo, Vir, Lib, Sco, Sag, Cap, Aqu, Pis}},
    // The sign, its 4th, 7th and 10th.
    {"D4", 4, 3, {Ari, Tau, Gem, Can, Leo, Vir, Lib, Sco, Sag, Cap, Aqu, Pis}},
    // Odd from the sign, even from its 7th.
    {"D7", 7, 1, {Ari, Sco, Gem, Cap, Leo, Pis, Lib, Tau, Sag, Can, Aqu, Vir}},
    // Movable from the sign, fixed from its 9th, dual from its 5th.
    {"D9", 9, 1, {Ari, Cap, Lib, Can, Ari, Cap, Lib, Can, Ari, Cap, Lib, Can}},
    // Odd from the sign, even from its 9th.
    {"D10", 10, 1, {Ari, Cap, Gem, Pis, Leo, Tau, Lib, Can, Sag, Vir, Aqu, Sco}},
    {"D12", 12, 1, {Ari, Tau, Gem, Can, Leo, Vir, Lib, Sco, Sag, Cap, Aqu, Pis}},
    // Movable Aries, fixed Leo, dual Sagittarius.
    {"D16", 16, 1, {Ari, Leo, Sag, Ari, Leo, Sag, Ari, Leo, Sag, Ari, Leo, Sag}},
    // Movable Aries, fixed Sagittarius, dual Leo.
    {"D20", 20, 1, {Ari, Sag, Leo, Ari, Sag, Leo, Ari, Sag, Leo, Ari, Sag, Leo}},
    // Odd Leo, even Cancer.
    {"D24", 24, 1, {Leo, Can, Leo, Can, Leo, Can, Leo, Can, Leo, Can, Leo, Can}},
    // Fire Aries, earth Cancer, air Libra, water Capricorn.
    {"D27", 27, 1, {Ari, Can, Lib, Cap, Ari, Can, Lib, Cap, Ari, Can, Lib, Cap}},
    // Odd Aries, even Libra.
    {"D40", 40, 1, {Ari, Lib, Ari, Lib, Ari, Lib, Ari, Lib, Ari, Lib, Ari, Lib}},
    // Movable Aries, fixed Leo, dual Sagittarius.
    {"D45", 45, 1, {Ari, Leo, Sag, Ari, Leo, Sag, Ari, Leo, Sag, Ari, Leo, Sag}},
    {"D60", 60, 1, {Ari, Tau, Gem, Can, Leo, Vir, Lib, Sco, Sag, Cap, Aqu, Pis}},
};

// The unequal vargas: the degree each part starts at and its sign, for odd and even signs.
struct UnequalPart {
  double fromDeg;
  int sign;
};
struct UnequalVarga {
  const char* key;
  std::vector<UnequalPart> odd, even;
};
const UnequalVarga kUnequalVargas[] = {
    {"D2", {{0, Leo}, {15, Can}}, {{0, Can}, {15, Leo}}},
    {"D30",
     {{0, Ari}, {5, Aqu}, {10, Sag}, {18, Gem}, {25, Lib}},
     {{0, Tau}, {5, Vir}, {12, Pis}, {20, Cap}, {25, Sco}}},
};

int VargaIndex(const char* key) {
  const std::optional<int> v = VargaIndexOf(key);
  EXPECT_TRUE(v) << key;
  return v.value_or(0);
}

// The parts of one rasi sign in one varga, from the tables: where each starts and its sign.
std::vector<UnequalPart> PartsOf(const std::string& key, int sign) {
  std::vector<UnequalPart> out;
  for (const EqualVarga& v : kEqualVargas)
    if (v.key == key)
      for (int k = 0; k < v.divisions; ++k) out.push_back({30.0 * k / v.divisions, (v.start[sign] + k * v.step) % 12});
  for (const UnequalVarga& v : kUnequalVargas)
    if (v.key == key) out = sign % 2 == 0 ? v.odd : v.even;
  return out;
}

// One point of a sign and the varga sign the tables give it.
struct Probe {
  double degreesInSign;
  int expected;
  std::string where;
};

// The opening point, the middle and a hair before the end of every division of a sign.
std::vector<Probe> ProbesOfSign(const std::string& key, int sign) {
  constexpr double kHair = 1e-7;
  const std::vector<UnequalPart> parts = PartsOf(key, sign);
  std::vector<Probe> out;
  for (std::size_t k = 0; k < parts.size(); ++k) {
    const double from = parts[k].fromDeg, to = k + 1 < parts.size() ? parts[k + 1].fromDeg : 30.0;
    const std::string at = key + " sign " + std::to_string(sign) + " part " + std::to_string(k);
    out.push_back({from, parts[k].sign, at + " start"});
    out.push_back({(from + to) / 2, parts[k].sign, at + " middle"});
    out.push_back({to - kHair, parts[k].sign, at + " end"});
  }
  return out;
}

TEST(Vargas, EveryDivisionOfEverySignAtBothEndsAndTheMiddle) {
  for (std::string_view key : kVargaKeys) {
    const std::string k(key);
    const int v = VargaIndex(k.c_str());
    int probes = 0;
    for (int sign = 0; sign < 12; ++sign)
      for (const Probe& p : ProbesOfSign(k, sign)) {
        const double longitude = sign * 30.0 + p.degreesInSign;
        EXPECT_EQ(VargaSignOf(v, longitude), p.expected) << p.where;
        // A whole chart's vargas, under either rule of lords, place every body there alike.
        PerBody<double> bodies;
        bodies.fill(longitude);
        for (const SignLords lords : {SignLords::kSingle, SignLords::kJaimini}) {
          const VargaChart chart = ComputeVargas(bodies, LagnaChart{}, {lords, InduRule::kFromAscendant})[static_cast<std::size_t>(v)];
          for (int b = 0; b < kBodyCount; ++b)
            ASSERT_EQ(chart.bodySigns[b], p.expected) << p.where << " body " << b << " lords " << static_cast<int>(lords);
        }
        ++probes;
      }
    EXPECT_GE(probes, 12 * 3) << k;  // every varga has a table above
  }
}

TEST(Vargas, HandWorkedPlacements) {
  // Taurus 15 00: 15 / 3 20 = 4.5, the 5th ninth (index 4); Taurus is fixed, counting from its
  // 9th, Capricorn: Cap, Aqu, Pis, Ari, Tau -> Taurus.
  EXPECT_EQ(VargaSignOf(VargaIndex("D9"), 45.0), Tau);
  // Aries 13 30: index 4 (13 20 - 16 40), movable from Aries -> Leo.
  EXPECT_EQ(VargaSignOf(VargaIndex("D9"), 13.5), Leo);
  // Taurus 3 00 opens the 2nd tenth; even, from its 9th Capricorn -> Aquarius.
  EXPECT_EQ(VargaSignOf(VargaIndex("D10"), 33.0), Aqu);
  // Leo 5 00 opens the odd sign's 5-10 part: Aquarius.
  EXPECT_EQ(VargaSignOf(VargaIndex("D30"), 125.0), Aqu);
  // Virgo 12 00 opens the even sign's 12-20 part: Pisces.
  EXPECT_EQ(VargaSignOf(VargaIndex("D30"), 162.0), Pis);
  // Aries 15 00 opens the odd sign's second half: Cancer.
  EXPECT_EQ(VargaSignOf(VargaIndex("D2"), 15.0), Can);
  // Pisces 29 54: 29.9 / 0.5 = 59.8, index 59 counted from Pisces: 59 = 4 * 12 + 11 -> Aquarius.
  EXPECT_EQ(VargaSignOf(VargaIndex("D60"), 359.9), Aqu);
  // Scorpio 20 00: 20 / (30 / 7) = 4.67, index 4; even, from its 7th Taurus: Tau, Gem, Can,
  // Leo, Vir -> Virgo.
  EXPECT_EQ(VargaSignOf(VargaIndex("D7"), 230.0), Vir);
  // Outside [0, 360): no sign.
  EXPECT_EQ(VargaSignOf(VargaIndex("D9"), 360.0), -1);
  EXPECT_EQ(VargaSignOf(VargaIndex("D9"), -0.5), -1);
  EXPECT_FALSE(VargaIndexOf("D5"));
}

// A longitude in the navamsa sign asked for: a movable rasi sign counts its ninths from
// itself, so Aries reaches Aries .. Sagittarius and Cancer reaches Cancer .. Pisces; one
// degree into the ninth.
double AtNavamsa(int navamsaSign) {
  const int rasi = navamsaSign <= Sag ? Ari : Can;
  return rasi * 30.0 + (navamsaSign - rasi) * (10.0 / 3.0) + 1.0;
}

// A chart whose bodies stand in the navamsa signs given; every other body in Aries' first
// ninth (navamsa Aries).
LagnaInputs NavamsaChart(std::initializer_list<std::pair<BodyIndex, int>> placed) {
  LagnaInputs in;
  for (double& b : in.birthDeg) b = AtNavamsa(Ari);
  for (const auto& [body, sign] : placed) in.birthDeg[body] = AtNavamsa(sign);
  in.sunAtSunriseDeg = in.birthDeg[kSun];
  return in;
}

VargaChart Navamsa(const VargaCharts& charts) { return charts[static_cast<std::size_t>(VargaIndex("D9"))]; }

TEST(VargaPadas, HandWorkedNavamsaCharts) {
  const int D9 = VargaIndex("D9");
  {
    // Own sign: navamsa ascendant Cancer, its lord the Moon in Cancer itself: the pada of the
    // 1st is the 10th from Cancer, Aries. The 12th, Gemini, has Mercury in Leo, 3 signs on;
    // 3 more from Leo: Libra (UL). The ascendant's lord's sign: Cancer (PL).
    const LagnaInputs in = NavamsaChart({{kAscendantBody, Can}, {kMoon, Can}, {kMercury, Leo}});
    const LagnaChart rasi = ComputeLagnas(in);
    const VargaChart d9 = Navamsa(ComputeVargas(in.birthDeg, rasi, {}));
    EXPECT_EQ(d9.bodySigns[kAscendantBody], Can);
    EXPECT_EQ(d9.lagnaSigns[kAL], Ari);
    EXPECT_EQ(d9.lagnaSigns[kUL], Lib);
    EXPECT_EQ(d9.lagnaSigns[kPL], Can);
    EXPECT_EQ(d9.lagnaSigns[kAscendantLagna], Can);
    // In the rasi every body stands in Aries: Mars in Aries gives the 10th, Capricorn.
    EXPECT_EQ(rasi.lagnas[kAL].sign, Cap);
    EXPECT_EQ(VargaSignOf(D9, in.birthDeg[kMercury]), Leo);
  }
  {
    // The 7th exception: ascendant Aries, Mars in Cancer: 4 signs on and 4 more is Libra, the
    // 7th from Aries, so the pada moves to the 10th from Libra, Cancer. The 12th, Pisces,
    // has Jupiter in Virgo, its 7th: the 10th from Pisces, Sagittarius.
    const LagnaInputs in = NavamsaChart({{kAscendantBody, Ari}, {kMars, Can}, {kJupiter, Vir}});
    const VargaChart d9 = Navamsa(ComputeVargas(in.birthDeg, ComputeLagnas(in), {}));
    EXPECT_EQ(d9.lagnaSigns[kAL], Can);
    EXPECT_EQ(d9.lagnaSigns[kUL], Sag);
    EXPECT_EQ(d9.lagnaSigns[kPL], Can);
  }
  {
    // Scorpio rising in the navamsa, Mars in Scorpio, Ketu in Capricorn, Venus in Libra. One
    // lord per sign: Mars in the house gives the 10th, Leo. Jaimini lords: Mars stands in
    // Scorpio itself, so Ketu rules; Capricorn is 3 on, 3 more is Pisces. The 12th, Libra,
    // has Venus at home: the 10th from Libra, Cancer, under both. PL: Mars' Scorpio, Ketu's
    // Capricorn.
    LagnaInputs in = NavamsaChart({{kAscendantBody, Sco}, {kMars, Sco}, {kKetu, Cap}, {kVenus, Lib}, {kRahu, Can}});
    const LagnaChart single = ComputeLagnas(in);
    const VargaChart bySingle = Navamsa(ComputeVargas(in.birthDeg, single, {SignLords::kSingle}));
    EXPECT_EQ(bySingle.lagnaSigns[kAL], Leo);
    EXPECT_EQ(bySingle.lagnaSigns[kUL], Can);
    EXPECT_EQ(bySingle.lagnaSigns[kPL], Sco);
    in.lords = SignLords::kJaimini;
    const VargaChart byJaimini = Navamsa(ComputeVargas(in.birthDeg, ComputeLagnas(in), {SignLords::kJaimini}));
    EXPECT_EQ(byJaimini.lagnaSigns[kAL], Pis);
    EXPECT_EQ(byJaimini.lagnaSigns[kUL], Can);
    EXPECT_EQ(byJaimini.lagnaSigns[kPL], Cap);
  }
}

// ---- The property test: an implementation of its own, driven by the tables above. ----

// The Pranapada lagna stands on whole minutes, so it often meets a boundary such as 0 40
// (30 / 45 degrees), which binary fractions hold only to about 1e-14 degrees.
constexpr double kOnBoundaryDeg = 1e-9;

int TableSign(int varga, double longitudeDeg) {
  static const auto parts = [] {
    std::array<std::array<std::vector<UnequalPart>, 12>, kVargaCount> all;
    for (int v = 0; v < kVargaCount; ++v)
      for (int sign = 0; sign < 12; ++sign)
        all[static_cast<std::size_t>(v)][static_cast<std::size_t>(sign)] =
            PartsOf(std::string(kVargaKeys[static_cast<std::size_t>(v)]), sign);
    return all;
  }();
  const int sign = static_cast<int>(longitudeDeg / 30.0);
  const double d = longitudeDeg - sign * 30.0;
  int found = -1;
  for (const UnequalPart& p : parts[static_cast<std::size_t>(varga)][static_cast<std::size_t>(sign)])
    if (d >= p.fromDeg - kOnBoundaryDeg) found = p.sign;  // the last part opened
  return found;
}

// The arudha pada by the count written out: as far past the lord as the lord is past the
// house; the house itself or its 7th give the 10th from there.
int TablePada(int house, int lordSign) {
  int pada = (2 * lordSign - house + 24) % 12;
  if (pada == house) pada = (house + 9) % 12;
  else if (pada == (house + 6) % 12) pada = (house + 3) % 12;
  return pada;
}

constexpr std::array<BodyIndex, 12> kLordOf = {kMars, kVenus, kMercury, kMoon, kSun, kMercury,
                                               kVenus, kMars, kJupiter, kSaturn, kSaturn, kJupiter};

TEST(Vargas, AgreeWithTheTablesOverThousandsOfCharts) {
  std::mt19937 random(20261208);
  std::uniform_real_distribution<double> degree(0.0, 360.0);
  std::uniform_int_distribution<int> minutes(0, 1439);
  int checked = 0;
  for (int n = 0; n < 3000; ++n) {
    LagnaInputs in;
    for (double& b : in.birthDeg) b = degree(random);
    in.birthDeg[kKetu] = std::fmod(in.birthDeg[kRahu] + 180.0, 360.0);
    in.sunAtSunriseDeg = degree(random);
    in.moonNakshatraStartDeg = std::floor(in.birthDeg[kMoon] / (40.0 / 3.0)) * (40.0 / 3.0);
    in.minutesSinceSunrise = minutes(random);
    in.secondsSinceSunrise = in.minutesSinceSunrise * 60;
    in.varnada = n % 2 ? VarnadaCount::kSigns : VarnadaCount::kDegrees;
    const LagnaChart rasi = ComputeLagnas(in);
    const VargaCharts vargas = ComputeVargas(in.birthDeg, rasi, {});
    for (int v = 0; v < kVargaCount; ++v) {
      const VargaChart& got = vargas[static_cast<std::size_t>(v)];
      const std::string at = std::string(kVargaKeys[static_cast<std::size_t>(v)]) + " chart " + std::to_string(n);
      for (int b = 0; b < kBodyCount; ++b)
        ASSERT_EQ(got.bodySigns[b], TableSign(v, in.birthDeg[b])) << at << " body " << b;
      for (int l = 0; l < kLagnaCount; ++l) {
        const LagnaPosition& p = rasi.lagnas[static_cast<std::size_t>(l)];
        if (p.longitudeDeg) {
          ASSERT_EQ(got.lagnaSigns[static_cast<std::size_t>(l)], TableSign(v, *p.longitudeDeg)) << at << " " << l;
          ++checked;
        }
      }
      const int asc = got.bodySigns[kAscendantBody];
      ASSERT_EQ(got.lagnaSigns[kAL], TablePada(asc, got.bodySigns[kLordOf[asc]])) << at;
      const int twelfth = (asc + 11) % 12;
      ASSERT_EQ(got.lagnaSigns[kUL], TablePada(twelfth, got.bodySigns[kLordOf[twelfth]])) << at;
      ASSERT_EQ(got.lagnaSigns[kPL], got.bodySigns[kLordOf[asc]]) << at;
      ASSERT_EQ(got.lagnaSigns[kIL], InduLagnaSign(got.bodySigns[kMoon], asc, InduRule::kFromAscendant)) << at;
      // The varga's marks carry the padas of all twelve houses by the same count.
      const LagnaChart marks = AsLagnaChart(got);
      for (int house = 0; house < 12; ++house) {
        const int sign = (asc + house) % 12;
        ASSERT_EQ(marks.padas.padaSign[static_cast<std::size_t>(house)], TablePada(sign, got.bodySigns[kLordOf[sign]]))
            << at << " house " << house + 1;
      }
      if (in.varnada == VarnadaCount::kSigns) {
        ASSERT_EQ(got.lagnaSigns[kVL], VarnadaSignBySigns(asc, got.lagnaSigns[kHL])) << at;
      }
    }
    // The first varga is the rasi chart itself.
    for (int l = 0; l < kLagnaCount; ++l) {
      if (!rasi.lagnas[static_cast<std::size_t>(l)].placed) continue;
      ASSERT_EQ(vargas[0].lagnaSigns[static_cast<std::size_t>(l)], rasi.lagnas[static_cast<std::size_t>(l)].sign)
          << "D1 chart " << n << " entry " << l;
    }
  }
  EXPECT_GT(checked, 3000 * 16 * 7);
}

// Under the Jaimini lords the marks' padas are counted with the co-lords each varga chose, as
// its Arudha, Upapada and Paka lagnas are.
TEST(Vargas, MarksCountThePadasWithTheVargasOwnLords) {
  std::mt19937 random(8122026);
  std::uniform_real_distribution<double> degree(0.0, 360.0);
  int differing = 0;
  for (int n = 0; n < 2000; ++n) {
    LagnaInputs in;
    for (double& b : in.birthDeg) b = degree(random);
    in.birthDeg[kKetu] = std::fmod(in.birthDeg[kRahu] + 180.0, 360.0);
    in.lords = SignLords::kJaimini;
    const VargaCharts vargas = ComputeVargas(in.birthDeg, ComputeLagnas(in), {SignLords::kJaimini});
    for (const VargaChart& varga : vargas) {
      const LagnaChart marks = AsLagnaChart(varga);
      ASSERT_GE(varga.lagnaSigns[kAL], 0);
      ASSERT_EQ(marks.padas.padaSign[0], varga.lagnaSigns[kAL]) << "chart " << n;
      ASSERT_EQ(marks.padas.padaSign[11], varga.lagnaSigns[kUL]) << "chart " << n;
      ASSERT_EQ(marks.padas.pakaSign, varga.lagnaSigns[kPL]) << "chart " << n;
      const int asc = varga.bodySigns[kAscendantBody];
      differing += marks.padas.padaSign[0] != TablePada(asc, varga.bodySigns[kLordOf[asc]]);
    }
  }
  // Scorpio or Aquarius rising often enough, with the co-lord taken, for the check to bite.
  EXPECT_GT(differing, 100);
}

}  // namespace
}  // namespace corvane
