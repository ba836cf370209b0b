#pragma once
#include <cstdio>
#include <functional>

#include "app/chart_state.h"

namespace corvane {

// Reads a CSV of births (header name,date,time,zone,dst,lon,lat[,city,state,country]) and
// writes one compact JSON chart per row, or {"line": N, "error": "..."} for a row that is
// refused; the run goes on after such a row. Returns the exit status: 0 when every row
// gave a chart, 2 when some row was refused, 64 when the header is wrong.
// With `eachChart`, every chart goes to it instead of into a JSON line; it returns 0 to go
// on, or an exit status that ends the run with that status.
using BatchChartSink = std::function<int(const ChartState& chart)>;
int RunBatch(std::FILE* in, std::FILE* out, std::FILE* err, const BatchChartSink& eachChart = {});

}  // namespace corvane
