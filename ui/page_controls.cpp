#include "ui/page_controls.h"

#include <array>
#include <string_view>

namespace corvane {

namespace {

// The attribute part of each control name, by PageField; the lagna's suffix follows it.
constexpr std::array<std::string_view, kPageFieldCount> kAttributeControls = {
    "lblArudhaLagnaPresentInSign", "lblVedicName", "lblEnglishName", "lblRullingPlanet",
    "lblSymbol", "lblNature", "lblColor", "lblTypeOfSign", "lblGender",
    "lblBestPeriodOfActivity", "lblBarren", "lblCaste", "lblPosition",
    "lblConstituentCharacter", "lblLuckyDays", "lblLuckyNumbers", "lblBestDirection",
    "lblLuckyColors", "lblLuckyGemstone", "lblPartOfTheBody", "lblPhysique",
    "txtLooks", "txtNature", "txtCareerAndFinance", "txtLoveAndDomesticLife", "txtHealth",
    "lblCompatibleWith", "lblNotCompatibleWith"};

}  // namespace

QString PageControlName(LagnaId lagna, PageField field) {
  const int f = static_cast<int>(field);
  if (lagna < 0 || lagna >= kLagnaCount || !HasAttributeBlock(lagna) || f < 0 || f >= kPageFieldCount) return {};
  const std::string_view attribute = kAttributeControls[static_cast<std::size_t>(f)];
  const std::string_view suffix = kLagnaKeys[lagna];
  return QString::fromLatin1(attribute.data(), static_cast<qsizetype>(attribute.size())) +
         QString::fromLatin1(suffix.data(), static_cast<qsizetype>(suffix.size()));
}

}  // namespace corvane
