#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/calculation_settings.h"

namespace corvane {

// The value options that choose the engine and the conventions of a calculation.
inline constexpr std::array<std::string_view, 5> kSettingsOptions = {"--engine", "--ayanamsa", "--node", "--sunrise",
                                                                    "--indu"};

// The value given to an option, or nothing when the option is absent.
using OptionValue = std::function<std::optional<std::string_view>(std::string_view option)>;

// Sets each setting whose option is given; for an unknown value, the usage message that
// names the choices.
std::optional<std::string> ReadSettingsOptions(const OptionValue& valueOf, CalculationSettings& settings);

// Sets the engine from a batch row's `engine` field; the message for an unknown value.
std::optional<std::string> ReadEngineField(std::string_view text, CalculationSettings& settings);

}  // namespace corvane
