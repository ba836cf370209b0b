#pragma once
#include <array>

namespace corvane {

// One orbital element: its value at J2000.0 and its change per Julian century.
// Angles are in degrees with rates in arcseconds per century; a and e use plain units.
struct ElementTerm {
  double atEpoch;
  double ratePerCentury;
};

// Mean Keplerian elements of one body (approximate J2000 elements of the major planets).
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
