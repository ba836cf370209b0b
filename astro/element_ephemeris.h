#pragma once
#include "astro/conventions.h"
#include "astro/ephemeris.h"

namespace corvane {

// The built-in engine: mean orbital elements for the planets, a 25-term lunar series, the
// almanac sunrise and the committed station table for retrograde motion. Fast and
// self-contained; planets within minutes of arc of a precise ephemeris. Its nodes are the
// mean ones.
//
// Its zodiac is its own Lahiri-type ayanamsa. Another ayanamsa moves every longitude by the
// difference Lahiri minus that ayanamsa of date, both as Swiss Ephemeris gives them, so the
// element positions keep their own Lahiri reading and gain only the published offset.
class ElementEphemeris final : public Ephemeris {
 public:
  explicit ElementEphemeris(Ayanamsa ayanamsa = Ayanamsa::kLahiri,
                            SunriseDefinition sunrise = SunriseDefinition::kUpperLimbRefracted)
      : ayanamsa_(ayanamsa), sunrise_(sunrise) {}

  SiderealPositions Positions(const UtInstant& t, const GeoPoint& place) const override;
  double SunLongitudeDeg(const UtInstant& t, const UtInstant& chartMoment) const override;
  RiseSet SunRiseSet(int year, int month, int day, const GeoPoint& place, int utcOffsetSeconds) const override;
  // Compares the calendar date of the instant's clock reading with the station dates.
  PerBody<bool> Retrograde(const UtInstant& t) const override;

 private:
  Ayanamsa ayanamsa_;
  SunriseDefinition sunrise_;
};

}  // namespace corvane
