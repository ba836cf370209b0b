#include "app/chart_calculation.h"

#include <cstdlib>

#include "app/zone_table.h"
#include "astro/ascendant.h"
#include "astro/longitude_text.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/retrograde.h"
#include "astro/sunrise.h"
#include "lagna/arudha_padas.h"
#include "lagna/lagna_readings.h"
#include "lagna/pada_tables.h"
#include "lagna/reference_sunrise.h"
#include "lagna/special_lagnas.h"

namespace corvane {

namespace {

std::string Trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return std::string(s);
}

// Coordinate texts have passed validation, so they hold a whole number (perhaps with blanks),
// read exactly as validation read it.
int Number(std::string_view text) { return CoordinateValue(text).value_or(0); }

void CopyInputs(const BirthData& d, ChartState& s) {
  s.BirthName = d.name;
  s.ZonePosition = d.zonePosition;
  if (const auto zone = Zone_Calculation(d.zonePosition)) {
    s.ZoneOffsetHours = zone->hours;
    s.ZoneOffsetMinutes = zone->minutes;
  }
  s.BirthMonth = d.monthIndex + 1;
  s.BirthDay = d.day;
  s.BirthYear = d.year;
  s.BirthHour = d.hour;
  s.BirthMinute = d.minute;
  s.BirthSecond = d.second;
  s.ZoneHourMagnitude = std::abs(s.ZoneOffsetHours);
  s.ZoneMinuteMagnitude = std::abs(s.ZoneOffsetMinutes);
  s.LongitudeDegrees = Number(d.lonDegrees);
  s.LongitudeMinutes = Number(d.lonMinutes);
  s.LatitudeDegrees = Number(d.latDegrees);
  s.LatitudeMinutes = Number(d.latMinutes);
  s.IsEast = d.east;
  s.IsSouth = d.south;
  s.IsDaylightSaving = d.daylightSaving;
  s.BirthCity = Trimmed(d.city);
  s.BirthState = Trimmed(d.state);
  s.BirthCountry = Trimmed(d.country);
}

void WriteHeaderTexts(const BirthData& d, ChartState& s) {
  ResultTexts& r = s.Results;
  for (int i = 0; i < kBodyCount; ++i) r.PositionTexts[i] = s.ChartBodyPositions[i];
  r.NameText = s.BirthName;
  r.DateText = std::string(kMonthNames[s.BirthMonth - 1]) + "/" + std::to_string(s.BirthDay) + "/" +
               std::to_string(s.BirthYear);
  r.TimeText = std::to_string(s.BirthHour) + ":" + std::to_string(s.BirthMinute);
  r.LatitudeText = std::to_string(s.LatitudeDegrees) + "\xC2\xB0 " + std::to_string(s.LatitudeMinutes) + "'" +
                   (s.IsSouth ? " S" : " N");
  r.LongitudeText = std::to_string(s.LongitudeDegrees) + "\xC2\xB0 " + std::to_string(s.LongitudeMinutes) + "'" +
                    (s.IsEast ? " E" : " W");
  r.CityText = d.city;
  r.StateText = d.state;
  r.CountryText = d.country;
}

// Lists every body in the box of its sign, in body order, one per line.
void PlaceBodies(ChartState& s) {
  for (int i = 0; i < kBodyCount; ++i) {
    const int k = SignOfCompact(s.ChartBodyPositions[i]);
    if (k < 0) continue;
    s.Results.ChartBoxTexts[k] += "\r\n";
    s.Results.ChartBoxTexts[k] += s.ChartBodyNames[i];
    s.PlanetSign[i] = k;
    if (i == kAscendantBody) s.AscendantSignNumber = k + 1;
  }
}

SunriseSunset SunriseOn(const ChartState& s, const CivilDateTime& date) {
  return ComputeSunriseSunset(date.month, date.day, date.year, s.BirthHour, s.BirthMinute, s.LatitudeDegrees,
                              s.LatitudeMinutes, s.IsSouth, s.LongitudeDegrees, s.LongitudeMinutes, s.IsEast,
                              s.ZoneOffsetHours, s.ZoneOffsetMinutes, s.IsDaylightSaving);
}

PolarDate PolarMessage(const CivilDateTime& date) {
  const std::string when = std::string(kMonthNames[date.month - 1]) + " " + std::to_string(date.day) + ", " +
                           std::to_string(date.year);
  return {date, "The Sun does not rise or does not set at this place on " + when +
                    ", so the lagnas counted from sunrise cannot be computed for this birth."};
}

}  // namespace

CalculationResult CalculateChart(const BirthData& data) {
  if (const auto message = ValidateBirthData(data)) return {*message};

  auto chart = std::make_shared<ChartState>();
  ChartState& s = *chart;
  CopyInputs(data, s);

  s.SunriseMode = false;
  ComputeAscendant(s);
  ComputeMoon(s);
  ComputePlanets(s);
  MarkRetrogradePlanets(s);

  WriteHeaderTexts(data, s);
  PlaceBodies(s);

  CalculateArudhaPadas(s);
  FillPadaViews(s);

  s.BirthMoment = {s.BirthYear, s.BirthMonth, s.BirthDay, s.BirthHour, s.BirthMinute, s.BirthSecond};
  const CivilDateTime birthDate{s.BirthYear, s.BirthMonth, s.BirthDay, 0, 0, 0};
  const SunriseSunset today = SunriseOn(s, birthDate);
  const SunriseSunset before = SunriseOn(s, AddDays(birthDate, -1));
  const SunriseSunset after = SunriseOn(s, AddDays(birthDate, 1));
  // The birth date is named first when it is itself without sunrise or sunset.
  for (const SunriseSunset* day : {&today, &before, &after})
    if (day->polar) return {PolarMessage(day->date)};
  s.SunriseBirthDay = today.rise;
  s.SunsetBirthDay = today.set;
  s.SunrisePrevious = before.rise;
  s.SunsetPrevious = before.set;
  s.SunriseNext = after.rise;
  s.SunsetNext = after.set;

  ChooseReferenceSunrise(s);
  s.SunriseMode = true;
  ComputePlanets(s);
  ComputeSunriseLagnas(s);
  // The Ascendant, Chandra and Surya lagnas stand where their bodies stand.
  for (const auto& [id, degrees] : {std::pair{kAscendantLagna, s.AscendantLongitude},
                                    std::pair{kCL, s.MoonSiderealLongitude}, std::pair{kSL, s.SunriseSunLongitude}}) {
    s.LagnaLongitudes[id] = degrees;
    s.HasLongitude[id] = true;
  }
  FillLagnaReadings(s);
  return {std::shared_ptr<const ChartState>(std::move(chart))};
}

}  // namespace corvane
