#include "app/zone_clock.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/zone_table.h"

namespace corvane {
namespace {

// Offsets in seconds east of Greenwich.
constexpr int H = 3600;
constexpr int M = 60;

// Each case is a line of the tz database's history (the Zone and Rule lines of its
// europe, asia, northamerica and australasia files), not a value read back from the code.
TEST(ZoneClock, UniqueReadings) {
  struct Case {
    const char* zone;
    LocalDateTime local;
    int offset;
    bool dst;
    const char* abbreviation;
  };
  const Case cases[] = {
      // Spain: summer time from 13 April to 5 October 1975.
      {"Europe/Madrid", {1975, 6, 5, 7, 5, 0}, 2 * H, true, "CEST"},
      // India: war time, IST plus one hour, from 1 September 1942 to 15 October 1945.
      {"Asia/Kolkata", {1942, 9, 1, 12, 0, 0}, 6 * H + 30 * M, true, "+0630"},
      {"Asia/Calcutta", {1942, 9, 1, 12, 0, 0}, 6 * H + 30 * M, true, "+0630"},
      // Calcutta local mean time 5:53:28, used until 28 June 1854.
      {"Asia/Kolkata", {1850, 1, 1, 12, 0, 0}, 5 * H + 53 * M + 28, false, "LMT"},
      // The Netherlands: Amsterdam mean time 0:19:32 with summer time, then from 1 July 1937
      // the rounded 0:20, so that summer 1937 went from +1:19:32 to +1:20.
      {"Europe/Amsterdam", {1937, 6, 30, 12, 0, 0}, 1 * H + 19 * M + 32, true, "NST"},
      {"Europe/Amsterdam", {1937, 7, 1, 12, 0, 0}, 1 * H + 20 * M, true, "+0120"},
      // Norway: summer time 1959 to 1965 (25 April to 19 September in 1965).
      {"Europe/Oslo", {1965, 7, 1, 12, 0, 0}, 2 * H, true, "CEST"},
      // Mexico: no daylight saving since 30 October 2022.
      {"America/Mexico_City", {2023, 7, 1, 12, 0, 0}, -6 * H, false, "CST"},
      {"America/New_York", {2021, 7, 4, 12, 0, 0}, -4 * H, true, "EDT"},
      {"America/New_York", {2021, 11, 7, 2, 0, 0}, -5 * H, false, "EST"},  // just after the repeated hour
  };
  for (const Case& c : cases) {
    const ZoneLookup r = LookUpLocalTime(c.zone, c.local);
    ASSERT_TRUE(std::holds_alternative<ZoneReading>(r)) << c.zone << " " << c.local.year;
    EXPECT_EQ(std::get<ZoneReading>(r), (ZoneReading{c.offset, c.dst, c.abbreviation})) << c.zone << " " << c.local.year;
  }
}

TEST(ZoneClock, SkippedLocalTimes) {
  struct Case {
    const char* zone;
    LocalDateTime local;
    LocalDateTime from, to;
    int offsetBefore, offsetAfter;
    const char* message;
  };
  const Case cases[] = {
      {"America/New_York", {2021, 3, 14, 2, 30, 0}, {2021, 3, 14, 2, 0, 0}, {2021, 3, 14, 3, 0, 0}, -5 * H, -4 * H,
       "Clocks went from 02:00 to 03:00 on 14 March 2021 in America/New_York"},
      {"Asia/Kolkata", {1942, 9, 1, 0, 30, 0}, {1942, 9, 1, 0, 0, 0}, {1942, 9, 1, 1, 0, 0}, 5 * H + 30 * M,
       6 * H + 30 * M, "Clocks went from 00:00 to 01:00 on 1 September 1942 in Asia/Kolkata"},
      // The 28 seconds that Amsterdam dropped when it rounded its offset.
      {"Europe/Amsterdam", {1937, 7, 1, 0, 0, 10}, {1937, 7, 1, 0, 0, 0}, {1937, 7, 1, 0, 0, 28},
       1 * H + 19 * M + 32, 1 * H + 20 * M, "Clocks went from 00:00:00 to 00:00:28 on 1 July 1937 in Europe/Amsterdam"},
      // Samoa crossed the date line and left out 30 December 2011.
      {"Pacific/Apia", {2011, 12, 30, 12, 0, 0}, {2011, 12, 30, 0, 0, 0}, {2011, 12, 31, 0, 0, 0}, -10 * H, 14 * H,
       "Clocks went from 00:00 on 30 December 2011 to 00:00 on 31 December 2011 in Pacific/Apia"},
  };
  for (const Case& c : cases) {
    const ZoneLookup r = LookUpLocalTime(c.zone, c.local);
    ASSERT_TRUE(std::holds_alternative<SkippedLocalTime>(r)) << c.message;
    const auto& s = std::get<SkippedLocalTime>(r);
    EXPECT_EQ(s.clockFrom, c.from) << c.message;
    EXPECT_EQ(s.clockTo, c.to) << c.message;
    EXPECT_EQ(s.before.utOffsetSeconds, c.offsetBefore) << c.message;
    EXPECT_EQ(s.after.utOffsetSeconds, c.offsetAfter) << c.message;
    EXPECT_EQ(FormatSkippedTime(c.zone, s), c.message);
  }
}

TEST(ZoneClock, RepeatedLocalTimes) {
  struct Case {
    const char* zone;
    LocalDateTime local;
    ZoneReading earlier, later;
  };
  const Case cases[] = {
      {"America/New_York", {2021, 11, 7, 1, 30, 0}, {-4 * H, true, "EDT"}, {-5 * H, false, "EST"}},
      {"Europe/Madrid", {1975, 10, 5, 0, 30, 0}, {2 * H, true, "CEST"}, {1 * H, false, "CET"}},
  };
  for (const Case& c : cases) {
    const ZoneLookup r = LookUpLocalTime(c.zone, c.local);
    ASSERT_TRUE(std::holds_alternative<RepeatedLocalTime>(r)) << c.zone;
    EXPECT_EQ(std::get<RepeatedLocalTime>(r).earlier, c.earlier) << c.zone;
    EXPECT_EQ(std::get<RepeatedLocalTime>(r).later, c.later) << c.zone;
  }
  const auto r = std::get<RepeatedLocalTime>(LookUpLocalTime("America/New_York", {2021, 11, 7, 1, 30, 0}));
  EXPECT_EQ(FormatRepeatedTime("America/New_York", {2021, 11, 7, 1, 30, 0}, r),
            "01:30 on 7 November 2021 happened twice in America/New_York: EDT, UTC-4:00, then EST, UTC-5:00");
}

TEST(ZoneClock, RefusedLookups) {
  struct Case {
    const char* zone;
    LocalDateTime local;
    const char* message;
  };
  const Case cases[] = {
      {"Nowhere/Else", {2000, 1, 1, 0, 0, 0}, "Unknown time zone \"Nowhere/Else\"."},
      {"", {2000, 1, 1, 0, 0, 0}, "Unknown time zone \"\"."},
      {"europe/madrid", {2000, 1, 1, 0, 0, 0}, "Unknown time zone \"europe/madrid\"."},
      {"Europe/Madrid", {2021, 2, 29, 12, 0, 0}, "There is no such date and time as 2021-02-29 12:00:00."},
      {"Europe/Madrid", {2021, 1, 1, 24, 0, 0}, "There is no such date and time as 2021-01-01 24:00:00."},
      {"Europe/Madrid", {2021, 13, 1, 0, 0, 0}, "There is no such date and time as 2021-13-01 00:00:00."},
  };
  for (const Case& c : cases) {
    const ZoneLookup r = LookUpLocalTime(c.zone, c.local);
    ASSERT_TRUE(std::holds_alternative<ZoneLookupError>(r)) << c.message;
    EXPECT_EQ(std::get<ZoneLookupError>(r).message, c.message);
  }
}

TEST(ZoneClock, Formats) {
  EXPECT_EQ(FormatZoneReading("Europe/Madrid", {2 * H, true, "CEST"}), "Europe/Madrid: CEST, UTC+2:00");
  const std::pair<int, const char*> offsets[] = {
      {0, "UTC+0:00"},         {5 * H + 30 * M, "UTC+5:30"},         {-(3 * H + 30 * M), "UTC-3:30"},
      {1172, "UTC+0:19:32"},   {-(4 * H + 56 * M + 2), "UTC-4:56:02"}, {14 * H, "UTC+14:00"},
  };
  for (const auto& [seconds, text] : offsets) EXPECT_EQ(FormatUtOffset(seconds), text);
}

TEST(ZoneClock, ZoneIdsAreSortedAndComplete) {
  const std::vector<std::string> ids = AllZoneIds();
  EXPECT_GT(ids.size(), 400u);
  EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
  for (const char* id : {"Europe/Madrid", "Asia/Kolkata", "Asia/Calcutta", "America/Argentina/Buenos_Aires", "UTC"}) {
    EXPECT_TRUE(std::binary_search(ids.begin(), ids.end(), id)) << id;
  }
  EXPECT_FALSE(std::binary_search(ids.begin(), ids.end(), "localtime"));
  // Every listed id can be looked up.
  for (const std::string& id : ids) {
    EXPECT_FALSE(std::holds_alternative<ZoneLookupError>(LookUpLocalTime(id, {2000, 6, 1, 12, 0, 0}))) << id;
  }
}

int RowOf(std::string_view text) {
  for (int i = 0; i < kZoneCount; ++i) {
    if (kZoneTable[static_cast<std::size_t>(i)].text.starts_with(text)) return i;
  }
  return -1;
}

TEST(ZoneClock, MatchingZoneListRows) {
  struct Case {
    ZoneReading reading;
    const char* row;  // start of the expected row's text; nullptr for no row
    bool tick;
  };
  const Case cases[] = {
      {{2 * H, true, "CEST"}, "Central European Daylight,", false},  // Madrid 1975, Oslo 1965
      {{1 * H, false, "CET"}, "Central European Time,", false},
      {{6 * H + 30 * M, true, "+0630"}, "Indian Time,", true},       // Indian war time: IST plus one hour
      {{5 * H + 30 * M, false, "IST"}, "Indian Time,", false},
      {{-6 * H, false, "CST"}, "Central Standard Time,", false},     // Mexico City 2023
      {{-4 * H, true, "EDT"}, "Eastern Daylight Time,", false},
      {{-5 * H, false, "EST"}, "Eastern Standard Time,", false},
      {{0, false, "GMT"}, "Greenwich Mean Time,", false},
      {{0, true, "GMT"}, "Greenwich Mean Time,", false},             // Irish winter time
      {{1 * H, true, "BST"}, "British Summer Time,", false},
      {{2 * H, false, "EET"}, "Eastern European Time,", false},
      {{3 * H, true, "EEST"}, "Eastern European Daylight Time,", false},
      {{10 * H + 30 * M, true, "ACDT"}, "Australian Central Daylight Time,", false},
      {{8 * H, false, "AWST"}, "Australian Western Standard Time,", false},
      {{-3 * H, true, "-03"}, "Atlantic War Time,", false},
      {{-(3 * H + 30 * M), false, "NST"}, "Newfoundland Standard Time,", false},
      {{1 * H + 20 * M, true, "+0120"}, nullptr, false},             // Amsterdam 1937
      {{5 * H + 53 * M + 28, false, "LMT"}, nullptr, false},         // Calcutta mean time
      {{-4 * H, false, "AST"}, "Atlantic Standard Time,", false},
      {{4 * H + 30 * M, false, "+0430"}, nullptr, false},            // Kabul: no row, and no tick without DST
  };
  for (const Case& c : cases) {
    const std::optional<ZoneRowChoice> choice = MatchZoneRow(c.reading);
    if (c.row == nullptr) {
      EXPECT_FALSE(choice.has_value()) << c.reading.abbreviation;
      continue;
    }
    ASSERT_NE(RowOf(c.row), -1) << c.row;
    ASSERT_TRUE(choice.has_value()) << c.reading.abbreviation;
    EXPECT_EQ(*choice, (ZoneRowChoice{RowOf(c.row), c.tick}))
        << c.reading.abbreviation << " got " << kZoneTable[static_cast<std::size_t>(choice->position)].text;
  }
}

}  // namespace
}  // namespace corvane
