#include "lagna/page_fields.h"

#include "lagna/placement_readings.h"
#include "lagna/sign_tables.h"
#include "lagna/texts/interpretation_texts.h"

namespace corvane {

namespace {

// Where each attribute's value comes from: a column of the sign table or a topic text.
struct AttributeSource {
  std::string_view SignAttributes::*column;
  const std::array<std::string_view, 12>* topic;
};
constexpr std::array<AttributeSource, 28> kAttributeSources = {{
    {&SignAttributes::EnglishName, nullptr},  // the "present in sign" caption
    {&SignAttributes::VedicName, nullptr},
    {&SignAttributes::EnglishName, nullptr},
    {&SignAttributes::RullingPlanet, nullptr},
    {&SignAttributes::Symbol, nullptr},
    {&SignAttributes::Nature, nullptr},
    {&SignAttributes::Color, nullptr},
    {&SignAttributes::TypeOfSign, nullptr},
    {&SignAttributes::Gender, nullptr},
    {&SignAttributes::BestPeriodOfActivity, nullptr},
    {&SignAttributes::Barren, nullptr},
    {&SignAttributes::Caste, nullptr},
    {&SignAttributes::Position, nullptr},
    {&SignAttributes::ConstituentCharacter, nullptr},
    {&SignAttributes::LuckyDays, nullptr},
    {&SignAttributes::LuckyNumbers, nullptr},
    {&SignAttributes::BestDirection, nullptr},
    {&SignAttributes::LuckyColors, nullptr},
    {&SignAttributes::LuckyGemstone, nullptr},
    {&SignAttributes::PartOfTheBody, nullptr},
    {&SignAttributes::Physique, nullptr},
    {nullptr, &kLooksTexts},
    {nullptr, &kNatureTexts},
    {nullptr, &kCareerAndFinanceTexts},
    {nullptr, &kLoveAndDomesticLifeTexts},
    {nullptr, &kHealthTexts},
    {&SignAttributes::CompatibleWith, nullptr},
    {&SignAttributes::NotCompatibleWith, nullptr},
}};

// The Pranapada heading keeps its design text when the Pranapada house is unknown.
constexpr std::string_view kPranapadaCaptionUnknown = "Pranapada Lagna Present House Significance";

// The house text for a house number 1..12, or empty for anything else.
std::string_view HouseText(const std::array<std::string_view, 12>& texts, int house) {
  return house >= 1 && house <= 12 ? texts[house - 1] : std::string_view{};
}

void WritePranapadaCaption(int house, std::string& caption) {
  if (house < 1 || house > 12) {
    caption.assign(kPranapadaCaptionUnknown);
    return;
  }
  caption = "Pranapada Lagna Present In " + std::to_string(house) + " House";
}

}  // namespace

std::string_view SignAttributeValue(int sign, PageField field) {
  const int attribute = static_cast<int>(field);
  const SignAttributes* row = FindSign(sign);
  if (row == nullptr || attribute < 0 || attribute >= static_cast<int>(kAttributeSources.size()))
    return {};
  const AttributeSource& source = kAttributeSources[static_cast<std::size_t>(attribute)];
  return source.topic != nullptr ? (*source.topic)[sign] : row->*source.column;
}

LagnaPageFields BuildPageFields(const PageInputs& in) {
  LagnaPageFields page;
  ArudhaReading(in.bodySigns, in.arudhaPadaSign, page.arudhaReading);
  UpapadaReading(in.bodySigns, in.upapadaSign, page.upapadaReading);

  page.pranapadaHouseText = HouseText(kPranapadaHouseTexts, in.pranapadaHouse);
  WritePranapadaCaption(in.pranapadaHouse, page.pranapadaCaption);
  page.horaHouseText = HouseText(kHoraHouseTexts, in.horaHouse);

  for (int lagna = 0; lagna < kLagnaCount; ++lagna) {
    if (!HasAttributeBlock(static_cast<LagnaId>(lagna))) continue;
    for (int a = 0; a < kPageFieldCount; ++a)
      page.attributes[lagna][a] = SignAttributeValue(in.lagnaSigns[lagna], static_cast<PageField>(a));
  }
  return page;
}

}  // namespace corvane
