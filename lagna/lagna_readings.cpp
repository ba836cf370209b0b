#include "lagna/lagna_readings.h"

#include <charconv>
#include <cstdint>

#include "lagna/placement_readings.h"
#include "lagna/sign_tables.h"
#include "lagna/texts/interpretation_texts.h"

namespace corvane {

namespace {

// Every control name of every attribute block, concatenated at compile time so that the
// fill can hand out views without building strings.
constexpr std::size_t kControlNameChars = [] {
  std::size_t n = 0;
  for (std::string_view suffix : kLagnaSuffixes)
    if (!suffix.empty())
      for (std::string_view attribute : kAttributeControls) n += attribute.size() + suffix.size();
  return n;
}();

struct ControlNameTable {
  std::array<char, kControlNameChars> chars{};
  // Start and length of each name, by lagna and attribute; the Pranapada row stays empty.
  std::array<std::array<std::uint16_t, kAttributeControls.size()>, kLagnaCount> start{};
  std::array<std::array<std::uint8_t, kAttributeControls.size()>, kLagnaCount> length{};
};

constexpr ControlNameTable kControlNames = [] {
  ControlNameTable table;
  std::size_t pos = 0;
  for (std::size_t lagna = 0; lagna < kLagnaSuffixes.size(); ++lagna) {
    const std::string_view suffix = kLagnaSuffixes[lagna];
    if (suffix.empty()) continue;
    for (std::size_t a = 0; a < kAttributeControls.size(); ++a) {
      table.start[lagna][a] = static_cast<std::uint16_t>(pos);
      for (char c : kAttributeControls[a]) table.chars[pos++] = c;
      for (char c : suffix) table.chars[pos++] = c;
      table.length[lagna][a] = static_cast<std::uint8_t>(pos - table.start[lagna][a]);
    }
  }
  return table;
}();

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

// Label8(108) keeps its design text when the Pranapada house is unknown.
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

std::string_view PageControlName(LagnaId lagna, int attribute) {
  if (lagna < 0 || lagna >= kLagnaCount || attribute < 0 ||
      attribute >= static_cast<int>(kAttributeControls.size()))
    return {};
  return {kControlNames.chars.data() + kControlNames.start[lagna][attribute],
          kControlNames.length[lagna][attribute]};
}

std::string_view SignAttributeValue(int sign, int attribute) {
  const SignAttributes* row = FindSign(sign);
  if (row == nullptr || attribute < 0 || attribute >= static_cast<int>(kAttributeSources.size()))
    return {};
  const AttributeSource& source = kAttributeSources[attribute];
  return source.topic != nullptr ? (*source.topic)[sign] : row->*source.column;
}

void FillLagnaReadings(ChartState& state) {
  LagnaPageFields& page = state.PageFields;
  ArudhaReading(state, page.arudhaReading);
  UpapadaReading(state, page.upapadaReading);

  page.houseDescription = HouseText(kPranapadaHouseTexts, state.PranapadaHouse);
  WritePranapadaCaption(state.PranapadaHouse, page.pranapadaCaption);
  page.horaDescription = HouseText(kHoraHouseTexts, state.HoraHouse);

  // Every block is written on every fill; a lagna without a valid sign gets empty values
  // rather than keeping the previous chart's texts.
  page.fields.clear();
  page.fields.reserve(kAttributeFieldCount);
  for (LagnaId lagna : kAttributeBlockOrder) {
    const int sign = state.LagnaSigns[lagna];
    for (int a = 0; a < static_cast<int>(kAttributeControls.size()); ++a)
      page.fields.push_back({PageControlName(lagna, a), SignAttributeValue(sign, a)});
  }
}

}  // namespace corvane
