#pragma once
#include <array>

#include "astro/bodies.h"

namespace corvane {

// Which planet rules a sign when a count goes from a sign to its lord.
enum class SignLords {
  // One lord per sign: Mars rules Scorpio and Saturn Aquarius.
  kSingle,
  // Scorpio is ruled by Mars and Ketu, Aquarius by Saturn and Rahu; the stronger of the two
  // is the lord, by the rules of StrongerCoLord.
  kJaimini,
};

// The lord of each sign (Aries .. Pisces) with one lord per sign.
inline constexpr std::array<BodyIndex, 12> kSingleSignLords = {kMars,  kVenus, kMercury, kMoon,   kSun,    kMercury,
                                                               kVenus, kMars,  kJupiter, kSaturn, kSaturn, kJupiter};

// Whether a sign aspects another by the sign aspects of the Jaimini school: a movable sign
// aspects the fixed signs but the one next to it, a fixed sign the movable signs but the one
// before it, a dual sign the other dual signs. Sign indices 0 Aries .. 11 Pisces.
bool SignAspects(int fromSign, int toSign);

// The stronger of the two lords of Scorpio (Mars, Ketu) or Aquarius (Saturn, Rahu), `ruledSign`
// being that sign. When one of them stands in the ruled sign itself, the other is the lord;
// otherwise these rules are tried in order until one tells them apart:
//   1. the lord with more of the other grahas in its sign;
//   2. the lord conjunct with or aspected (sign aspect) by more of Jupiter, Mercury and its
//      own dispositor (the single lord of the sign it stands in);
//   3. the exalted lord (Sun Aries, Moon Taurus, Mars Capricorn, Mercury Virgo, Jupiter
//      Cancer, Venus Pisces, Saturn Libra, Rahu Gemini, Ketu Sagittarius);
//   4. the lord in the stronger sign by nature: dual over fixed over movable;
//   5. the lord further advanced in its sign (a node moves backwards: 30 degrees less its
//      degrees in the sign);
//   6. still equal: the planet (Mars, Saturn).
// `signs` and `longitudes` are the bodies in the chart the count is made in.
BodyIndex StrongerCoLord(int ruledSign, BodyIndex planet, BodyIndex node, const PerBody<int>& signs,
                         const PerBody<double>& longitudes);

// The lord of every sign under a rule; with kJaimini, Scorpio and Aquarius take the stronger
// of their two lords. A body without a sign (-1) loses every comparison it would enter.
// Inline: the single lords are a fixed table, which the vargas take sixteen times a chart.
inline std::array<BodyIndex, 12> SignLordsOf(SignLords rule, const PerBody<int>& signs,
                                             const PerBody<double>& longitudes) {
  std::array<BodyIndex, 12> lords = kSingleSignLords;
  if (rule == SignLords::kJaimini) {
    constexpr int kScorpio = 7, kAquarius = 10;
    lords[kScorpio] = StrongerCoLord(kScorpio, kMars, kKetu, signs, longitudes);
    lords[kAquarius] = StrongerCoLord(kAquarius, kSaturn, kRahu, signs, longitudes);
  }
  return lords;
}

}  // namespace corvane
