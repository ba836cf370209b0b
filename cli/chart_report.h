#pragma once
#include <ostream>

#include "app/chart.h"

namespace corvane {

// The readable report of a chart: birth details, the square chart with bodies and lagna
// marks in their signs, the position table, sunrises and sunsets, and every lagna; with
// `pages` also each interpretation field and the two readings.
void WriteChartReport(const Chart& chart, bool pages, std::ostream& out);

}  // namespace corvane
