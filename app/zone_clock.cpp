#include "app/zone_clock.h"

#include <date/date.h>
#include <date/tz.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/month_names.h"
#include "app/zone_table.h"

namespace corvane {
namespace {

ZoneReading ReadingOf(const date::sys_info& info) {
  return {static_cast<int>(info.offset.count()), info.save != std::chrono::minutes{0}, info.abbrev};
}

LocalDateTime LocalOf(date::local_seconds t) {
  const auto day = date::floor<date::days>(t);
  const date::year_month_day ymd{day};
  const date::hh_mm_ss<std::chrono::seconds> time{t - day};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(time.hours().count()),
          static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count())};
}

// The wall clock of a moment under a given offset.
LocalDateTime WallClock(date::sys_seconds moment, std::chrono::seconds offset) {
  return LocalOf(date::local_seconds{moment.time_since_epoch() + offset});
}

std::string ClockText(const LocalDateTime& t, bool withSeconds) {
  char text[16];
  if (withSeconds) {
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  } else {
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
  }
  return text;
}

std::string DateText(const LocalDateTime& t) {
  return std::to_string(t.day) + " " + std::string(kMonthNames[static_cast<std::size_t>(t.month - 1)]) + " " +
         std::to_string(t.year);
}

// The abbreviation of a zone list row ("Eastern Daylight Time,EDT,-4.0" gives "EDT").
std::string_view RowAbbreviation(std::string_view text) {
  const std::size_t first = text.find(',');
  std::string_view rest = text.substr(first + 1);
  rest = rest.substr(0, rest.find(','));
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
  return rest;
}

// 0 for a standard row; 1, 2, 3 for a row named Daylight, Summer or War.
int SummerKind(std::string_view text) {
  const std::string_view name = text.substr(0, text.find(','));
  if (name.find("Daylight") != std::string_view::npos) return 1;
  if (name.find("Summer") != std::string_view::npos) return 2;
  if (name.find("War") != std::string_view::npos) return 3;
  return 0;
}

// Lower is better; 0 means the pair is not to be used.
int ChoiceRank(const ZoneRow& row, bool tick, const ZoneReading& reading) {
  const int kind = SummerKind(row.text);
  if (!tick && RowAbbreviation(row.text) == reading.abbreviation) return 1;
  if (reading.daylightSaving) {
    if (!tick && kind != 0) return 1 + kind;  // 2..4
    if (tick && kind == 0) return 5;
    if (!tick) return 6;
    return 7;
  }
  if (tick) return 0;
  return kind == 0 ? 2 : 3;
}

}  // namespace

ZoneLookup LookUpLocalTime(std::string_view zoneId, const LocalDateTime& local) {
  const date::year_month_day ymd{date::year{local.year}, date::month{static_cast<unsigned>(local.month)},
                                 date::day{static_cast<unsigned>(local.day)}};
  if (local.year < 1 || local.year > 9999 || local.month < 1 || local.month > 12 || local.day < 1 ||
      local.day > 31 || !ymd.ok() || local.hour < 0 || local.hour > 23 || local.minute < 0 || local.minute > 59 ||
      local.second < 0 || local.second > 59) {
    char when[96];
    std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d:%02d", local.year, local.month, local.day, local.hour,
                  local.minute, local.second);
    return ZoneLookupError{"There is no such date and time as " + std::string(when) + "."};
  }
  try {
    date::get_tzdb();
  } catch (const std::exception& e) {
    return ZoneLookupError{std::string("No time zone data is installed (") + e.what() + ")."};
  }
  const date::time_zone* zone = nullptr;
  try {
    zone = date::locate_zone(zoneId);
  } catch (const std::exception&) {
    return ZoneLookupError{"Unknown time zone \"" + std::string(zoneId) + "\"."};
  }
  const date::local_seconds when = date::local_days{ymd} + std::chrono::hours{local.hour} +
                                   std::chrono::minutes{local.minute} + std::chrono::seconds{local.second};
  date::local_info info;
  try {
    info = zone->get_info(when);  // reads the zone's file on first use
  } catch (const std::exception& e) {
    return ZoneLookupError{"The time zone data of " + std::string(zoneId) + " cannot be read (" + e.what() + ")."};
  }
  switch (info.result) {
    case date::local_info::nonexistent:
      return SkippedLocalTime{WallClock(info.second.begin, info.first.offset),
                              WallClock(info.second.begin, info.second.offset), ReadingOf(info.first),
                              ReadingOf(info.second)};
    case date::local_info::ambiguous:
      return RepeatedLocalTime{ReadingOf(info.first), ReadingOf(info.second)};
    default:
      return ReadingOf(info.first);
  }
}

