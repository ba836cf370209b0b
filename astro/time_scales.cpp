#include "astro/time_scales.h"

#include <cmath>

namespace corvane {

// Integer arithmetic on months counted from March of the year -4800 (so that February, with
// its leap day, ends each counted year) with a Julian leap day every 48 months; the constant
// 32083 puts day 0 at 4713 BC January 1 of the Julian calendar. Counts above 2299171 (1582
// October 15 read on the Julian calendar) take the Gregorian correction of the century years.
double JulianDayNumber(int month, int day, int year) {
  const double m = (static_cast<double>(year) + 4800.0) * 12.0 + month - 3.0;
  const double a = (2.0 * (m - 12.0 * std::floor(m / 12.0)) + 7.0 + 365.0 * m) / 12.0;
  double j = std::floor(a) + day + std::floor(m / 48.0) - 32083.0;
  // Dates after the reform take the Gregorian correction.
  if (j > 2299171.0) j = j + std::floor(m / 4800.0) - std::floor(m / 1200.0) + 38.0;
  return j;
}

// The day number of Paul Schlyter's "How to compute planetary positions", 367 y - 7 (y + (m +
// 9) / 12) / 4 + 275 m / 9 + D - 730530 (day 0 at 1999 December 31, 0h UT), here 1.5 days
// later, at J2000.0. It has no century rule, so it holds from March 1900 to February 2100.
double DayNumberJ2000(int year, int month, int day, int hour, int minute, int second) {
  const double y = year;
  double hours = hour + minute / 60.0;
  if (second != 0) hours += second / 3600.0;
  return 367.0 * y - std::floor(7.0 * (y + std::floor((month + 9.0) / 12.0)) / 4.0) +
         std::floor(275.0 * month / 9.0) + day - 730531.5 + hours / 24.0;
}

namespace {

// The mean Lahiri-type ayanamsa at each epoch, in arc seconds, the program's long-standing
// values: 22 deg 27' 41.27" at J1900.0 and 23 deg 51' 26.27" at J2000.0.
constexpr double kMeanAyanamsaJ1900Arcsec = 80861.27;
constexpr double kMeanAyanamsaJ2000Arcsec = 85886.27;

}  // namespace

// Ayanamsa = the mean value at the epoch + Newcomb's general precession in longitude (5025.64"
// per century + 1.11" T^2, the Explanatory Supplement to the Astronomical Ephemeris, 1961) +
// the two largest terms of nutation in longitude, Woolard's 17.23" sin(node) + 1.27" sin(2 L)
// rounded to hundredths (same source). Here the node is Brown's (259 deg 10' 59.79" - 1934 deg
// 08' 31.23" T + 7.48" T^2, held as 933060" - 6962911" T + 7.5" T^2) and 2 L twice Newcomb's
// mean Sun (279 deg 41' 48.04" + 129602768.13" T), all from J1900.0.
double AyanamsaJ1900(double t) {
  double node = (933060.0 - 6962911.0 * t + 7.5 * t * t) / 3600.0;
  // Only the sine of the node is used, so negative values may stay as they are.
  while (node >= 360.0) node -= 360.0;
  const double twiceSun = (2013816.0 + 259205536.0 * t) / 3600.0;
  const double nutation = 17.23 * std::sin(node * kDegToRad) + 1.27 * std::sin(twiceSun * kDegToRad);
  return (nutation - t * (5025.64 + 1.11 * t) - kMeanAyanamsaJ1900Arcsec) / 3600.0;
}

// The same from J2000.0 for the Moon's series: the node of Meeus, Astronomical Algorithms (1st
// ed., chapter 45: 125.0445550 - 1934.1361849 T + 0.0020762 T^2) and the Sun's mean longitude
// of date; the precession and nutation coefficients as above.
double AyanamsaJ2000(double t) {
  const double node = 125.044555 - 1934.1361849 * t + 0.0020762 * t * t;
  const double sun = 280.466449 + 36000.7698231 * t + 0.0003106 * t * t;
  const double nutation = 17.23 * std::sin(node * kDegToRad) + 1.27 * std::sin(2.0 * sun * kDegToRad);
  return (nutation - 5025.64 * t - 1.11 * t * t - kMeanAyanamsaJ2000Arcsec) / 3600.0;
}

// The IAU 1976 general precession in longitude, 5029.0966" T + 1.11113" T^2 (Lieske et al.
// 1977; Meeus, Astronomical Algorithms, 2nd ed., chapter 21), T in Julian centuries.
double GeneralPrecessionDegrees(double dayNumber) {
  const double t = dayNumber / 36525.0;
  return (5029.0966 * t + 1.11113 * t * t) / 3600.0;
}

double QuadrantArcTangent(double y, double x) {
  const double s = (y > 0) ? 1.0 : (y < 0 ? -1.0 : 0.0);
  if (x > 0) return std::atan(y / x);
  if (x == 0) return s * kPi / 2.0;
  return s * (kPi - std::atan(std::fabs(y / x)));
}

double NormalizeRadians(double a) {
  const double q = a / kTwoPi;
  double r = (q - std::trunc(q)) * kTwoPi;
  if (r < 0) r += kTwoPi;
  // A tiny negative remainder can round up to a full turn when 2pi is added.
  if (r >= kTwoPi) r = 0.0;
  return r;
}

double ReduceDegrees(double degrees) {
  double r = std::fmod(degrees, 360.0);
  if (r < 0) r += 360.0;
  // A tiny negative remainder can round up to a full turn when 360 is added.
  return r >= 360.0 ? 0.0 : r;
}

double ShiftByAtMostOneTurn(double v) {
  if (v < 0) v += 360.0;
  if (v > 360.0) v -= 360.0;
  return v;
}

}  // namespace corvane
