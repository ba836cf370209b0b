#include "app/calculation_settings.h"

#include "astro/swiss_ephemeris.h"

namespace corvane {

std::string SettingsSummary(const CalculationSettings& s) {
  std::string out(ChoiceOf(kEngineChoices, s.engine).label);
  for (std::string_view label : {ChoiceOf(kAyanamsaChoices, s.ayanamsa).label, ChoiceOf(kNodeChoices, s.node).label,
                                 ChoiceOf(kSunriseChoices, s.sunrise).label, ChoiceOf(kInduChoices, s.indu).label}) {
    out += ", ";
    out += label;
  }
  return out;
}

std::optional<SettingsProblem> SettingsConflict(const CalculationSettings& s) {
  // The element method has only the mean node.
  if (s.engine == EngineKind::kElements && s.node == NodeKind::kTrue)
    return SettingsProblem{SettingsProblem::Kind::kConflict, kTrueNodeNeedsPreciseMessage};
  return std::nullopt;
}

std::optional<SettingsProblem> CheckSettings(const CalculationSettings& s) {
  if (auto conflict = SettingsConflict(s)) return conflict;
  const bool starBased = s.ayanamsa == Ayanamsa::kTrueChitrapaksha || s.ayanamsa == Ayanamsa::kTruePushya;
  if (s.engine == EngineKind::kSwiss || starBased) {
    if (const auto problem = SwissDataProblem()) return SettingsProblem{SettingsProblem::Kind::kDataMissing, *problem};
  }
  return std::nullopt;
}

}  // namespace corvane
