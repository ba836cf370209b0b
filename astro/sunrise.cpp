#include "astro/sunrise.h"

#include <cmath>
#include <cstdlib>

#include "astro/time_scales.h"

namespace corvane {

namespace {

// The sunrise and sunset algorithm of the Almanac for Computers (Nautical Almanac Office,
// United States Naval Observatory), worked in radians: the Sun's mean anomaly 0.9856 t - 3.289
// deg, its true longitude M + 1.916 sin M + 0.020 sin 2M + 282.634 deg, its right ascension
// and declination from the obliquity, the hour angle at the official zenith 90 deg 50' (upper
// limb with the standard refraction), and local mean time H + RA - 0.06571 t - 6.622 h. The
// constants below are those values in radians, rounded to about six figures as the program
// has always held them; they are kept so that every sunrise stays on its minute.
constexpr double P2 = 1.5708;          // pi/2, 6 h of hour angle
constexpr double P1 = 3.14159;         // pi
constexpr double P3 = 4.71239;         // 3pi/2, 18 h
constexpr double PP = 6.28319;         // 2pi
constexpr double DR = 0.0174533;       // radians per degree
constexpr double K = 0.261799;         // radians per hour of zone offset
constexpr double CZ = -0.0145439;      // cos of zenith distance 90 deg 50 min
constexpr double CZ_CENTRE = 0.0;      // cos of zenith distance 90 deg (the disc-centre choice)
constexpr double M1 = 0.017202, M0 = 0.0574039;  // mean anomaly: 0.9856 deg per day, 3.289 deg
constexpr double C1 = 0.0334405, C2 = 0.000349066, L0 = 4.93289;  // 1.916, 0.020 and 282.634 deg
constexpr double EPS = 4.84814e-6;     // one arcsecond: keeps L off multiples of P2
constexpr double CE = 0.91746, SE = 0.39782;  // cos and sin of the obliquity
constexpr double R1 = 0.0172028, R0 = 1.73364;  // 0.06571 h per day and 6.622 h, in radians
constexpr double HR = 3.81972;         // hours per radian

// Clock time in minutes after local midnight of one event, or why the Sun does not reach
// the horizon that day.
struct EventTime {
  RiseSetStatus status = RiseSetStatus::kOk;
  int minutes = 0;
  double seconds = 0;  // unrounded
};

// The place's latitude comes as its sine and cosine, taken once for the day's two events.
struct Latitude {
  double sin, cos;
};

EventTime EventMinutes(bool rise, double n, Latitude latitude, double longitude, double zone, double cz) {
  const double h0 = rise ? P2 : P3;
  const double t = n + (h0 - longitude) / PP;
  const double m = M1 * t - M0;
  double l = m + C1 * std::sin(m) + C2 * std::sin(2.0 * m) + L0;
  while (l < 0) l += PP;
  while (l >= PP) l -= PP;
  if (l / P2 - std::floor(l / P2) == 0) l += EPS;
  double ra = QuadrantArcTangent(CE * std::tan(l), 1.0);
  if (l > P3) {
    ra += PP;
  } else if (l > P2) {
    ra += P1;
  }
  const double sd = SE * std::sin(l);
  const double declination = std::atan(sd / std::sqrt(1.0 - sd * sd));
  const double c = (cz - sd * latitude.sin) / (std::cos(declination) * latitude.cos);
  // c above 1: the Sun stays below the horizon; below -1: above it.
  if (!(std::fabs(c) <= 1.0)) return {c > 1.0 ? RiseSetStatus::kSunNeverRises : RiseSetStatus::kSunNeverSets, 0};
  // Arc cosine of c; at |c| = 1 the Sun just touches the horizon.
  double h = (std::fabs(c) == 1.0) ? P2 - c * P2 : P2 - std::atan(c / std::sqrt(1.0 - c * c));
  if (rise) h = PP - h;
  const double siderealTime = h + ra - R1 * t - R0;
  double local = siderealTime - longitude + zone;
  while (local < 0) local += PP;
  while (local >= PP) local -= PP;
  const double hours = local * HR;
  const int hh = static_cast<int>(std::floor(hours));
  const int mm = static_cast<int>(std::floor(60.0 * (hours - hh) + 0.5));
  // Rounding may give minute 60; it carries into the next hour, and 24:00 is midnight of
  // the same given date since every time is attached to that date.
  return {RiseSetStatus::kOk, (hh * 60 + mm) % (24 * 60), hours * 3600.0};
}

}  // namespace

RiseSet AlmanacRiseSet(int year, int month, int day, const GeoPoint& place, int utcOffsetSeconds,
                       SunriseDefinition definition) {
  // Local clock minus UT in hours, summed from whole hours, minutes and seconds so that whole
  // and half-hour offsets carry no rounding.
  const int magnitude = std::abs(utcOffsetSeconds);
  double zone = magnitude / 3600 + magnitude % 3600 / 60 / 60.0;
  if (magnitude % 60 != 0) zone += magnitude % 60 / 3600.0;
  if (utcOffsetSeconds < 0) zone = -zone;
  // A clock 13 hours ahead of UT (a +12 zone on summer time) is read as 11 hours behind, as
  // the program always has; the reduction into 0..24 h gives the same clock time either way.
  if (zone == 13.0) zone = -11.0;

  const double n = DayOfYear(year, month, day) - 1;
  const double latitudeRad = place.latitudeDeg * DR, longitude = place.longitudeDeg * DR;
  const Latitude latitude{std::sin(latitudeRad), std::cos(latitudeRad)};
  const double cz = definition == SunriseDefinition::kDiscCentre ? CZ_CENTRE : CZ;
  const EventTime rise = EventMinutes(true, n, latitude, longitude, zone * K, cz);
  const EventTime set = EventMinutes(false, n, latitude, longitude, zone * K, cz);
  RiseSet out;
  if (rise.status != RiseSetStatus::kOk || set.status != RiseSetStatus::kOk) {
    out.status = rise.status != RiseSetStatus::kOk ? rise.status : set.status;
    return out;
  }
  out.rise = {year, month, day, rise.minutes / 60, rise.minutes % 60, 0};
  out.set = {year, month, day, set.minutes / 60, set.minutes % 60, 0};
  out.riseSeconds = rise.seconds;
  out.setSeconds = set.seconds;
  return out;
}

}  // namespace corvane
