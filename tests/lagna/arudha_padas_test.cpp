#include "lagna/arudha_padas.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "tests/lagna/lagna_test_chart.h"

namespace corvane {
namespace {

using namespace testing_support::signs;

// The padas of a chart with every body in Aries except those moved by the caller.
std::optional<ArudhaPadas> PadasWith(int ascendant, std::map<BodyIndex, int> signs) {
  PerBody<int> bodySigns{};
  bodySigns.fill(Ari);
  bodySigns[kAscendantBody] = ascendant;
  for (auto [body, sign] : signs) bodySigns[body] = sign;
  return ComputeArudhaPadas(bodySigns);
}

// As far from the lord as the lord is from the house; never the house itself or its 7th.
TEST(ArudhaPadaSign, CountsFromTheLordAndAvoidsTheHouseAndItsSeventh) {
  struct Case { int house, lord, pada; };
  const Case cases[] = {{Ari, Ari, Cap}, {Ari, Lib, Cap}, {Ari, Can, Can} /* Libra is the 7th */, {Ari, Gem, Leo},
                        {Lib, Sco, Sag}, {Lib, Cap, Cap}, {Aqu, Pis, Ari} /* past Pisces */};
  for (const Case c : cases) EXPECT_EQ(ArudhaPadaSign(c.house + 1, c.lord + 1), c.pada + 1) << c.house << " " << c.lord;
  for (int house = 1; house <= 12; ++house)
    for (int lord = 1; lord <= 12; ++lord) {
      const int pada = ArudhaPadaSign(house, lord);
      ASSERT_TRUE(pada >= 1 && pada <= 12);
      EXPECT_NE((pada - house + 12) % 12, 6) << house << " " << lord;
    }
}

TEST(ArudhaPadas, AriesAscendantPlacesAlAndPlByMars) {
  struct Case { int mars; int al; };
  for (const Case c : {Case{Ari, Cap}, Case{Lib, Cap}, Case{Can, Can}, Case{Gem, Leo}}) {
    const auto padas = PadasWith(Ari, {{kMars, c.mars}, {kJupiter, Sag}});
    ASSERT_TRUE(padas);
    EXPECT_EQ(padas->padaSign[0], c.al) << c.mars;
    EXPECT_EQ(padas->pakaSign, c.mars);
    // House 12 is Pisces with Jupiter in Sagittarius, its 10th: Virgo would be the 7th from
    // Pisces, so the pada is Gemini.
    EXPECT_EQ(padas->padaSign[11], Gem);
  }
}

TEST(ArudhaPadas, LibraHouseWithVenusInScorpioOrCapricorn) {
  // Libra as the first house gives AL, as the twelfth (Scorpio rising) gives UL.
  for (auto [venus, pada] : {std::pair{Sco, Sag}, std::pair{Cap, Cap}}) {
    const auto first = PadasWith(Lib, {{kVenus, venus}});
    ASSERT_TRUE(first);
    EXPECT_EQ(first->padaSign[0], pada);
    EXPECT_EQ(first->pakaSign, venus);
    const auto twelfth = PadasWith(Sco, {{kVenus, venus}});
    ASSERT_TRUE(twelfth);
    EXPECT_EQ(twelfth->padaSign[11], pada);
  }
}

TEST(ArudhaPadas, EveryHouseHasItsPada) {
  // Taurus rising; the lords stand in Cancer (Venus, Mercury, Moon), Gemini (Sun), Aries
  // (Mars), Pisces (Jupiter) and Aquarius (Saturn). Counted by hand, house by house.
  const auto padas = PadasWith(Tau, {{kVenus, Can}, {kMercury, Can}, {kMoon, Can}, {kSun, Gem}, {kMars, Ari},
                                     {kJupiter, Pis}, {kSaturn, Aqu}});
  ASSERT_TRUE(padas);
  const std::array<int, 12> expected = {Vir, Leo, Ari, Ari, Tau, Cap, Vir, Pis, Pis, Sco, Sag, Cap};
  EXPECT_EQ(padas->padaSign, expected);
}

TEST(ArudhaPadas, BodiesWithoutASignGiveNoPadas) {
  EXPECT_FALSE(PadasWith(-1, {}));
  EXPECT_FALSE(PadasWith(Ari, {{kSaturn, -1}}));
  EXPECT_FALSE(PadasWith(Ari, {{kMercury, 12}}));
  EXPECT_TRUE(PadasWith(Ari, {{kRahu, -1}, {kKetu, -1}}));  // the nodes rule no sign
}

TEST(NinthLordKala, IsTheRayCountOfTheLordOfTheNinthSign) {
  const char* const kLordOf[] = {"Mars",  "Venus", "Mercury", "Moon",   "Sun",    "Mercury",
                                 "Venus", "Mars",  "Jupiter", "Saturn", "Saturn", "Jupiter"};
  const std::map<std::string, int> rays = {{"Sun", 30}, {"Moon", 16}, {"Mars", 6},  {"Mercury", 8},
                                           {"Jupiter", 10}, {"Venus", 10}, {"Saturn", 1}};
  for (int s = 1; s <= 12; ++s) {
    const int ninth = (s - 1 + 8) % 12;
    EXPECT_EQ(NinthLordKala(s), rays.at(kLordOf[static_cast<std::size_t>(ninth)])) << s;
  }
  EXPECT_EQ(NinthLordKala(0), 0);
  EXPECT_EQ(NinthLordKala(13), 0);
}

}  // namespace
}  // namespace corvane
