#include "lagna/sign_lords.h"

#include <cmath>

namespace corvane {

namespace {

constexpr int kScorpio = 7, kAquarius = 10;
constexpr BodyIndex kGrahas[] = {kSun, kMoon, kMercury, kVenus, kMars, kJupiter, kSaturn, kRahu, kKetu};

bool IsSign(int s) { return s >= 0 && s < 12; }

// Rule 1: the grahas sharing the lord's sign.
int Companions(BodyIndex lord, const PerBody<int>& signs) {
  int count = 0;
  for (BodyIndex b : kGrahas)
    if (b != lord && signs[b] == signs[lord]) ++count;
  return count;
}

// Rule 2: Jupiter, Mercury and the lord's dispositor, each counted once, when it stands with
// the lord or aspects the lord's sign.
int Associations(BodyIndex lord, const PerBody<int>& signs) {
  const int at = signs[lord];
  const BodyIndex dispositor = kSingleSignLords[static_cast<std::size_t>(at)];
  const bool dispositorListed = dispositor == kJupiter || dispositor == kMercury;
  const BodyIndex judges[] = {kJupiter, kMercury, dispositorListed ? lord : dispositor};
  int count = 0;
  for (BodyIndex b : judges) {
    if (b == lord || !IsSign(signs[b])) continue;
    if (signs[b] == at || SignAspects(signs[b], at)) ++count;
  }
  return count;
}

// Rule 3: the sign of each graha's exaltation (Sun .. Ketu).
constexpr PerBody<int> kExaltationSign = {0, 1, 5, 11, 9, 3, 6, 2, 8, -1};

bool Exalted(BodyIndex lord, const PerBody<int>& signs) { return signs[lord] == kExaltationSign[lord]; }

// Rule 4: strength of a sign by its nature: dual over fixed over movable.
int NatureStrength(BodyIndex lord, const PerBody<int>& signs) { return signs[lord] % 3; }

// Rule 5: degrees gone through in the sign, along the body's own motion.
double Advance(BodyIndex lord, const PerBody<double>& longitudes) {
  const double inSign = std::fmod(longitudes[lord], 30.0);
  if (!std::isfinite(inSign)) return -1.0;
  return lord == kRahu || lord == kKetu ? 30.0 - inSign : inSign;
}

}  // namespace

bool SignAspects(int fromSign, int toSign) {
  if (!IsSign(fromSign) || !IsSign(toSign) || fromSign == toSign) return false;
  switch (fromSign % 3) {
    case 0: return toSign % 3 == 1 && toSign != (fromSign + 1) % 12;       // movable
    case 1: return toSign % 3 == 0 && toSign != (fromSign + 11) % 12;      // fixed
    default: return toSign % 3 == 2;                                        // dual
  }
}

BodyIndex StrongerCoLord(int ruledSign, BodyIndex planet, BodyIndex node, const PerBody<int>& signs,
                         const PerBody<double>& longitudes) {
  if (!IsSign(signs[node])) return planet;
  if (!IsSign(signs[planet])) return node;
  // A lord in the ruled sign itself leaves the rulership to the other.
  if (const bool a = signs[planet] == ruledSign, b = signs[node] == ruledSign; a != b) return a ? node : planet;
  if (const int a = Companions(planet, signs), b = Companions(node, signs); a != b) return a > b ? planet : node;
  if (const int a = Associations(planet, signs), b = Associations(node, signs); a != b) return a > b ? planet : node;
  if (const bool a = Exalted(planet, signs), b = Exalted(node, signs); a != b) return a ? planet : node;
  if (const int a = NatureStrength(planet, signs), b = NatureStrength(node, signs); a != b) return a > b ? planet : node;
  if (const double a = Advance(planet, longitudes), b = Advance(node, longitudes); a != b) return a > b ? planet : node;
  return planet;
}

}  // namespace corvane
