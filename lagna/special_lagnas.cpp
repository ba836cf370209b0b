#include "lagna/special_lagnas.h"

#include <cmath>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace corvane {

namespace {

// Places an entry at a longitude: reduced into [0, 360), sign from the reduced value.
// Returns the sign, or -1 without placing anything when the longitude is not finite.
int PlaceAtLongitude(LagnaPosition& lagna, double degrees) {
  if (!std::isfinite(degrees)) return -1;
  const double longitude = ReduceLongitude(degrees);
  int sign = static_cast<int>(std::floor(longitude / 30.0));
  if (sign > 11) sign = 11;
  lagna = {true, sign, longitude};
  return sign;
}

void PlaceInSign(LagnaPosition& lagna, int sign) {
  if (sign < 0 || sign > 11) return;
  lagna.placed = true;
  lagna.sign = sign;
}

// The lagnas that advance from the Sun at the reference sunrise at `degreesPerMinute`.
int PlaceSunriseLagna(LagnaPosition& lagna, const LagnaInputs& in, double degreesPerMinute) {
  const double minutes = in.exactSecondsSinceSunrise ? *in.exactSecondsSinceSunrise / 60.0
                                                     : static_cast<double>(in.minutesSinceSunrise);
  const double advance = degreesPerMinute * minutes;
  return PlaceAtLongitude(lagna, in.sunAtSunriseDeg + advance);
}

void PlaceArudhaPadas(LagnaChart& chart, const LagnaInputs& in) {
  const std::optional<ArudhaPadas> padas =
      ComputeArudhaPadas(chart.bodySigns, SignLordsOf(in.lords, chart.bodySigns, in.birthDeg));
  if (!padas) return;
  chart.padas = *padas;
  PlaceInSign(chart.lagnas[kAL], padas->padaSign[0]);
  PlaceInSign(chart.lagnas[kPL], padas->pakaSign);
  PlaceInSign(chart.lagnas[kUL], padas->padaSign[11]);
  PlaceInSign(chart.lagnas[kAscendantLagna], chart.bodySigns[kAscendantBody]);
}

void PlaceHoraLagna(LagnaChart& chart, const LagnaInputs& in) {
  const int sign = PlaceSunriseLagna(chart.lagnas[kHL], in, 0.5);
  if (sign < 0) return;
  chart.horaHouse = HouseFromAscendant(sign + 1, chart.bodySigns[kAscendantBody] + 1);
}

// Kala of the 9th lord from a sign number; under the Moon rule Venus counts 12, which
// concerns the signs whose 9th is Taurus or Libra (Virgo and Aquarius).
int InduKala(int signNumber, InduRule rule) {
  const int ninth = (signNumber + 7) % 12 + 1;
  const bool venus = ninth == 2 || ninth == 7;
  return rule == InduRule::kFromMoon && venus ? 12 : NinthLordKala(signNumber);
}

void PlaceInduLagna(LagnaChart& chart, InduRule rule) {
  PlaceInSign(chart.lagnas[kIL], InduLagnaSign(chart.bodySigns[kMoon], chart.bodySigns[kAscendantBody], rule));
}

void PlaceVarnadaLagna(LagnaChart& chart, const LagnaInputs& in) {
  if (in.varnada == VarnadaCount::kSigns) {
    if (chart.bodySigns[kAscendantBody] >= 0 && chart.lagnas[kHL].placed)
      PlaceInSign(chart.lagnas[kVL], VarnadaSignBySigns(chart.bodySigns[kAscendantBody], chart.lagnas[kHL].sign));
    return;
  }
  const double ascendantDegree = std::floor(in.birthDeg[kAscendantBody]);
  const std::optional<double>& hora = chart.lagnas[kHL].longitudeDeg;
  if (!hora || !std::isfinite(ascendantDegree)) return;
  const int a = static_cast<int>(std::floor(ReduceLongitude(ascendantDegree)));
  const int h = static_cast<int>(std::floor(*hora));
  // Odd signs (Aries, Gemini, ...) count forwards from Aries, even signs backwards.
  const bool ascendantOdd = (a / 30) % 2 == 0;
  const bool horaOdd = (h / 30) % 2 == 0;
  const int ascendantCount = ascendantOdd ? a : 360 - a;
  const int horaCount = horaOdd ? h : 360 - h;
  int x = ascendantOdd == horaOdd ? std::abs(ascendantCount + horaCount) : std::abs(ascendantCount - horaCount);
  while (x > 360) x -= 360;
  if (!ascendantOdd) x = 360 - x;
  PlaceAtLongitude(chart.lagnas[kVL], x);
}

void PlaceSreeLagna(LagnaChart& chart, const LagnaInputs& in) {
  // 3/40 = 27/360: degrees into the nakshatra as a fraction of its 13 1/3 degrees.
  const double factor = 3.0 / 40.0;
  const double traversed = (in.birthDeg[kMoon] - in.moonNakshatraStartDeg) * factor;
  PlaceAtLongitude(chart.lagnas[kSrL], in.birthDeg[kAscendantBody] + traversed * 360.0);
}

void PlacePranapadaLagna(LagnaChart& chart, const LagnaInputs& in) {
  // The Sun's sign, whole degrees within it and whole minutes, as its position reads.
  const double sun = in.pranapadaSun == PranapadaSun::kAtBirth ? in.birthDeg[kSun] : in.sunAtSunriseDeg;
  const int sunSign = SignOfLongitude(sun);
  if (sunSign < 0) return;
  const double wholeDegrees = std::floor(sun);
  const int sunDegrees = static_cast<int>(std::fmod(wholeDegrees, 30.0));
  const int sunMinutes = static_cast<int>(std::floor(60.0 * (sun - wholeDegrees)));

  // Hours since sunrise in vighatis (150 an hour), then in signs (15 vighatis each).
  const double seconds = in.exactSecondsSinceSunrise ? *in.exactSecondsSinceSunrise
                                                     : static_cast<double>(in.secondsSinceSunrise);
  const double signs = (seconds / 3600.0) * 150.0 / 15.0;
  const VighatiDegrees advance = Vighati2Degree(signs);
  const int minuteSum = advance.minutes + sunMinutes;
  const int carryMinutes = minuteSum / 60;
  const int degreeSum = sunDegrees + advance.degrees + carryMinutes;
  const int carryDegrees = degreeSum / 30;
  const std::int64_t wholeSigns = advance.wholeSigns + carryDegrees;

  // Movable signs start from the Sun's sign, fixed ones from its 9th, dual ones from its 5th.
  int base = sunSign;
  if (sunSign % 3 == 1) base = sunSign + 8;
  if (sunSign % 3 == 2) base = sunSign + 4;
  const int sign = static_cast<int>((wholeSigns + base) % 12);

  chart.lagnas[kPpL] = {true, sign, sign * 30.0 + degreeSum % 30 + (minuteSum % 60) / 60.0};
  chart.pranapadaHouse = HouseFromAscendant(sign + 1, chart.bodySigns[kAscendantBody] + 1);
}

}  // namespace

