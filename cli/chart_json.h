#pragma once
#include <nlohmann/json.hpp>
#include <string>

#include "app/chart_calculation.h"
#include "app/display_texts.h"

namespace corvane {

// Writes the whole chart into `j`: inputs, positions, sunrises, lagnas, sign boxes and the
// fired reading headings; with `pages` also every interpretation field and both readings.
// Filling the same object again overwrites the values in place and reuses their storage,
// which keeps a batch of charts from allocating a fresh tree per chart.
void FillChartJson(const ChartState& chart, bool pages, nlohmann::ordered_json& j);

// The same as a new object.
nlohmann::ordered_json ChartJson(const ChartState& chart, bool pages);

// {"engine": "elements", "ayanamsa": "lahiri", "node": "mean", "sunrise": "limb",
// "indu": "ascendant"}: the settings by their command-line keys.
nlohmann::ordered_json SettingsJson(const CalculationSettings& settings);

}  // namespace corvane
