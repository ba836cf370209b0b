// A batch line's JSON, written into a writer kept from line to line as the batch does: the
// chart's line alone, and the sixteen vargas added to it, so that what --vargas adds to the
// writing can be told from what it adds to the calculation (calculation_bench's SixteenVargas).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/chart_calculation.h"
#include "app/chart_vargas.h"
#include "bench/bench_birth.h"
#include "cli/chart_json.h"
#include "cli/json_writer.h"

namespace {

struct Charts {
  std::vector<std::shared_ptr<const corvane::Chart>> charts;
  std::vector<corvane::VargaCharts> vargas;
};

// Charts a few minutes apart, so that the lines are not all alike.
Charts BenchCharts() {
  Charts out;
  corvane::BirthData birth = corvane::bench::BenchBirth();
  for (int minute = 0; minute < 60; minute += 7) {
    birth.minute = minute;
    corvane::CalculationResult r = corvane::CalculateChart(birth);
    if (!r.ok()) continue;
    out.charts.push_back(std::get<0>(r.outcome));
    out.vargas.push_back(corvane::VargasOf(*out.charts.back()));
  }
  return out;
}

void Line(benchmark::State& state, bool withVargas) {
  const Charts charts = BenchCharts();
  corvane::LineJsonWriter json;
  std::size_t i = 0, bytes = 0;
  for (auto _ : state) {
    json.Clear();
    corvane::WriteChartJson(json, *charts.charts[i], false, nullptr, withVargas ? &charts.vargas[i] : nullptr);
    bytes += json.Text().size();
    benchmark::DoNotOptimize(json.Text().data());
    i = (i + 1) % charts.charts.size();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void ChartLine(benchmark::State& state) { Line(state, false); }
void ChartLineWithVargas(benchmark::State& state) { Line(state, true); }
BENCHMARK(ChartLine);
BENCHMARK(ChartLineWithVargas);

}  // namespace
