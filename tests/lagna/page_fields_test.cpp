#include <gtest/gtest.h>

#include <string>

#include "lagna/page_fields.h"
#include "lagna/sign_tables.h"
#include "lagna/texts/interpretation_texts.h"

namespace corvane {
namespace {

// Lagna l in sign (first + l) % 12, Hora in house 1, Pranapada in house 4.
PageInputs LagnasIn(int first) {
  PageInputs in;
  for (int l = 0; l < kLagnaCount; ++l) in.lagnaSigns[l] = (first + l) % 12;
  in.horaHouse = 1;
  in.pranapadaHouse = 4;
  return in;
}

TEST(PageFields, HouseReadingsAndPranapadaCaption) {
  PageInputs in = LagnasIn(0);
  LagnaPageFields page = BuildPageFields(in);
  EXPECT_EQ(page.horaHouseText,
            "If you have a good reputation and are famous then wealth and riches will come knocking on your doors. ");
  EXPECT_TRUE(page.pranapadaHouseText.starts_with("You will have a very happy and agreeable personality."));
  EXPECT_EQ(page.pranapadaCaption, "Pranapada Lagna Present In 4 House");

  in.horaHouse = 12;
  in.pranapadaHouse = 11;
  page = BuildPageFields(in);
  EXPECT_EQ(page.horaHouseText, "You will gain money from foreign places.");
  EXPECT_EQ(page.pranapadaHouseText, kPranapadaHouseTexts[10]);
  EXPECT_EQ(page.pranapadaCaption, "Pranapada Lagna Present In 11 House");

  in.horaHouse = 0;
  in.pranapadaHouse = 13;
  page = BuildPageFields(in);
  EXPECT_TRUE(page.horaHouseText.empty() && page.pranapadaHouseText.empty());
  EXPECT_EQ(page.pranapadaCaption, "Pranapada Lagna Present House Significance");
}

TEST(PageFields, BlockValuesComeFromTheLagnasSign) {
  PageInputs in = LagnasIn(0);
  in.lagnaSigns[kHL] = 7;               // Scorpio
  in.lagnaSigns[kAscendantLagna] = 10;  // Aquarius
  in.lagnaSigns[kGL] = in.lagnaSigns[kSL] = 9;
  const LagnaPageFields page = BuildPageFields(in);
  const struct {
    LagnaId lagna;
    PageField field;
    std::string_view value;
  } expected[] = {
      {kHL, PageField::kPresentInSign, "Scorpio"},
      {kHL, PageField::kVedicName, "Vrischika"},
      {kHL, PageField::kCaste, "Brahmana"},
      {kHL, PageField::kElement, "Water"},
      {kHL, PageField::kNature, kNatureTexts[7]},
      {kHL, PageField::kHealth, kHealthTexts[7]},
      {kAscendantLagna, PageField::kRulingPlanet, "Saturn"},
      {kAscendantLagna, PageField::kCompatibleWith, "Aquarius, Libra, Gemini"},
      {kAscendantLagna, PageField::kLoveAndDomesticLife, kLoveAndDomesticLifeTexts[10]},
      {kAL, PageField::kLuckyGemstone, "Coral"},
      {kAL, PageField::kCareerAndFinance, kCareerAndFinanceTexts[0]},
      {kPpL, PageField::kCaste, ""},  // the Pranapada page has no attribute block
  };
  for (const auto& row : expected)
    EXPECT_EQ(page.Attribute(row.lagna, row.field), row.value) << kLagnaKeys[row.lagna] << " "
                                                              << kPageFieldKeys[static_cast<int>(row.field)];
  // Lagnas in one sign show identical blocks.
  for (int a = 0; a < kPageFieldCount; ++a) {
    const auto field = static_cast<PageField>(a);
    EXPECT_FALSE(page.Attribute(kGL, field).empty()) << a;
    EXPECT_EQ(page.Attribute(kGL, field), page.Attribute(kSL, field)) << a;
  }
}

TEST(PageFields, AnInvalidSignLeavesItsBlockEmpty) {
  PageInputs in = LagnasIn(0);
  in.lagnaSigns[kCL] = 6;
  in.lagnaSigns[kVL] = 12;
  const LagnaPageFields page = BuildPageFields(in);
  EXPECT_EQ(page.Attribute(kCL, PageField::kEnglishName), "Libra");
  for (int a = 0; a < kPageFieldCount; ++a) EXPECT_TRUE(page.Attribute(kVL, static_cast<PageField>(a)).empty()) << a;
  EXPECT_TRUE(SignAttributeValue(-1, PageField::kSymbol).empty());
}

}  // namespace
}  // namespace corvane
