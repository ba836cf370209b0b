#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/chart_state.h"
#include "lagna/lagna_readings.h"
#include "lagna/placement_readings.h"
#include "lagna/texts/interpretation_texts.h"

namespace corvane {
namespace {

using Headings = std::vector<std::string>;

const std::string kHealthLine =
    "You may suffer from health problems during the dasha of this planet.\r\n\r\n";
const std::string kCourageLine = "This will make you courageous and financially successful.\r\n\r\n";

// A chart whose planets all stand in the 4th house from both padas, where no rule applies.
ChartState QuietChart(int alSign, int ulSign) {
  ChartState state;
  state.ArudhaPadaSigns[0] = alSign;
  state.ArudhaPadaSigns[11] = ulSign;
  for (int p = 0; p < kAscendantBody; ++p) state.PlanetSign[p] = (alSign + 3) % 12;
  return state;
}

RichReading Arudha(const ChartState& state) {
  RichReading reading;
  ArudhaReading(state, reading);
  return reading;
}

RichReading Upapada(const ChartState& state) {
  RichReading reading;
  UpapadaReading(state, reading);
  return reading;
}

void ExpectRun(const TextRun& run, bool bold, bool darkRed, const std::string& text) {
  EXPECT_EQ(run.bold, bold) << text;
  EXPECT_EQ(run.darkRed, darkRed) << text;
  EXPECT_EQ(run.text, text);
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
  const ChartState state = QuietChart(4, 4);  // both padas in Leo
  const RichReading al = Arudha(state);
  EXPECT_EQ(al.pointSize, 11);
  ASSERT_EQ(al.runs.size(), 8u);
  ExpectRun(al.runs[0], true, false, "About Your AL\r\n");
  ExpectRun(al.runs[1], true, false, std::string(kArudhaLagnaSignification) + "\r\n\r\n");
  ExpectRun(al.runs[2], true, false, "AL Present In\r\n");
  ExpectRun(al.runs[3], true, true, "Leo\r\n\r\n");
  ExpectRun(al.runs[4], true, false, "Alternate Names\r\n");
  ExpectRun(al.runs[5], true, true, "Pada, Lagna Pada, Arudha Lagna\r\n\r\n");
  ExpectRun(al.runs[6], true, false, "This Lagna is\r\n");
  ExpectRun(al.runs[7], true, true, "Malefic (Male)\r\n\r\n");
  EXPECT_TRUE(FiredReadingHeadings(al).empty());

  const RichReading ul = Upapada(state);
  ASSERT_EQ(ul.runs.size(), 8u);
  ExpectRun(ul.runs[0], true, false, "About Your A12\r\n");
  EXPECT_TRUE(ul.runs[1].text.starts_with("This signifies marriage and spouse related issues."));
  ExpectRun(ul.runs[2], true, false, "A12 Present In\r\n");
  ExpectRun(ul.runs[5], true, true, "Vyaya Pada, Gauna Pada\r\n\r\n");
  EXPECT_TRUE(FiredReadingHeadings(ul).empty());
}

TEST(PlacementReadings, BeneficInArudhaLagna) {
  ChartState state = QuietChart(2, 2);
  state.PlanetSign[kVenus] = 2;
  const RichReading al = Arudha(state);
  EXPECT_EQ(FiredReadingHeadings(al),
            Headings{"Venus (Benefic) present in your Arudha Lagna contributes towards your wellbeing"});
  ASSERT_EQ(al.runs.size(), 10u);
  ExpectRun(al.runs[8], true, true,
            "Venus (Benefic) present in your Arudha Lagna contributes towards your wellbeing\r\n");
  ExpectRun(al.runs[9], false, false, std::string(kPlanetTexts[kVenus]) + "\r\n\r\n");
}

TEST(PlacementReadings, MoonInArudhaLagnaHasTheInvertedLayout) {
  ChartState state = QuietChart(7, 7);
  state.PlanetSign[kMoon] = 7;
  state.PlanetSign[kSaturn] = 7;  // a malefic in AL itself adds nothing
  const RichReading al = Arudha(state);
  ASSERT_EQ(al.runs.size(), 10u);
  ExpectRun(al.runs[8], true, false,
            "Moon (Benefic) present in your Arudha Lagna contributes towards your wellbeing\r\n\r\n");
  ExpectRun(al.runs[9], true, true, std::string(kPlanetTexts[kMoon]) + "\r\n");
  EXPECT_EQ(FiredReadingHeadings(al).size(), 1u);
}

TEST(PlacementReadings, MaleficInSecondFromArudhaAcrossPisces) {
  ChartState state = QuietChart(11, 11);  // AL in Pisces
  state.PlanetSign[kSaturn] = 0;           // Saturn in Aries
  const RichReading al = Arudha(state);
  EXPECT_EQ(FiredReadingHeadings(al), Headings{"Saturn (Malefic) present in 2nd House From Arudha Lagna"});
  ASSERT_EQ(al.runs.size(), 11u);
  ExpectRun(al.runs[8], true, true, "Saturn (Malefic) present in 2nd House From Arudha Lagna\r\n");
  ExpectRun(al.runs[9], false, false, kHealthLine);
  ExpectRun(al.runs[10], false, false,
            "your reputation my be hurt because of your lying nature.\r\n\r\n");
}

TEST(PlacementReadings, SaturnSevenOrFiveSignsAfterArudha) {
  struct Case { int al, saturn; const char* house; const std::string& line; };
  for (const Case& c : {Case{2, 9, "8th", kHealthLine}, Case{9, 4, "8th", kHealthLine},  // d = 7 and -5
                        Case{1, 6, "6th", kCourageLine}, Case{10, 3, "6th", kCourageLine}}) {  // d = 5 and -7
    ChartState state = QuietChart(c.al, c.al);
    state.PlanetSign[kSaturn] = c.saturn;
    const RichReading reading = Arudha(state);
    ASSERT_EQ(reading.runs.size(), 10u) << c.al;
    ExpectRun(reading.runs[8], true, true, std::string("Saturn (Malefic) present in ") + c.house +
                                               " House From Arudha Lagna\r\n");
    ExpectRun(reading.runs[9], false, false, c.line);
  }
}

TEST(PlacementReadings, GroupsFireInTheirOrderAndPlanetsInTestOrder) {
  ChartState state = QuietChart(0, 0);
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
  ChartState state = QuietChart(5, 5);
  state.PlanetSign[kSaturn] = 6;
  state.PlanetSign[kRahu] = 6;
  state.PlanetSign[kSun] = 6;
  const RichReading ul = Upapada(state);
  EXPECT_EQ(FiredReadingHeadings(ul),
            (Headings{"Saturn and Rahu present in on 2nd house from Upapada Lagna",
                      "Saturn ,Rahu and Sun present in on 2nd house from Upapada Lagna"}));
  ASSERT_EQ(ul.runs.size(), 12u);
  ExpectRun(ul.runs[8], true, false, "Saturn and Rahu present in on 2nd house from Upapada Lagna\r\n\r\n");
  ExpectRun(ul.runs[9], true, true, "You may desert your spouse. Or your wife may face death.\r\n");
  ExpectRun(ul.runs[11], true, true,
            "You may problems in bones  and face pain from bone related illnesses like arthritis, "
            "osteoporosis etc.\r\n");
}

TEST(PlacementReadings, UpapadaNinthAndSameSignRulesAndIncompleteCombinations) {
  ChartState state = QuietChart(3, 9);  // UL in Capricorn; the others stand in its 10th house
  state.PlanetSign[kMoon] = 5;          // 9th from Capricorn
  state.PlanetSign[kSaturn] = 5;
  state.PlanetSign[kMercury] = 5;
  state.PlanetSign[kSun] = 9;           // same sign as UL
  EXPECT_EQ(FiredReadingHeadings(Upapada(state)),
            (Headings{"Moon is present in on 9th house from Upapada Lagna",
                      "Saturn , Moon and Mercury is present in on 9th house from Upapada Lagna",
                      "Sun is present in same house as  Upapada Lagna"}));

  ChartState partial = QuietChart(8, 8);
  partial.PlanetSign[kSaturn] = 9;   // 2nd, without Rahu or Jupiter
  partial.PlanetSign[kVenus] = 9;    // 2nd, without Ketu
  partial.PlanetSign[kMercury] = 9;  // 2nd, without Ketu or Mars
  partial.PlanetSign[kSun] = 4;      // 9th, without Jupiter or Rahu
  partial.PlanetSign[kMars] = 4;     // 9th, without Saturn
  EXPECT_TRUE(FiredReadingHeadings(Upapada(partial)).empty());
}

TEST(PlacementReadings, RefillKeepsOneCopyOfTheShorterReading) {
  ChartState busy = QuietChart(0, 0);
  busy.PlanetSign[kSaturn] = 1;
  busy.PlanetSign[kRahu] = 1;
  busy.PlanetSign[kVenus] = 0;
  ChartState quiet = QuietChart(6, 6);

  RichReading reused;
  ArudhaReading(busy, reused);
  UpapadaReading(busy, reused);
  ASSERT_GT(reused.runs.size(), 8u);
  ArudhaReading(quiet, reused);
  const RichReading fresh = Arudha(quiet);
  ASSERT_EQ(reused.runs.size(), fresh.runs.size());
  for (std::size_t i = 0; i < fresh.runs.size(); ++i) {
    ExpectRun(reused.runs[i], fresh.runs[i].bold, fresh.runs[i].darkRed, fresh.runs[i].text);
    EXPECT_EQ(reused.runs[i].heading, fresh.runs[i].heading);
  }

  // The full fill twice in a row gives the same single reading.
  FillLagnaReadings(busy);
  const std::size_t once = busy.PageFields.arudhaReading.runs.size();
  FillLagnaReadings(busy);
  EXPECT_EQ(busy.PageFields.arudhaReading.runs.size(), once);
  EXPECT_EQ(FiredReadingHeadings(busy.PageFields.arudhaReading).size(), 3u);
}

TEST(PlacementReadings, CorruptSignsFireNothingAndReadNothingOutside) {
  ChartState state = QuietChart(0, 0);
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
