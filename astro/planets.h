#pragma once

namespace corvane {

struct ChartState;

// One row of the element table evaluated at a day number: lengths in AU, angles in radians.
// The mean longitude is reduced into [0, 2pi); the other angles are not reduced.
struct PlanetElements {
  double a, e, inclination, node, perihelion, meanLongitude;
};

// Row i (0 Mercury, 1 Venus, 2 Earth, 3 Mars, 4 Jupiter, 5 Saturn) at d days from J2000.0.
PlanetElements EvaluatePlanetElements(int i, double d);

// True anomaly in [0, 2pi) for mean anomaly M (radians) and eccentricity e, by Newton's
// method on Kepler's equation.
double TrueAnomaly(double meanAnomaly, double e);

// Geocentric tropical longitude in degrees, [0, 360], of element row i at day number d, in
// the fixed frame of the element table (no precession); row 2 gives the Sun.
double PlanetLongitude(int i, double d);

// Tropical longitude of the mean ascending lunar node in degrees at day number d.
double MeanNodeLongitude(double d);

// Sidereal longitudes of the six planets, Rahu and Ketu, their texts and the chart body
// table, for the birth moment or (SunriseMode) the reference sunrise. Needs the ascendant
// and Moon steps of the same chart to have run.
void ComputePlanets(ChartState& chart);

}  // namespace corvane
