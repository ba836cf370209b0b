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
  if ((e = Read("--engine", valueOf("--engine"), kEngineChoices, s.engine)) ||
      (e = Read("--ayanamsa", valueOf("--ayanamsa"), kAyanamsaChoices, s.ayanamsa)) ||
      (e = Read("--node", valueOf("--node"), kNodeChoices, s.node)) ||
      (e = Read("--sunrise", valueOf("--sunrise"), kSunriseChoices, s.sunrise)) ||
      (e = Read("--indu", valueOf("--indu"), kInduChoices, s.indu))) {
    return e;
  }
  return std::nullopt;
}

std::optional<std::string> ReadEngineField(std::string_view text, CalculationSettings& settings) {
  return Read("the engine column", text, kEngineChoices, settings.engine);
}

}  // namespace corvane
