#pragma once
#include <string>

#include "app/calculation_settings.h"

namespace corvane {

// How a chart was computed, in one line for people: the engine, the ayanamsa and each choice
// that differs from the defaults, the four exact conventions together as "exact conventions":
// "Calculated with Swiss Ephemeris, Lahiri, exact conventions". The result window shows it
// under the clock and the printed reading under the birth details.
std::string CalculatedWithText(const CalculationSettings& settings);

}  // namespace corvane
