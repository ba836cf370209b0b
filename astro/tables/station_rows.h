#pragma once
#include <cstddef>

namespace corvane {

// One retrograde period of a planet as the station table stores it: the station
// retrograde and the station direct, each "month,day,year,hour,minute," in UT.
struct StationRow {
  const char* planet;
  const char* start;
  const char* end;
};

// Compiled in from astro/tables/stations.tsv (tools/embed_stations.cmake), which
// tools/station_generator.cpp computed with Swiss Ephemeris: the moments the geometric
// longitude seen from the Earth-Moon barycentre stops and turns, to the nearest minute.
extern const StationRow kStationRows[];
extern const std::size_t kStationRowCount;

}  // namespace corvane
