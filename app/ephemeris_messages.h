#pragma once
#include <string_view>

#include "astro/ephemeris.h"

namespace corvane {

// The sentence shown for an engine's failure; constant text, so it outlives any error.
std::string_view EphemerisFailureMessage(EphemerisFailure failure);

}  // namespace corvane
