#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/birth_data.h"
#include "app/place_index.h"
#include "app/problem.h"
#include "app/zone_clock.h"

namespace corvane {

// Which reading of a local time that happened twice to take.
enum class RepeatedTimeChoice { kAsk, kEarlier, kLater };

// Local time minus UT of a zone list row with the tick as given, in seconds.
int RowOffsetSeconds(int position, bool daylightSaving);

// Sets the birth's clock from a zone of the tz database at the birth's local date and time:
// the exact offset and the zone id in the extras, and the zone list row and daylight-saving
// tick that give the same offset (the nearest row without the tick when none does, so that
// readers of the classic chart file lines still find a near clock). Returns why it could
// not: an unknown zone (kUnknownZone), a local time the clocks skipped (kSkippedTime), or one
// that happened twice when `repeated` is kAsk (kDoubledTime; the message names both readings).
std::optional<Problem> SetBirthZone(std::string_view zoneId, RepeatedTimeChoice repeated, BirthData& data);

// The zone list row and tick for a reading of a zone's clock: the row that gives exactly its
// offset (MatchZoneRow), else the nearest row without the tick.
ZoneRowChoice ZoneRowForReading(const ZoneReading& reading);

// The row and tick a chart file's classic lines and the zone list show for a birth whose
// clock is an exact offset of a zone: kept when they give that offset, else the row for the
// zone's reading at the birth (so that a row left from an earlier entry is never kept).
ZoneRowChoice ZoneRowOfClock(const BirthData& data);

// Sets the place fields of a birth from a found place: the city (the name as matched or the
// place's own, whichever a chart file can store, else the ASCII name), region and country in
// text a chart file can store, the coordinates rounded to the nearest minute with their
// hemispheres. The zone is set separately (SetBirthZone with place.zoneId).
void SetBirthPlace(const PlaceResult& place, BirthData& data);

// "München, Bavaria, Germany (48:08N 11:35E, Europe/Berlin)".
std::string DescribePlace(const PlaceResult& place);

// The fields of a birth given as they are (an option or a batch column): a found place or a
// zone id leaves them alone.
struct GivenFields {
  bool lon = false, lat = false, city = false, state = false, country = false;
  bool operator==(const GivenFields&) const = default;
};

// Fills a birth from the best match of a place search: the coordinates, city, state and
// country that `given` does not mark, and the place's description and the fields it filled
// (BirthData::place, placeFilled). Returns the place's zone id, or the problem: the place
// data cannot be loaded (kNoPlaceData) or nothing matches (kNoPlaceMatch). `found`, when
// given, receives the matches, best first (at most `alsoListed` + 1).
Result<std::string> FillFromPlace(std::string_view search, const GivenFields& given, BirthData& data,
                                  std::vector<PlaceResult>* found = nullptr, std::size_t alsoListed = 0);

// The program's place index, loaded at the first call and shared by every caller after it;
// nullptr, with the reason in `message`, when the place data cannot be loaded.
const PlaceIndex* ProgramPlaceIndex(std::string& message);

}  // namespace corvane
