#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "astro/civil_time.h"
#include "lagna/page_fields.h"

namespace corvane {

// Body order of every per-body list.
enum BodyIndex : int {
  kSun = 0, kMoon, kMercury, kVenus, kMars, kJupiter, kSaturn, kRahu, kKetu, kAscendantBody,
  kBodyCount
};

// The thirteen lagna entries in the order of the result form's list and the pages.
enum LagnaId : int {
  kAL = 0, kBL, kHL, kGL, kSrL, kIL, kPL, kUL, kPpL, kVL, kCL, kSL, kAscendantLagna,
  kLagnaCount
};

inline constexpr std::array<const char*, kBodyCount> kPlainBodyNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"};
inline constexpr std::array<const char*, 12> kSignAbbreviations = {
    "Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};
inline constexpr std::array<const char*, 12> kSignLords = {
    "Mars", "Venus", "Mercury", "Moon", "Sun", "Mercury",
    "Venus", "Mars", "Jupiter", "Saturn", "Saturn", "Jupiter"};

// The texts the result form shows.
struct ResultTexts {
  std::string NameText, DateText, TimeText, LatitudeText, LongitudeText;
  std::string CityText, StateText, CountryText;
  std::array<std::string, kBodyCount> PositionTexts;
  std::array<std::string, 12> ChartBoxTexts;
  std::array<std::string, 12> LagnaBoxTexts;
};

// Day, full month name, four-digit year, hour and minute of the reference sunrise.
struct SunriseMomentParts {
  std::string day, month, year, hour, minute;
};

// Pada label, alternate names, sign name and sign nature of one house's arudha pada.
struct PadaView {
  std::string_view label, alternateNames, signName, signNature;
};

// One calculated chart: the inputs, every intermediate value and every result text.
// Each calculation builds a fresh record, so nothing of a previous chart survives in it.
struct ChartState {
  // Inputs copied from the birth data.
  std::string BirthName;
  int BirthMonth = 0, BirthDay = 0, BirthYear = 0, BirthHour = 0, BirthMinute = 0;
  int BirthSecond = 0;   // only enters BirthMoment
  int ZonePosition = 0;  // row of the zone table, stored in chart files
  int ZoneOffsetHours = 0, ZoneOffsetMinutes = 0;
  int ZoneHourMagnitude = 0, ZoneMinuteMagnitude = 0;
  int LongitudeDegrees = 0, LongitudeMinutes = 0, LatitudeDegrees = 0, LatitudeMinutes = 0;
  bool IsEast = false, IsSouth = false, IsDaylightSaving = false;
  std::string BirthCity, BirthState, BirthCountry;

  // Lookup list whose planet names carry the retrograde mark " (R) ".
  std::array<std::string, kBodyCount> ChartBodyNames = {
      "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"};

  // Values the driver writes.
  bool SunriseMode = false;
  std::array<int, kBodyCount> PlanetSign{};
  int AscendantSignNumber = 0;
  CivilDateTime BirthMoment;
  CivilDateTime SunrisePrevious, SunsetPrevious, SunriseBirthDay, SunsetBirthDay, SunriseNext, SunsetNext;

  // Ascendant step.
  double AyanamsaOffset = 0, AscendantLongitude = 0, AscendantDegree = 0;
  std::string AscendantPositionText;
  // Moon step.
  double MoonSiderealLongitude = 0, MoonNakshatraStart = 0;
  std::string MoonPositionText;
  // Planet step (its second, sunrise-mode pass rewrites ChartBodyPositions but not BirthLongitudes).
  std::array<std::string, 6> PlanetPositionTexts;  // element-table order: Mercury, Venus, Earth(Sun), Mars, Jupiter, Saturn
  std::string RahuPositionText, KetuPositionText;
  std::array<std::string, kBodyCount> ChartBodyPositions;
  std::array<double, kBodyCount> BirthLongitudes{};  // sidereal degrees at birth, body order
  double SunriseSunLongitude = 0;
  std::string SunriseSunText;

  // Special lagnas.
  std::array<int, kLagnaCount> LagnaSigns{};
  std::array<double, kLagnaCount> LagnaLongitudes{};  // degrees where the lagna has one
  std::array<bool, kLagnaCount> HasLongitude{};
  int HoraSignNumber = 0, PranapadaSignNumber = 0;
  std::array<int, 12> ArudhaPadaSigns{};
  int HoraHouse = 0, PranapadaHouse = 0;
  CivilDateTime ReferenceSunrise;
  std::int64_t MinutesSinceSunrise = 0, SecondsSinceSunrise = 0;
  SunriseMomentParts SunriseMoment;

  // Pada views per house and the interpretation page fields.
  std::array<PadaView, 12> PadaViews{};
  LagnaPageFields PageFields;

  ResultTexts Results;
};

}  // namespace corvane
