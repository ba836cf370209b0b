#pragma once

namespace corvane {

struct ChartState;

// Tropical ascendant in degrees [0, 360) from centuries since J1900.0, UT in hours, the
// place longitude (degrees, east negative) and latitude (degrees, north positive).
double TropicalAscendant(double t1900, double utHours, double westLongitude, double latitude);

// The sidereal ascendant of the birth moment and place; also sets the J1900 ayanamsa that
// the planet step reuses. Writes AyanamsaOffset, AscendantLongitude, AscendantDegree and
// AscendantPositionText.
void ComputeAscendant(ChartState& chart);

}  // namespace corvane
