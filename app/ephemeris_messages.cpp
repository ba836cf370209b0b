#include "app/ephemeris_messages.h"

namespace corvane {

std::string_view EphemerisFailureMessage(EphemerisFailure failure) {
  switch (failure) {
    case EphemerisFailure::kOutsidePreciseRange:
      // The years are kPreciseFirstYear and kPreciseLastYear of astro/swiss_ephemeris.h.
      return "The precise engine (Swiss Ephemeris) computes births from the year 1800 to 2399 only.";
    case EphemerisFailure::kDataFilesMissing:
      return "The Swiss Ephemeris data files were not found in /usr/share/libswe/ephe (or in the folder "
             "SE_EPHE_PATH names): install the Debian package swe-standard-data.";
  }
  return {};
}

}  // namespace corvane
