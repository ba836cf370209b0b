#pragma once
#include <cstdio>

#include "app/calculation_settings.h"

namespace corvane {

// Reads a CSV of births (header name,date,time,zone,dst,lon,lat[,city,state,country[,engine]])
// and writes one compact JSON chart per row, or {"line": N, "error": "..."} for a row that is
// refused; the run goes on after such a row. Every row is calculated with `settings`, a
// row's engine field (elements or swiss, empty for the settings' own) choosing its engine.
// Returns the exit status: 0 when every row gave a chart, 2 when some row was refused, 64
// when the header is wrong.
int RunBatch(std::FILE* in, std::FILE* out, std::FILE* err, const CalculationSettings& settings = {});

}  // namespace corvane
