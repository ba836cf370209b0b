#include "lagna/arudha_padas.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/lagna/lagna_test_chart.h"

namespace corvane {
namespace {

using testing_support::ChartAt;
using testing_support::CountLineBreaks;
using testing_support::In;
using namespace testing_support::signs;

// A chart with every body in Aries except those moved by the caller.
ChartState ChartWith(int ascendant, std::map<BodyIndex, int> signs) {
  std::array<double, kBodyCount> lon{};
  for (auto& l : lon) l = In(Ari);
  lon[kAscendantBody] = In(ascendant);
  for (auto [body, sign] : signs) lon[body] = In(sign);
  return ChartAt(lon);
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
    ChartState chart = ChartWith(Ari, {{kMars, c.mars}, {kJupiter, Sag}});
    ASSERT_TRUE(CalculateArudhaPadas(chart));
    EXPECT_EQ(chart.LagnaSigns[kAL], c.al) << c.mars;
    EXPECT_EQ(chart.ArudhaPadaSigns[0], c.al);
    EXPECT_EQ(chart.LagnaSigns[kPL], c.mars);
    EXPECT_EQ(chart.LagnaSigns[kAscendantLagna], Ari);
    // House 12 is Pisces with Jupiter in Sagittarius, its 10th: Virgo would be the 7th from
    // Pisces, so the pada is Gemini.
    EXPECT_EQ(chart.LagnaSigns[kUL], Gem);
    EXPECT_EQ(chart.ArudhaPadaSigns[11], Gem);
  }
}

TEST(ArudhaPadas, LibraHouseWithVenusInScorpioOrCapricorn) {
  // Libra as the first house gives AL, as the twelfth (Scorpio rising) gives UL.
  for (auto [venus, pada] : {std::pair{Sco, Sag}, std::pair{Cap, Cap}}) {
    ChartState first = ChartWith(Lib, {{kVenus, venus}});
    ASSERT_TRUE(CalculateArudhaPadas(first));
    EXPECT_EQ(first.LagnaSigns[kAL], pada);
    EXPECT_EQ(first.LagnaSigns[kPL], venus);

    ChartState twelfth = ChartWith(Sco, {{kVenus, venus}});
    ASSERT_TRUE(CalculateArudhaPadas(twelfth));
    EXPECT_EQ(twelfth.LagnaSigns[kUL], pada);
    EXPECT_EQ(twelfth.ArudhaPadaSigns[11], pada);
  }
}

TEST(ArudhaPadas, RetrogradeLordIsFoundLikeADirectOne) {
  ChartState chart = ChartWith(Ari, {{kMars, Can}});
  chart.ChartBodyNames[kMars] = "Mars (R) ";
  chart.ChartBodyNames[kJupiter] = "Jupiter (R) ";
  ASSERT_TRUE(CalculateArudhaPadas(chart));
  EXPECT_EQ(chart.LagnaSigns[kAL], Can);
  EXPECT_EQ(chart.LagnaSigns[kPL], Can);
  EXPECT_EQ(WithoutRetrogradeMark("Mars (R) "), "Mars");
  EXPECT_EQ(WithoutRetrogradeMark("Saturn"), "Saturn");
}

TEST(ArudhaPadas, MarksOnlyHousesOneAndTwelveWithNames) {
  ChartState chart = ChartWith(Tau, {{kVenus, Can}, {kMercury, Can}, {kMoon, Can}, {kSun, Gem}, {kMars, Ari},
                                     {kJupiter, Pis}, {kSaturn, Aqu}});
  ASSERT_TRUE(CalculateArudhaPadas(chart));
  int breaks = 0;
  std::string all;
  for (const std::string& box : chart.Results.LagnaBoxTexts) {
    breaks += CountLineBreaks(box);
    all += box;
  }
  EXPECT_EQ(breaks, 13);  // AL, PL, ten bare padas, UL
  EXPECT_EQ(all.size(), 13u * 2 + 6);
  for (int h = 1; h <= 10; ++h) EXPECT_EQ(chart.ArudhaPadaSigns[static_cast<std::size_t>(h)], 0) << h;
  EXPECT_EQ(chart.Results.LagnaBoxTexts[Vir].substr(0, 4), "\r\nAL");  // house 1 is marked first
  EXPECT_EQ(chart.Results.LagnaBoxTexts[Cap].substr(chart.Results.LagnaBoxTexts[Cap].size() - 4), "\r\nUL");
}

TEST(ArudhaPadas, UnreadablePositionsWriteNothing) {
  ChartState noAscendant = ChartWith(Ari, {});
  noAscendant.ChartBodyPositions[kAscendantBody] = "";
  EXPECT_FALSE(CalculateArudhaPadas(noAscendant));
  ChartState noSaturn = ChartWith(Ari, {});
  noSaturn.ChartBodyPositions[kSaturn] = "15  30";
  EXPECT_FALSE(CalculateArudhaPadas(noSaturn));
  for (const ChartState* c : {&noAscendant, &noSaturn})
    for (const std::string& box : c->Results.LagnaBoxTexts) EXPECT_TRUE(box.empty());
}

TEST(NinthLordKala, IsTheRayCountOfTheLordOfTheNinthSign) {
  const std::map<std::string, int> rays = {{"Sun", 30}, {"Moon", 16}, {"Mars", 6},  {"Mercury", 8},
                                           {"Jupiter", 10}, {"Venus", 10}, {"Saturn", 1}};
  for (int s = 1; s <= 12; ++s) {
    const int ninth = (s - 1 + 8) % 12;
    EXPECT_EQ(NinthLordKala(s), rays.at(kSignLords[static_cast<std::size_t>(ninth)])) << s;
  }
  EXPECT_EQ(NinthLordKala(0), 0);
  EXPECT_EQ(NinthLordKala(13), 0);
}

}  // namespace
}  // namespace corvane