namespace {

// The Indu lagna's count for sign indices 0..11.
int InduLagnaCount(int moonSign, int ascendantSign, InduRule rule) {
  const int r = (InduKala(moonSign + 1, rule) + InduKala(ascendantSign + 1, rule)) % 12;
  // Counted from the base sign; a remainder of 0 is the 12th from it.
  const int base = rule == InduRule::kFromMoon ? moonSign : ascendantSign;
  int n = r - 1 + base + 1;
  while (n > 12) n -= 12;
  while (n < 1) n += 12;
  return n - 1;
}

}  // namespace

int InduLagnaSign(int moonSign, int ascendantSign, InduRule rule) {
  if (moonSign < 0 || moonSign > 11 || ascendantSign < 0 || ascendantSign > 11) return -1;
  // Every pair of signs counted once, under both rules: the vargas ask sixteen times a chart.
  static const auto kCounts = [] {
    std::array<std::array<std::array<std::int8_t, 12>, 12>, 2> counts{};
    for (const InduRule r : {InduRule::kFromAscendant, InduRule::kFromMoon})
      for (int moon = 0; moon < 12; ++moon)
        for (int ascendant = 0; ascendant < 12; ++ascendant)
          counts[static_cast<std::size_t>(r)][static_cast<std::size_t>(moon)][static_cast<std::size_t>(ascendant)] =
              static_cast<std::int8_t>(InduLagnaCount(moon, ascendant, r));
    return counts;
  }();
  return kCounts[static_cast<std::size_t>(rule)][static_cast<std::size_t>(moonSign)][static_cast<std::size_t>(ascendantSign)];
}

