#pragma once
#include "app/birth_sweep.h"
#include "app/calculation_settings.h"
#include "app/chart.h"
#include "cli/json_writer.h"
#include "lagna/vargas.h"

namespace corvane {

// Writes the whole chart as one JSON object (docs/json.md): inputs, positions, sunrises,
// lagnas, sign boxes and the fired reading headings; with `pages` also every interpretation
// field and both readings; with `sweep` the birth-time sweep under "sweep". Instantiated for
// PrettyJsonWriter and LineJsonWriter. With `vargas` (VargasOf the chart) also "vargas".
template <typename Writer>
void WriteChartJson(Writer& json, const Chart& chart, bool pages, const BirthSweep* sweep = nullptr,
                    const VargaCharts* vargas = nullptr);

// {"engine", "ayanamsa", "node", "sunrise", "indu"}: the engine and conventions by their
// command-line keys, as every chart and every column of --compare names them.
template <typename Writer>
void WriteSettingsJson(Writer& json, const CalculationSettings& settings);


}  // namespace corvane
