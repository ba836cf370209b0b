#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/calculation_settings.h"

namespace corvane {

// The value options that choose the engine and the conventions of a calculation.
inline constexpr std::array<std::string_view, 11> kSettingsOptions = {
    "--engine", "--ayanamsa", "--node",  "--sunrise", "--indu",     "--timing",
    "--pranapada-sun", "--varnada", "--lords", "--nakshatra", "--conventions"};

// The value given to an option, or nothing when the option is absent.
using OptionValue = std::function<std::optional<std::string_view>(std::string_view option)>;

// Sets each setting whose option is given; for an unknown value, the usage message that
// names the choices. A --conventions preset is applied first, so that the single options
// given with it win.
std::optional<std::string> ReadSettingsOptions(const OptionValue& valueOf, CalculationSettings& settings);

// Sets the engine from a batch row's `engine` field; the message for an unknown value.
std::optional<std::string> ReadEngineField(std::string_view text, CalculationSettings& settings);

// Sets the setting a batch column names (timing, pranapada_sun, varnada, lords, nakshatra)
// from a row's field; the message for an unknown value. An empty field keeps the run's choice.
std::optional<std::string> ReadConventionField(std::string_view column, std::string_view text,
                                               CalculationSettings& settings);

}  // namespace corvane
