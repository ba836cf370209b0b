#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "lagna/page_fields.h"
#include "lagna/placement_readings.h"
#include "lagna/texts/interpretation_texts.h"

namespace corvane {
namespace {

using Headings = std::vector<std::string>;

const std::string kHealthLine =
    "You may suffer from health problems during the dasha of this planet.\r\n\r\n";
const std::string kCourageLine = "This will make you courageous and financially successful.\r\n\r\n";

// The signs the readings are written from.
struct ReadingState {
  std::array<int, 12> ArudhaPadaSigns{};
  PerBody<int> PlanetSign{};
};

void ArudhaReading(const ReadingState& s, RichReading& r) { corvane::ArudhaReading(s.PlanetSign, s.ArudhaPadaSigns[0], r); }
void UpapadaReading(const ReadingState& s, RichReading& r) { corvane::UpapadaReading(s.PlanetSign, s.ArudhaPadaSigns[11], r); }

// A chart whose planets all stand in the 4th house from both padas, where no rule applies.
ReadingState QuietChart(int alSign, int ulSign) {
  ReadingState state;
  state.ArudhaPadaSigns[0] = alSign;
  state.ArudhaPadaSigns[11] = ulSign;
  for (int p = 0; p < kAscendantBody; ++p) state.PlanetSign[p] = (alSign + 3) % 12;
  return state;
}

RichReading Arudha(const ReadingState& state) {
  RichReading reading;
  ArudhaReading(state, reading);
  return reading;
}

RichReading Upapada(const ReadingState& state) {
  RichReading reading;
  UpapadaReading(state, reading);
  return reading;
}

// Runs as (bold, dark red, text), comparable and printable in one piece.
using Look = std::vector<std::tuple<bool, bool, std::string>>;
Look Looks(const RichReading& reading, std::size_t from = 0) {
  Look out;
  for (std::size_t i = from; i < reading.runs.size(); ++i)
    out.emplace_back(reading.runs[i].bold, reading.runs[i].darkRed, reading.runs[i].text);
  return out;
}

TEST(PlacementReadings, HouseCountsInclusivelyAcrossPisces) {
  EXPECT_EQ(HouseFromPada(5, 5), 1);
  EXPECT_EQ(HouseFromPada(0, 11), 2);   // d = -11
  EXPECT_EQ(HouseFromPada(9, 2), 8);    // d = 7
  EXPECT_EQ(HouseFromPada(4, 9), 8);    // d = -5
  EXPECT_EQ(HouseFromPada(11, 0), 12);
  EXPECT_EQ(HouseFromPada(12, 0), 0);
  EXPECT_EQ(HouseFromPada(3, -1), 0);
}

TEST(PlacementReadings, IntroductionOnlyWhenNoRuleHolds) {
  const ReadingState state = QuietChart(4, 4);  // both padas in Leo
  const RichReading al = Arudha(state);
  EXPECT_EQ(al.pointSize, 11);
  EXPECT_EQ(Looks(al), (Look{{true, false, "About Your AL\r\n"},
                             {true, false, std::string(kArudhaLagnaSignification) + "\r\n\r\n"},
                             {true, false, "AL Present In\r\n"}, {true, true, "Leo\r\n\r\n"},
                             {true, false, "Alternate Names\r\n"},
                             {true, true, "Pada, Lagna Pada, Arudha Lagna\r\n\r\n"},
                             {true, false, "This Lagna is\r\n"}, {true, true, "Malefic (Male)\r\n\r\n"}}));
  EXPECT_TRUE(FiredReadingHeadings(al).empty());

  const RichReading ul = Upapada(state);
  ASSERT_EQ(ul.runs.size(), 8u);
  EXPECT_EQ(ul.runs[0].text, "About Your A12\r\n");
  EXPECT_TRUE(ul.runs[1].text.starts_with("This signifies marriage and spouse related issues."));
  EXPECT_EQ(ul.runs[2].text, "A12 Present In\r\n");
  EXPECT_EQ(ul.runs[5].text, "Vyaya Pada, Gauna Pada\r\n\r\n");
  EXPECT_TRUE(FiredReadingHeadings(ul).empty());
}

// One rule at a time: the runs after the eight introductory ones.
TEST(PlacementReadings, SingleRulesAndTheirLayout) {
  struct Case { int al; std::vector<std::pair<int, int>> planets; Look tail; };
  const std::string saturnIn = "Saturn (Malefic) present in ";
  const Case cases[] = {
      {2, {{kVenus, 2}},  // a benefic in AL
       {{true, true, "Venus (Benefic) present in your Arudha Lagna contributes towards your wellbeing\r\n"},
        {false, false, std::string(kPlanetTexts[kVenus]) + "\r\n\r\n"}}},
      {7, {{kMoon, 7}, {kSaturn, 7}},  // the Moon's inverted layout; a malefic in AL adds nothing
       {{true, false, "Moon (Benefic) present in your Arudha Lagna contributes towards your wellbeing\r\n\r\n"},
        {true, true, std::string(kPlanetTexts[kMoon]) + "\r\n"}}},
      {11, {{kSaturn, 0}},  // AL in Pisces, Saturn in Aries
       {{true, true, saturnIn + "2nd House From Arudha Lagna\r\n"}, {false, false, kHealthLine},
        {false, false, "your reputation my be hurt because of your lying nature.\r\n\r\n"}}},
      // Saturn 7 signs after AL (d = 7 and -5) and 5 signs after (d = 5 and -7).
      {2, {{kSaturn, 9}}, {{true, true, saturnIn + "8th House From Arudha Lagna\r\n"}, {false, false, kHealthLine}}},
      {9, {{kSaturn, 4}}, {{true, true, saturnIn + "8th House From Arudha Lagna\r\n"}, {false, false, kHealthLine}}},
      {1, {{kSaturn, 6}}, {{true, true, saturnIn + "6th House From Arudha Lagna\r\n"}, {false, false, kCourageLine}}},
      {10, {{kSaturn, 3}}, {{true, true, saturnIn + "6th House From Arudha Lagna\r\n"}, {false, false, kCourageLine}}},
  };
  for (const Case& c : cases) {
    ReadingState state = QuietChart(c.al, c.al);
    for (const auto& [planet, sign] : c.planets) state.PlanetSign[planet] = sign;
    const RichReading al = Arudha(state);
    ASSERT_GE(al.runs.size(), 8u);
    EXPECT_EQ(Looks(al, 8), c.tail) << c.al;
    EXPECT_EQ(FiredReadingHeadings(al).size(), 1u) << c.al;
  }
}

TEST(PlacementReadings, GroupsFireInTheirOrderAndPlanetsInTestOrder) {
  ReadingState state = QuietChart(0, 0);
  state.PlanetSign[kMars] = 1;     // 2nd, group B, tested after Rahu
  state.PlanetSign[kRahu] = 1;     // 2nd, group B
  state.PlanetSign[kMercury] = 1;  // 2nd, group D
  state.PlanetSign[kJupiter] = 0;  // AL, group A
  state.PlanetSign[kKetu] = 6;     // 7th, group L
  state.PlanetSign[kSun] = 6;      // 7th: no rule for the Sun
  state.PlanetSign[kMoon] = 10;    // 11th, group K
  const RichReading al = Arudha(state);
  EXPECT_EQ(FiredReadingHeadings(al),
            (Headings{"Jupiter (Benefic) present in your Arudha Lagna contributes towards your wellbeing",
                      "Rahu (Malefic) present in 2nd House From Arudha Lagna",
                      "Mars (Malefic) present in 2nd House From Arudha Lagna",
                      "Mercury (Benefic) present in 2nd House From Arudha Lagna",
                      "Moon (Benefic) present in 11th House From Arudha Lagna",
                      "Ketu (Malefic) present in 7th House From Arudha Lagna"}));

  std::vector<std::string> lines;
  for (std::size_t i = 8; i < al.runs.size(); ++i)
    if (!al.runs[i].heading) lines.push_back(al.runs[i].text);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       std::string(kPlanetTexts[kJupiter]) + "\r\n\r\n",
                       kHealthLine,
                       kHealthLine,
                       "your reputation my be hurt because of a sexual scandal.\r\n\r\n",
                       "You will be blessed with riches and good luck.\r\n\r\n",
                       "you will be a king and will be the leader of a country.\r\n\r\n",
                       "This will make you rich and the money will come from legal sources\r\n\r\n",
                       "You will have health ailments related to stomach or be affected by fire.\r\n\r\n"}));
}

