#include "cli/settings_options.h"

namespace corvane {

namespace {

std::optional<std::string> Read(std::string_view what, std::string_view text, const SettingRow& row,
                                CalculationSettings& settings) {
  if (const std::optional<std::size_t> chosen = row.Find(text)) {
    row.choose(settings, *chosen);
    return std::nullopt;
  }
  return std::string(what) + " must be " + row.Keys() + ", not \"" + std::string(text) + "\"";
}

}  // namespace

std::optional<std::string> ReadSettingsOptions(const OptionValue& valueOf, CalculationSettings& s) {
  if (const std::optional<std::string_view> presetText = valueOf(kConventionsOption)) {
    const std::optional<ConventionPreset> preset = ChoiceByKey(kConventionPresetChoices, *presetText);
    if (!preset)
      return std::string(kConventionsOption) + " must be " + ChoiceKeys(kConventionPresetChoices) + ", not \"" +
             std::string(*presetText) + "\"";
    ApplyConventionPreset(*preset, s);
  }
  for (const SettingRow& row : kSettingRows)
    if (const std::optional<std::string_view> text = valueOf(row.option))
      if (auto error = Read(row.option, *text, row, s)) return error;
  return std::nullopt;
}

std::optional<std::string> ReadSettingField(const SettingRow& row, std::string_view text, CalculationSettings& s) {
  if (text.empty()) return std::nullopt;
  return Read("the " + std::string(row.key) + " column", text, row, s);
}

}  // namespace corvane
