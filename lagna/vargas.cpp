#include "lagna/vargas.h"

#include <algorithm>
#include <array>
#include <cstdint>

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

constexpr double kBoundaryTolerance = 1e-9;

// The part of an equal division of `degrees` (0 <= degrees < 30) into n parts. A point that
// lands a hair below a boundary through rounding (30/7 * 3 is not exact in binary) opens the
// next part: the tolerance, of one division, is far below any position the engines give.
// The product is >= 0, so truncation is the floor (without a call into the maths library:
// batches take hundreds of these a chart).
int EqualDivisionIndex(double degrees, int n) {
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

// The sign of division `part` (0-based) of rasi sign `sign` in varga number `varga`. The
// trimsamsa's parts are its whole degrees here, since its unequal parts start on whole degrees.
constexpr int DivisionSign(int varga, int sign, int part) {
  const int n = kVargaDivisions[static_cast<std::size_t>(varga)];
  switch (n) {
    case 2:  // Hora: the halves of an odd sign are the Sun's and the Moon's, of an even sign the reverse
      return (part == 0) == IsOdd(sign) ? kLeo : kCancer;
    case 30: {
      const auto& parts = IsOdd(sign) ? kOddTrimsamsa : kEvenTrimsamsa;
      std::size_t k = 0;
      while (k + 1 < parts.size() && part >= parts[k + 1].startDeg) ++k;
      return parts[k].sign;
    }
    case 3: return (sign + 4 * part) % 12;  // drekkana: the sign, its 5th, its 9th
    case 4: return (sign + 3 * part) % 12;  // chaturthamsa: the sign and its kendras
    default: return (StartSign(n, sign) + part) % 12;
  }
}

// Where each varga's rows start in kDivisionSigns: twelve rows (one per rasi sign) of as many
// signs as the varga has divisions.
constexpr auto kDivisionRows = [] {
  std::array<int, kVargaCount + 1> start{};
  for (std::size_t v = 0; v < kVargaCount; ++v) start[v + 1] = start[v] + 12 * kVargaDivisions[v];
  return start;
}();

// DivisionSign of every division of every sign in every varga, worked out when the program is
// compiled (3,720 bytes): a batch takes some 370 varga signs a chart, each a look-up here.
constexpr auto kDivisionSigns = [] {
  std::array<std::int8_t, kDivisionRows[kVargaCount]> table{};
  for (int v = 0; v < kVargaCount; ++v) {
    const int n = kVargaDivisions[static_cast<std::size_t>(v)];
    for (int sign = 0; sign < 12; ++sign)
      for (int part = 0; part < n; ++part)
        table[static_cast<std::size_t>(kDivisionRows[static_cast<std::size_t>(v)] + sign * n + part)] =
            static_cast<std::int8_t>(DivisionSign(v, sign, part));
  }
  return table;
}();

// The division of `degrees` (in [0, 30), or a rounding hair below 0) that kDivisionSigns
// counts in varga number `varga`: an equal part, or a whole degree of the trimsamsa, whose
// boundaries are exact without any tolerance.
int DivisionIndex(int varga, double degrees) {
  const int n = kVargaDivisions[static_cast<std::size_t>(varga)];
  if (n != 30) return EqualDivisionIndex(degrees, n);
  const int degree = static_cast<int>(degrees);  // truncation: the floor for degrees >= 0, 0 for a hair below
  return degree > 29 ? 29 : degree;
}

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

// The varga sign of a rasi place (-1 for none).
int VargaSignIn(int varga, RasiPlace rasi) {
  if (rasi.sign < 0) return -1;
  const int n = kVargaDivisions[static_cast<std::size_t>(varga)];
  return kDivisionSigns[static_cast<std::size_t>(kDivisionRows[static_cast<std::size_t>(varga)] + rasi.sign * n +
                                                  DivisionIndex(varga, rasi.degrees))];
}

// The varga sign of a rasi place and its longitude within the varga's chart: the sign plus the
// part of its division already gone through, spread over 30 degrees (the Jaimini lords compare
// degrees; every other use takes the sign alone).
VargaPlace VargaPlaceWithLongitude(int varga, RasiPlace rasi) {
  if (rasi.sign < 0) return {};
  const int n = kVargaDivisions[static_cast<std::size_t>(varga)];
  const Division part = n == 1    ? Division{0, rasi.degrees / 30.0}
                        : n == 30 ? TrimsamsaDivision(rasi.degrees, IsOdd(rasi.sign) ? kOddTrimsamsa : kEvenTrimsamsa)
                                  : EqualDivision(rasi.degrees, n);
  const int sign = VargaSignIn(varga, rasi);
  return {sign, sign * 30.0 + part.fraction * 30.0};
}

}  // namespace