TEST(PlacementReadings, UpapadaCombinationsFireTogetherInOrder) {
  ReadingState state = QuietChart(5, 5);
  state.PlanetSign[kSaturn] = 6;
  state.PlanetSign[kRahu] = 6;
  state.PlanetSign[kSun] = 6;
  const RichReading ul = Upapada(state);
  EXPECT_EQ(FiredReadingHeadings(ul),
            (Headings{"Saturn and Rahu present in on 2nd house from Upapada Lagna",
                      "Saturn ,Rahu and Sun present in on 2nd house from Upapada Lagna"}));
  const Look tail = Looks(ul, 8);
  ASSERT_EQ(tail.size(), 4u);
  EXPECT_EQ(tail[0], Look::value_type(true, false, "Saturn and Rahu present in on 2nd house from Upapada Lagna\r\n\r\n"));
  EXPECT_EQ(tail[1], Look::value_type(true, true, "You may desert your spouse. Or your wife may face death.\r\n"));
  EXPECT_EQ(tail[3], Look::value_type(true, true, "You may problems in bones  and face pain from bone related "
                                                  "illnesses like arthritis, osteoporosis etc.\r\n"));
}

TEST(PlacementReadings, UpapadaNinthAndSameSignRulesAndIncompleteCombinations) {
  ReadingState state = QuietChart(3, 9);  // UL in Capricorn; the others stand in its 10th house
  state.PlanetSign[kMoon] = 5;          // 9th from Capricorn
  state.PlanetSign[kSaturn] = 5;
  state.PlanetSign[kMercury] = 5;
  state.PlanetSign[kSun] = 9;           // same sign as UL
  EXPECT_EQ(FiredReadingHeadings(Upapada(state)),
            (Headings{"Moon is present in on 9th house from Upapada Lagna",
                      "Saturn , Moon and Mercury is present in on 9th house from Upapada Lagna",
                      "Sun is present in same house as  Upapada Lagna"}));

  ReadingState partial = QuietChart(8, 8);
  partial.PlanetSign[kSaturn] = 9;   // 2nd, without Rahu or Jupiter
  partial.PlanetSign[kVenus] = 9;    // 2nd, without Ketu
  partial.PlanetSign[kMercury] = 9;  // 2nd, without Ketu or Mars
  partial.PlanetSign[kSun] = 4;      // 9th, without Jupiter or Rahu
  partial.PlanetSign[kMars] = 4;     // 9th, without Saturn
  EXPECT_TRUE(FiredReadingHeadings(Upapada(partial)).empty());
}

