// Shared by the table generators, the only code that links Swiss Ephemeris.
#pragma once
#include <swephexp.h>

#include <cstdint>

// Points the library at its data files: its default search path when they are found there,
// otherwise the folder Debian's swe-standard-data installs them in.
inline void UseSwissEphemerisFiles() {
  swe_set_ephe_path(nullptr);
  double r[6];
  char err[AS_MAXCH] = {0};
  const std::int32_t got = swe_calc_ut(2451545.0, SE_MARS, SEFLG_SWIEPH, r, err);
  if (got < 0 || (got & SEFLG_SWIEPH) == 0) swe_set_ephe_path("/usr/share/libswe/ephe");
}
