#include "astro/swiss_ephemeris.h"

#include <swephexp.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <numbers>
#include <utility>

#include "astro/time_scales.h"

namespace corvane {

namespace {

constexpr const char* kDataFolder = "/usr/share/libswe/ephe";
constexpr double kDegToRadExact = std::numbers::pi / 180.0;
constexpr double kRadToDegExact = 180.0 / std::numbers::pi;

// Apparent geocentric positions with their speeds, in the sidereal zodiac of the mode set.
constexpr std::int32_t kSiderealFlags = SEFLG_SWIEPH | SEFLG_SIDEREAL | SEFLG_SPEED;
// The Sun's apparent right ascension and declination (true equator of date) and distance.
constexpr std::int32_t kEquatorialFlags = SEFLG_SWIEPH | SEFLG_EQUATORIAL;

// The moments the engine accepts at all: the birth years with the neighbouring days the
// driver needs for their sunrises, and a day more for the widest zones (UT Julian days of
// 1799-12-29 and 2400-01-04, 0h).
constexpr double kFirstJdUt = 2378493.5;
constexpr double kLastJdUt = 2597644.5;

// Sunrise geometry. Swiss Ephemeris' solar diameter (1 392 000 km) and the IAU 2012
// astronomical unit; the IAU 1976 solar parallax (8.794148", the equatorial horizontal
// parallax at 1 AU); the standard horizontal refraction of 34' of the almanacs' sunrise; the
// rate of mean sidereal time of Meeus, Astronomical Algorithms (2nd ed., chapter 12).
constexpr double kSunRadiusAu = 696000000.0 / 1.49597870700e11;
constexpr double kParallaxAtOneAuDeg = 8.794148 / 3600.0;  // equatorial horizontal parallax
constexpr double kStandardRefractionDeg = 34.0 / 60.0;
constexpr double kSiderealDegreesPerDay = 360.98564736629;
constexpr double kMillisecondInDays = 0.001 / 86400.0;

int SiderealMode(Ayanamsa a) {
  switch (a) {
    case Ayanamsa::kLahiri: return SE_SIDM_LAHIRI;
    case Ayanamsa::kRaman: return SE_SIDM_RAMAN;
    case Ayanamsa::kKrishnamurti: return SE_SIDM_KRISHNAMURTI;
    case Ayanamsa::kTrueChitrapaksha: return SE_SIDM_TRUE_CITRA;
    case Ayanamsa::kTruePushya: return SE_SIDM_TRUE_PUSHYA;
    case Ayanamsa::kYukteshwar: return SE_SIDM_YUKTESHWAR;
    case Ayanamsa::kFaganBradley: return SE_SIDM_FAGAN_BRADLEY;
  }
  return SE_SIDM_LAHIRI;
}

std::mutex& LibraryMutex() {
  static std::mutex m;
  return m;
}

// The library state of the calling thread: opened on first use, closed when the thread ends.
class ThreadLibraryState {
 public:
  ThreadLibraryState() = default;
  ThreadLibraryState(const ThreadLibraryState&) = delete;
  ThreadLibraryState& operator=(const ThreadLibraryState&) = delete;
  ~ThreadLibraryState() {
    if (!opened_) return;
    const std::lock_guard<std::mutex> lock(LibraryMutex());
    swe_close();
  }

  void Prepare(int siderealMode) {
    if (!opened_) {
      swe_set_ephe_path(kDataFolder);  // SE_EPHE_PATH in the environment takes precedence
      opened_ = true;
    }
    if (siderealMode != mode_) {
      swe_set_sid_mode(siderealMode, 0, 0);
      mode_ = siderealMode;
    }
  }

 private:
  bool opened_ = false;
  int mode_ = -1;
};

// Holds the library for one group of calls, set to the given ayanamsa.
class LibrarySession {
 public:
  explicit LibrarySession(Ayanamsa ayanamsa) : lock_(LibraryMutex()) {
    thread_local ThreadLibraryState state;
    state.Prepare(SiderealMode(ayanamsa));
  }

