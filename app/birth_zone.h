#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The fields of a birth given as they are (an option or a batch column): a found place or a
// zone id leaves them alone.
struct GivenFields {
  bool lon = false, lat = false, city = false, state = false, country = false;
  bool zone = false;  // the zone list row (and its tick) was given
};

// The place and clock step of every way from typed fields to a birth: the place to search for
// (empty for none), the zone id (empty for none) and the reading of a doubled hour to take.
struct PlaceAndZone {
  std::string_view place;
  std::string_view zoneId;
  RepeatedTimeChoice fold = RepeatedTimeChoice::kAsk;
  GivenFields given;
};

// Why the step failed: the place data could not be loaded, or the input is refused (no place
// matches, an unknown zone, a skipped or doubled local time).
struct PlaceAndZoneRefusal {
  // kDoubledHour: the local time happened twice and no reading was chosen; kCalendar: the date
  // or time is none of the calendar's, refused in the input form's words.
  enum class Kind { kNoPlaceData, kRefused, kDoubledHour, kCalendar };
  Kind kind;
  std::string message;
};

// Completes a birth whose other fields are set: the best match of the place fills the
// coordinates, city, state and country that were not given and, unless a zone id or a zone
// row was given, gives its zone; the birth records the place's description and the fields
// it filled (BirthData::place, placeFilled). Then a zone id (given or the place's) sets the
// clock. `found`, when given, receives the matches, best first (at most `alsoListed` + 1).
std::optional<PlaceAndZoneRefusal> CompleteBirth(const PlaceAndZone& request, BirthData& data,
                                                 std::vector<PlaceResult>* found = nullptr,
                                                 std::size_t alsoListed = 0);

// The program's place index, loaded at the first call and shared by every caller after it;
// nullptr, with the reason in `message`, when the place data cannot be loaded.
const PlaceIndex* ProgramPlaceIndex(std::string& message);

}  // namespace corvane
