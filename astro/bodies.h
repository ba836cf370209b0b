#pragma once
#include <array>

namespace corvane {

// Order of every per-body list of a chart: the nine grahas and the ascendant.
enum BodyIndex : int {
  kSun = 0, kMoon, kMercury, kVenus, kMars, kJupiter, kSaturn, kRahu, kKetu, kAscendantBody,
  kBodyCount
};

// One value per chart body, in BodyIndex order.
template <typename T>
using PerBody = std::array<T, kBodyCount>;

}  // namespace corvane
