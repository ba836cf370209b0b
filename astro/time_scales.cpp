#include "astro/time_scales.h"

#include <cmath>

namespace corvane {

double JulianDayNumber(int month, int day, int year) {
  const double m = (static_cast<double>(year) + 4800.0) * 12.0 + month - 3.0;
  const double a = (2.0 * (m - 12.0 * std::floor(m / 12.0)) + 7.0 + 365.0 * m) / 12.0;
  double j = std::floor(a) + day + std::floor(m / 48.0) - 32083.0;
  // Dates after the reform take the Gregorian correction.
  if (j > 2299171.0) j = j + std::floor(m / 4800.0) - std::floor(m / 1200.0) + 38.0;
  return j;
}

double DayNumberJ2000(int year, int month, int day, int hour, int minute, int second) {
  const double y = year;
  double hours = hour + minute / 60.0;
  if (second != 0) hours += second / 3600.0;
  return 367.0 * y - std::floor(7.0 * (y + std::floor((month + 9.0) / 12.0)) / 4.0) +
         std::floor(275.0 * month / 9.0) + day - 730531.5 + hours / 24.0;
}

double AyanamsaJ1900(double t) {
  double node = (933060.0 - 6962911.0 * t + 7.5 * t * t) / 3600.0;
  // Only the sine of the node is used, so negative values may stay as they are.
  while (node >= 360.0) node -= 360.0;
  const double twiceSun = (2013816.0 + 259205536.0 * t) / 3600.0;
  const double nutation = 17.23 * std::sin(node * kDegToRad) + 1.27 * std::sin(twiceSun * kDegToRad);
  return (nutation - t * (5025.64 + 1.11 * t) - 80861.27) / 3600.0;
}

double AyanamsaJ2000(double t) {
  const double node = 125.044555 - 1934.1361849 * t + 0.0020762 * t * t;
  const double sun = 280.466449 + 36000.7698231 * t + 0.0003106 * t * t;
  const double nutation = 17.23 * std::sin(node * kDegToRad) + 1.27 * std::sin(2.0 * sun * kDegToRad);
  return (nutation - 5025.64 * t - 1.11 * t * t - 85886.27) / 3600.0;
}

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