VargaPlace VargaPlaceOf(int varga, double longitudeDeg) {
  if (varga < 0 || varga >= kVargaCount) return {};
  return VargaPlaceWithLongitude(varga, RasiPlaceOf(longitudeDeg));
}

VargaCharts ComputeVargas(const PerBody<double>& bodyDeg, const LagnaChart& lagnas, const VargaRules& rules) {
  VargaCharts charts;
  PerBody<RasiPlace> bodyRasi{};
  bool everyBodyPlaced = true;  // then so is every body in every varga
  for (int b = 0; b < kBodyCount; ++b) {
    bodyRasi[b] = RasiPlaceOf(bodyDeg[b]);
    everyBodyPlaced &= bodyRasi[b].sign >= 0;
  }
  std::array<RasiPlace, kLagnaCount> lagnaRasi{};
  for (int l = 0; l < kLagnaCount; ++l) {
    const LagnaPosition& at = lagnas.lagnas[static_cast<std::size_t>(l)];
    if (at.placed && at.longitudeDeg) lagnaRasi[static_cast<std::size_t>(l)] = RasiPlaceOf(*at.longitudeDeg);
  }
  // The Ascendant entry is the ascendant body's varga sign, taken from there below.
  lagnaRasi[kAscendantLagna] = {};
  // Only the Jaimini lords read the bodies' degrees within a varga.
  const bool withDegrees = rules.lords == SignLords::kJaimini;
  PerBody<double> vargaDeg = bodyDeg;
  for (int v = 0; v < kVargaCount; ++v) {
    VargaChart& chart = charts[static_cast<std::size_t>(v)];
    // VargaSignIn with the varga's rows of the table and how a place finds its division taken
    // out of the loops over the entries (calling VargaSignIn here costs 30% more): the
    // trimsamsa counts whole degrees (DivisionIndex), every other varga its equal parts
    // (EqualDivisionIndex), as one product here.
    const int n = kVargaDivisions[static_cast<std::size_t>(v)];
    const std::int8_t* const rows = kDivisionSigns.data() + kDivisionRows[static_cast<std::size_t>(v)];
    const double partsPerDegree = n == 30 ? 1.0 : kPartsPerDegree[static_cast<std::size_t>(n)];
    const double tolerance = n == 30 ? 0.0 : kBoundaryTolerance;
    const auto signOf = [&](RasiPlace rasi) -> int {
      if (rasi.sign < 0) return -1;
      const int part = static_cast<int>(rasi.degrees * partsPerDegree + tolerance);
      return rows[rasi.sign * n + (part < n ? part : n - 1)];
    };
    for (int b = 0; b < kBodyCount; ++b) {
      if (withDegrees) {
        const VargaPlace place = VargaPlaceWithLongitude(v, bodyRasi[b]);
        chart.bodySigns[b] = place.sign;
        vargaDeg[b] = place.sign >= 0 ? place.longitudeDeg : bodyDeg[b];
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
    chart.lords = SignLordsOf(rules.lords, chart.bodySigns, vargaDeg);
    // The padas need the ascendant and every sign's lord placed: with every body placed, the
    // outputs' three are counted here (AsLagnaChart counts all twelve for a chart's marks);
    // otherwise the whole count decides.
    if (lagnas.lagnas[kAL].placed && (everyBodyPlaced || ComputeArudhaPadas(chart.bodySigns, chart.lords))) {
      const int twelfth = ascendant == 0 ? 11 : ascendant - 1;
      const int ascendantLordSign = chart.bodySigns[chart.lords[static_cast<std::size_t>(ascendant)]];
      chart.lagnaSigns[kAL] = ArudhaPadaSignIndex(ascendant, ascendantLordSign);
      chart.lagnaSigns[kUL] = ArudhaPadaSignIndex(twelfth, chart.bodySigns[chart.lords[static_cast<std::size_t>(twelfth)]]);
      chart.lagnaSigns[kPL] = ascendantLordSign;
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
  if (varga.lagnaSigns[kAL] >= 0) out.padas = ComputeArudhaPadas(varga.bodySigns, varga.lords).value_or(ArudhaPadas{});
  for (int l = 0; l < kLagnaCount; ++l) {
    const int sign = varga.lagnaSigns[static_cast<std::size_t>(l)];
    if (sign >= 0) out.lagnas[static_cast<std::size_t>(l)] = {true, sign, std::nullopt};
  }
  return out;
}

}  // namespace corvane
