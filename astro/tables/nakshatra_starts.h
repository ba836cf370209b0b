#pragma once
#include <array>

namespace corvane {

// Tabulated start of each of the 27 nakshatras, in steps of 13.33 degrees. The step is
// rounded to two decimals, so later starts lie slightly below the exact 13 deg 20 min grid.
extern const std::array<double, 27> kNakshatraStarts;

}  // namespace corvane
