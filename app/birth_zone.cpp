#include "app/birth_zone.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/birth_validation.h"
#include "app/display_texts.h"
#include "app/search_fold.h"
#include "app/text_encoding.h"
#include "app/zone_table.h"

namespace corvane {

int RowOffsetSeconds(int position, bool daylightSaving) {
  return ZoneRowOffsetSeconds(position).value_or(0) + (daylightSaving ? 3600 : 0);
}

namespace {

ZoneRowChoice NearestRow(int utOffsetSeconds) {
  ZoneRowChoice best{kDefaultZonePosition, false};
  int bestGap = -1;
  for (int p = 0; p < kZoneCount; ++p) {
    const int gap = std::abs(RowOffsetSeconds(p, false) - utOffsetSeconds);
    if (bestGap < 0 || gap < bestGap) {
      bestGap = gap;
      best = {p, false};
    }
  }
  return best;
}

void SetReading(std::string_view zoneId, const ZoneReading& reading, BirthData& data) {
  const ZoneRowChoice row = ZoneRowForReading(reading);
  data.zonePosition = row.position;
  data.daylightSaving = row.daylightSaving;
  data.extras.zoneId = std::string(zoneId);
  data.extras.utcOffsetSeconds = reading.utOffsetSeconds;
  data.extras.fold = DoubledHour::kNone;
}

}  // namespace

ZoneRowChoice ZoneRowForReading(const ZoneReading& reading) {
  return MatchZoneRow(reading).value_or(NearestRow(reading.utOffsetSeconds));
}

ZoneRowChoice ZoneRowOfClock(const BirthData& data) {
  const ZoneRowChoice given{data.zonePosition, data.daylightSaving};
  const bool listed = data.zonePosition >= 0 && data.zonePosition < kZoneCount;
  if (!data.extras.utcOffsetSeconds || !data.extras.zoneId) return given;
  const int offset = *data.extras.utcOffsetSeconds;
  if (listed && RowOffsetSeconds(data.zonePosition, data.daylightSaving) == offset) return given;
  const LocalDateTime local{data.year, data.monthIndex + 1, data.day, data.hour, data.minute, data.second};
  const ZoneLookup lookup = LookUpLocalTime(*data.extras.zoneId, local);
  ZoneReading reading{offset, false, {}};
  if (const auto* one = std::get_if<ZoneReading>(&lookup)) {
    if (one->utOffsetSeconds == offset) reading = *one;
  } else if (const auto* twice = std::get_if<RepeatedLocalTime>(&lookup)) {
    for (const ZoneReading* r : {&twice->earlier, &twice->later})
      if (r->utOffsetSeconds == offset) reading = *r;
  }
  // A nearest row kept for an offset no row gives stays as it is.
  if (listed && !MatchZoneRow(reading) && !data.daylightSaving && given == NearestRow(offset)) return given;
  return ZoneRowForReading(reading);
}

namespace {

bool StorableInChartFile(std::string_view utf8) {
  std::vector<std::string> unstorable;
  Windows1252FromUtf8(utf8, &unstorable);
  return unstorable.empty();
}

// Length of the UTF-8 sequence a lead byte starts (1 for a stray byte).
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// A place text a chart file can hold: a character outside Windows-1252 becomes its plain
// Latin letters ("Łódź" becomes "Lódz"), capital at the start of a word; one with no such
// letters is left out.
std::string StorablePlaceText(std::string_view utf8) {
  std::string out;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::string_view one = utf8.substr(at, SequenceLength(static_cast<unsigned char>(utf8[at])));
    at += one.size();
    if (StorableInChartFile(one)) {
      out += one;
      continue;
    }
    std::string plain = FoldForSearch(one);
    const bool letters = !plain.empty() && std::all_of(plain.begin(), plain.end(), [](char c) {
      return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
    if (!letters) continue;
    if (out.empty() || out.back() == ' ' || out.back() == '-') plain[0] = static_cast<char>(plain[0] - 'a' + 'A');
    out += plain;
  }
  return std::string(TrimBlanks(out));
}

std::string DegreesAndMinutes(double degrees, char positive, char negative) {
  const long total = std::lround(std::fabs(degrees) * 60.0);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%ld:%02ld%c", total / 60, total % 60, degrees < 0 ? negative : positive);
  return buffer;
}

}  // namespace

std::optional<Problem> SetBirthZone(std::string_view zoneId, RepeatedTimeChoice repeated, BirthData& data) {
  if (const auto refusal = CalendarMessage(data)) return Problem{ProblemCode::kInvalidBirth, "date", std::string(refusal->text)};
  const LocalDateTime local{data.year, data.monthIndex + 1, data.day, data.hour, data.minute, data.second};
  const ZoneLookup lookup = LookUpLocalTime(zoneId, local);
  if (const auto* reading = std::get_if<ZoneReading>(&lookup)) {
    SetReading(zoneId, *reading, data);
    return std::nullopt;
  }
  if (const auto* skipped = std::get_if<SkippedLocalTime>(&lookup))
    return Problem{ProblemCode::kSkippedTime, "time", FormatSkippedTime(zoneId, *skipped)};
  if (const auto* twice = std::get_if<RepeatedLocalTime>(&lookup)) {
    if (repeated == RepeatedTimeChoice::kAsk)
      return Problem{ProblemCode::kDoubledTime, "fold", FormatRepeatedTime(zoneId, local, *twice)};
    SetReading(zoneId, repeated == RepeatedTimeChoice::kEarlier ? twice->earlier : twice->later, data);
    data.extras.fold = repeated == RepeatedTimeChoice::kEarlier ? DoubledHour::kEarlier : DoubledHour::kLater;
    return std::nullopt;
  }
  return Problem{ProblemCode::kUnknownZone, "tz", std::get<ZoneLookupError>(lookup).message};
}

void SetBirthPlace(const PlaceResult& place, BirthData& data) {
  // The city is the place's own name (not the former or foreign name the search matched:
  // "Bombay" fills Mumbai), or its ASCII spelling where a chart file cannot hold the name.
  data.city = place.asciiName.empty() ? StorablePlaceText(place.name) : std::string(place.asciiName);
  if (!place.name.empty() && StorableInChartFile(place.name)) data.city = place.name;
  data.state = StorablePlaceText(place.region);
  data.country = StorablePlaceText(place.country);
  const long lon = std::lround(std::fabs(place.longitude) * 60.0);
  const long lat = std::lround(std::fabs(place.latitude) * 60.0);
  data.lonDegrees = std::to_string(lon / 60);
  data.lonMinutes = std::to_string(lon % 60);
  data.east = place.longitude >= 0;
  data.latDegrees = std::to_string(lat / 60);
  data.latMinutes = std::to_string(lat % 60);
  data.south = place.latitude < 0;
}

std::string DescribePlace(const PlaceResult& place) {
  std::string out(place.name);
  for (std::string_view part : {place.region, place.country})
    if (!part.empty()) out.append(", ").append(part);
  out += " (" + DegreesAndMinutes(place.latitude, 'N', 'S') + " " + DegreesAndMinutes(place.longitude, 'E', 'W') +
         ", " + std::string(place.zoneId) + ")";
  return out;
}

const PlaceIndex* ProgramPlaceIndex(std::string& message) {
  static PlaceIndex index;
  static const PlaceLoadStatus status = LoadPlaces(index);
  if (!status.ok) {
    message = status.message;
    return nullptr;
  }
  return &index;
}

Result<std::string> FillFromPlace(std::string_view search, const GivenFields& given, BirthData& data,
                                  std::vector<PlaceResult>* found, std::size_t alsoListed) {
  std::string message;
  const PlaceIndex* places = ProgramPlaceIndex(message);
  if (places == nullptr)
    return Problem{ProblemCode::kNoPlaceData, "place", "the place search is not available: " + message};
  std::vector<PlaceResult> matches = places->search(search, alsoListed + 1);
  if (matches.empty()) return Problem{ProblemCode::kNoPlaceMatch, "place", "No place matches \"" + std::string(search) + "\"."};
  const PlaceResult& best = matches.front();
  BirthData filled = data;
  SetBirthPlace(best, filled);
  data.placeFilled.clear();
  auto fill = [&](bool kept, std::string_view field, auto&&... members) {
    if (kept) return;
    ((data.*members = filled.*members), ...);
    data.placeFilled.emplace_back(field);
  };
  fill(given.lon, "lon", &BirthData::lonDegrees, &BirthData::lonMinutes, &BirthData::east);
  fill(given.lat, "lat", &BirthData::latDegrees, &BirthData::latMinutes, &BirthData::south);
  fill(given.city, "city", &BirthData::city);
  fill(given.state, "state", &BirthData::state);
  fill(given.country, "country", &BirthData::country);
  data.place = DescribePlace(best);
  std::string zoneId(best.zoneId);
  if (found != nullptr) *found = std::move(matches);
  return zoneId;
}

}  // namespace corvane
