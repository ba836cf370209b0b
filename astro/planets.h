#pragma once
#include "astro/bodies.h"
#include "astro/ut_instant.h"

namespace corvane {

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

// Sidereal longitudes in degrees [0, 360) of the Sun, Mercury to Saturn, Rahu (the mean
// node) and Ketu at an instant, with the ayanamsa `ayanamsaDeg` of the chart moment (its
// magnitude is taken off the precessed longitudes). The Moon and the ascendant are left 0.
PerBody<double> SiderealPlanetLongitudes(const UtInstant& t, double ayanamsaDeg);

// The Sun's entry of SiderealPlanetLongitudes alone.
double SiderealSunLongitude(const UtInstant& t, double ayanamsaDeg);

}  // namespace corvane
