#pragma once
#include <string>

namespace corvane {

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
};

}  // namespace corvane
