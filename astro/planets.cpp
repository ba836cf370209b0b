#include "astro/planets.h"

#include <cmath>

#include "astro/tables/orbital_elements.h"
#include "astro/time_scales.h"

namespace corvane {

// Geocentric longitudes from mean Keplerian elements: the elements of E. M. Standish (JPL) at
// J2000.0 with their rates per century (astro/tables/orbital_elements.h), an ellipse per
// planet (Kepler's equation, Meeus, Astronomical Algorithms, 2nd ed., chapter 30), the Earth's
// heliocentric place subtracted. No light time, aberration or nutation: a minutes-of-arc
// method, kept for the charts it has always given.
namespace {

constexpr double kKeplerTolerance = 1e-12;
// Newton's method converges in a handful of steps for these eccentricities; the cap only
// guards against a non-finite argument looping for ever.
constexpr int kKeplerIterationLimit = 64;

double Angle(const ElementTerm& term, double centuries) {
  return (term.atEpoch + term.ratePerCentury * centuries / 3600.0) * kDegToRad;
}

double Linear(const ElementTerm& term, double centuries) {
  return term.atEpoch + term.ratePerCentury * centuries;
}

struct Vector2 {
  double x, y;
};

struct OrbitPoint {
  double nu, r;  // true anomaly (radians) and distance (AU)
};

OrbitPoint PointOnOrbit(const PlanetElements& el) {
  const double m = NormalizeRadians(el.meanLongitude - el.perihelion);
  const double nu = TrueAnomaly(m, el.e);
  return {nu, el.a * (1.0 - el.e * el.e) / (1.0 + el.e * std::cos(nu))};
}

// Heliocentric ecliptic x and y of a planet from its elements.
Vector2 Heliocentric(const PlanetElements& el) {
  const OrbitPoint p = PointOnOrbit(el);
  const double u = p.nu + el.perihelion - el.node;
  const double cosNode = std::cos(el.node), sinNode = std::sin(el.node);
  const double cosU = std::cos(u), sinU = std::sin(u), cosI = std::cos(el.inclination);
  return {p.r * (cosNode * cosU - sinU * sinNode * cosI), p.r * (sinNode * cosU + sinU * cosNode * cosI)};
}

// The Earth is placed in the ecliptic itself: its longitude is the true anomaly plus the
// longitude of perihelion, whatever small inclination its row carries.
Vector2 EarthHeliocentric(const PlanetElements& el) {
  const OrbitPoint p = PointOnOrbit(el);
  return {p.r * std::cos(p.nu + el.perihelion), p.r * std::sin(p.nu + el.perihelion)};
}

// Sidereal longitude in [0, 360) of a tropical element-frame longitude: precessed into the
// frame of date, then shifted by the ayanamsa magnitude.
double SiderealOfDate(double elementFrameLongitude, double precession, double ayanamsa) {
  double lambda = elementFrameLongitude + precession - std::fabs(ayanamsa);
  while (lambda < 0) lambda += 360.0;
  if (lambda >= 360.0) lambda -= 360.0;
  return lambda;
}

}  // namespace

PlanetElements EvaluatePlanetElements(int i, double d) {
  const ElementRow& row = kOrbitalElements[static_cast<std::size_t>(i)];
  const double t = d / 36525.0;
  PlanetElements el;
  el.a = Linear(row.semiMajorAxis, t);
  el.e = Linear(row.eccentricity, t);
  el.inclination = Angle(row.inclination, t);
  el.node = Angle(row.ascendingNode, t);
  el.perihelion = Angle(row.perihelion, t);
  el.meanLongitude = NormalizeRadians(Angle(row.meanLongitude, t));
  return el;
}

double TrueAnomaly(double meanAnomaly, double e) {
  const double m = meanAnomaly;
  double ecc = m + e * std::sin(m) * (1.0 + e * std::cos(m));
  for (int n = 0; n < kKeplerIterationLimit; ++n) {
    const double previous = ecc;
    ecc = previous - (previous - e * std::sin(previous) - m) / (1.0 - e * std::cos(previous));
    if (std::fabs(previous - ecc) <= kKeplerTolerance) break;
  }
  double nu = 2.0 * std::atan(std::sqrt((1.0 + e) / (1.0 - e)) * std::tan(ecc / 2.0));
  if (nu < 0) nu += kTwoPi;
  return nu;
}

namespace {

// Geocentric longitude of row i given the Earth's heliocentric position at the same moment.
double GeocentricLongitude(int i, double d, const Vector2& earth) {
  // The Earth's own row yields the geocentric Sun: the body sits at the heliocentre.
  const Vector2 body = (i == kEarthRow) ? Vector2{0.0, 0.0} : Heliocentric(EvaluatePlanetElements(i, d));
  double lambda = QuadrantArcTangent(body.y - earth.y, body.x - earth.x) * 180.0 / kPi;
  while (lambda > 360.0) lambda -= 360.0;
  while (lambda < 0) lambda += 360.0;
  return lambda;
}

}  // namespace

double PlanetLongitude(int i, double d) {
  return GeocentricLongitude(i, d, EarthHeliocentric(EvaluatePlanetElements(kEarthRow, d)));
}

namespace {

// The mean lunar node's longitude and daily motion of Paul Schlyter's "How to compute planetary
// positions" (N = 125.1228 - 0.0529538083 d), here with d counted from J2000.0.
constexpr double kMeanNodeAtEpochDeg = 125.1228;
constexpr double kMeanNodeDegPerDay = 0.0529538083;

// The node comes back from radians to degrees through 3.1416, not pi: a deliberate rounding
// that every chart of the program has carried (it moves Rahu by up to 0.001 degree); kept so
// that no Rahu or Ketu changes.
constexpr double kNodeRoundedPi = 3.1416;

// Rahu stands one degree behind the mean node. The program's charts have always carried this
// shift; it is kept so that Rahu and Ketu stay where they have always been shown.
constexpr double kNodeShiftDeg = 1.0;

}  // namespace

double MeanNodeLongitude(double d) {
  const double node = kMeanNodeAtEpochDeg - kMeanNodeDegPerDay * d;
  return NormalizeRadians(node * kDegToRad) * 180.0 / kNodeRoundedPi;
}

PerBody<double> SiderealPlanetLongitudes(const UtInstant& t, double ayanamsaDeg) {
  const double d = DaysSinceJ2000(t);
  const double precession = GeneralPrecessionDegrees(d);

  // The Earth's position is shared by all six bodies of the moment.
  const Vector2 earth = EarthHeliocentric(EvaluatePlanetElements(kEarthRow, d));
  // Element-table rows in body order: Mercury, Venus, Earth (the Sun), Mars, Jupiter, Saturn.
  static constexpr std::array<BodyIndex, kElementRowCount> kRowBody = {kMercury, kVenus, kSun,
                                                                        kMars,     kJupiter, kSaturn};
  PerBody<double> out{};
  for (int i = 0; i < kElementRowCount; ++i)
    out[kRowBody[static_cast<std::size_t>(i)]] = SiderealOfDate(GeocentricLongitude(i, d, earth), precession, ayanamsaDeg);

  double rahu = MeanNodeLongitude(d) - kNodeShiftDeg - std::fabs(ayanamsaDeg);
  while (rahu < 0) rahu += 360.0;
  double ketu = rahu + 180.0;
  while (ketu > 360.0) ketu -= 360.0;
  // Ketu opposite a Rahu of exactly 180 degrees stands at 0 degrees Aries, not at 360.
  if (ketu >= 360.0) ketu -= 360.0;
  out[kRahu] = rahu;
  out[kKetu] = ketu;
  return out;
}

double SiderealSunLongitude(const UtInstant& t, double ayanamsaDeg) {
  const double d = DaysSinceJ2000(t);
  return SiderealOfDate(PlanetLongitude(kEarthRow, d), GeneralPrecessionDegrees(d), ayanamsaDeg);
}

}  // namespace corvane
