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

// The 25 largest longitude terms of the truncated ELP-2000/82 theory, largest first.
extern const std::array<LunarTerm, 25> kLunarLongitudeTerms;

}  // namespace corvane
