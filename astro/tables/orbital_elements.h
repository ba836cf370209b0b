#pragma once
#include <array>

namespace corvane {

// One orbital element: its value at J2000.0 and its change per Julian century.
// Angles are in degrees with rates in arcseconds per century; a and e use plain units.
struct ElementTerm {
  double atEpoch;
  double ratePerCentury;
};

// Mean Keplerian elements of one body: E. M. Standish's (JPL) approximate elements of the
// major planets at J2000.0 with their rates per Julian century, for the mean ecliptic and
// equinox of J2000, fitted for 1800 to 2050 (printed in the Explanatory Supplement to the
// Astronomical Almanac, 1992).
struct ElementRow {
  ElementTerm semiMajorAxis;      // AU
  ElementTerm eccentricity;
  ElementTerm inclination;        // I
  ElementTerm ascendingNode;      // Omega
  ElementTerm perihelion;         // longitude of perihelion, varpi
  ElementTerm meanLongitude;      // L
};

// Row order: Mercury, Venus, Earth (its row yields the Sun), Mars, Jupiter, Saturn.
inline constexpr int kElementRowCount = 6;
inline constexpr int kEarthRow = 2;
extern const std::array<ElementRow, kElementRowCount> kOrbitalElements;

}  // namespace corvane