TEST(PlacementReadings, RefillKeepsOneCopyOfTheShorterReading) {
  ReadingState busy = QuietChart(0, 0);
  busy.PlanetSign[kSaturn] = 1;
  busy.PlanetSign[kRahu] = 1;
  busy.PlanetSign[kVenus] = 0;
  ReadingState quiet = QuietChart(6, 6);

  RichReading reused;
  ArudhaReading(busy, reused);
  UpapadaReading(busy, reused);
  ASSERT_GT(reused.runs.size(), 8u);
  ArudhaReading(quiet, reused);
  const RichReading fresh = Arudha(quiet);
  EXPECT_EQ(Looks(reused), Looks(fresh));
  for (std::size_t i = 0; i < std::min(reused.runs.size(), fresh.runs.size()); ++i)
    EXPECT_EQ(reused.runs[i].heading, fresh.runs[i].heading) << i;

  // The page fields carry the same reading.
  PageInputs in;
  in.bodySigns = busy.PlanetSign;
  in.arudhaPadaSign = busy.ArudhaPadaSigns[0];
  EXPECT_EQ(FiredReadingHeadings(BuildPageFields(in).arudhaReading).size(), 3u);
}

TEST(PlacementReadings, CorruptSignsFireNothingAndReadNothingOutside) {
  ReadingState state = QuietChart(0, 0);
  state.PlanetSign[kVenus] = 12;
  state.PlanetSign[kMoon] = -1;
  EXPECT_TRUE(FiredReadingHeadings(Arudha(state)).empty());
  state.ArudhaPadaSigns[0] = 99;
  const RichReading al = Arudha(state);
  ASSERT_EQ(al.runs.size(), 8u);
  EXPECT_EQ(al.runs[3].text, "\r\n\r\n");  // no sign name to show
}

}  // namespace
}  // namespace corvane
