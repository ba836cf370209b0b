#pragma once
#include <array>
#include <exception>
#include <string_view>
#include <vector>

#include "astro/civil_time.h"

namespace corvane {

// The eight planets that have station tables, in lookup order.
inline constexpr std::array<std::string_view, 8> kStationPlanets = {
    "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};

// The years the tables list whole: every period that touches one of them is in the tables
// (tools/station_generator.cpp makes them for the same years). Other years are not listed.
inline constexpr int kStationFirstYear = 1897;
inline constexpr int kStationLastYear = 2053;

// A defect of the compiled-in station table, thrown when the table is first read. The build
// checks the table (tools/check_stations.cmake), so a program that runs never throws it.
class StationTableDefect : public std::exception {
 public:
  enum class Kind { kMalformedRow, kUnknownPlanet, kOutOfOrder };
  explicit StationTableDefect(Kind kind) : kind_(kind) {}
  Kind kind() const { return kind_; }
  // The kind's code name, for a log.
  const char* what() const noexcept override {
    switch (kind_) {
      case Kind::kMalformedRow: return "station_table_malformed_row";
      case Kind::kUnknownPlanet: return "station_table_unknown_planet";
      case Kind::kOutOfOrder: return "station_table_out_of_order";
    }
    return "station_table_defect";
  }

 private:
  Kind kind_;
};

// One retrograde period: from the station retrograde to the station direct, both in UT.
struct RetrogradePeriod {
  std::string_view planet;  // one of kStationPlanets (static storage)
  CivilDateTime start;
  CivilDateTime end;
};

// The periods of one planet in chronological order; empty for any other name.
const std::vector<RetrogradePeriod>& RetrogradePeriodsOf(std::string_view planet);

// True when the calendar date of `birth` lies strictly between the calendar dates of the
// station retrograde and the station direct of one of the planet's periods. Times of day
// play no part, so a birth on a station's date is not retrograde. Names are case-sensitive;
// an unknown name, or a date outside the tables, gives false.
bool IsRetrograde(std::string_view planet, const CivilDateTime& birth);

// Every period of the eight planets that overlaps the calendar year, planet by planet in
// lookup order, each planet's periods in time order.
std::vector<RetrogradePeriod> RetrogradePeriodsTouchingYear(int year);

}  // namespace corvane
