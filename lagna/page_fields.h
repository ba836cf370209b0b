#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "astro/bodies.h"
#include "lagna/lagna_id.h"

namespace corvane {

// One formatted run of a rich reading: emphasis, colour and the text itself.
struct TextRun {
  bool bold = false;
  bool darkRed = false;  // false: black; true: dark red (128, 0, 0)
  std::string text;
  bool heading = false;  // the run is the heading of a rule that fired (not part of the look)
};

// A reading shown in a rich text box: the size is set once before the first run.
struct RichReading {
  int pointSize = 11;
  std::vector<TextRun> runs;
};

// The attribute block of a lagna page, in the order the page lists it.
enum class PageField : int {
  kPresentInSign, kVedicName, kEnglishName, kRulingPlanet, kSymbol, kElement, kColor, kTypeOfSign,
  kGender, kBestPeriodOfActivity, kBarren, kCaste, kPosition, kConstituentCharacter, kLuckyDays,
  kLuckyNumbers, kBestDirection, kLuckyColors, kLuckyGemstone, kPartOfTheBody, kPhysique,
  kLooks, kNature, kCareerAndFinance, kLoveAndDomesticLife, kHealth,  // the five topic texts
  kCompatibleWith, kNotCompatibleWith,
  kCount
};
inline constexpr int kPageFieldCount = static_cast<int>(PageField::kCount);

// Machine-readable names of the attribute fields, by PageField.
inline constexpr std::array<std::string_view, kPageFieldCount> kPageFieldKeys = {
    "present_in_sign", "vedic_name", "english_name", "ruling_planet", "symbol", "element", "color",
    "type_of_sign", "gender", "best_period_of_activity", "barren", "caste", "position",
    "constituent_character", "lucky_days", "lucky_numbers", "best_direction", "lucky_colors",
    "lucky_gemstone", "part_of_the_body", "physique", "looks", "nature", "career_and_finance",
    "love_and_domestic_life", "health", "compatible_with", "not_compatible_with"};

// Every lagna except Pranapada has an attribute block.
constexpr bool HasAttributeBlock(LagnaId lagna) { return lagna != kPpL; }

// The texts of the interpretation pages. Views point into the constant sign and text tables.
struct LagnaPageFields {
  // attributes[lagna][field]; all empty for the Pranapada page and for a lagna without a sign.
  std::array<std::array<std::string_view, kPageFieldCount>, kLagnaCount> attributes{};
  std::string_view horaHouseText;       // Hora page: the house of the Hora lagna
  std::string_view pranapadaHouseText;  // Pranapada page: the house of the Pranapada lagna
  std::string pranapadaCaption;         // Pranapada page heading
  RichReading arudhaReading;            // Arudha page
  RichReading upapadaReading;           // Upapada page

  std::string_view Attribute(LagnaId lagna, PageField field) const {
    return attributes[lagna][static_cast<int>(field)];
  }
};

// What the pages are written from.
struct PageInputs {
  std::array<int, kLagnaCount> lagnaSigns{};  // sign index of each entry (0 for one not placed)
  PerBody<int> bodySigns{};                   // sign index of each body at birth
  int arudhaPadaSign = 0;                     // sign index of the pada of house 1 (AL)
  int upapadaSign = 0;                        // sign index of the pada of house 12 (UL)
  int horaHouse = 0;                          // 1..12, 0 unknown
  int pranapadaHouse = 0;                     // 1..12, 0 unknown
};

// Value of an attribute for sign index `sign`; empty when the sign is out of range.
std::string_view SignAttributeValue(int sign, PageField field);

// Every field of every page: the Arudha and Upapada readings, the Pranapada and Hora house
// readings, then the attribute block of each entry.
LagnaPageFields BuildPageFields(const PageInputs& in);

}  // namespace corvane
