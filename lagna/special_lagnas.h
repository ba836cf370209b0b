#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "astro/bodies.h"
#include "lagna/arudha_padas.h"
#include "lagna/lagna_id.h"

namespace corvane {

// Reduces a longitude into [0, 360). A value that lands on exactly 360 is 0 degrees Aries.
double ReduceLongitude(double degrees);

// House (1 to 12) of a sign number counted inclusively from the ascendant's sign number.
int HouseFromAscendant(int signNumber, int ascendantSignNumber);

// A number of signs split into the degrees, minutes and seconds of its fractional sign and
// the count of whole signs. Only the magnitude of the argument is used.
struct VighatiDegrees {
  int degrees = 0;
  int minutes = 0;
  int seconds = 0;
  std::int64_t wholeSigns = 0;
};
VighatiDegrees Vighati2Degree(double x);

// How the Indu lagna is found. Both add the kalas of the 9th lords from the ascendant and
// from the Moon and take the remainder by 12 as a count of signs (0 counts as 12).
enum class InduRule {
  kFromAscendant,  // counted from the ascendant's sign; Venus's kala is 10
  kFromMoon,       // counted from the Moon's sign; Venus's kala is 12
};

// The Sun the Pranapada lagna adds to.
enum class PranapadaSun {
  kAtSunrise,  // the Sun at the reference sunrise
  kAtBirth,    // the Sun at birth
};

// The Sun the Surya lagna stands with.
enum class SuryaSun {
  kAtSunrise,  // the Sun at the reference sunrise
  kAtBirth,    // the Sun at birth: the sign it occupies
};

// How the Varnada lagna counts its steps.
enum class VarnadaCount {
  kDegrees,  // on the whole-degree longitudes of the ascendant and the Hora lagna
  kSigns,    // in whole signs, from the ascendant's and the Hora lagna's signs
};

// Sign index of the Indu lagna from the sign indices of the Moon and the ascendant; -1 when
// either has no sign.
int InduLagnaSign(int moonSign, int ascendantSign, InduRule rule);

// Sign index of the Varnada lagna counted in whole signs from the sign indices of the
// ascendant and the Hora lagna; -1 when either has no sign.
int VarnadaSignBySigns(int ascendantSign, int horaSign);

// What the lagnas are computed from: positions at birth and the time since the sunrise
// the birth is counted from.
struct LagnaInputs {
  PerBody<double> birthDeg{};         // sidereal longitudes at birth, the ascendant included
  double moonNakshatraStartDeg = 0;   // start of the nakshatra holding the Moon
  double sunAtSunriseDeg = 0;         // sidereal Sun at the reference sunrise
  std::int64_t minutesSinceSunrise = 0;  // whole-minute count from the reference sunrise
  std::int64_t secondsSinceSunrise = 0;
  InduRule indu = InduRule::kFromAscendant;
  PranapadaSun pranapadaSun = PranapadaSun::kAtSunrise;
  VarnadaCount varnada = VarnadaCount::kDegrees;
  SignLords lords = SignLords::kSingle;
  SuryaSun suryaSun = SuryaSun::kAtSunrise;
  // The time from the unrounded sunrise moment to the birth second, in seconds. When given,
  // every lagna counted from sunrise (Ghati, Hora, Bhava, Pranapada) uses it instead of the
  // whole-minute and whole-second counts above.
  std::optional<double> exactSecondsSinceSunrise;
};

// Where one lagna entry stands. An entry that could not be placed keeps sign 0 and
// placed == false; the longitude exists only for the entries counted in degrees.
struct LagnaPosition {
  bool placed = false;
  int sign = 0;                         // 0 Aries .. 11 Pisces
  std::optional<double> longitudeDeg;   // [0, 360)
};

struct LagnaChart {
  std::array<LagnaPosition, kLagnaCount> lagnas{};
  ArudhaPadas padas;                    // valid when lagnas[kAL].placed
  PerBody<int> bodySigns{};             // sign index of each body at birth, -1 for none
  int horaHouse = 0;                    // house of the Hora lagna from the ascendant, 0 unknown
  int pranapadaHouse = 0;               // house of the Pranapada lagna, 0 unknown
};

// Every lagna entry: the arudha padas (AL, PL, UL; counted to the sign lords of the inputs'
// rule) and the Ascendant first, then Ghati (one sign per 24 minutes from the Sun at sunrise),
// Hora (one per hour), Bhava (one per 2 hours), Indu (ninth lords' kalas, by the inputs' rule),
// Varnada (ascendant and Hora lagna, in whole degrees or whole signs), Chandra (the Moon's
// sign), Surya (the Sun's sign at sunrise or at birth), Sree (the ascendant advanced by the Moon's
// nakshatra fraction) and Pranapada (one sign per 15 vighatis from a base fixed by the Sun at
// sunrise or at birth).
LagnaChart ComputeLagnas(const LagnaInputs& in);

}  // namespace corvane
