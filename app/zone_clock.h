#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace corvane {

// A wall-clock reading at some place: proleptic Gregorian date, time to the second.
struct LocalDateTime {
  int year = 2000, month = 1, day = 1;  // month 1..12
  int hour = 0, minute = 0, second = 0;
  bool operator==(const LocalDateTime&) const = default;
};

// The clock of a zone at one moment.
struct ZoneReading {
  int utOffsetSeconds = 0;   // local time minus universal time; may carry seconds (local mean time)
  bool daylightSaving = false;
  std::string abbreviation;  // "CEST", "LMT", "+0630"
  bool operator==(const ZoneReading&) const = default;
};

// The local time fell in a gap: clocks went from `clockFrom` straight to `clockTo`.
struct SkippedLocalTime {
  LocalDateTime clockFrom, clockTo;
  ZoneReading before, after;
};

// The local time happened twice; `earlier` is the first occurrence.
struct RepeatedLocalTime {
  ZoneReading earlier, later;
};

// An unknown zone id, an impossible date or time, or no zone data on this system.
struct ZoneLookupError {
  std::string message;  // ready to show
};

using ZoneLookup = std::variant<ZoneReading, SkippedLocalTime, RepeatedLocalTime, ZoneLookupError>;

// The offset of a zone of the tz database (the system's /usr/share/zoneinfo) at a local time.
ZoneLookup LookUpLocalTime(std::string_view zoneId, const LocalDateTime& local);

// Every zone id of the system's zone data (canonical zones and their other names, such as
// "Asia/Calcutta", but not "localtime"), sorted; empty when there is no zone data.
std::vector<std::string> AllZoneIds();

// "Europe/Madrid: CEST, UTC+2:00"; seconds are shown only when there are any ("UTC+0:19:32").
std::string FormatZoneReading(std::string_view zoneId, const ZoneReading& reading);

// "UTC+5:30", "UTC-3:30", "UTC+0:19:32".
std::string FormatUtOffset(int utOffsetSeconds);

// "Clocks went from 02:00 to 03:00 on 14 March 2021 in America/New_York"; with seconds when
// either side has any, and with both dates when the jump crosses midnight.
std::string FormatSkippedTime(std::string_view zoneId, const SkippedLocalTime& skipped);

// "01:30 on 7 November 2021 happened twice in America/New_York: EDT, UTC-4:00, then EST, UTC-5:00"
std::string FormatRepeatedTime(std::string_view zoneId, const LocalDateTime& local, const RepeatedLocalTime& repeated);

// A row of the program's zone list and the daylight-saving tick that together give a UT
// offset.
struct ZoneRowChoice {
  int position = 0;  // index into kZoneTable
  bool daylightSaving = false;
  bool operator==(const ZoneRowChoice&) const = default;
};

// The zone list row and tick that give exactly the reading's UT offset (row offset, minus an
// hour with the tick), or nothing when none does (local mean time, odd historic offsets).
// Among the rows that fit, the first of these wins, ties going to the earlier row:
//   1. a row whose abbreviation is the reading's own ("EDT" for EDT, "GMT" for GMT), tick off;
//   2. with daylight saving in force: a row named Daylight, then Summer, then War, tick off;
//      then a standard row (one named none of these) with the tick on; then a standard row
//      with the tick off; last a Daylight, Summer or War row with the tick on;
//   3. without daylight saving: a standard row, then a Daylight, Summer or War row, all with
//      the tick off (the tick is never set for a reading without daylight saving).
std::optional<ZoneRowChoice> MatchZoneRow(const ZoneReading& reading);

}  // namespace corvane
