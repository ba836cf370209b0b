#pragma once
#include "astro/ephemeris.h"

namespace corvane {

// The built-in engine: mean orbital elements for the planets, a 25-term lunar series, the
// almanac sunrise and the committed station table for retrograde motion. Fast and
// self-contained; planets within minutes of arc of a precise ephemeris.
class ElementEphemeris final : public Ephemeris {
 public:
  SiderealPositions Positions(const UtInstant& t, const GeoPoint& place) const override;
  double SunLongitudeDeg(const UtInstant& t, const UtInstant& chartMoment) const override;
  RiseSet SunRiseSet(int year, int month, int day, const GeoPoint& place,
                     const ClockOffset& offset) const override;
  // Compares the calendar date of the instant's clock reading with the station dates.
  PerBody<bool> Retrograde(const UtInstant& t) const override;
};

}  // namespace corvane
