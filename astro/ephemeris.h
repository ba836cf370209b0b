#pragma once
#include <exception>
#include <string_view>

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

// Thrown by an engine that cannot compute what it is asked: a moment outside the dates its
// data covers, or data files that are missing. The message is ready to show; it is one of
// the engine's constant texts, so it outlives the error.
class EphemerisError : public std::exception {
 public:
  explicit EphemerisError(std::string_view constantMessage) : message_(constantMessage) {}
  std::string_view message() const { return message_; }
  const char* what() const noexcept override { return message_.data(); }

 private:
  std::string_view message_;
};

// The astronomical engine behind a chart. Code above it takes a const Ephemeris& and never
// asks which engine it has. Every method may throw EphemerisError; the built-in element
// method never does.
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