 private:
  std::lock_guard<std::mutex> lock_;
};

void RequireCovered(double jdUt) {
  if (!(jdUt >= kFirstJdUt && jdUt <= kLastJdUt)) throw EphemerisError(EphemerisFailure::kOutsidePreciseRange);
}

// One body; without the data files the library would quietly fall back to its analytic
// theory, which the engine does not accept.
void Calc(double jdUt, int body, std::int32_t flags, double (&x)[6]) {
  char error[AS_MAXCH] = "";
  const std::int32_t got = swe_calc_ut(jdUt, body, flags, x, error);
  if (got < 0 || (got & SEFLG_SWIEPH) == 0) throw EphemerisError(EphemerisFailure::kDataFilesMissing);
}

// The ayanamsa of the session's mode at the instant, nutation included (positive degrees).
// The library reports a missing star or planet file only in its message text.
double AyanamsaOfDate(double jdUt) {
  char error[AS_MAXCH] = "";
  double ayanamsa = 0;
  if (swe_get_ayanamsa_ex_ut(jdUt, SEFLG_SWIEPH, &ayanamsa, error) < 0 || error[0] != '\0')
    throw EphemerisError(EphemerisFailure::kDataFilesMissing);
  return ayanamsa;
}

double Wrap180(double degrees) {
  double r = std::fmod(degrees, 360.0);
  if (r > 180.0) r -= 360.0;
  if (r <= -180.0) r += 360.0;
  return r;
}

// Cosine of the hour angle at which a body of declination `dec` stands at altitude `h`.
double CosHourAngle(double h, double latitude, double dec) {
  return (std::sin(h * kDegToRadExact) - std::sin(latitude * kDegToRadExact) * std::sin(dec * kDegToRadExact)) /
         (std::cos(latitude * kDegToRadExact) * std::cos(dec * kDegToRadExact));
}

// The Sun's apparent position from the low-precision formulas for the Sun of the Astronomical
// Almanac (mean longitude 280.460 + 0.9856474 n, anomaly 357.528 + 0.9856003 n, equation of
// centre 1.915 sin g + 0.020 sin 2g, obliquity 23.439 - 0.0000004 n; about 0.01 degrees), with the
// Earth's monthly swing about the Earth-Moon barycentre (6.4" in longitude), the largest
// term whose change over a day the series would otherwise miss.
struct Equatorial {
  double ra, dec;
};
Equatorial RoughSun(double jdUt) {
  const double n = jdUt - 2451545.0;
  const double meanLongitude = 280.460 + 0.9856474 * n;
  const double anomaly = (357.528 + 0.9856003 * n) * kDegToRadExact;
  const double elongation = (297.850 + 12.1907491 * n) * kDegToRadExact;  // the Moon's mean elongation
  const double lambda = (meanLongitude + 1.915 * std::sin(anomaly) + 0.020 * std::sin(2 * anomaly) +
                         0.00179 * std::sin(elongation)) * kDegToRadExact;
  const double obliquity = (23.439 - 0.0000004 * n) * kDegToRadExact;
  return {std::atan2(std::cos(obliquity) * std::sin(lambda), std::cos(lambda)) * kRadToDegExact,
          std::asin(std::sin(obliquity) * std::sin(lambda)) * kRadToDegExact};
}

// The geocentric altitude of the Sun's centre at the event: the topocentric altitude the
// definition asks for, raised by the Sun's parallax.
double EventAltitude(SunriseDefinition definition, double distanceAu) {
  const double parallax = std::asin(std::sin(kParallaxAtOneAuDeg * kDegToRadExact) / distanceAu) * kRadToDegExact;
  if (definition == SunriseDefinition::kDiscCentre) return parallax;
  const double semidiameter = std::asin(kSunRadiusAu / distanceAu) * kRadToDegExact;
  return parallax - kStandardRefractionDeg - semidiameter;
}

// The Sun's apparent place and the apparent sidereal time at one moment, and the Sun at any
// moment of the day around it: moved from there by the motion of the analytic series. What
// the series leaves out (the short nutation terms, planetary perturbations) changes by a
// fraction of an arc second in half a day.
class SunAnchor {
 public:
  SunAnchor(double jdUt, SunriseDefinition definition) : t_(jdUt), rough_(RoughSun(jdUt)) {
    double x[6], nutation[6];
    Calc(t_, SE_SUN, kEquatorialFlags, x);
    sun_ = {x[0], x[1]};
    altitude_ = EventAltitude(definition, x[2]);
    // Obliquity and nutation of the same moment, which the library has just computed.
    swe_calc_ut(t_, SE_ECL_NUT, SEFLG_SWIEPH, nutation, nullptr);
    sidereal_ = swe_sidtime0(t_, nutation[0], nutation[2]) * 15.0;
  }

  double altitude() const { return altitude_; }
  double SiderealTime(double jdUt) const { return sidereal_ + kSiderealDegreesPerDay * (jdUt - t_); }
  Equatorial SunAt(double jdUt) const {
    const Equatorial rough = RoughSun(jdUt);
    return {sun_.ra + Wrap180(rough.ra - rough_.ra), sun_.dec + (rough.dec - rough_.dec)};
  }

