#pragma once
// Direct Swiss Ephemeris calls as the reference for the engine tests. They run on a thread of
// their own: Debian's library keeps its state per thread, so nothing the reference sets
// (sidereal mode, data folder) reaches the engine under test, nor the other way round.
#include <swephexp.h>

#include <array>
#include <thread>

#include "astro/conventions.h"

namespace corvane::testing {

// Runs `work` on a fresh thread with the library pointed at the Debian data folder.
template <typename Work>
void OnReferenceThread(Work work) {
  std::thread thread([&work] {
    swe_set_ephe_path("/usr/share/libswe/ephe");
    work();
    swe_close();
  });
  thread.join();
}

// The library's sidereal mode of each ayanamsa, in the order of the Ayanamsa enumeration.
inline constexpr std::array<int, kAyanamsaCount> kSiderealModes = {
    SE_SIDM_LAHIRI,      SE_SIDM_RAMAN,      SE_SIDM_KRISHNAMURTI,  SE_SIDM_TRUE_CITRA,
    SE_SIDM_TRUE_PUSHYA, SE_SIDM_YUKTESHWAR, SE_SIDM_FAGAN_BRADLEY};

inline int SiderealModeOf(Ayanamsa a) { return kSiderealModes[static_cast<std::size_t>(a)]; }

// Signed difference a - b of two angles in degrees, in (-180, 180].
inline double AngleDifference(double a, double b) {
  double d = a - b;
  while (d > 180.0) d -= 360.0;
  while (d <= -180.0) d += 360.0;
  return d;
}

}  // namespace corvane::testing
