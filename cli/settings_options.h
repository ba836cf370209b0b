#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/calculation_settings.h"

namespace corvane {

inline constexpr std::string_view kConventionsOption = "--conventions";

// The value options that choose the engine and the conventions of a calculation: one per
// setting, then the preset.
inline constexpr std::array<std::string_view, kSettingCount + 1> kSettingsOptions = [] {
  std::array<std::string_view, kSettingCount + 1> options{};
  for (std::size_t i = 0; i < kSettingCount; ++i) options[i] = kSettingRows[i].option;
  options[kSettingCount] = kConventionsOption;
  return options;
}();

// The value given to an option, or nothing when the option is absent.
using OptionValue = std::function<std::optional<std::string_view>(std::string_view option)>;

// Sets each setting whose option is given; for an unknown value, the usage message that
// names the choices. A --conventions preset is applied first, so that the single options
// given with it win.
std::optional<std::string> ReadSettingsOptions(const OptionValue& valueOf, CalculationSettings& settings);

// Sets a setting from a batch row's field of the setting's column (its key); the message
// naming the column for an unknown value. An empty field keeps the run's choice.
std::optional<std::string> ReadSettingField(const SettingRow& row, std::string_view text,
                                            CalculationSettings& settings);

}  // namespace corvane
