#include "app/chart_vargas.h"

namespace corvane {

std::string_view VargaEntryName(int entry) {
  if (entry < 0 || entry >= kVargaEntryCount) return {};
  if (entry < kAscendantBody) return kPlainBodyNames[static_cast<std::size_t>(entry)];
  return kLagnaKeys[static_cast<std::size_t>(entry - kAscendantBody)];
}

VargaCharts VargasOf(const Chart& chart) {
  return ComputeVargas(chart.positions.longitudeDeg, chart.lagnas, {chart.settings.lords, chart.settings.indu});
}

std::string VargaCaption(int varga) {
  if (varga < 0 || varga >= kVargaCount) return {};
  const auto v = static_cast<std::size_t>(varga);
  return std::string(kVargaKeys[v]) + " " + std::string(kVargaNames[v]);
}

ChartTexts VargaTextsOf(const Chart& chart, const VargaCharts& vargas, int varga) {
  ChartTexts texts = TextsOf(chart);
  if (varga <= 0 || varga >= kVargaCount) return texts;
  const VargaChart& v = vargas[static_cast<std::size_t>(varga)];
  texts.chartBoxes = {};
  for (int body = 0; body < kBodyCount; ++body) {
    const int sign = v.bodySigns[static_cast<std::size_t>(body)];
    if (sign < 0) continue;
    texts.chartBoxes[static_cast<std::size_t>(sign)] += "\r\n";
    texts.chartBoxes[static_cast<std::size_t>(sign)] += texts.bodyNames[static_cast<std::size_t>(body)];
  }
  texts.lagnaBoxes = LagnaMarksBySign(AsLagnaChart(v));
  return texts;
}

}  // namespace corvane
