#include "app/birth_zone.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/text_encoding.h"
#include "app/zone_table.h"

namespace corvane {

namespace {

// Local time minus UT of a zone list row with the tick as given, in seconds.
int RowOffsetSeconds(int position, bool daylightSaving) {
  const ZoneRow& row = kZoneTable[static_cast<std::size_t>(position)];
  return -(row.offsetHours * 3600 + row.offsetMinutes * 60) + (daylightSaving ? 3600 : 0);
}

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
  const ZoneRowChoice row = MatchZoneRow(reading).value_or(NearestRow(reading.utOffsetSeconds));
  data.zonePosition = row.position;
  data.daylightSaving = row.daylightSaving;
  data.extras.zoneId = std::string(zoneId);
  data.extras.utcOffsetSeconds = reading.utOffsetSeconds;
}

// The text a chart file can store: the name itself, else its ASCII form.
std::string_view Storable(std::string_view text, std::string_view ascii) {
  std::vector<std::string> unstorable;
  Windows1252FromUtf8(text, &unstorable);
  return unstorable.empty() ? text : ascii;
}

std::string DegreesAndMinutes(double degrees, char positive, char negative) {
  const long total = std::lround(std::fabs(degrees) * 60.0);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%ld:%02ld%c", total / 60, total % 60, degrees < 0 ? negative : positive);
  return buffer;
}

}  // namespace

std::optional<std::string> SetBirthZone(std::string_view zoneId, RepeatedTimeChoice repeated, BirthData& data) {
  const LocalDateTime local{data.year, data.monthIndex + 1, data.day, data.hour, data.minute, data.second};
  const ZoneLookup lookup = LookUpLocalTime(zoneId, local);
  if (const auto* reading = std::get_if<ZoneReading>(&lookup)) {
    SetReading(zoneId, *reading, data);
    return std::nullopt;
  }
  if (const auto* skipped = std::get_if<SkippedLocalTime>(&lookup)) return FormatSkippedTime(zoneId, *skipped);
  if (const auto* twice = std::get_if<RepeatedLocalTime>(&lookup)) {
    if (repeated == RepeatedTimeChoice::kAsk) return FormatRepeatedTime(zoneId, local, *twice);
    SetReading(zoneId, repeated == RepeatedTimeChoice::kEarlier ? twice->earlier : twice->later, data);
    return std::nullopt;
  }
  return std::get<ZoneLookupError>(lookup).message;
}

void SetBirthPlace(const PlaceResult& place, BirthData& data) {
  data.city = Storable(place.name, place.asciiName);
  data.state = Storable(place.region, place.region);
  data.country = Storable(place.country, place.country);
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

}  // namespace corvane
