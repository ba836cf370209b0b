#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/birth_data.h"
#include "app/chart_state.h"

namespace corvane {

// A chart file holds the birth details of one chart in 17 lines of Windows-1252 text,
// each line ending in CR LF and lightly scrambled by shifting every byte up by 85.
inline constexpr int kChartFileLineCount = 17;
inline constexpr std::string_view kChartFileExtension = "zdh";
inline constexpr std::string_view kCheckTheFileMessage = "Please Check The File.";

// Scrambles one Windows-1252 field. A byte c below 171 becomes c + 85, so a field made
// only of such bytes is the classic shifted text. A byte of 171 or more does not fit that
// shift and is written as two bytes below 85, which a reader of the shift alone skips:
//   171..212 -> 0x01, c - 171 + 32      213..255 -> 0x02, c - 213 + 32
// Neither byte is ever CR or LF, and the second lies in 32..74.
std::string EncodeField(std::string_view windows1252);

// Reverses EncodeField: c >= 85 becomes c - 85; an escape pair becomes its byte; any
// other byte below 85 (including a broken escape) is dropped, as the plain shift drops it.
std::string DecodeField(std::string_view encoded);

// True when the path ends in exactly "zdh" (case-sensitive).
bool HasChartFileExtension(std::string_view path);

// The characters of the name and place texts that Windows-1252 cannot hold, each once,
// in the order they appear. A chart with any of them is not saved.
std::vector<std::string> UnstorableChartCharacters(const ChartState& chart);

// The 17 encoded lines of a chart, CR LF after each. Unstorable characters are left out,
// so callers check UnstorableChartCharacters first.
std::string EncodeChartFile(const ChartState& chart);

// Applies the lines of a chart file to a copy of the current form values: every line that
// can be read changes its field, every other field keeps its value. Reads at most 17 lines;
// seconds are not stored and stay as they were. Safe on any bytes.
BirthData ApplyChartFile(std::string_view bytes, const BirthData& current);

// Writes the chart's file; returns why it could not, or nothing on success. Nothing is
// written when a text holds an unstorable character.
std::optional<std::string> SaveChartFile(const std::string& path, const ChartState& chart);

// The bytes of a chart file, or nothing when it cannot be read. Reading stops after the
// 17th line, so a huge file is never loaded whole.
std::optional<std::string> ReadChartFile(const std::string& path);

}  // namespace corvane
