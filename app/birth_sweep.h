#pragma once
#include <optional>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/birth_data.h"
#include "app/calculation_settings.h"
#include "app/chart.h"
#include "astro/civil_time.h"
#include "lagna/lagna_id.h"

namespace corvane {

// The widest window a sweep takes: twelve hours either side of the given time.
inline constexpr int kMaxSweepMinutes = 720;

// The window a text gives (`--sweep`, the batch column `sweep_minutes`): a whole number of
// minutes from 1 to kMaxSweepMinutes; nothing for any other text.
std::optional<int> SweepMinutesOf(std::string_view text);

// The nakshatras in order from 0 (Ashwini).
inline constexpr std::array<std::string_view, 27> kNakshatraNames = {
    "Ashwini",      "Bharani",          "Krittika",     "Rohini",   "Mrigashira", "Ardra",     "Punarvasu",
    "Pushya",       "Ashlesha",         "Magha",        "Purva Phalguni", "Uttara Phalguni", "Hasta",
    "Chitra",       "Swati",            "Vishakha",     "Anuradha", "Jyeshtha",   "Mula",      "Purva Ashadha",
    "Uttara Ashadha", "Shravana",       "Dhanishta",    "Shatabhisha", "Purva Bhadrapada", "Uttara Bhadrapada",
    "Revati"};

// A stretch of the local clock [from, to) over which one value holds: a sign index 0..11 for
// a lagna, a nakshatra index 0..26 for the Moon.
struct SweepInterval {
  CivilDateTime from, to;
  int value = 0;
  bool operator==(const SweepInterval&) const = default;
};

// A stretch of the window without a chart.
enum class SweepGapKind {
  kSkippedClock,  // the clocks jumped over these readings (a daylight-saving change)
  kPolar,         // the Sun does not rise or does not set on the date, so no count from sunrise
  kRefused,       // the calculation refused the moment (a date outside the engine's range)
};

struct SweepGap {
  CivilDateTime from, to;
  SweepGapKind kind = SweepGapKind::kRefused;
  std::string message;  // the calculation's own words at the gap's first second
};

// The clock readings of the window that happened twice (the clocks were set back), seen with
// the other reading than the one the sweep's rows take: rows of their own over the same
// readings, with the abbreviations that tell the two apart ("CEST" and "CET").
struct SweepRepeat {
  CivilDateTime from, to;    // the doubled readings inside the window, [from, to)
  bool repeatIsLater = true;  // these rows are the later reading; the sweep's rows the earlier
  std::string earlierAbbreviation, laterAbbreviation;
  std::array<std::vector<SweepInterval>, kLagnaCount> lagnas;
  std::vector<SweepInterval> nakshatra;
  std::vector<SweepGap> gaps;
};

// The lagnas and the Moon's nakshatra around a birth time: for each, the stretches of the
// local clock with the value held throughout, in order, across [start, end). A gap interrupts
// every row.
struct BirthSweep {
  int minutes = 0;  // the window is the given time plus and minus this many minutes
  CivilDateTime given, start, end;
  std::array<std::vector<SweepInterval>, kLagnaCount> lagnas;
  std::vector<SweepInterval> nakshatra;
  std::vector<SweepGap> gaps;
  std::optional<SweepRepeat> repeat;  // for a birth with a zone id whose window holds a doubled hour
};

// A moment of the sweep: a clock reading and, in a doubled stretch, whether it is the
// repeat's reading rather than the rows'.
struct SweepMoment {
  CivilDateTime time;
  bool repeat = false;
  bool operator==(const SweepMoment&) const = default;
};

// The time axis of a sweep in the order the moments happened: the window's readings, with a
// doubled stretch twice (the earlier reading first). Each piece is a stretch of clock
// readings [from, to) of the rows (repeat false) or of the repeat's rows.
struct SweepAxisPiece {
  CivilDateTime from, to;
  bool repeat = false;
};
std::vector<SweepAxisPiece> SweepAxis(const BirthSweep& sweep);
// The seconds of the whole axis.
std::int64_t SweepAxisSeconds(const std::vector<SweepAxisPiece>& axis);
// The seconds from the axis' start to a moment (the axis' length for the window's end); a
// moment of the repeat outside the doubled stretch is taken as the rows'.
std::int64_t SweepAxisSecondOf(const std::vector<SweepAxisPiece>& axis, const SweepMoment& moment);
// The moment at a second of the axis (clamped into the axis).
SweepMoment SweepMomentAt(const std::vector<SweepAxisPiece>& axis, std::int64_t second);
// The abbreviation of the reading a moment stands for when the sweep holds a doubled stretch
// ("CEST", "CET"); empty without one.
std::string SweepAbbreviationOf(const BirthSweep& sweep, const SweepMoment& moment);

// The sweep of a birth's lagnas over the given time plus and minus `minutes` (1..720), each
// boundary to the second: the window is stepped a minute at a time and every step whose two
// ends differ is halved down to the second, each sample being a whole calculation of the
// chart at that local time with the birth's place, clock and `settings`. With a zone id in
// the birth's extras each sample takes the zone's offset at its own local time: readings the
// clocks skipped become a gap, and readings that happened twice take the reading with the
// birth's own offset (the earlier one when neither has it). Without a zone id the birth's
// offset holds throughout. The doubled readings of the window are also swept with the other
// reading, into `repeat`.
BirthSweep SweepBirthTime(const BirthData& birth, const CalculationSettings& settings, int minutes);

// The sweep of a calculated chart: its own birth data and settings.
BirthSweep SweepOfChart(const Chart& chart, int minutes);

// The window of the printed reading's birth-time sweep when none was asked for with the
// chart, minutes either side of the time.
inline constexpr int kDefaultPrintedSweepMinutes = 30;

// The sweep a printed reading (and a sweep picture) shows: the one computed with the chart
// when it was asked for, otherwise one over kDefaultPrintedSweepMinutes, computed here into
// `made`. The printed reading itself only draws what it is handed.
const BirthSweep& PrintedSweep(const Chart& chart, const BirthSweep* asked, std::optional<BirthSweep>& made);

// The chart's birth moved to another local clock reading and calculated whole with the
// chart's settings; nothing when the clocks skipped that reading or there is no chart there.
// `otherReading` takes, for a reading that happened twice, the reading the sweep's rows do
// not take (the repeat's).
std::shared_ptr<const Chart> ChartAtTime(const Chart& chart, const CivilDateTime& local, bool otherReading = false);

// The birth moved to another local clock reading, its zone reading looked up again as the
// sweep does; false when the clocks skipped that reading or the zone refuses it.
bool MoveBirthTo(const BirthData& birth, const CivilDateTime& local, BirthData& moved, bool otherReading = false);

// The number of different values a row takes.
int DistinctValues(const std::vector<SweepInterval>& row);

// "Within ±15 min: AL, BL, SL, Ascendant keep their signs; HL has 2 possible signs; GL 2;
// PpL 7." (and "No lagna keeps its sign" or "every lagna keeps its sign" when so).
std::string SweepSummary(const BirthSweep& sweep);

// "2024-03-10 02:00:00".
std::string SweepDateTimeText(const CivilDateTime& t);

// "06:41:00", with the date in front when it is not the given birth date.
std::string SweepClockText(const CivilDateTime& t, const CivilDateTime& given);

// "clocks skipped", "no sunrise or sunset", "no chart": a gap as the pictures label it.
std::string_view SweepGapLabel(SweepGapKind kind);

// The JSON key of a gap's kind: "skipped", "polar", "refused".
std::string_view SweepGapKey(SweepGapKind kind);

}  // namespace corvane
