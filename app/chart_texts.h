#pragma once
#include <array>
#include <string>

#include "app/chart.h"
#include "app/display_texts.h"

namespace corvane {

// The display texts of a chart, made from it where an output shows them and never stored in it.
struct ChartTexts {
  std::string name;
  std::string date;       // "June/5/1975"
  std::string time;       // "07:05:09"
  std::string latitude;   // "28° 36' N"
  std::string longitude;  // "77° 13' E"
  std::string city, state, country;                    // without their outer blanks
  std::array<std::string, kBodyCount> bodyNames;      // "Mercury (R) " after a retrograde planet
  std::array<std::string, kBodyCount> positions;      // compact birth positions, "16 Sag 30"
  std::array<std::string, 12> chartBoxes;             // body names per sign box, CR LF before each
  std::array<std::string, 12> lagnaBoxes;             // lagna marks per sign box, CR LF before each
  std::string sunAtSunrise;                           // compact, "20 Tau 16"
};

ChartTexts TextsOf(const Chart& chart);

// The clock the chart was computed with, for people:
//   "Europe/Berlin, CET, UTC+1:00 (earlier of the doubled hour)"   a zone of the database
//   "exact offset UTC+0:19:32"                                     an offset without a zone
//   "Central European Time, CET, UTC+1:00"                         a zone list row
//   "Central European Time, CET, UTC+2:00 with daylight saving"    the row and its tick
std::string ClockText(const Chart& chart);

// "07:05:09": the birth time with two-digit minutes and seconds.
std::string BirthTimeText(const ChartBirth& birth);

// Which reading of a doubled hour the chart was computed at: the abbreviation the clock
// showed ("CET"), or "earlier" / "later" where the zone names none; empty outside a doubled hour.
std::string DoubledHourReading(const Chart& chart);

// The birth time as a person reads it off the clock: "07:05:09", and in a doubled hour with
// the reading that tells the two apart, "02:30:15 CET".
std::string BirthClockReading(const Chart& chart);

// The birth's fields as the JSON and the Python tables write them, without allocating.
struct BirthFieldTexts {
  ShortText date;  // "1975-06-05"
  ShortText time;  // "07:05:09"
  ShortText lon;   // "77:13E"
  ShortText lat;   // "28:36N"
};
BirthFieldTexts BirthFieldTextsOf(const ChartBirth& birth);
BirthFieldTexts BirthFieldTextsOf(const BirthData& birth);

// The text of the zone list row a clock names ("Indian Standard Time,IST,+5.5"), or nothing.
std::string_view ZoneRowText(const BirthClock& clock);

}  // namespace corvane
