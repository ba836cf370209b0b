#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "app/chart_state.h"
#include "lagna/lagna_readings.h"
#include "lagna/page_fields.h"
#include "lagna/sign_tables.h"
#include "lagna/texts/interpretation_texts.h"

namespace corvane {
namespace {

ChartState ChartWithLagnasIn(int firstSign) {
  ChartState state;
  for (int l = 0; l < kLagnaCount; ++l) state.LagnaSigns[l] = (firstSign + l) % 12;
  state.HoraHouse = 1;
  state.PranapadaHouse = 4;
  return state;
}

TEST(LagnaReadings, HouseReadingsAndPranapadaCaption) {
  ChartState state = ChartWithLagnasIn(0);
  FillLagnaReadings(state);
  const LagnaPageFields& page = state.PageFields;
  EXPECT_EQ(page.horaDescription,
            "If you have a good reputation and are famous then wealth and riches will come "
            "knocking on your doors. ");
  EXPECT_EQ(page.houseDescription, kPranapadaHouseTexts[3]);
  EXPECT_TRUE(page.houseDescription.starts_with("You will have a very happy and agreeable personality."));
  EXPECT_EQ(page.pranapadaCaption, "Pranapada Lagna Present In 4 House");
  EXPECT_EQ(FindPageField(page, "Label8(108)"), "Pranapada Lagna Present In 4 House");
  EXPECT_EQ(FindPageField(page, "lblHouseDesc"), kPranapadaHouseTexts[3]);

  state.HoraHouse = 12;
  state.PranapadaHouse = 11;
  FillLagnaReadings(state);
  EXPECT_EQ(page.horaDescription, "You will gain money from foreign places.");
  EXPECT_EQ(page.houseDescription,
            "You will achieve a lot of fame and respect. You will be well-liked, wise, wealthy "
            "and well renowned.");
  EXPECT_EQ(page.pranapadaCaption, "Pranapada Lagna Present In 11 House");
}

TEST(LagnaReadings, HouseOutsideOneToTwelveGivesNoText) {
  ChartState state = ChartWithLagnasIn(0);
  state.HoraHouse = 0;
  state.PranapadaHouse = 13;
  FillLagnaReadings(state);
  EXPECT_TRUE(state.PageFields.horaDescription.empty());
  EXPECT_TRUE(state.PageFields.houseDescription.empty());
  EXPECT_EQ(state.PageFields.pranapadaCaption, "Pranapada Lagna Present House Significance");
}

TEST(LagnaReadings, BlocksComeInFillOrderWithTheirControlNames) {
  ChartState state = ChartWithLagnasIn(0);
  FillLagnaReadings(state);
  const auto& fields = state.PageFields.fields;
  ASSERT_EQ(fields.size(), 12u * 28u);
  const char* suffixes[] = {"BL", "GL", "SrL", "IL", "AL", "PL", "VL", "HL", "UL", "CL", "SL",
                            "Ascendant"};
  for (int b = 0; b < 12; ++b) {
    SCOPED_TRACE(suffixes[b]);
    EXPECT_EQ(fields[b * 28].control, std::string("lblArudhaLagnaPresentInSign") + suffixes[b]);
    EXPECT_EQ(fields[b * 28 + 21].control, std::string("txtLooks") + suffixes[b]);
    EXPECT_EQ(fields[b * 28 + 27].control, std::string("lblNotCompatibleWith") + suffixes[b]);
  }
  std::set<std::string_view> names;
  for (const auto& f : fields) {
    names.insert(f.control);
    EXPECT_FALSE(f.control.ends_with("PpL")) << f.control;
  }
  EXPECT_EQ(names.size(), fields.size()) << "control names must be unique";
}

TEST(LagnaReadings, BlockValuesComeFromTheLagnasSign) {
  ChartState state = ChartWithLagnasIn(0);
  state.LagnaSigns[kHL] = 7;                // Scorpio
  state.LagnaSigns[kAscendantLagna] = 10;  // Aquarius
  FillLagnaReadings(state);
  const LagnaPageFields& page = state.PageFields;
  EXPECT_EQ(FindPageField(page, "lblArudhaLagnaPresentInSignHL"), "Scorpio");
  EXPECT_EQ(FindPageField(page, "lblVedicNameHL"), "Vrischika");
  EXPECT_EQ(FindPageField(page, "lblCasteHL"), "Brahmana");
  EXPECT_EQ(FindPageField(page, "lblNatureHL"), "Water");           // the element
  EXPECT_EQ(FindPageField(page, "txtNatureHL"), kNatureTexts[7]);   // the topic text
  EXPECT_EQ(FindPageField(page, "txtHealthHL"), kHealthTexts[7]);
  EXPECT_EQ(FindPageField(page, "lblRullingPlanetAscendant"), "Saturn");
  EXPECT_EQ(FindPageField(page, "txtLoveAndDomesticLifeAscendant"), kLoveAndDomesticLifeTexts[10]);
  EXPECT_EQ(FindPageField(page, "lblCompatibleWithAscendant"), "Aquarius, Libra, Gemini");
  EXPECT_EQ(FindPageField(page, "lblLuckyGemstoneAL"), "Coral");  // AL in Aries
  EXPECT_EQ(FindPageField(page, "txtCareerAndFinanceAL"), kCareerAndFinanceTexts[0]);
  EXPECT_TRUE(FindPageField(page, "lblCastePpL").empty());
}

TEST(LagnaReadings, LagnasInTheSameSignShowIdenticalBlocks) {
  ChartState state = ChartWithLagnasIn(0);
  state.LagnaSigns[kGL] = 9;
  state.LagnaSigns[kSL] = 9;
  state.LagnaSigns[kBL] = 3;
  FillLagnaReadings(state);
  for (int a = 0; a < 28; ++a) {
    SCOPED_TRACE(a);
    const std::string_view gl = FindPageField(state.PageFields, PageControlName(kGL, a));
    EXPECT_FALSE(gl.empty());
    EXPECT_EQ(gl, FindPageField(state.PageFields, PageControlName(kSL, a)));
    EXPECT_EQ(gl, SignAttributeValue(9, a));
  }
  EXPECT_NE(FindPageField(state.PageFields, "lblEnglishNameGL"),
            FindPageField(state.PageFields, "lblEnglishNameBL"));
}

TEST(LagnaReadings, RefillReplacesInsteadOfAppending) {
  ChartState state = ChartWithLagnasIn(0);
  FillLagnaReadings(state);
  const std::size_t fieldCount = state.PageFields.fields.size();
  const std::size_t arudhaRuns = state.PageFields.arudhaReading.runs.size();
  const std::size_t upapadaRuns = state.PageFields.upapadaReading.runs.size();
  state.LagnaSigns[kCL] = 6;
  FillLagnaReadings(state);
  EXPECT_EQ(state.PageFields.fields.size(), fieldCount);
  EXPECT_EQ(state.PageFields.arudhaReading.runs.size(), arudhaRuns);
  EXPECT_EQ(state.PageFields.upapadaReading.runs.size(), upapadaRuns);
  EXPECT_EQ(FindPageField(state.PageFields, "lblEnglishNameCL"), "Libra");
}

TEST(LagnaReadings, LagnaWithoutValidSignClearsItsBlock) {
  ChartState state = ChartWithLagnasIn(0);
  FillLagnaReadings(state);
  ASSERT_FALSE(FindPageField(state.PageFields, "lblSymbolVL").empty());
  state.LagnaSigns[kVL] = 12;
  FillLagnaReadings(state);
  EXPECT_EQ(state.PageFields.fields.size(), 12u * 28u);
  for (int a = 0; a < 28; ++a)
    EXPECT_TRUE(FindPageField(state.PageFields, PageControlName(kVL, a)).empty()) << a;
  EXPECT_FALSE(FindPageField(state.PageFields, "lblSymbolCL").empty());
}

TEST(LagnaReadings, ControlNamesAndVisitor) {
  EXPECT_EQ(PageControlName(kHL, 11), "lblCasteHL");
  EXPECT_EQ(PageControlName(kAL, 22), "txtNatureAL");
  EXPECT_EQ(PageControlName(kAscendantLagna, 25), "txtHealthAscendant");
  EXPECT_EQ(PageControlName(kUL, 14), "lblLuckyDaysUL");
  EXPECT_TRUE(PageControlName(kPpL, 0).empty());
  EXPECT_TRUE(PageControlName(kAL, 28).empty());

  ChartState state = ChartWithLagnasIn(2);
  FillLagnaReadings(state);
  std::map<std::string, std::string> visited;
  ForEachPageField(state.PageFields, [&](std::string_view control, std::string_view value) {
    EXPECT_TRUE(visited.emplace(std::string(control), std::string(value)).second) << control;
  });
  EXPECT_EQ(visited.size(), 12u * 28u + 3u);
  EXPECT_EQ(visited.at("lblHoraDesc"), std::string(kHoraHouseTexts[0]));
  EXPECT_EQ(visited.at("Label8(108)"), "Pranapada Lagna Present In 4 House");
  EXPECT_EQ(visited.at("lblEnglishNameAL"), "Gemini");
}

}  // namespace
}  // namespace corvane
