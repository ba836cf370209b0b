#pragma once
#include <optional>
#include <string>

namespace corvane {

// Birth details beyond those of the input form's controls. Chart files carry them after
// their classic lines; nothing reads them for the calculation yet.
struct BirthExtras {
  std::optional<std::string> zoneId;      // a time zone database name, e.g. "Asia/Kolkata"
  std::optional<int> utcOffsetSeconds;    // the exact offset of local time from UT, east positive
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
};

}  // namespace corvane
