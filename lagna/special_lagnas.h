#pragma once
#include <cstdint>
#include <string_view>

#include "app/chart_state.h"
#include "lagna/arudha_padas.h"
#include "lagna/reference_sunrise.h"

namespace corvane {

// Appends a lagna's mark to the lagna list of sign index `sign`: a line break and the
// abbreviation. An empty abbreviation leaves a bare line (the uncomputed arudha padas).
void AppendLagnaMark(ChartState& chart, int sign, std::string_view abbreviation);

// Reduces a longitude into [0, 360). A value that lands on exactly 360 is 0 degrees Aries.
double ReduceLongitude(double degrees);

// Places a lagna that has a longitude: reduces it, stores the longitude and the sign index
// (floor of longitude / 30) and appends the mark. Returns the sign index, or -1 without
// writing anything when the longitude is not a finite number.
int PlaceLagnaAtLongitude(ChartState& chart, LagnaId id, double degrees, std::string_view abbreviation);

// House (1 to 12) of a sign number counted inclusively from the ascendant's sign number.
int HouseFromAscendant(int signNumber, int ascendantSignNumber);

// A number of signs split into the degrees, minutes and seconds of its fractional sign and
// the count of whole signs. Only the magnitude of the argument is used.
struct VighatiDegrees {
  int degrees = 0;
  int minutes = 0;
  int seconds = 0;
  std::int64_t wholeSigns = 0;
};
VighatiDegrees Vighati2Degree(double x);

// The lagnas counted from the reference sunrise and the two from the Moon and the Sun.
// Each reads the ChartState after ChooseReferenceSunrise and the sunrise pass of the planet
// step, writes its LagnaSigns entry (and longitude where it has one) and appends its mark.
void GhatiLagna(ChartState& chart);      // one sign per 24 minutes from the Sun at sunrise
void HoraLagna(ChartState& chart);       // one sign per hour; also HoraSignNumber, HoraHouse
void BhavaLagna(ChartState& chart);      // one sign per 2 hours
void InduLagna(ChartState& chart);       // from the ninth lords' kalas of ascendant and Moon
void VarnadaLagna(ChartState& chart);    // from the ascendant and the Hora lagna, whole degrees
void ChandraLagna(ChartState& chart);    // the Moon's sign
void SuryaLagna(ChartState& chart);      // the Sun's sign at the reference sunrise
void SreeLagna(ChartState& chart);       // ascendant advanced by the Moon's nakshatra fraction
// One sign per 15 vighatis from a base fixed by the Sun's sign. The stored longitude is the
// base-derived sign × 30 plus the Sun's degrees and minutes advanced by the fractional sign.
// Also PranapadaSignNumber and PranapadaHouse.
void PranapadaLagna(ChartState& chart);

// GL, HL, BL, IL, VL, CL, SL, SrL, PpL in that order (the order of their marks).
void ComputeSunriseLagnas(ChartState& chart);

}  // namespace corvane
