#pragma once
#include <array>
#include <optional>
#include <string_view>

#include "astro/bodies.h"
#include "lagna/lagna_id.h"
#include "lagna/sign_lords.h"
#include "lagna/special_lagnas.h"

namespace corvane {

// The sixteen divisional charts, in the order every output lists them.
inline constexpr int kVargaCount = 16;

// Number of divisions of a sign in each varga (the n of "Dn").
inline constexpr std::array<int, kVargaCount> kVargaDivisions = {1, 2, 3, 4, 7, 9, 10, 12, 16, 20, 24, 27, 30, 40, 45, 60};

// The keys ("D9") and names ("Navamsa") of the vargas.
inline constexpr std::array<std::string_view, kVargaCount> kVargaKeys = {
    "D1", "D2", "D3", "D4", "D7", "D9", "D10", "D12", "D16", "D20", "D24", "D27", "D30", "D40", "D45", "D60"};
inline constexpr std::array<std::string_view, kVargaCount> kVargaNames = {
    "Rasi",           "Hora",         "Drekkana",   "Chaturthamsa", "Saptamsa",  "Navamsa",
    "Dasamsa",        "Dwadasamsa",   "Shodasamsa", "Vimsamsa",     "Chaturvimsamsa", "Nakshatramsa",
    "Trimsamsa",      "Khavedamsa",   "Akshavedamsa", "Shashtyamsa"};

// The position of the varga whose key is `key` ("D9") in the lists above, or nothing.
std::optional<int> VargaIndexOf(std::string_view key);

// Where a longitude falls in one varga: the varga sign and the longitude within the varga's
// chart (the varga sign plus the part of its division already gone through, spread over
// 30 degrees; the co-lord rule that compares advance within a sign reads it).
struct VargaPlace {
  int sign = -1;           // 0 Aries .. 11 Pisces; -1 for a longitude outside [0, 360)
  double longitudeDeg = 0;  // [0, 360) when sign >= 0
};

// The place of a sidereal longitude (degrees) in varga number `varga` (an index of
// kVargaDivisions). A longitude exactly on a division boundary belongs to the division it
// opens.
VargaPlace VargaPlaceOf(int varga, double longitudeDeg);
inline int VargaSignOf(int varga, double longitudeDeg) { return VargaPlaceOf(varga, longitudeDeg).sign; }

// The conventions the sign-only entries follow inside a varga's chart: the same as the
// rasi chart's.
struct VargaRules {
  SignLords lords = SignLords::kSingle;
  InduRule indu = InduRule::kFromAscendant;
};

// One varga's chart: the varga sign of every body (the ascendant included) and of every lagna
// entry; -1 where the entry has no place.
struct VargaChart {
  PerBody<int> bodySigns{};
  std::array<int, kLagnaCount> lagnaSigns{};
  // The lord of each sign within the varga, by the rules' lords (under the Jaimini lords they
  // follow the bodies' varga degrees): AsLagnaChart counts the twelve padas from them.
  std::array<BodyIndex, 12> lords{};
};
using VargaCharts = std::array<VargaChart, kVargaCount>;

// The sixteen vargas of a chart. `bodyDeg` are the sidereal longitudes at birth (the
// ascendant included) and `lagnas` the rasi chart's lagnas. Every entry with a longitude takes
// its varga sign from it; the arudha padas (AL, UL), the Paka lagna, the Indu lagna and a
// Varnada lagna counted in signs are found within each varga's chart from the varga signs of
// the bodies, the ascendant and the Hora lagna, by the rasi chart's own rules.
VargaCharts ComputeVargas(const PerBody<double>& bodyDeg, const LagnaChart& lagnas, const VargaRules& rules);

// A varga's chart in the shape of the rasi chart's lagnas (signs only, no longitudes), for
// the code that marks lagnas in sign boxes.
LagnaChart AsLagnaChart(const VargaChart& varga);

}  // namespace corvane
