#include "lagna/special_lagnas.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "astro/longitude_text.h"

namespace corvane {

namespace {

// Two decimal digits at `at` of a text, or -1 when they are not digits.
int TwoDigitsAt(std::string_view text, std::size_t at) {
  if (text.size() < at + 2) return -1;
  const char hi = text[at], lo = text[at + 1];
  if (hi < '0' || hi > '9' || lo < '0' || lo > '9') return -1;
  return (hi - '0') * 10 + (lo - '0');
}

// The lagnas that advance from the Sun at the reference sunrise at `degreesPerMinute`.
int PlaceSunriseLagna(ChartState& chart, LagnaId id, double degreesPerMinute, std::string_view abbreviation) {
  const double advance = degreesPerMinute * static_cast<double>(chart.MinutesSinceSunrise);
  return PlaceLagnaAtLongitude(chart, id, chart.SunriseSunLongitude + advance, abbreviation);
}

// Marks the sign of a compact position text (the Moon's or the Sun's entry).
void PlaceLagnaAtBody(ChartState& chart, LagnaId id, BodyIndex body, std::string_view abbreviation) {
  const int sign = SignOfCompact(chart.ChartBodyPositions[body]);
  if (sign < 0) return;
  chart.LagnaSigns[id] = sign;
  AppendLagnaMark(chart, sign, abbreviation);
}

}  // namespace

void AppendLagnaMark(ChartState& chart, int sign, std::string_view abbreviation) {
  if (sign < 0 || sign > 11) return;
  std::string& box = chart.Results.LagnaBoxTexts[static_cast<std::size_t>(sign)];
  box += "\r\n";
  box += abbreviation;
}

double ReduceLongitude(double degrees) {
  double x = std::fmod(degrees, 360.0);
  if (x < 0) x += 360.0;
  if (x >= 360.0) x -= 360.0;  // a tiny negative input rounds up to 360 above
  return x;
}

int PlaceLagnaAtLongitude(ChartState& chart, LagnaId id, double degrees, std::string_view abbreviation) {
  if (!std::isfinite(degrees)) return -1;  // no position to place, leave the lagna unmarked
  const double longitude = ReduceLongitude(degrees);
  int sign = static_cast<int>(std::floor(longitude / 30.0));
  if (sign > 11) sign = 11;
  chart.LagnaLongitudes[id] = longitude;
  chart.HasLongitude[id] = true;
  chart.LagnaSigns[id] = sign;
  AppendLagnaMark(chart, sign, abbreviation);
  return sign;
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

void GhatiLagna(ChartState& chart) { PlaceSunriseLagna(chart, kGL, 1.25, "GL"); }

void HoraLagna(ChartState& chart) {
  const int sign = PlaceSunriseLagna(chart, kHL, 0.5, "HL");
  if (sign < 0) return;
  chart.HoraSignNumber = sign + 1;
  chart.HoraHouse = HouseFromAscendant(chart.HoraSignNumber, chart.AscendantSignNumber);
}

void BhavaLagna(ChartState& chart) { PlaceSunriseLagna(chart, kBL, 0.25, "BL"); }

void InduLagna(ChartState& chart) {
  const int moonIndex = SignOfCompact(chart.ChartBodyPositions[kMoon]);
  const int ascendantIndex = SignOfCompact(chart.ChartBodyPositions[kAscendantBody]);
  if (moonIndex < 0 || ascendantIndex < 0) return;
  const int r = (NinthLordKala(moonIndex + 1) + NinthLordKala(ascendantIndex + 1)) % 12;
  // Counted from the ascendant's sign; a remainder of 0 is the 12th from it.
  int n = r - 1 + ascendantIndex + 1;
  while (n > 12) n -= 12;
  while (n < 1) n += 12;
  chart.LagnaSigns[kIL] = n - 1;
  AppendLagnaMark(chart, n - 1, "IL");
}

void VarnadaLagna(ChartState& chart) {
  if (!chart.HasLongitude[kHL] || !std::isfinite(chart.AscendantDegree)) return;
  const int a = static_cast<int>(std::floor(ReduceLongitude(chart.AscendantDegree)));
  const int h = static_cast<int>(std::floor(chart.LagnaLongitudes[kHL]));
  // Odd signs (Aries, Gemini, ...) count forwards from Aries, even signs backwards.
  const bool ascendantOdd = (a / 30) % 2 == 0;
  const bool horaOdd = (h / 30) % 2 == 0;
  const int ascendantCount = ascendantOdd ? a : 360 - a;
  const int horaCount = horaOdd ? h : 360 - h;
  int x = ascendantOdd == horaOdd ? std::abs(ascendantCount + horaCount) : std::abs(ascendantCount - horaCount);
  while (x > 360) x -= 360;
  if (!ascendantOdd) x = 360 - x;
  PlaceLagnaAtLongitude(chart, kVL, x, "VL");
}

void ChandraLagna(ChartState& chart) { PlaceLagnaAtBody(chart, kCL, kMoon, "CL"); }

void SuryaLagna(ChartState& chart) { PlaceLagnaAtBody(chart, kSL, kSun, "SL"); }

void SreeLagna(ChartState& chart) {
  // 3/40 = 27/360: degrees into the nakshatra as a fraction of its 13 1/3 degrees.
  const double factor = 3.0 / 40.0;
  const double traversed = (chart.MoonSiderealLongitude - chart.MoonNakshatraStart) * factor;
  PlaceLagnaAtLongitude(chart, kSrL, chart.AscendantLongitude + traversed * 360.0, "SrL");
}

void PranapadaLagna(ChartState& chart) {
  const std::string& sun = chart.SunriseSunText;
  const int sunSign = SignOfCompact(sun);
  const int sunDegrees = TwoDigitsAt(sun, 0);
  const int sunMinutes = TwoDigitsAt(sun, 7);
  if (sunSign < 0 || sunDegrees < 0 || sunMinutes < 0) return;

  // Hours since sunrise in vighatis (150 an hour), then in signs (15 vighatis each).
  const double signs = (static_cast<double>(chart.SecondsSinceSunrise) / 3600.0) * 150.0 / 15.0;
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

  chart.LagnaSigns[kPpL] = sign;
  chart.LagnaLongitudes[kPpL] = sign * 30.0 + degreeSum % 30 + (minuteSum % 60) / 60.0;
  chart.HasLongitude[kPpL] = true;
  chart.PranapadaSignNumber = sign + 1;
  chart.PranapadaHouse = HouseFromAscendant(chart.PranapadaSignNumber, chart.AscendantSignNumber);
  AppendLagnaMark(chart, sign, "PpL");
}

void ComputeSunriseLagnas(ChartState& chart) {
  GhatiLagna(chart);
  HoraLagna(chart);
  BhavaLagna(chart);
  InduLagna(chart);
  VarnadaLagna(chart);
  ChandraLagna(chart);
  SuryaLagna(chart);
  SreeLagna(chart);
  PranapadaLagna(chart);
}

}  // namespace corvane
