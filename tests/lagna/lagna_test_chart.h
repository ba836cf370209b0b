#pragma once
#include <array>
#include <string>

#include "app/chart_state.h"
#include "astro/longitude_text.h"

namespace corvane::testing_support {

// Compact position text of a sidereal longitude, as the engine writes it.
inline std::string At(double longitude) { return CompactLongitude(FormatLongitude(longitude)); }

// A chart whose bodies stand at the given longitudes (body order, ascendant last). The
// ascendant's sign number and longitudes are filled in as the engine and driver would.
inline ChartState ChartAt(const std::array<double, kBodyCount>& longitudes) {
  ChartState chart;
  for (int b = 0; b < kBodyCount; ++b) chart.ChartBodyPositions[static_cast<std::size_t>(b)] = At(longitudes[static_cast<std::size_t>(b)]);
  chart.AscendantLongitude = longitudes[kAscendantBody];
  chart.AscendantDegree = static_cast<int>(longitudes[kAscendantBody]);
  chart.AscendantSignNumber = static_cast<int>(longitudes[kAscendantBody] / 30.0) + 1;
  chart.MoonSiderealLongitude = longitudes[kMoon];
  chart.SunriseSunLongitude = longitudes[kSun];
  chart.SunriseSunText = At(longitudes[kSun]);
  return chart;
}

// Sign indices by name, for readable cases.
namespace signs {
constexpr int Ari = 0, Tau = 1, Gem = 2, Can = 3, Leo = 4, Vir = 5, Lib = 6, Sco = 7, Sag = 8, Cap = 9, Aqu = 10,
              Pis = 11;
}  // namespace signs

// Middle of sign index s (0 Aries .. 11 Pisces).
inline double In(int s) { return s * 30.0 + 15.0; }

inline int CountLineBreaks(const std::string& text) {
  int n = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++n;
  return n;
}

}  // namespace corvane::testing_support