// The classical count in signs: an odd sign (Aries, Gemini, ...) is counted from Aries, an
// even one backwards from Pisces, both inclusively; the two counts are added when the signs
// are both odd or both even, otherwise the smaller is taken from the larger; the result
// (reduced into 1..12) is counted from Aries for an odd ascendant, backwards from Pisces for
// an even one.
int VarnadaSignBySigns(int ascendantSign, int horaSign) {
  if (ascendantSign < 0 || ascendantSign > 11 || horaSign < 0 || horaSign > 11) return -1;
  auto count = [](int sign) { return sign % 2 == 0 ? sign + 1 : 12 - sign; };
  const bool ascendantOdd = ascendantSign % 2 == 0, horaOdd = horaSign % 2 == 0;
  const int a = count(ascendantSign), h = count(horaSign);
  int x = ascendantOdd == horaOdd ? a + h : std::abs(a - h);
  x = (x + 11) % 12 + 1;
  return ascendantOdd ? x - 1 : 12 - x;
}

double ReduceLongitude(double degrees) {
  double x = std::fmod(degrees, 360.0);
  if (x < 0) x += 360.0;
  if (x >= 360.0) x -= 360.0;  // a tiny negative input rounds up to 360 above
  return x;
}

int HouseFromAscendant(int signNumber, int ascendantSignNumber) {
  const int e = signNumber - ascendantSignNumber;
  return e >= 0 ? e + 1 : e + 13;
}

VighatiDegrees Vighati2Degree(double x) {
  const double v = std::fabs(x);
  const double whole = std::floor(v);
  const double degreeValue = (v - whole) * 30.0;
  const double degrees = std::floor(degreeValue);
  const double minuteValue = (degreeValue - degrees) * 60.0;
  const double minutes = std::floor(minuteValue);
  VighatiDegrees out;
  out.degrees = static_cast<int>(degrees);
  out.minutes = static_cast<int>(minutes);
  out.seconds = static_cast<int>(std::floor((minuteValue - minutes) * 60.0));
  // One whole sign for every full 15 vighatis.
  out.wholeSigns = static_cast<std::int64_t>(whole);
  return out;
}

LagnaChart ComputeLagnas(const LagnaInputs& in) {
  LagnaChart chart;
  for (int b = 0; b < kBodyCount; ++b) chart.bodySigns[b] = SignOfLongitude(in.birthDeg[b]);

  PlaceArudhaPadas(chart, in);
  PlaceSunriseLagna(chart.lagnas[kGL], in, 1.25);
  PlaceHoraLagna(chart, in);
  PlaceSunriseLagna(chart.lagnas[kBL], in, 0.25);
  PlaceInduLagna(chart, in.indu);
  PlaceVarnadaLagna(chart, in);
  // The Chandra, Surya and Ascendant entries stand where their bodies stand.
  if (chart.bodySigns[kMoon] >= 0) chart.lagnas[kCL] = {true, chart.bodySigns[kMoon], in.birthDeg[kMoon]};
  const double suryaSun = in.suryaSun == SuryaSun::kAtBirth ? in.birthDeg[kSun] : in.sunAtSunriseDeg;
  if (const int sun = SignOfLongitude(suryaSun); sun >= 0) chart.lagnas[kSL] = {true, sun, suryaSun};
  if (chart.lagnas[kAscendantLagna].placed) chart.lagnas[kAscendantLagna].longitudeDeg = in.birthDeg[kAscendantBody];
  PlaceSreeLagna(chart, in);
  PlacePranapadaLagna(chart, in);
  return chart;
}

}  // namespace corvane
