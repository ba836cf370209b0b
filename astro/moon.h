#pragma once
#include "astro/conventions.h"
#include "astro/ut_instant.h"

namespace corvane {

// Sum of the 25 periodic longitude terms, in degrees, at T centuries from J2000.0.
double LunarPeriodicSum(double t2000);

// Tropical longitude of the Moon in degrees at T centuries from J2000.0, reduced into
// [0, 360] (an exact 360 stays).
double TropicalMoonLongitude(double t2000);

// Start (degrees) of the nakshatra holding a sidereal longitude: the tabulated one, or the
// exact multiple of 13 degrees 20 minutes.
double NakshatraStartOf(double siderealLongitude, NakshatraDivision division = NakshatraDivision::kTable);

// The Moon's sidereal longitude in degrees [0, 360) at an instant, with the J2000
// ayanamsa of the lunar series.
double SiderealMoonLongitude(const UtInstant& t);

}  // namespace corvane
