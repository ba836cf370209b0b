#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/birth_data.h"
#include "app/calculation_settings.h"
#include "astro/bodies.h"
#include "astro/civil_time.h"
#include "astro/ephemeris.h"
#include "lagna/special_lagnas.h"

namespace corvane {

// Where the offset of a birth's clock came from.
enum class ClockSource {
  kZoneRow,       // a row of the program's zone list and its daylight-saving tick
  kZoneDatabase,  // a zone of the time zone database at the birth's local time
  kExactOffset,   // an offset given as it is, without a zone (a chart file's utc_offset_seconds)
};

// The clock a chart was computed with, resolved once when the chart is calculated. Its offset
// is the one every step and every output takes.
struct BirthClock {
  ClockSource source = ClockSource::kZoneRow;
  int zonePosition = 29;        // row of the zone list; for a zone of the database, the row that fits
  bool daylightSaving = false;  // the tick beside the row
  std::string zoneId;           // the database zone the offset was read from, else empty
  int utcOffsetSeconds = 0;     // local time minus UT, east positive, the daylight-saving hour included
  DoubledHour fold = DoubledHour::kNone;  // which reading of a local time that happened twice
  // What the clock showed: the row's abbreviation ("IST"), or the database zone's at the birth
  // ("CEST", "LMT"); empty for an exact offset or a zone that names none.
  std::string abbreviation;
  // Beside a zone row only: a zone and a reading a chart file recorded with the row, which did
  // not set the clock; kept so that the file opens and saves again the same.
  std::string recordedZoneId;
  DoubledHour recordedFold = DoubledHour::kNone;
  bool operator==(const BirthClock&) const = default;
};

// A coordinate of the birth place in whole degrees and minutes, and its hemisphere.
struct PlaceCoordinate {
  int degrees = 0, minutes = 0;
  bool positive = true;  // east for a longitude, north for a latitude
  double Degrees() const {
    const double magnitude = degrees + minutes / 60.0;
    return positive ? magnitude : -magnitude;
  }
  bool operator==(const PlaceCoordinate&) const = default;
};

// The birth as the chart was computed for it: the entered name, local date and time, and place
// (its coordinates as numbers). Its clock is the chart's BirthClock.
struct ChartBirth {
  std::string name;
  int monthIndex = 0;  // 0 = January
  int day = 1, year = 1901;
  int hour = 0, minute = 0, second = 0;
  std::string city, state, country;  // without their outer blanks
  PlaceCoordinate longitude, latitude;
  // The found place the details came from and the fields it filled, as BirthData holds them.
  std::string place;
  std::vector<std::string> placeFilled;
  bool operator==(const ChartBirth&) const = default;
};

// Sunrise and sunset (local clock, whole minutes) of the birth date and its neighbours, the
// sunrise the birth is counted from and the counts since it.
struct SunDays {
  CivilDateTime risePrevious, setPrevious, riseBirthDay, setBirthDay, riseNext, setNext;
  CivilDateTime referenceSunrise;
  std::int64_t minutesSinceSunrise = 0, secondsSinceSunrise = 0;
  double sunAtSunriseDeg = 0;  // sidereal Sun at the reference sunrise, degrees [0, 360)

  // Under exact timing only: the six events above unrounded, as clock seconds after local
  // midnight of their dates, and the time from the unrounded reference sunrise to the birth
  // second (the lagnas counted from sunrise use it).
  struct Exact {
    double risePrevious = 0, setPrevious = 0, riseBirthDay = 0, setBirthDay = 0, riseNext = 0, setNext = 0;
    double referenceSunrise = 0;
    double secondsSinceSunrise = 0;
  };
  std::optional<Exact> exact;
};

// Everything a chart is: what was entered, the clock that was used, the settings, and what
// was computed. Each output (file, JSON, window, print, pictures) takes only this value; the
// texts they show are made from it by TextsOf (app/chart_texts.h). Only CalculateChart
// builds one.
struct Chart {
  ChartBirth birth;              // as entered, the found place's description included
  BirthClock clock;              // the clock used
  CalculationSettings settings;  // engine and conventions
  SiderealPositions positions;   // the ten bodies at the birth minute (second under exact timing), and the ayanamsa
  PerBody<bool> retrograde{};    // at the same moment
  SunDays sun;
  LagnaChart lagnas;             // as lagna/ returns it
};

// The sign index 0..11 of a body at birth; nothing for a body without one (a position the
// engine could not give), which each output shows as missing rather than as Aries.
inline std::optional<int> BodySign(const Chart& chart, int body) {
  const int sign = chart.lagnas.bodySigns[static_cast<std::size_t>(body)];
  if (sign < 0 || sign > 11) return std::nullopt;
  return sign;
}

}  // namespace corvane
