#pragma once
// A chart as the command line's JSON text, for tests that compare charts reached by two roads.
#include <string>

#include "app/chart.h"
#include "cli/chart_json.h"

namespace corvane::testing {

// `pages`: with the lagnas' reading pages, as `--json` writes them.
inline std::string ChartJsonText(const Chart& chart, bool pages) {
  PrettyJsonWriter json;
  WriteChartJson(json, chart, pages);
  return std::string(json.Text());
}

}  // namespace corvane::testing
