#pragma once
#include <optional>

#include "astro/conventions.h"
#include "astro/ephemeris.h"

namespace corvane {

// The civil years of birth the precise engine computes: the span of the Swiss Ephemeris
// files of the contemporary epoch. The neighbouring days of the first and last birth dates
// come from the wider standard set.
inline constexpr int kPreciseFirstYear = 1800;
inline constexpr int kPreciseLastYear = 2399;

// The UT Julian day of an instant (Gregorian calendar).
double JulianDayUt(const UtInstant& t);

// Sunrise and sunset of one local date as UT Julian days, before they become clock minutes.
struct SunEvents {
  RiseSetStatus status = RiseSetStatus::kOk;
  double riseJdUt = 0;
  double setJdUt = 0;
};

// The precise engine: apparent geocentric positions of Swiss Ephemeris (true equinox of
// date) in the sidereal zodiac of the chosen ayanamsa, the ascendant of its house routine,
// retrograde motion from the longitude speed, and sunrise found from the Sun's apparent
// position and the apparent sidereal time.
//
// Swiss Ephemeris keeps its state per thread in Debian's build, but some of its routines (the
// mean lunar node, fixed stars) use static scratch data, so every use of the library in the
// program is serialised by one lock. Each thread points the library at the data folder on its
// first use; SE_EPHE_PATH, when set, overrides that folder.
class SwissEphemeris final : public Ephemeris {
 public:
  explicit SwissEphemeris(const EphemerisConventions& conventions = {}) : conventions_(conventions) {}
  const EphemerisConventions& conventions() const { return conventions_; }

  // Refuses a moment whose local civil year lies outside kPreciseFirstYear..kPreciseLastYear.
  SiderealPositions Positions(const UtInstant& t, const GeoPoint& place) const override;
  double SunLongitudeDeg(const UtInstant& t, const UtInstant& chartMoment) const override;
  // The events of SunEventsUt as clock readings rounded to the nearest minute, reduced into
  // 0..24 h and attached to the given date as the element method does.
  RiseSet SunRiseSet(int year, int month, int day, const GeoPoint& place, int utcOffsetSeconds) const override;
  // Mercury to Saturn with a negative sidereal longitude speed at the instant.
  PerBody<bool> Retrograde(const UtInstant& t) const override;

  // The rise before and the set after the Sun's transit nearest to local mean noon of the
  // date, to a fraction of a second under the engine's sunrise definition.
  SunEvents SunEventsUt(int year, int month, int day, const GeoPoint& place) const;

 private:
  EphemerisConventions conventions_;
};

// Why the precise engine cannot work on this machine (its data files are missing), or nothing.
std::optional<EphemerisFailure> SwissDataProblem();

// Lahiri's ayanamsa minus the chosen one at the instant, in degrees, both of date with
// nutation as Swiss Ephemeris gives them: what a Lahiri longitude gains in the chosen zodiac.
// Throws EphemerisError when a star-based ayanamsa finds no data files.
double AyanamsaShiftFromLahiri(Ayanamsa chosen, const UtInstant& t);

}  // namespace corvane
