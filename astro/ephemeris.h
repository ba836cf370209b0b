#pragma once
#include <exception>

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

// Why an engine cannot compute what it is asked. The words for each are made where the
// program speaks to its user (app/ephemeris_messages.h).
enum class EphemerisFailure {
  kOutsidePreciseRange,  // a moment outside the dates the precise engine's data covers
  kDataFilesMissing,     // the precise engine's data files are missing or unreadable
};

// Thrown by an engine that cannot compute what it is asked; it carries the failure only.
class EphemerisError : public std::exception {
 public:
  explicit EphemerisError(EphemerisFailure failure) : failure_(failure) {}
  EphemerisFailure failure() const { return failure_; }
  // The failure's code name, for logs: "outside_precise_range", "data_files_missing".
  const char* what() const noexcept override {
    return failure_ == EphemerisFailure::kOutsidePreciseRange ? "outside_precise_range" : "data_files_missing";
  }

 private:
  EphemerisFailure failure_;
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

  // Sunrise and sunset of a local civil date at a place, as readings of a clock
  // `utcOffsetSeconds` ahead of UT.
  virtual RiseSet SunRiseSet(int year, int month, int day, const GeoPoint& place, int utcOffsetSeconds) const = 0;

  // Which bodies move backwards at the instant (only Mercury to Saturn can).
  virtual PerBody<bool> Retrograde(const UtInstant& t) const = 0;
};

}  // namespace corvane
