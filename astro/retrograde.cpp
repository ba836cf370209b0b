#include "astro/retrograde.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>

#include "astro/tables/station_rows.h"

namespace corvane {

namespace {

// Calendar day numbers of one period's stations: the lookup compares dates only.
struct PeriodDays {
  std::int64_t start;
  std::int64_t end;
};

struct PlanetTable {
  std::vector<RetrogradePeriod> periods;
  std::vector<PeriodDays> days;  // parallel to periods
};

using StationTables = std::array<PlanetTable, kStationPlanets.size()>;

int PlanetSlot(std::string_view planet) {
  for (std::size_t i = 0; i < kStationPlanets.size(); ++i) {
    if (kStationPlanets[i] == planet) return static_cast<int>(i);
  }
  return -1;
}

// "month,day,year,hour,minute," -> a date-time. The table is compiled in, so a malformed
// row is a build defect: it is thrown rather than silently misread.
CivilDateTime ParseRow(std::string_view row) {
  int fields[5] = {};
  const char* p = row.data();
  const char* const end = row.data() + row.size();
  for (int& field : fields) {
    const auto [next, ec] = std::from_chars(p, end, field);
    if (ec != std::errc() || next == end || *next != ',') {
      throw StationTableDefect(StationTableDefect::Kind::kMalformedRow);
    }
    p = next + 1;
  }
  const CivilDateTime t{fields[2], fields[0], fields[1], fields[3], fields[4], 0};
  if (p != end || t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month) ||
      t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59) {
    throw StationTableDefect(StationTableDefect::Kind::kMalformedRow);
  }
  return t;
}

StationTables LoadTables() {
  StationTables tables;
  for (std::size_t i = 0; i < kStationRowCount; ++i) {
    const StationRow& row = kStationRows[i];
    const int slot = PlanetSlot(row.planet);
    if (slot < 0) throw StationTableDefect(StationTableDefect::Kind::kUnknownPlanet);
    PlanetTable& table = tables[static_cast<std::size_t>(slot)];
    const CivilDateTime start = ParseRow(row.start);
    const CivilDateTime end = ParseRow(row.end);
    table.periods.push_back({kStationPlanets[static_cast<std::size_t>(slot)], start, end});
    table.days.push_back({DaysFromCivil(start.year, start.month, start.day),
                          DaysFromCivil(end.year, end.month, end.day)});
  }
  // The binary search below relies on chronological, non-overlapping periods.
  for (const PlanetTable& table : tables) {
    for (std::size_t i = 0; i < table.periods.size(); ++i) {
      const bool ordered = table.periods[i].start < table.periods[i].end &&
                           (i == 0 || table.periods[i - 1].end < table.periods[i].start);
      if (!ordered) throw StationTableDefect(StationTableDefect::Kind::kOutOfOrder);
    }
  }
  return tables;
}

const StationTables& Tables() {
  static const StationTables tables = LoadTables();
  return tables;
}

}  // namespace

const std::vector<RetrogradePeriod>& RetrogradePeriodsOf(std::string_view planet) {
  static const std::vector<RetrogradePeriod> kNone;
  const int slot = PlanetSlot(planet);
  return slot < 0 ? kNone : Tables()[static_cast<std::size_t>(slot)].periods;
}

bool IsRetrograde(std::string_view planet, const CivilDateTime& birth) {
  const int slot = PlanetSlot(planet);
  if (slot < 0) return false;
  const std::vector<PeriodDays>& days = Tables()[static_cast<std::size_t>(slot)].days;
  const std::int64_t birthDay = DaysFromCivil(birth.year, birth.month, birth.day);
  // Periods are ordered and a station direct never falls after the next station retrograde,
  // so only the last period starting before the birth date can contain it.
  const auto after = std::partition_point(days.begin(), days.end(),
                                          [birthDay](const PeriodDays& p) { return p.start < birthDay; });
  if (after == days.begin()) return false;
  return std::prev(after)->end > birthDay;
}

std::vector<RetrogradePeriod> RetrogradePeriodsTouchingYear(int year) {
  // Compared by year alone, so that no year, however large, needs a following one.
  std::vector<RetrogradePeriod> found;
  for (const PlanetTable& table : Tables()) {
    for (const RetrogradePeriod& p : table.periods) {
      if (p.start.year <= year && p.end.year >= year) found.push_back(p);
    }
  }
  return found;
}

}  // namespace corvane
