#pragma once
#include "app/chart.h"
#include "app/chart_texts.h"
#include "lagna/vargas.h"

namespace corvane {

// The entries every varga output lists, in order: the nine grahas by their plain names
// ("Sun" .. "Ketu"), then every lagna key ("AL" .. "SL", "Ascendant").
inline constexpr int kVargaEntryCount = static_cast<int>(kAscendantBody) + static_cast<int>(kLagnaCount);
std::string_view VargaEntryName(int entry);
// The sign index of an entry in one varga, -1 for an entry without a place. Inline: a batch
// line reads some 350 of them.
inline int VargaEntrySign(const VargaChart& varga, int entry) {
  if (entry < 0 || entry >= kVargaEntryCount) return -1;
  if (entry < kAscendantBody) return varga.bodySigns[static_cast<std::size_t>(entry)];
  return varga.lagnaSigns[static_cast<std::size_t>(entry - kAscendantBody)];
}

// The sixteen vargas of a chart, from its positions and lagnas under its own settings (the
// sign lords and the Indu rule). Made once by whoever is asked for vargas and handed to the
// outputs, which only read them.
VargaCharts VargasOf(const Chart& chart);

// "D9 Navamsa": the key and name of varga number `varga`.
std::string VargaCaption(int varga);

// The chart's texts with the sign boxes of one varga: its bodies (retrograde marks kept) and
// its lagna marks. Varga 0 (D1) gives the rasi boxes as TextsOf does.
ChartTexts VargaTextsOf(const Chart& chart, const VargaCharts& vargas, int varga);

}  // namespace corvane
