#include "cli/vargas_json.h"

#include "app/chart_vargas.h"
#include "cli/json_writer.h"

namespace corvane {

template <typename W>
void WriteVargasJson(W& json, const VargaCharts& vargas) {
  auto sign = [&](int s) {
    if (s < 0) {
      json.Null();
    } else {
      json.Int(s);
    }
  };
  json.StartObject();
  for (int v = 0; v < kVargaCount; ++v) {
    const VargaChart& chart = vargas[static_cast<std::size_t>(v)];
    json.Key(kVargaKeys[static_cast<std::size_t>(v)]);
    json.StartObject();
    for (int e = 0; e < kVargaEntryCount; ++e) {
      json.Key(VargaEntryName(e));
      sign(VargaEntrySign(chart, e));
    }
    json.EndObject();
  }
  json.EndObject();
}

template void WriteVargasJson(PrettyJsonWriter&, const VargaCharts&);
template void WriteVargasJson(LineJsonWriter&, const VargaCharts&);

}  // namespace corvane
