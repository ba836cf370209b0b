#include "lagna/vargas.h"

#include <algorithm>
#include <array>

namespace corvane {

namespace {

constexpr int kAries = 0, kTaurus = 1, kGemini = 2, kCancer = 3, kLeo = 4, kVirgo = 5, kLibra = 6, kScorpio = 7,
              kSagittarius = 8, kCapricorn = 9, kAquarius = 10, kPisces = 11;

// A part of a sign at which one varga division starts, and the sign the division gives.
struct UnevenPart {
  double startDeg;
  int sign;
};

// The trimsamsa's five unequal parts: odd signs Mars, Saturn, Jupiter, Mercury, Venus (their
// odd signs), even signs in the reverse order of lengths (their even signs).
constexpr std::array<UnevenPart, 5> kOddTrimsamsa = {
    {{0, kAries}, {5, kAquarius}, {10, kSagittarius}, {18, kGemini}, {25, kLibra}}};
constexpr std::array<UnevenPart, 5> kEvenTrimsamsa = {
    {{0, kTaurus}, {5, kVirgo}, {12, kPisces}, {20, kCapricorn}, {25, kScorpio}}};

// One part of a sign: which division (0-based) and how far through it (0 <= f < 1).
struct Division {
  int index;
  double fraction;
};

// n / 30 for every n up to 60, worked out when the program is compiled: the division of a
// sign into parts is a multiplication, not a division, in the batches' inner loop.
constexpr auto kPartsPerDegree = [] {
  std::array<double, 61> table{};
  for (std::size_t n = 0; n < table.size(); ++n) table[n] = static_cast<double>(n) / 30.0;
  return table;
}();

// The part of an equal division of `degrees` (0 <= degrees < 30) into n parts. A point that
// lands a hair below a boundary through rounding (30/7 * 3 is not exact in binary) opens the
// next part: the tolerance, of one division, is far below any position the engines give.
// The product is >= 0, so truncation is the floor (without a call into the maths library:
// batches take hundreds of these a chart).
int EqualDivisionIndex(double degrees, int n) {
  constexpr double kBoundaryTolerance = 1e-9;
  const int index = static_cast<int>(degrees * kPartsPerDegree[static_cast<std::size_t>(n)] + kBoundaryTolerance);
  return index >= n ? n - 1 : index;
}

// The same part with the fraction of it gone through.
Division EqualDivision(double degrees, int n) {
  const int index = EqualDivisionIndex(degrees, n);
  double fraction = degrees * kPartsPerDegree[static_cast<std::size_t>(n)] - index;
  if (fraction < 0) fraction = 0;
  return {index, fraction};
}

Division TrimsamsaDivision(double degrees, const std::array<UnevenPart, 5>& parts) {
  int index = 0;
  while (index + 1 < 5 && degrees >= parts[static_cast<std::size_t>(index + 1)].startDeg) ++index;
  const double start = parts[static_cast<std::size_t>(index)].startDeg;
  const double end = index + 1 < 5 ? parts[static_cast<std::size_t>(index + 1)].startDeg : 30.0;
  return {index, (degrees - start) / (end - start)};
}

constexpr bool IsOdd(int sign) { return sign % 2 == 0; }  // Aries, Gemini, ... (index 0, 2, ...)

// The sign the count of a varga starts from for a given rasi sign. Movable, fixed and dual
// are sign % 3 == 0, 1, 2; the elements fire, earth, air, water are sign % 4 == 0 .. 3.
constexpr int StartSign(int divisions, int sign) {
  const int quality = sign % 3;
  switch (divisions) {
    case 7: return IsOdd(sign) ? sign : sign + 6;
    case 9: return sign + (quality == 0 ? 0 : quality == 1 ? 8 : 4);
    case 10: return IsOdd(sign) ? sign : sign + 8;
    case 16:
    case 45: return quality == 0 ? kAries : quality == 1 ? kLeo : kSagittarius;
    case 20: return quality == 0 ? kAries : quality == 1 ? kSagittarius : kLeo;
    case 24: return IsOdd(sign) ? kLeo : kCancer;
    case 27: {
      constexpr std::array<int, 4> kByElement = {kAries, kCancer, kLibra, kCapricorn};
      return kByElement[static_cast<std::size_t>(sign % 4)];
    }
    case 40: return IsOdd(sign) ? kAries : kLibra;
    default: return sign;  // D1, D12, D60 count from the sign itself
  }
}

// StartSign for every varga and rasi sign, worked out when the program is compiled.
constexpr auto kStartSigns = [] {
  std::array<std::array<int, 12>, kVargaCount> table{};
  for (int v = 0; v < kVargaCount; ++v)
    for (int sign = 0; sign < 12; ++sign)
      table[static_cast<std::size_t>(v)][static_cast<std::size_t>(sign)] =
          StartSign(kVargaDivisions[static_cast<std::size_t>(v)], sign);
  return table;
}();

}  // namespace

std::optional<int> VargaIndexOf(std::string_view key) {
  for (int v = 0; v < kVargaCount; ++v)
    if (kVargaKeys[static_cast<std::size_t>(v)] == key) return v;
  return std::nullopt;
}

namespace {

// A longitude as its rasi sign and the degrees gone through in it, found once for all vargas.
struct RasiPlace {
  int sign = -1;  // -1 for a longitude outside [0, 360)
  double degrees = 0;
};

RasiPlace RasiPlaceOf(double longitudeDeg) {
  if (!(longitudeDeg >= 0.0 && longitudeDeg < 360.0)) return {};
  const int sign = std::min(static_cast<int>(longitudeDeg / 30.0), 11);  // the floor: longitudeDeg >= 0
  return {sign, longitudeDeg - 30.0 * sign};
}

// The varga sign of a rasi place and, when kWithLongitude, its longitude within the varga's
// chart (the Jaimini lords compare degrees; every other use takes the sign alone, and the
// fraction of the division is then not worked out).
template <bool kWithLongitude>
VargaPlace VargaPlaceIn(int varga, RasiPlace rasi) {
  if (rasi.sign < 0) return {};
  const int sign = rasi.sign;
  const double degrees = rasi.degrees;
  const int n = kVargaDivisions[static_cast<std::size_t>(varga)];

  Division part{0, degrees / 30.0};
  int out = sign;
  if (n == 2) {
    // Hora: the halves of an odd sign are the Sun's and the Moon's, of an even sign the reverse.
    part = EqualDivision(degrees, 2);
    const bool sunHalf = (part.index == 0) == IsOdd(sign);
    out = sunHalf ? kLeo : kCancer;
  } else if (n == 30) {
    part = TrimsamsaDivision(degrees, IsOdd(sign) ? kOddTrimsamsa : kEvenTrimsamsa);
    out = (IsOdd(sign) ? kOddTrimsamsa : kEvenTrimsamsa)[static_cast<std::size_t>(part.index)].sign;
  } else if (n == 3 || n == 4) {
    // Drekkana: the sign, its 5th, its 9th; chaturthamsa: the sign and its kendras.
    part = EqualDivision(degrees, n);
    out = sign + part.index * (n == 3 ? 4 : 3);
  } else if (n > 1) {
    part = EqualDivision(degrees, n);
    out = kStartSigns[static_cast<std::size_t>(varga)][static_cast<std::size_t>(sign)] + part.index;
  }
  out %= 12;
  if constexpr (!kWithLongitude) return {out, 0.0};
  return {out, out * 30.0 + part.fraction * 30.0};
}

}  // namespace

VargaPlace VargaPlaceOf(int varga, double longitudeDeg) {
  if (varga < 0 || varga >= kVargaCount) return {};
  return VargaPlaceIn<true>(varga, RasiPlaceOf(longitudeDeg));
}

VargaCharts ComputeVargas(const PerBody<double>& bodyDeg, const LagnaChart& lagnas, const VargaRules& rules) {
  VargaCharts charts;
  PerBody<RasiPlace> bodyRasi{};
  for (int b = 0; b < kBodyCount; ++b) bodyRasi[b] = RasiPlaceOf(bodyDeg[b]);
  std::array<RasiPlace, kLagnaCount> lagnaRasi{};
  for (int l = 0; l < kLagnaCount; ++l) {
    const LagnaPosition& at = lagnas.lagnas[static_cast<std::size_t>(l)];
    if (at.placed && at.longitudeDeg) lagnaRasi[static_cast<std::size_t>(l)] = RasiPlaceOf(*at.longitudeDeg);
  }
  // Only the Jaimini lords read the bodies' degrees within a varga.
  const bool withDegrees = rules.lords == SignLords::kJaimini;
  for (int v = 0; v < kVargaCount; ++v) {
    VargaChart& chart = charts[static_cast<std::size_t>(v)];
    PerBody<double> vargaDeg = bodyDeg;
    // Most vargas are equal parts counted from a start sign: their signs are taken here, in the
    // loop, the few others through VargaPlaceIn.
    const int n = kVargaDivisions[static_cast<std::size_t>(v)];
    const bool countedParts = n == 1 || (n > 4 && n != 30);
    const auto& start = kStartSigns[static_cast<std::size_t>(v)];
    const auto signOf = [&](RasiPlace rasi) {
      if (!countedParts || rasi.sign < 0) return VargaPlaceIn<false>(v, rasi).sign;
      return (start[static_cast<std::size_t>(rasi.sign)] + EqualDivisionIndex(rasi.degrees, n)) % 12;
    };
    for (int b = 0; b < kBodyCount; ++b) {
      if (withDegrees) {
        const VargaPlace place = VargaPlaceIn<true>(v, bodyRasi[b]);
        chart.bodySigns[b] = place.sign;
        if (place.sign >= 0) vargaDeg[b] = place.longitudeDeg;
      } else {
        chart.bodySigns[b] = signOf(bodyRasi[b]);
      }
    }
    for (int l = 0; l < kLagnaCount; ++l)
      chart.lagnaSigns[static_cast<std::size_t>(l)] = signOf(lagnaRasi[static_cast<std::size_t>(l)]);
    // The entries counted by signs are found again inside the varga's own chart.
    const int ascendant = chart.bodySigns[kAscendantBody];
    chart.lagnaSigns[kAscendantLagna] = ascendant;
    chart.lagnaSigns[kAL] = chart.lagnaSigns[kUL] = chart.lagnaSigns[kPL] = -1;
    if (lagnas.lagnas[kAL].placed) {
      const std::optional<ArudhaPadas> padas =
          ComputeArudhaPadas(chart.bodySigns, SignLordsOf(rules.lords, chart.bodySigns, vargaDeg));
      if (padas) {
        chart.padas = *padas;
        chart.lagnaSigns[kAL] = padas->padaSign[0];
        chart.lagnaSigns[kUL] = padas->padaSign[11];
        chart.lagnaSigns[kPL] = padas->pakaSign;
      }
    }
    chart.lagnaSigns[kIL] =
        lagnas.lagnas[kIL].placed ? InduLagnaSign(chart.bodySigns[kMoon], ascendant, rules.indu) : -1;
    if (lagnas.lagnas[kVL].placed && !lagnas.lagnas[kVL].longitudeDeg)
      chart.lagnaSigns[kVL] = VarnadaSignBySigns(ascendant, chart.lagnaSigns[kHL]);
  }
  return charts;
}

LagnaChart AsLagnaChart(const VargaChart& varga) {
  LagnaChart out;
  out.bodySigns = varga.bodySigns;
  out.padas = varga.padas;
  for (int l = 0; l < kLagnaCount; ++l) {
    const int sign = varga.lagnaSigns[static_cast<std::size_t>(l)];
    if (sign >= 0) out.lagnas[static_cast<std::size_t>(l)] = {true, sign, std::nullopt};
  }
  return out;
}

}  // namespace corvane
