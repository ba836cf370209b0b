#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "app/birth_data.h"
#include "app/place_index.h"
#include "app/zone_clock.h"

namespace corvane {

// Which reading of a local time that happened twice to take.
enum class RepeatedTimeChoice { kAsk, kEarlier, kLater };

// Sets the birth's clock from a zone of the tz database at the birth's local date and time:
// the exact offset and the zone id in the extras, and the zone list row and daylight-saving
// tick that give the same offset (the nearest row without the tick when none does, so that
// readers of the classic chart file lines still find a near clock). Returns why it could
// not: an unknown zone, a local time the clocks skipped, or one that happened twice when
// `repeated` is kAsk (the message names both readings).
std::optional<std::string> SetBirthZone(std::string_view zoneId, RepeatedTimeChoice repeated, BirthData& data);

// Sets the place fields of a birth from a found place: the city (the name as matched or the
// place's own, whichever a chart file can store, else the ASCII name), region and country in
// text a chart file can store, the coordinates rounded to the nearest minute with their
// hemispheres. The zone is set separately (SetBirthZone with place.zoneId).
void SetBirthPlace(const PlaceResult& place, BirthData& data);

// "München, Bavaria, Germany (48:08N 11:35E, Europe/Berlin)".
std::string DescribePlace(const PlaceResult& place);

}  // namespace corvane