 private:
  double t_;
  Equatorial rough_;
  Equatorial sun_{};
  double altitude_ = 0;
  double sidereal_ = 0;
};

struct EventTime {
  RiseSetStatus status = RiseSetStatus::kOk;
  double jdUt = 0;
  double secondsPerArcsecond = 0;  // how far the time moves for 1" of declination
};

// Rising (side -1, east of the meridian) or setting (side +1) near the anchor's moment.
EventTime SolveEvent(const SunAnchor& anchor, const GeoPoint& place, int side, double start) {
  EventTime out;
  double t = start;
  for (int step = 0; step < 12; ++step) {
    const Equatorial sun = anchor.SunAt(t);
    const double c = CosHourAngle(anchor.altitude(), place.latitudeDeg, sun.dec);
    if (c > 1.0) return {RiseSetStatus::kSunNeverRises, 0.0, 0.0};
    if (c < -1.0) return {RiseSetStatus::kSunNeverSets, 0.0, 0.0};
    const double hourAngle = anchor.SiderealTime(t) + place.longitudeDeg - sun.ra;
    const double dt = Wrap180(hourAngle - side * std::acos(c) * kRadToDegExact) / kSiderealDegreesPerDay;
    t -= dt;
    const double shifted = CosHourAngle(anchor.altitude(), place.latitudeDeg, sun.dec + 1.0 / 3600.0);
    out.secondsPerArcsecond = std::fabs(std::acos(std::clamp(shifted, -1.0, 1.0)) - std::acos(c)) * kRadToDegExact /
                              kSiderealDegreesPerDay * 86400.0;
    if (std::fabs(dt) < kMillisecondInDays) break;
  }
  out.jdUt = t;
  return out;
}

// Rise and set of one day from one anchor at local mean noon. Close to a polar day or night
// the event time hangs on the declination so strongly that the analytic motion no longer
// suffices; there the event is solved again from an anchor at its own moment.
SunEvents FindSunEvents(double noonJdUt, const GeoPoint& place, SunriseDefinition definition) {
  constexpr double kSensitive = 0.2;  // seconds of time per arc second of declination
  const SunAnchor noon(noonJdUt, definition);
  EventTime events[2];
  for (int i = 0; i < 2; ++i) {
    const int side = i == 0 ? -1 : +1;
    EventTime& e = events[i];
    e = SolveEvent(noon, place, side, noonJdUt);
    for (int pass = 0; pass < 3 && e.status == RiseSetStatus::kOk && e.secondsPerArcsecond > kSensitive; ++pass) {
      const double previous = e.jdUt;
      e = SolveEvent(SunAnchor(previous, definition), place, side, previous);
      if (std::fabs(e.jdUt - previous) < kMillisecondInDays) break;
    }
    if (e.status != RiseSetStatus::kOk) return {e.status, 0.0, 0.0};
  }
  return {RiseSetStatus::kOk, events[0].jdUt, events[1].jdUt};
}

// The clock reading of a UT moment as minutes of the day on the given date: rounded to the
// nearest minute and reduced into 0..24 h.
CivilDateTime ClockMinuteOnDate(double jdUt, int year, int month, int day, int utcOffsetSeconds) {
  const double midnightUt = swe_julday(year, month, day, 0.0, SE_GREG_CAL) - utcOffsetSeconds / 86400.0;
  long long minutes = std::llround((jdUt - midnightUt) * 1440.0) % 1440;
  if (minutes < 0) minutes += 1440;
  return {year, month, day, static_cast<int>(minutes / 60), static_cast<int>(minutes % 60), 0};
}

// The same clock reading unrounded, in seconds of the day reduced into [0, 86400).
double ClockSecondsOnDate(double jdUt, int year, int month, int day, int utcOffsetSeconds) {
  const double midnightUt = swe_julday(year, month, day, 0.0, SE_GREG_CAL) - utcOffsetSeconds / 86400.0;
  double seconds = std::fmod((jdUt - midnightUt) * 86400.0, 86400.0);
  if (seconds < 0) seconds += 86400.0;
  return seconds;
}

}  // namespace

double JulianDayUt(const UtInstant& t) { return swe_julday(t.year, t.month, t.day, t.hoursFromDate, SE_GREG_CAL); }

SiderealPositions SwissEphemeris::Positions(const UtInstant& t, const GeoPoint& place) const {
  if (t.year < kPreciseFirstYear || t.year > kPreciseLastYear) throw EphemerisError(EphemerisFailure::kOutsidePreciseRange);
  const double jd = JulianDayUt(t);
  RequireCovered(jd);
  static constexpr std::array<std::pair<BodyIndex, int>, 7> kPlanets = {{{kSun, SE_SUN},
                                                                          {kMoon, SE_MOON},
                                                                          {kMercury, SE_MERCURY},
                                                                          {kVenus, SE_VENUS},
                                                                          {kMars, SE_MARS},
                                                                          {kJupiter, SE_JUPITER},
                                                                          {kSaturn, SE_SATURN}}};
  const LibrarySession session(conventions_.ayanamsa);
  SiderealPositions out;
  double x[6];
  for (const auto& [body, planet] : kPlanets) {
    Calc(jd, planet, kSiderealFlags, x);
    out.longitudeDeg[body] = ReduceDegrees(x[0]);
  }
  Calc(jd, conventions_.node == NodeKind::kTrue ? SE_TRUE_NODE : SE_MEAN_NODE, kSiderealFlags, x);
  out.longitudeDeg[kRahu] = ReduceDegrees(x[0]);
  out.longitudeDeg[kKetu] = ReduceDegrees(x[0] + 180.0);
  // The house system does not move the ascendant; whole signs is the cheapest to ask for.
  double cusps[13], angles[10];
  if (swe_houses_ex(jd, SEFLG_SIDEREAL, place.latitudeDeg, place.longitudeDeg, 'W', cusps, angles) < 0)
    throw EphemerisError(EphemerisFailure::kDataFilesMissing);
  out.longitudeDeg[kAscendantBody] = ReduceDegrees(angles[0]);
  out.ayanamsaDeg = -AyanamsaOfDate(jd);
  return out;
}

double SwissEphemeris::SunLongitudeDeg(const UtInstant& t, const UtInstant& chartMoment) const {
  const double jd = JulianDayUt(t), chartJd = JulianDayUt(chartMoment);
  RequireCovered(jd);
  RequireCovered(chartJd);
  const LibrarySession session(conventions_.ayanamsa);
  double x[6];
  Calc(jd, SE_SUN, SEFLG_SWIEPH, x);
  return ReduceDegrees(x[0] - AyanamsaOfDate(chartJd));
}

SunEvents SwissEphemeris::SunEventsUt(int year, int month, int day, const GeoPoint& place) const {
  const double noon = swe_julday(year, month, day, 12.0, SE_GREG_CAL) - place.longitudeDeg / 360.0;
  RequireCovered(noon);
  const LibrarySession session(conventions_.ayanamsa);
  return FindSunEvents(noon, place, conventions_.sunrise);
}

RiseSet SwissEphemeris::SunRiseSet(int year, int month, int day, const GeoPoint& place,
                                   int utcOffsetSeconds) const {
  const SunEvents events = SunEventsUt(year, month, day, place);
  RiseSet out;
  out.status = events.status;
  if (!out.ok()) return out;
  out.rise = ClockMinuteOnDate(events.riseJdUt, year, month, day, utcOffsetSeconds);
  out.set = ClockMinuteOnDate(events.setJdUt, year, month, day, utcOffsetSeconds);
  out.riseSeconds = ClockSecondsOnDate(events.riseJdUt, year, month, day, utcOffsetSeconds);
  out.setSeconds = ClockSecondsOnDate(events.setJdUt, year, month, day, utcOffsetSeconds);
  return out;
}

PerBody<bool> SwissEphemeris::Retrograde(const UtInstant& t) const {
  static constexpr std::array<std::pair<BodyIndex, int>, 5> kPlanets = {
      {{kMercury, SE_MERCURY}, {kVenus, SE_VENUS}, {kMars, SE_MARS}, {kJupiter, SE_JUPITER}, {kSaturn, SE_SATURN}}};
  const double jd = JulianDayUt(t);
  RequireCovered(jd);
  const LibrarySession session(conventions_.ayanamsa);
  PerBody<bool> out{};
  double x[6];
  // The same flags as the positions, so the library answers from what it has just computed.
  for (const auto& [body, planet] : kPlanets) {
    Calc(jd, planet, kSiderealFlags, x);
    out[body] = x[3] < 0.0;
  }
  return out;
}

std::optional<EphemerisFailure> SwissDataProblem() {
  // A planet and the Moon at both ends of the range, and a star-based ayanamsa.
  try {
    const LibrarySession session(Ayanamsa::kTrueChitrapaksha);
    double x[6];
    for (const double jd : {kFirstJdUt, kLastJdUt}) {
      Calc(jd, SE_SUN, kSiderealFlags, x);
      Calc(jd, SE_MOON, kSiderealFlags, x);
    }
    AyanamsaOfDate(kFirstJdUt);
  } catch (const EphemerisError& e) {
    return e.failure();
  }
  return std::nullopt;
}

double AyanamsaShiftFromLahiri(Ayanamsa chosen, const UtInstant& t) {
  if (chosen == Ayanamsa::kLahiri) return 0.0;
  const double jd = JulianDayUt(t);
  double lahiri = 0;
  {
    const LibrarySession session(Ayanamsa::kLahiri);
    lahiri = AyanamsaOfDate(jd);
  }
  const LibrarySession session(chosen);
  return lahiri - AyanamsaOfDate(jd);
}

}  // namespace corvane
