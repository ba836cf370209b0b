#pragma once
#include "app/chart.h"
#include "cli/json_writer.h"

namespace corvane {

// Writes the whole chart as one JSON object (docs/json.md): inputs, positions, sunrises,
// lagnas, sign boxes and the fired reading headings; with `pages` also every interpretation
// field and both readings. Instantiated for PrettyJsonWriter and LineJsonWriter.
template <typename Writer>
void WriteChartJson(Writer& json, const Chart& chart, bool pages);


}  // namespace corvane
