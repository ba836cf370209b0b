#pragma once
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// Which reading of a local time that happened twice was taken.
enum class DoubledHour { kNone, kEarlier, kLater };

// Birth details beyond those of the input form's controls. Chart files carry them after
// their classic lines. An exact offset, when set, is the clock of the calculation.
struct BirthExtras {
  std::optional<std::string> zoneId;      // a time zone database name, e.g. "Asia/Kolkata"
  std::optional<int> utcOffsetSeconds;    // the exact offset of local time from UT, east positive
  DoubledHour fold = DoubledHour::kNone;  // the reading of a doubled hour that gave the offset
  bool operator==(const BirthExtras&) const = default;
};

// The birth details as they stand in the input form's controls. The coordinate fields are
// kept as typed text because validation judges the text (empty, or out of range).
struct BirthData {
  std::string name;
  int monthIndex = 0;  // 0 = January
  int day = 1, year = 1901;
  int hour = 0, minute = 0, second = 0;
  std::string city, state, country;
  int zonePosition = 29;  // row of the zone table
  bool daylightSaving = false;
  std::string lonDegrees, lonMinutes;
  bool east = true;
  std::string latDegrees, latMinutes;
  bool south = false;
  BirthExtras extras;
  // The found place the details came from, "München, Bavaria, Germany (48:08N 11:35E,
  // Europe/Berlin)", and the fields it filled ("lon", "lat", "city", "state", "country",
  // "zone"), in that order; both empty when no place was searched.
  std::string place;
  std::vector<std::string> placeFilled;
  bool operator==(const BirthData&) const = default;
};

}  // namespace corvane
