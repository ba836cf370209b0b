#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// One row of the time zone list: the text shown and the signed hours and minutes that,
// added to local clock time, give universal time (east of Greenwich is negative).
struct ZoneRow {
  std::string_view text;
  int offsetHours;
  int offsetMinutes;
};

inline constexpr int kZoneCount = 71;
inline constexpr int kDefaultZonePosition = 29;

extern const std::array<ZoneRow, kZoneCount> kZoneTable;

// The offset of a list position's clock, local time minus UT in seconds (row 34, "Indian
// Time, IST, +5.3", gives 19800), before any daylight-saving tick; nothing for a position
// outside the list.
std::optional<int> ZoneRowOffsetSeconds(int position);

// The zone's name: its text up to the abbreviation ("Eastern Daylight Time"); empty for a
// position outside the list.
std::string_view ZoneName(int position);
// The abbreviation of a row without the blanks some rows carry after their commas ("IST" of
// "Indian Time, IST, +5.3"); empty for a position outside the list.
std::string_view ZoneAbbreviation(int position);

// True for a row whose offset already holds the clock's extra hour: the "Daylight" and
// "Summer" rows and the "War Time" rows (war time was daylight saving kept all year; each
// such row is one hour ahead of its standard row).
bool ZoneIncludesDaylightSaving(int position);

// The warning for a daylight-saving tick on such a zone, which counts that hour twice;
// nothing otherwise. The calculation still takes the tick as given.
std::optional<std::string> DaylightSavingCountedTwice(int position, bool daylightSaving);

}  // namespace corvane