std::vector<std::string> AllZoneIds() {
  std::vector<std::string> ids;
  try {
    const date::tzdb& db = date::get_tzdb();
    // With the system's zone files every file is a zone, other names of a zone included;
    // "localtime" (this machine's setting) and the files of no real place are left out.
    for (const date::time_zone& z : db.zones) {
      const std::string& name = z.name();
      if (name != "localtime" && name != "posixrules" && name != "Factory") ids.push_back(name);
    }
  } catch (const std::exception&) {
    return {};
  }
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  return ids;
}

std::string FormatUtOffset(int utOffsetSeconds) {
  const int magnitude = std::abs(utOffsetSeconds);
  char text[24];
  const int h = magnitude / 3600, m = magnitude / 60 % 60, s = magnitude % 60;
  const char sign = utOffsetSeconds < 0 ? '-' : '+';
  if (s != 0) {
    std::snprintf(text, sizeof text, "UTC%c%d:%02d:%02d", sign, h, m, s);
  } else {
    std::snprintf(text, sizeof text, "UTC%c%d:%02d", sign, h, m);
  }
  return text;
}

std::string FormatZoneReading(std::string_view zoneId, const ZoneReading& reading) {
  return std::string(zoneId) + ": " + reading.abbreviation + ", " + FormatUtOffset(reading.utOffsetSeconds);
}

std::string FormatSkippedTime(std::string_view zoneId, const SkippedLocalTime& skipped) {
  const LocalDateTime& from = skipped.clockFrom;
  const LocalDateTime& to = skipped.clockTo;
  const bool withSeconds = from.second != 0 || to.second != 0;
  const bool sameDate = from.year == to.year && from.month == to.month && from.day == to.day;
  std::string text = "Clocks went from " + ClockText(from, withSeconds);
  if (!sameDate) text += " on " + DateText(from);
  text += " to " + ClockText(to, withSeconds) + " on " + DateText(to) + " in " + std::string(zoneId);
  return text;
}

std::string FormatRepeatedTime(std::string_view zoneId, const LocalDateTime& local, const RepeatedLocalTime& repeated) {
  return ClockText(local, local.second != 0) + " on " + DateText(local) + " happened twice in " +
         std::string(zoneId) + ": " + repeated.earlier.abbreviation + ", " +
         FormatUtOffset(repeated.earlier.utOffsetSeconds) + ", then " + repeated.later.abbreviation + ", " +
         FormatUtOffset(repeated.later.utOffsetSeconds);
}

std::optional<ZoneRowChoice> MatchZoneRow(const ZoneReading& reading) {
  std::optional<ZoneRowChoice> best;
  int bestRank = 0;
  for (int position = 0; position < kZoneCount; ++position) {
    const ZoneRow& row = kZoneTable[static_cast<std::size_t>(position)];
    // The row's hours and minutes, added to local time, give UT; the tick takes an hour off.
    const int rowOffset = -(row.offsetHours * 3600 + row.offsetMinutes * 60);
    for (const bool tick : {false, true}) {
      if (rowOffset + (tick ? 3600 : 0) != reading.utOffsetSeconds) continue;
      const int rank = ChoiceRank(row, tick, reading);
      if (rank != 0 && (!best || rank < bestRank)) {
        best = ZoneRowChoice{position, tick};
        bestRank = rank;
      }
    }
  }
  return best;
}

}  // namespace corvane
