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
  // The conventions the exact preset sets, all chosen as it sets them, are named together.
  bool exactConventions = true;
  for (const SettingRow& row : kSettingRows) {
    const std::optional<std::size_t> chosen = row.chosenIn(s);
    if (!row.exactKey.empty() && (!chosen || row.keyAt(*chosen) != row.exactKey)) exactConventions = false;
  }
  std::string text = "Calculated with ";
  bool first = true;
  for (const SettingRow& row : kSettingRows) {
    const std::optional<std::size_t> chosen = row.chosenIn(s);
    if (!chosen) continue;
    const bool always = row.key == "engine" || row.key == "ayanamsa";
    if (!always && (*chosen == row.DefaultIndex() || (exactConventions && !row.exactKey.empty()))) continue;
    if (!first) text += ", ";
    first = false;
    // The comparison's short title where it names this choice ("Varnada signs"), else the label.
    const std::string_view key = row.keyAt(*chosen);
    text += !always && !row.comparison.title.empty() && row.comparison.choiceKey == key ? row.comparison.title
                                                                                       : Plain(row.labelAt(*chosen));
  }
  if (exactConventions) text += ", exact conventions";
  return text;
}

}  // namespace corvane
