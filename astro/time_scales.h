#pragma once

namespace corvane {

// Angle constants held with the engine's own rounding: pi and its relatives to 15 significant
// figures (not the doubles nearest them), as the element method has always computed; kept so
// that every position stays bit for bit what the program has always shown.
inline constexpr double kDegToRad = 0.0174532925199433;
inline constexpr double kRadToDeg = 57.2957795130823;
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kTwoPi = 6.28318530717958;

// Whole-number Julian day number of the civil date at noon (Julian calendar before the
// Gregorian reform, Gregorian after it).
double JulianDayNumber(int month, int day, int year);

// Days since 2000 January 1, 12:00 UT, with fraction; the arguments are universal time.
double DayNumberJ2000(int year, int month, int day, int hour, int minute, int second = 0);

// Lahiri-type ayanamsa in degrees (negative: tropical + ayanamsa = sidereal), with its
// nutation term, from centuries since J1900.0 and since J2000.0 respectively.
double AyanamsaJ1900(double t1900);
double AyanamsaJ2000(double t2000);

// General precession in longitude accumulated since J2000.0, in degrees.
double GeneralPrecessionDegrees(double dayNumber);

// Two-argument arc tangent in (-pi, pi], except that y = 0 with x < 0 gives 0.
double QuadrantArcTangent(double y, double x);

// Reduces an angle in radians into [0, 2pi).
double NormalizeRadians(double a);

// Reduces an angle in degrees into [0, 360), whole turns of any count included.
double ReduceDegrees(double degrees);

// Adds one turn to a negative angle in degrees, or takes one turn off an angle above 360;
// nothing more, so 360 itself stays and an angle beyond two turns stays out of range.
double ShiftByAtMostOneTurn(double degrees);

}  // namespace corvane
