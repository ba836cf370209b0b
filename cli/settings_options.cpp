#include "cli/settings_options.h"

namespace corvane {

namespace {

template <typename T, std::size_t N>
std::optional<std::string> Read(std::string_view what, std::optional<std::string_view> text,
                                const std::array<SettingChoice<T>, N>& choices, T& value) {
  if (!text) return std::nullopt;
  if (const auto chosen = ChoiceByKey(choices, *text)) {
    value = *chosen;
    return std::nullopt;
  }
  return std::string(what) + " must be " + ChoiceKeys(choices) + ", not \"" + std::string(*text) + "\"";
}

}  // namespace

std::optional<std::string> ReadSettingsOptions(const OptionValue& valueOf, CalculationSettings& s) {
  std::optional<std::string> e;
  ConventionPreset preset{};
  const std::optional<std::string_view> presetText = valueOf("--conventions");
  if ((e = Read("--conventions", presetText, kConventionPresetChoices, preset))) return e;
  if (presetText) ApplyConventionPreset(preset, s);
  if ((e = Read("--engine", valueOf("--engine"), kEngineChoices, s.engine)) ||
      (e = Read("--ayanamsa", valueOf("--ayanamsa"), kAyanamsaChoices, s.ayanamsa)) ||
      (e = Read("--node", valueOf("--node"), kNodeChoices, s.node)) ||
      (e = Read("--sunrise", valueOf("--sunrise"), kSunriseChoices, s.sunrise)) ||
      (e = Read("--indu", valueOf("--indu"), kInduChoices, s.indu)) ||
      (e = Read("--timing", valueOf("--timing"), kTimingChoices, s.timing)) ||
      (e = Read("--pranapada-sun", valueOf("--pranapada-sun"), kPranapadaSunChoices, s.pranapadaSun)) ||
      (e = Read("--varnada", valueOf("--varnada"), kVarnadaChoices, s.varnada)) ||
      (e = Read("--lords", valueOf("--lords"), kLordsChoices, s.lords)) ||
      (e = Read("--nakshatra", valueOf("--nakshatra"), kNakshatraChoices, s.nakshatra))) {
    return e;
  }
  return std::nullopt;
}

std::optional<std::string> ReadEngineField(std::string_view text, CalculationSettings& settings) {
  return Read("the engine column", text, kEngineChoices, settings.engine);
}

std::optional<std::string> ReadConventionField(std::string_view column, std::string_view text,
                                               CalculationSettings& s) {
  if (text.empty()) return std::nullopt;
  const std::string what = "the " + std::string(column) + " column";
  if (column == "timing") return Read(what, text, kTimingChoices, s.timing);
  if (column == "pranapada_sun") return Read(what, text, kPranapadaSunChoices, s.pranapadaSun);
  if (column == "varnada") return Read(what, text, kVarnadaChoices, s.varnada);
  if (column == "lords") return Read(what, text, kLordsChoices, s.lords);
  if (column == "nakshatra") return Read(what, text, kNakshatraChoices, s.nakshatra);
  return std::nullopt;
}

}  // namespace corvane
