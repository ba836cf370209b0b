#pragma once
#include <array>
#include <string_view>

#include "app/chart_state.h"

namespace corvane {

// Attribute part of the 28 controls of one lagna's attribute block, prefix included, in the
// order the block is written. The full control name is this + the lagna's suffix.
inline constexpr std::array<std::string_view, 28> kAttributeControls = {
    "lblArudhaLagnaPresentInSign", "lblVedicName", "lblEnglishName", "lblRullingPlanet",
    "lblSymbol", "lblNature", "lblColor", "lblTypeOfSign", "lblGender",
    "lblBestPeriodOfActivity", "lblBarren", "lblCaste", "lblPosition",
    "lblConstituentCharacter", "lblLuckyDays", "lblLuckyNumbers", "lblBestDirection",
    "lblLuckyColors", "lblLuckyGemstone", "lblPartOfTheBody", "lblPhysique",
    "txtLooks", "txtNature", "txtCareerAndFinance", "txtLoveAndDomesticLife", "txtHealth",
    "lblCompatibleWith", "lblNotCompatibleWith"};

// Control-name suffix of each lagna entry, by LagnaId. The Pranapada page has no attribute
// block and therefore no suffix.
inline constexpr std::array<std::string_view, kLagnaCount> kLagnaSuffixes = {
    "AL", "BL", "HL", "GL", "SrL", "IL", "PL", "UL", "", "VL", "CL", "SL", "Ascendant"};

// The entries that carry an attribute block, in the order the fill writes them.
inline constexpr std::array<LagnaId, 12> kAttributeBlockOrder = {
    kBL, kGL, kSrL, kIL, kAL, kPL, kVL, kHL, kUL, kCL, kSL, kAscendantLagna};

inline constexpr std::size_t kAttributeFieldCount =
    kAttributeControls.size() * kAttributeBlockOrder.size();

// Full control name of attribute `attribute` (0..27) on the page of `lagna`, e.g. "lblCasteHL";
// empty for the Pranapada entry or an index out of range. Views a constant table.
std::string_view PageControlName(LagnaId lagna, int attribute);

// Value of attribute `attribute` (0..27) for sign `sign`; empty when either is out of range.
std::string_view SignAttributeValue(int sign, int attribute);

// Writes every field of the interpretation pages into state.PageFields, replacing what the
// previous fill wrote: the Arudha and Upapada readings, the Pranapada and Hora house
// readings, then the attribute block of each entry in kAttributeBlockOrder.
void FillLagnaReadings(ChartState& state);

}  // namespace corvane
