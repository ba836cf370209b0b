#pragma once
#include <array>

namespace corvane {

// One periodic term of the Moon's longitude: coefficient (degrees) times the sine of
// d*D + m*M + mp*M' + f*F, scaled by the eccentricity factor E where the Sun's anomaly enters.
struct LunarTerm {
  double coefficient;
  int d, m, mp, f;
  bool timesE;
};

// The 25 largest longitude terms of the truncated ELP-2000/82 theory, largest first: the
// first rows of the longitude table of Meeus, Astronomical Algorithms (table 45.A of the 1st
// edition, 47.A of the 2nd), in degrees.
extern const std::array<LunarTerm, 25> kLunarLongitudeTerms;

}  // namespace corvane
