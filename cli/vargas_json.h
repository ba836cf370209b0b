#pragma once
#include "lagna/vargas.h"

namespace corvane {

// The "vargas" object (docs/json.md): for each of "D1" .. "D60", the nine grahas by their plain
// names and every lagna key ("Ascendant" among them) to its sign index 0-11 in that varga, or
// null for an entry without a place. Instantiated for PrettyJsonWriter and LineJsonWriter.
template <typename Writer>
void WriteVargasJson(Writer& json, const VargaCharts& vargas);

}  // namespace corvane
