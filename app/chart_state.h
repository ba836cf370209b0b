#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/birth_data.h"
#include "app/calculation_settings.h"
#include "astro/bodies.h"
#include "astro/civil_time.h"
#include "lagna/lagna_id.h"

namespace corvane {

// The texts the result window shows.
struct ResultTexts {
  std::string NameText, DateText, TimeText, LatitudeText, LongitudeText;
  std::string CityText, StateText, CountryText;
  std::array<std::string, kBodyCount> PositionTexts;  // compact birth positions, "16 Sag 30"
  std::array<std::string, 12> ChartBoxTexts;          // body names per sign box
  std::array<std::string, 12> LagnaBoxTexts;          // lagna marks per sign box
};

// One calculated chart: the birth inputs, the values computed from them and the texts shown.
// Each calculation builds a fresh record, so nothing of a previous chart survives in it.
struct ChartState {
  // The birth data and the settings the chart was calculated from: calculating them again
  // gives the same chart.
  BirthData Input;
  CalculationSettings Settings;

  // Inputs copied from the birth data.
  std::string BirthName;
  int BirthMonth = 0, BirthDay = 0, BirthYear = 0, BirthHour = 0, BirthMinute = 0;
  int BirthSecond = 0;   // enters the counts from sunrise only
  int ZonePosition = 0;  // row of the zone table, stored in chart files
  int ZoneOffsetHours = 0, ZoneOffsetMinutes = 0;  // UT = local clock + offsets
  std::string ZoneId;         // the tz database zone the clock was taken from, when known
  int UtcOffsetSeconds = 0;   // local clock minus UT, the daylight-saving hour included
  int LongitudeDegrees = 0, LongitudeMinutes = 0, LatitudeDegrees = 0, LatitudeMinutes = 0;
  bool IsEast = false, IsSouth = false, IsDaylightSaving = false;
  std::string BirthCity, BirthState, BirthCountry;
  std::string PlaceText;  // the found place the birth details came from, when one was searched

  // Bodies at the birth minute.
  std::array<std::string, kBodyCount> ChartBodyNames;  // names, " (R) " after a retrograde planet
  PerBody<double> BirthLongitudes{};                   // sidereal degrees [0, 360)
  PerBody<int> PlanetSign{};                           // sign index 0..11
  double AyanamsaOffset = 0;                           // tropical + this = sidereal, degrees
  double MoonNakshatraStart = 0;                       // degrees

  // Sunrise and sunset (local clock, whole minutes) of the birth date and its neighbours,
  // and the sunrise the birth is counted from.
  CivilDateTime SunrisePrevious, SunsetPrevious, SunriseBirthDay, SunsetBirthDay, SunriseNext, SunsetNext;
  CivilDateTime ReferenceSunrise;
  std::int64_t MinutesSinceSunrise = 0, SecondsSinceSunrise = 0;
  // Under exact timing only: the six events above unrounded, as clock seconds after local
  // midnight of their dates, and the time from the unrounded reference sunrise to the birth
  // second (the lagnas counted from sunrise use it).
  struct ExactSunTimes {
    double RisePrevious = 0, SetPrevious = 0, RiseBirthDay = 0, SetBirthDay = 0, RiseNext = 0, SetNext = 0;
    double ReferenceRise = 0;
    double SecondsSinceSunrise = 0;
  };
  std::optional<ExactSunTimes> Exact;
  double SunriseSunLongitude = 0;  // sidereal Sun at the reference sunrise, degrees
  std::string SunriseSunText;      // its compact text

  // Special lagnas.
  std::array<int, kLagnaCount> LagnaSigns{};
  std::array<double, kLagnaCount> LagnaLongitudes{};  // degrees where the lagna has one
  std::array<bool, kLagnaCount> HasLongitude{};
  std::array<int, 12> ArudhaPadaSigns{};  // sign index of the pada of houses 1..12
  int HoraHouse = 0, PranapadaHouse = 0;  // 1..12

  ResultTexts Results;
};

}  // namespace corvane
