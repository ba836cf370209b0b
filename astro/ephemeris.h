#pragma once
#include "astro/bodies.h"
#include "astro/geo_point.h"
#include "astro/sunrise.h"
#include "astro/ut_instant.h"

namespace corvane {

// The sidereal positions of one chart moment.
struct SiderealPositions {
  PerBody<double> longitudeDeg{};  // sidereal longitudes in [0, 360), the ascendant included
  double ayanamsaDeg = 0;          // added to a tropical longitude gives the sidereal one (negative)
};

// The astronomical engine behind a chart. Code above it takes a const Ephemeris& and never
// asks which engine it has.
class Ephemeris {
 public:
  virtual ~Ephemeris() = default;

  // The ten chart bodies and the ayanamsa at an instant and place.
  virtual SiderealPositions Positions(const UtInstant& t, const GeoPoint& place) const = 0;

  // The Sun's sidereal longitude at t, measured in the sidereal frame of the chart moment
  // `chartMoment`, so that every position of one chart shares one ayanamsa.
  virtual double SunLongitudeDeg(const UtInstant& t, const UtInstant& chartMoment) const = 0;

  // Sunrise and sunset of a local civil date at a place, as local clock readings.
  virtual RiseSet SunRiseSet(int year, int month, int day, const GeoPoint& place,
                             const ClockOffset& offset) const = 0;

  // Which bodies move backwards at the instant (only Mercury to Saturn can).
  virtual PerBody<bool> Retrograde(const UtInstant& t) const = 0;
};

}  // namespace corvane
