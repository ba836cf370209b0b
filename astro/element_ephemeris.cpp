#include "astro/element_ephemeris.h"

#include <string_view>

#include "astro/ascendant.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/retrograde.h"
#include "astro/swiss_ephemeris.h"
#include "astro/time_scales.h"

namespace corvane {


SiderealPositions ElementEphemeris::Positions(const UtInstant& t, const GeoPoint& place) const {
  SiderealPositions out;
  out.ayanamsaDeg = AyanamsaJ1900(CenturiesSinceJ1900(t));
  out.longitudeDeg = SiderealPlanetLongitudes(t, out.ayanamsaDeg);
  out.longitudeDeg[kMoon] = SiderealMoonLongitude(t);
  out.longitudeDeg[kAscendantBody] = SiderealAscendant(t, place, out.ayanamsaDeg);
  if (ayanamsa_ != Ayanamsa::kLahiri) {
    const double shift = AyanamsaShiftFromLahiri(ayanamsa_, t);
    for (double& longitude : out.longitudeDeg) longitude = ReduceDegrees(longitude + shift);
    out.ayanamsaDeg += shift;
  }
  return out;
}

double ElementEphemeris::SunLongitudeDeg(const UtInstant& t, const UtInstant& chartMoment) const {
  const double sun = SiderealSunLongitude(t, AyanamsaJ1900(CenturiesSinceJ1900(chartMoment)));
  if (ayanamsa_ == Ayanamsa::kLahiri) return sun;
  return ReduceDegrees(sun + AyanamsaShiftFromLahiri(ayanamsa_, chartMoment));
}

RiseSet ElementEphemeris::SunRiseSet(int year, int month, int day, const GeoPoint& place,
                                     int utcOffsetSeconds) const {
  return AlmanacRiseSet(year, month, day, place, utcOffsetSeconds, sunrise_);
}

PerBody<bool> ElementEphemeris::Retrograde(const UtInstant& t) const {
  static constexpr std::array<std::pair<BodyIndex, std::string_view>, 5> kPlanets = {
      {{kMercury, "Mercury"}, {kVenus, "Venus"}, {kMars, "Mars"}, {kJupiter, "Jupiter"}, {kSaturn, "Saturn"}}};
  const CivilDateTime date{t.year, t.month, t.day, 0, 0, 0};
  PerBody<bool> out{};
  for (const auto& [body, name] : kPlanets) out[body] = IsRetrograde(name, date);
  return out;
}

}  // namespace corvane
