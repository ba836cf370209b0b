#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/chart_state.h"
#include "lagna/lagna_readings.h"
#include "lagna/page_fields.h"
#include "lagna/sign_tables.h"
#include "lagna/texts/interpretation_texts.h"

namespace corvane {
namespace {

// Lagna l in sign (first + l) % 12, Hora in house 1, Pranapada in house 4.
ChartState ChartWithLagnasIn(int first) {
  ChartState state;
  for (int l = 0; l < kLagnaCount; ++l) state.LagnaSigns[l] = (first + l) % 12;
  state.HoraHouse = 1;
  state.PranapadaHouse = 4;
  return state;
}

TEST(LagnaReadings, HouseReadingsAndPranapadaCaption) {
  ChartState state = ChartWithLagnasIn(0);
  const LagnaPageFields& page = state.PageFields;
  FillLagnaReadings(state);
  EXPECT_EQ(page.horaDescription,
            "If you have a good reputation and are famous then wealth and riches will come knocking on your doors. ");
  EXPECT_TRUE(page.houseDescription.starts_with("You will have a very happy and agreeable personality."));
  EXPECT_EQ(FindPageField(page, "Label8(108)"), "Pranapada Lagna Present In 4 House");
  EXPECT_EQ(FindPageField(page, "lblHouseDesc"), kPranapadaHouseTexts[3]);

  state.HoraHouse = 12;
  state.PranapadaHouse = 11;
  FillLagnaReadings(state);
  EXPECT_EQ(page.horaDescription, "You will gain money from foreign places.");
  EXPECT_EQ(page.houseDescription, kPranapadaHouseTexts[10]);
  EXPECT_EQ(page.pranapadaCaption, "Pranapada Lagna Present In 11 House");

  state.HoraHouse = 0;
  state.PranapadaHouse = 13;
  FillLagnaReadings(state);
  EXPECT_TRUE(page.horaDescription.empty() && page.houseDescription.empty());
  EXPECT_EQ(page.pranapadaCaption, "Pranapada Lagna Present House Significance");
}

TEST(LagnaReadings, BlocksInFillOrderUnderTheirControlNames) {
  EXPECT_EQ(PageControlName(kHL, 11), "lblCasteHL");
  EXPECT_EQ(PageControlName(kAL, 22), "txtNatureAL");
  EXPECT_EQ(PageControlName(kAscendantLagna, 25), "txtHealthAscendant");
  EXPECT_EQ(PageControlName(kUL, 14), "lblLuckyDaysUL");
  EXPECT_TRUE(PageControlName(kPpL, 0).empty());  // Pranapada has no attribute block
  EXPECT_TRUE(PageControlName(kAL, 28).empty());

  ChartState state = ChartWithLagnasIn(2);
  FillLagnaReadings(state);
  const auto& fields = state.PageFields.fields;
  ASSERT_EQ(fields.size(), 12u * 28u);
  const char* suffixes[] = {"BL", "GL", "SrL", "IL", "AL", "PL", "VL", "HL", "UL", "CL", "SL", "Ascendant"};
  for (int b = 0; b < 12; ++b) {
    EXPECT_EQ(fields[b * 28].control, std::string("lblArudhaLagnaPresentInSign") + suffixes[b]);
    EXPECT_EQ(fields[b * 28 + 21].control, std::string("txtLooks") + suffixes[b]);
    EXPECT_EQ(fields[b * 28 + 27].control, std::string("lblNotCompatibleWith") + suffixes[b]);
  }
  std::map<std::string, std::string> visited;
  ForEachPageField(state.PageFields, [&](std::string_view control, std::string_view value) {
    EXPECT_TRUE(visited.emplace(std::string(control), std::string(value)).second) << control;
    EXPECT_FALSE(control.ends_with("PpL")) << control;
  });
  EXPECT_EQ(visited.size(), 12u * 28u + 3u);
  EXPECT_EQ(visited.at("lblHoraDesc"), std::string(kHoraHouseTexts[0]));
  EXPECT_EQ(visited.at("Label8(108)"), "Pranapada Lagna Present In 4 House");
  EXPECT_EQ(visited.at("lblEnglishNameAL"), "Gemini");
}

TEST(LagnaReadings, BlockValuesComeFromTheLagnasSign) {
  ChartState state = ChartWithLagnasIn(0);
  state.LagnaSigns[kHL] = 7;               // Scorpio
  state.LagnaSigns[kAscendantLagna] = 10;  // Aquarius
  state.LagnaSigns[kGL] = state.LagnaSigns[kSL] = 9;
  FillLagnaReadings(state);
  const std::pair<const char*, std::string_view> expected[] = {
      {"lblArudhaLagnaPresentInSignHL", "Scorpio"}, {"lblVedicNameHL", "Vrischika"},
      {"lblCasteHL", "Brahmana"},                   {"lblNatureHL", "Water"},  // the element
      {"txtNatureHL", kNatureTexts[7]},             {"txtHealthHL", kHealthTexts[7]},
      {"lblRullingPlanetAscendant", "Saturn"},      {"lblCompatibleWithAscendant", "Aquarius, Libra, Gemini"},
      {"txtLoveAndDomesticLifeAscendant", kLoveAndDomesticLifeTexts[10]},
      {"lblLuckyGemstoneAL", "Coral"},              {"txtCareerAndFinanceAL", kCareerAndFinanceTexts[0]},
      {"lblCastePpL", ""}};
  for (const auto& [control, value] : expected) EXPECT_EQ(FindPageField(state.PageFields, control), value) << control;
  // Lagnas in one sign show identical blocks.
  for (int a = 0; a < 28; ++a) {
    const std::string_view gl = FindPageField(state.PageFields, PageControlName(kGL, a));
    EXPECT_FALSE(gl.empty()) << a;
    EXPECT_EQ(gl, FindPageField(state.PageFields, PageControlName(kSL, a))) << a;
    EXPECT_EQ(gl, SignAttributeValue(9, a)) << a;
  }
}

TEST(LagnaReadings, RefillReplacesAndAnInvalidSignClearsItsBlock) {
  ChartState state = ChartWithLagnasIn(0);
  FillLagnaReadings(state);
  const LagnaPageFields first = state.PageFields;
  state.LagnaSigns[kCL] = 6;
  state.LagnaSigns[kVL] = 12;
  FillLagnaReadings(state);
  EXPECT_EQ(state.PageFields.fields.size(), first.fields.size());
  EXPECT_EQ(state.PageFields.arudhaReading.runs.size(), first.arudhaReading.runs.size());
  EXPECT_EQ(state.PageFields.upapadaReading.runs.size(), first.upapadaReading.runs.size());
  EXPECT_EQ(FindPageField(state.PageFields, "lblEnglishNameCL"), "Libra");
  ASSERT_FALSE(FindPageField(first, "lblSymbolVL").empty());
  for (int a = 0; a < 28; ++a) EXPECT_TRUE(FindPageField(state.PageFields, PageControlName(kVL, a)).empty()) << a;
}

}  // namespace
}  // namespace corvane
