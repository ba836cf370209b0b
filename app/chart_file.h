#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/birth_data.h"
#include "app/chart.h"

namespace corvane {

// A chart file holds the birth details of one chart in 17 lines of Windows-1252 text,
// each line ending in CR LF and lightly scrambled by shifting every byte up by 85:
//   name, month (1..12), day, year, hour, minute, zone list position, longitude degrees and
//   minutes, latitude degrees and minutes, East, South, daylight saving ("True"/"False"),
//   city, state, country.
// After them comes an addition that readers of the 17 lines never reach: a marker line
// "corvane-extras=1" and then one "key=value" line per extra, encoded like every other line
// (the value as UTF-8 bytes), in any order, each key at most once:
//   second=59                      the birth second, 0..59
//   tz=Asia/Kolkata                a time zone database name
//   utc_offset_seconds=19800       local time minus UT in seconds, -64800..64800
//   fold=earlier                   which reading of a doubled hour gave that offset (or later)
//   place=München, Bavaria, ...    the found place the details came from
//   place_filled=lon,lat,city      the fields that place filled (lon, lat, city, state,
//                                  country, zone), comma-separated
// The chart file holds the birth and its clock, not the settings: the engine and conventions
// are the program's preferences when the file is opened.
// A reader takes the keys it knows and passes over others, so later versions may add keys;
// a change that older readers must not misread raises the marker's number instead.
inline constexpr int kChartFileLineCount = 17;
inline constexpr std::string_view kChartFileExtension = "zdh";
inline constexpr std::string_view kCheckTheFileMessage = "Please Check The File.";
inline constexpr std::string_view kChartFileExtrasMarker = "corvane-extras=1";
// A chart file is a few hundred bytes; anything larger than this is not one.
inline constexpr std::size_t kMaxChartFileBytes = 64 * 1024;

// Scrambles one field. A byte c below 171 becomes c + 85, so a field made only of such
// bytes is the classic shifted text. A byte of 171 or more does not fit that shift and is
// written as two bytes below 85, which a reader of the shift alone skips:
//   171..212 -> 0x01, c - 171 + 32      213..255 -> 0x02, c - 213 + 32
// Neither byte is ever CR or LF, and the second lies in 32..74, so an encoded field never
// holds a line end whatever bytes it encodes.
std::string EncodeField(std::string_view bytes);

// Reverses EncodeField: c >= 85 becomes c - 85; an escape pair becomes its byte; any
// other byte below 85 (including a broken escape) is dropped, as the plain shift drops it.
std::string DecodeField(std::string_view encoded);

// True when the path ends in exactly "zdh" (case-sensitive).
bool HasChartFileExtension(std::string_view path);

// The characters of the name and place texts that Windows-1252 cannot hold, each once,
// in the order they appear. A chart with any of them is not saved.
std::vector<std::string> UnstorableChartCharacters(const Chart& chart);

// Why extras cannot be stored: a zone name with characters other than letters, digits and
// "/_+-." (or longer than 128), or an offset beyond 18 hours; nothing when they can.
std::optional<std::string> UnstorableExtras(const BirthExtras& extras);

// Why the chart's file could not be opened again as it is, naming the field: a character
// Windows-1252 cannot hold, a control character (CR, LF, TAB, 0x01, DEL, ...) in a text, a zone
// name or offset that cannot be stored, or a file larger than a reader takes
// (kMaxChartFileBytes). Nothing when the chart can be saved.
std::optional<std::string> UnsavableChart(const Chart& chart);

// The chart's file: the 17 lines from its birth and clock, then the addition with the birth
// second, the clock's zone id, exact offset and doubled-hour reading, and the found place,
// CR LF after each line. Unstorable characters are left out, so callers check UnsavableChart
// first (SaveChartFile does).
std::string EncodeChartFile(const Chart& chart);

// The bytes are not a chart file: which line (0 for the file as a whole) and what is wrong.
struct ChartFileRefusal {
  int line = 0;
  std::string reason;
};

// Reads a chart file: every field of the birth data comes from the file (the second is 0
// and the extras unset when the file has no addition), or the file is refused as a whole.
// Refused: more than kMaxChartFileBytes, fewer than 17 lines, a line that does not decode
// cleanly (a byte below 85 that is no escape pair), a control character in a text, a number
// or flag that its control cannot take, a line after the 17th that is not the addition's
// marker, a malformed or repeated addition line, or a known key with a bad value.
// Line ends may be CR LF, LF or CR; the last line may lack one. Safe on any bytes.
struct ParsedChartFile {
  std::variant<BirthData, ChartFileRefusal> outcome;

  bool ok() const { return outcome.index() == 0; }
  const BirthData& birth() const { return std::get<BirthData>(outcome); }
  const ChartFileRefusal& refusal() const { return std::get<ChartFileRefusal>(outcome); }
};
ParsedChartFile ParseChartFile(std::string_view bytes);

// Replaces the chart's file atomically (see WriteFileAtomically); returns the message to show
// when it could not, or nothing on success. Nothing is written when UnsavableChart refuses.
std::optional<std::string> SaveChartFile(const std::string& path, const Chart& chart);

// The bytes of a file to parse, or nothing when it cannot be read, with `why` saying so.
// At most one byte more than kMaxChartFileBytes is read, so a huge file is never loaded
// whole. Only a regular file is read (see OpenInputFile): a FIFO or device is refused at once.
std::optional<std::string> ReadChartFile(const std::string& path, std::string& why);

}  // namespace corvane
