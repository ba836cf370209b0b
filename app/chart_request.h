#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/birth_data.h"
#include "app/birth_sweep.h"
#include "app/birth_validation.h"
#include "app/birth_zone.h"
#include "app/calculation_settings.h"
#include "app/chart.h"
#include "app/problem.h"
#include "app/zone_clock.h"
#include "astro/civil_time.h"

namespace corvane {

// One coordinate as entered: whole degrees and minutes, and the hemisphere. A part that was
// left empty (or holds no whole number) is nothing and is refused with the form's message.
struct EnteredCoordinate {
  std::optional<int> degrees, minutes;
  bool positive = true;  // east for a longitude, north for a latitude
  bool operator==(const EnteredCoordinate&) const = default;
};

// The birth place asked for.
struct RequestedPlace {
  EnteredCoordinate longitude, latitude;
  std::string city, state, country;
  // A place to look up: its best match fills the fields that `given` does not mark (and the
  // clock when the request asks for the place's zone). Empty: no search.
  std::string search;
  GivenFields given;
  // A place found before (picked in the form, or read from a chart file): its description and
  // the fields it filled ("lon", "lat", "city", "state", "country", "zone"); empty for none.
  std::string found;
  std::vector<std::string> filled;
  bool operator==(const RequestedPlace&) const = default;
};

// Which clock the request asks for.
enum class ClockKind {
  kZoneRow,      // a row of the zone list and its daylight-saving tick
  kZoneId,       // a time zone database zone at the birth's local time
  kPlaceZone,    // the zone of the searched place (RequestedPlace::search)
  kExactOffset,  // an offset as it is (a chart file's utc_offset_seconds)
};

struct RequestedClock {
  ClockKind kind = ClockKind::kZoneRow;
  // kZoneRow: the row and tick. kExactOffset: the row and tick recorded beside the offset.
  int zonePosition = 29;
  bool daylightSaving = false;
  // kZoneId: the zone. kZoneRow and kExactOffset: the zone they were once read from, kept as a
  // record (a chart file holds it), or empty.
  std::string zoneId;
  // kZoneId and kPlaceZone: which reading of a doubled hour to take (kAsk: refuse it, naming
  // both). kZoneRow and kExactOffset: the reading recorded with them (kAsk: none).
  RepeatedTimeChoice fold = RepeatedTimeChoice::kAsk;
  int utcOffsetSeconds = 0;  // kExactOffset only: local time minus UT
  bool operator==(const RequestedClock&) const = default;
};

// Everything that asks for one chart, as typed values. Every road into a chart (the form,
// the command-line options, a batch row, a chart file, Python) fills one and hands it to
// ResolveChart.
struct ChartRequest {
  std::string name;       // as typed; capitals are the name filter's business
  CivilDateTime born;     // the local civil date (month 1..12) and clock time, to the second
  RequestedPlace place;
  RequestedClock clock;
  CalculationSettings settings;
  int sweepMinutes = 0;   // 1..720: also the birth-time sweep over that window; 0: none
  bool operator==(const ChartRequest&) const = default;
};

// What one request computes: the chart and, when asked for, its sweep. Every output reads
// these; none computes them again.
struct ChartReading {
  std::shared_ptr<const Chart> chart;
  std::shared_ptr<const BirthSweep> sweep;  // null unless the request asked for a sweep
};

// The one way from a request to a chart: the place search (when asked), the check of the
// birth fields, the clock (zone row, database zone with its doubled or skipped hours, exact
// offset), then the calculation and the sweep. `found`, when given, receives the place
// search's matches, best first (at most `alsoListed` + 1).
Result<ChartReading> ResolveChart(const ChartRequest& request, std::vector<PlaceResult>* found = nullptr,
                                  std::size_t alsoListed = 0);

// The birth with its clock, as the calculation takes it: the first steps of ResolveChart.
Result<BirthData> ResolveBirth(const ChartRequest& request, std::vector<PlaceResult>* found = nullptr,
                               std::size_t alsoListed = 0);

// The clock alone (no check of the other fields): what the form shows beside the zone list.
Result<BirthClock> ResolveClock(const ChartRequest& request);

// The two readings of the request's local time when it happened twice in the requested zone
// (what the form offers to choose from); nothing otherwise.
std::optional<RepeatedLocalTime> DoubledHourOf(const ChartRequest& request);

// The request that gives a chart again: its birth, place, clock (as the exact offset it used
// when that came from the time zone database, so a later change of the zone data does not
// move it) and settings. A chart file's birth becomes a request the same way.
ChartRequest RequestOf(const BirthData& birth, const CalculationSettings& settings = {});
ChartRequest RequestOf(const Chart& chart);

// The reading of a doubled hour a birth records, as a request asks for it again (none: kAsk).
RepeatedTimeChoice ReadingChoiceOf(DoubledHour fold);

// The birth data that gives the chart again: its request's entered birth, clock included.
BirthData BirthDataOf(const Chart& chart);

// The birth data a request enters (before any place search or clock), as the chart keeps it.
BirthData EnteredBirth(const ChartRequest& request);

// The keyword a check of the birth fields is about ("lon_degrees"), for problems.
std::string FieldOf(BirthField field);

}  // namespace corvane
