#pragma once
#include "astro/geo_point.h"
#include "astro/ut_instant.h"

namespace corvane {

// Tropical ascendant in degrees [0, 360) from centuries since J1900.0, UT in hours, the
// place longitude (degrees, east negative) and latitude (degrees, north positive).
double TropicalAscendant(double t1900, double utHours, double westLongitude, double latitude);

// Sidereal ascendant in degrees [0, 360) at an instant and place, with the J1900 ayanamsa
// `ayanamsaDeg` (negative: tropical + ayanamsa = sidereal).
double SiderealAscendant(const UtInstant& t, const GeoPoint& place, double ayanamsaDeg);

}  // namespace corvane
