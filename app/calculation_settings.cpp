#include "app/calculation_settings.h"

#include "app/ephemeris_messages.h"
#include "astro/swiss_ephemeris.h"

namespace corvane {

std::array<SettingEntry, kSettingCount> SettingEntries(const CalculationSettings& s) {
  auto entry = [](std::string_view name, const auto& choice) { return SettingEntry{name, choice.key, choice.label}; };
  return {entry("engine", ChoiceOf(kEngineChoices, s.engine)),
          entry("ayanamsa", ChoiceOf(kAyanamsaChoices, s.ayanamsa)),
          entry("node", ChoiceOf(kNodeChoices, s.node)),
          entry("sunrise", ChoiceOf(kSunriseChoices, s.sunrise)),
          entry("indu", ChoiceOf(kInduChoices, s.indu)),
          entry("timing", ChoiceOf(kTimingChoices, s.timing)),
          entry("pranapada_sun", ChoiceOf(kPranapadaSunChoices, s.pranapadaSun)),
          entry("varnada", ChoiceOf(kVarnadaChoices, s.varnada)),
          entry("lords", ChoiceOf(kLordsChoices, s.lords)),
          entry("nakshatra", ChoiceOf(kNakshatraChoices, s.nakshatra))};
}

std::string SettingsSummary(const CalculationSettings& s) {
  std::string out;
  for (const SettingEntry& e : SettingEntries(s)) {
    if (!out.empty()) out += ", ";
    out += e.label;
  }
  return out;
}

void ApplyExactConventions(CalculationSettings& s) {
  s.timing = TimingPrecision::kExact;
  s.pranapadaSun = PranapadaSun::kAtBirth;
  s.varnada = VarnadaCount::kSigns;
  s.nakshatra = NakshatraDivision::kExact;
}

void ApplyConventionPreset(ConventionPreset preset, CalculationSettings& s) {
  if (preset == ConventionPreset::kExact) {
    ApplyExactConventions(s);
    return;
  }
  const CalculationSettings defaults;
  s.timing = defaults.timing;
  s.pranapadaSun = defaults.pranapadaSun;
  s.varnada = defaults.varnada;
  s.nakshatra = defaults.nakshatra;
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
    if (const auto problem = SwissDataProblem()) return SettingsProblem{SettingsProblem::Kind::kDataMissing, EphemerisFailureMessage(*problem)};
  }
  return std::nullopt;
}

}  // namespace corvane
