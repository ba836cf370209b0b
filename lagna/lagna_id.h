#pragma once
#include <array>
#include <cmath>
#include <string_view>

namespace corvane {

// The thirteen lagna entries in the order of the result list and the pages.
enum LagnaId : int {
  kAL = 0, kBL, kHL, kGL, kSrL, kIL, kPL, kUL, kPpL, kVL, kCL, kSL, kAscendantLagna,
  kLagnaCount
};

// Short names of the entries, as the chart marks and the JSON keys spell them.
inline constexpr std::array<std::string_view, kLagnaCount> kLagnaKeys = {
    "AL", "BL", "HL", "GL", "SrL", "IL", "PL", "UL", "PpL", "VL", "CL", "SL", "Ascendant"};

// Full names of the entries.
inline constexpr std::array<std::string_view, kLagnaCount> kLagnaTitles = {
    "Arudha lagna", "Bhava lagna",   "Hora lagna",      "Ghati lagna",   "Sree lagna",   "Indu lagna", "Paka lagna",
    "Upapada lagna", "Pranapada lagna", "Varnada lagna", "Chandra lagna", "Surya lagna", "Ascendant"};

// Sign index 0 (Aries) .. 11 (Pisces) of a longitude in degrees, from its whole degrees; a
// longitude of 360 or more, a negative one or one that is not finite has none (-1).
inline int SignOfLongitude(double degrees) {
  if (!(degrees >= 0.0 && degrees < 360.0)) return -1;
  return static_cast<int>(std::floor(std::floor(degrees) / 30.0));
}

}  // namespace corvane
