#pragma once
#include <nlohmann/json.hpp>
#include <string>

#include "app/chart_state.h"

namespace corvane {

// "YYYY-MM-DD HH:MM" of a local date-time.
std::string MinuteText(const CivilDateTime& t);

// The whole chart as one JSON object: inputs, positions, sunrises, lagnas, sign boxes and
// the fired reading headings; with `pages` also every interpretation field and both readings.
nlohmann::ordered_json ChartJson(const ChartState& chart, bool pages);

}  // namespace corvane
