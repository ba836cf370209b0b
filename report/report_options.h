#pragma once
#include "app/birth_sweep.h"
#include "lagna/vargas.h"

namespace corvane {

// Paper of the printed reading: from the system's locale (US customary measures: Letter,
// otherwise A4) or as chosen.
enum class PaperSize { kFromLocale, kA4, kLetter };

// Smallest and largest side of a chart picture, in pixels.
inline constexpr int kSmallestPictureSize = 64;
inline constexpr int kLargestPictureSize = 8192;

struct ReportOptions {
  PaperSize paper = PaperSize::kFromLocale;
  // The birth-time sweep the printed reading's last section (and a sweep picture) draws, as
  // computed with the chart (PrintedSweep); none: the reading has no sweep section.
  const BirthSweep* sweep = nullptr;
  // The chart's vargas when they were made (VargasOf); the pictures draw varga number
  // `varga` of them (0: the rasi chart) and the printed reading has its "Divisional Charts"
  // section when `divisionalCharts` is set.
  const VargaCharts* vargas = nullptr;
  int varga = 0;
  bool divisionalCharts = false;
};

}  // namespace corvane
