#pragma once
#include <ostream>

#include "app/chart.h"
#include "lagna/vargas.h"

namespace corvane {

// The readable report of a chart: birth details, the square chart with bodies and lagna
// marks in their signs, the position table, sunrises and sunsets, and every lagna; with
// `pages` also each interpretation field and the two readings.
// With `vargas` (VargasOf the chart) the square chart shows varga number `varga` (0: the
// rasi chart) and a table of every entry's sign in the sixteen vargas follows the lagnas.
void WriteChartReport(const Chart& chart, bool pages, std::ostream& out, const VargaCharts* vargas = nullptr,
                      int varga = 0, bool vargaTable = false);

}  // namespace corvane
