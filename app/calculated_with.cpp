#include "app/calculated_with.h"

#include <string_view>

namespace corvane {

namespace {

// A label without its note in brackets: "Swiss Ephemeris (precise)" is "Swiss Ephemeris".
std::string_view Plain(std::string_view label) {
  const std::size_t bracket = label.find(" (");
  return bracket == std::string_view::npos ? label : label.substr(0, bracket);
}

}  // namespace

std::string CalculatedWithText(const CalculationSettings& s) {
  const CalculationSettings defaults;
  CalculationSettings exact = s;
  ApplyExactConventions(exact);
  const bool exactConventions = exact == s;  // the preset's values all differ from the defaults
  std::string text = "Calculated with ";
  text += Plain(ChoiceOf(kEngineChoices, s.engine).label);
  text += ", ";
  text += Plain(ChoiceOf(kAyanamsaChoices, s.ayanamsa).label);
  // Every other choice only where it differs from the default, in the order of the settings.
  const auto chosen = SettingEntries(s);
  const auto standard = SettingEntries(defaults);
  CalculationSettings presetOnly;
  ApplyExactConventions(presetOnly);
  const auto preset = SettingEntries(presetOnly);
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    if (chosen[i].name == "engine" || chosen[i].name == "ayanamsa" || chosen[i].key == standard[i].key) continue;
    // The conventions the exact preset sets are named once, together.
    if (exactConventions && preset[i].key != standard[i].key) continue;
    text += ", ";
    text += chosen[i].label;
  }
  if (exactConventions) text += ", exact conventions";
  return text;
}

}  // namespace corvane
