#include "app/chart_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cerrno>
#include <cstring>
#include <set>
#include <memory>

#include "app/atomic_file.h"
#include "app/birth_validation.h"
#include "app/display_texts.h"
#include "app/input_file.h"
#include "app/text_encoding.h"
#include "app/whole_number.h"
#include "app/zone_table.h"

namespace corvane {
namespace {

constexpr unsigned char kShift = 85;
constexpr unsigned char kFirstUnshiftable = 256 - kShift;  // 171
constexpr unsigned char kEscapeLow = 0x01;                  // bytes 171..212
constexpr unsigned char kEscapeHigh = 0x02;                 // bytes 213..255
constexpr unsigned char kHighBase = 213;
constexpr unsigned char kPayloadBase = 32;
constexpr unsigned char kLowPayloadLast = kPayloadBase + (kHighBase - 1 - kFirstUnshiftable);  // 73
constexpr unsigned char kHighPayloadLast = kPayloadBase + (255 - kHighBase);                   // 74

constexpr std::string_view kSecondKey = "second";
constexpr std::string_view kZoneIdKey = "tz";
constexpr std::string_view kUtcOffsetKey = "utc_offset_seconds";
constexpr std::string_view kFoldKey = "fold";
constexpr std::string_view kPlaceKey = "place";
constexpr std::string_view kPlaceFilledKey = "place_filled";
// The fields a found place may fill, in the order a list of them is written.
constexpr std::string_view kPlaceFields[] = {"lon", "lat", "city", "state", "country", "zone"};
constexpr int kMaxUtcOffsetSeconds = 18 * 3600;
constexpr std::size_t kMaxZoneIdLength = 128;

// Decodes a field; nothing when a byte below 85 is not part of a well-formed escape pair
// (`strict`), otherwise such bytes are dropped.
std::optional<std::string> Decode(std::string_view encoded, bool strict) {
  std::string out;
  out.reserve(encoded.size());
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    const auto c = static_cast<unsigned char>(encoded[i]);
    if (c >= kShift) {
      out.push_back(static_cast<char>(c - kShift));
      continue;
    }
    const bool escape = (c == kEscapeLow || c == kEscapeHigh) && i + 1 < encoded.size();
    const auto payload = escape ? static_cast<unsigned char>(encoded[i + 1]) : 0;
    const unsigned char last = c == kEscapeLow ? kLowPayloadLast : kHighPayloadLast;
    if (!escape || payload < kPayloadBase || payload > last) {
      if (strict) return std::nullopt;
      continue;  // a stray byte or broken escape: drop the byte alone
    }
    const unsigned char base = c == kEscapeLow ? kFirstUnshiftable : kHighBase;
    out.push_back(static_cast<char>(payload - kPayloadBase + base));
    ++i;
  }
  return out;
}

// A whole decimal number of at most four digits (leading zeros allowed).
std::optional<int> ParseNumber(std::string_view text) { return ParseDigits(text, 4); }

// The value of a list item whose text equals `text`: items are written without leading zeros.
std::optional<int> ParseListItem(std::string_view text, int first, int last) {
  const auto value = ParseNumber(text);
  if (!value || (text.size() > 1 && text.front() == '0')) return std::nullopt;
  if (*value < first || *value > last) return std::nullopt;
  return value;
}

std::optional<int> ParseNumberIn(std::string_view text, int first, int last) {
  const auto value = ParseNumber(text);
  if (!value || *value < first || *value > last) return std::nullopt;
  return value;
}

// A signed offset in seconds: an optional minus, then digits without leading zeros.
std::optional<int> ParseOffsetSeconds(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty() || text.size() > 5 || (text.size() > 1 && text.front() == '0')) return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value > kMaxUtcOffsetSeconds) return std::nullopt;
  return negative ? -value : value;
}

std::optional<bool> ParseFlag(std::string_view text) {
  if (text == "True") return true;
  if (text == "False") return false;
  return std::nullopt;
}

// Coordinate boxes take digits only, up to their own width.
std::optional<std::string> ParseCoordinateBox(std::string_view text, std::size_t width) {
  if (text.empty() || text.size() > width) return std::nullopt;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  return std::string(text);
}

// A text box holds printable characters only; a control character means the bytes are
// not a chart's text. Its outer blanks are dropped, as the saver drops them, so that a text
// reads back as the saver would store it.
std::optional<std::string> ParseText(std::string_view windows1252) {
  for (const char ch : windows1252) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F) return std::nullopt;
  }
  return Utf8FromWindows1252(TrimBlanks(windows1252));
}

bool IsStorableZoneId(std::string_view id) {
  if (id.empty() || id.size() > kMaxZoneIdLength) return false;
  for (const char c : id) {
    const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' ||
                         c == '_' || c == '+' || c == '-' || c == '.';
    if (!allowed) return false;
  }
  return true;
}

bool HasControlCharacter(std::string_view bytes) {
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

// "lon,lat,city": known field names, each once, in their order; nothing otherwise.
std::optional<std::vector<std::string>> ParsePlaceFilled(std::string_view text) {
  std::vector<std::string> fields;
  std::size_t next = 0;
  for (;;) {
    const std::size_t comma = text.find(',');
    const std::string_view field = text.substr(0, comma);
    std::size_t at = next;
    while (at < std::size(kPlaceFields) && kPlaceFields[at] != field) ++at;
    if (at == std::size(kPlaceFields)) return std::nullopt;
    fields.emplace_back(field);
    next = at + 1;
    if (comma == std::string_view::npos) return fields;
    text.remove_prefix(comma + 1);
  }
}

bool IsKey(std::string_view key) {
  if (key.empty()) return false;
  for (const char c : key) {
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
  }
  return true;
}

// Splits at CR LF, and also at a lone CR or LF, which an encoded field never contains.
// A last line without a line end counts as a line.
std::vector<std::string_view> Lines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 1;
    if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return lines;
}

void AppendLine(std::string& out, std::string_view bytes) {
  out += EncodeField(bytes);
  out += "\r\n";
}

void AppendText(std::string& out, std::string_view utf8) { AppendLine(out, Windows1252FromUtf8(TrimBlanks(utf8))); }
void AppendNumber(std::string& out, int value) { AppendLine(out, std::to_string(value)); }
void AppendFlag(std::string& out, bool flag) { AppendLine(out, flag ? std::string_view("True") : std::string_view("False")); }
void AppendExtra(std::string& out, std::string_view key, std::string_view value) {
  AppendLine(out, std::string(key) + "=" + std::string(value));
}

ParsedChartFile Refuse(int line, std::string reason) { return {ChartFileRefusal{line, std::move(reason)}}; }

// Reads one of the 17 classic lines into its field; false when the control cannot take it.
bool ReadClassicField(int line, std::string_view text, BirthData& birth) {
  auto set = [](auto& field, auto value) {
    if (!value) return false;
    field = *value;
    return true;
  };
  switch (line) {
    case 1: return set(birth.name, ParseText(text));
    case 2: {
      const auto month = ParseNumberIn(text, 1, 12);
      if (month) birth.monthIndex = *month - 1;
      return month.has_value();
    }
    case 3: return set(birth.day, ParseListItem(text, 1, 31));
    case 4: return set(birth.year, ParseListItem(text, kAnyEngineYears.first, kAnyEngineYears.last));
    case 5: return set(birth.hour, ParseListItem(text, 0, 23));
    case 6: return set(birth.minute, ParseListItem(text, 0, 59));
    case 7: return set(birth.zonePosition, ParseNumberIn(text, 0, kZoneCount - 1));
    case 8: return set(birth.lonDegrees, ParseCoordinateBox(text, 3));
    case 9: return set(birth.lonMinutes, ParseCoordinateBox(text, 2));
    case 10: return set(birth.latDegrees, ParseCoordinateBox(text, 2));
    case 11: return set(birth.latMinutes, ParseCoordinateBox(text, 2));
    case 12: return set(birth.east, ParseFlag(text));
    case 13: return set(birth.south, ParseFlag(text));
    case 14: return set(birth.daylightSaving, ParseFlag(text));
    case 15: return set(birth.city, ParseText(text));
    case 16: return set(birth.state, ParseText(text));
    case 17: return set(birth.country, ParseText(text));
    default: return false;
  }
}

constexpr const char* kClassicFieldNames[kChartFileLineCount] = {
    "name", "month", "day", "year", "hour", "minute", "zone", "longitude degrees", "longitude minutes",
    "latitude degrees", "latitude minutes", "East flag", "South flag", "daylight-saving flag", "city", "state",
    "country"};

// Reads one "key=value" line of the addition; a refusal reason, or nothing when taken.
std::optional<std::string> ReadExtra(std::string_view entry, std::set<std::string, std::less<>>& seen,
                                     BirthData& birth) {
  const std::size_t equals = entry.find('=');
  if (equals == std::string_view::npos || !IsKey(entry.substr(0, equals))) return "not a key=value entry";
  const std::string_view key = entry.substr(0, equals);
  const std::string_view value = entry.substr(equals + 1);
  if (!seen.emplace(key).second) return "\"" + std::string(key) + "\" is given twice";
  if (key == kSecondKey) {
    const auto second = ParseListItem(value, 0, 59);
    if (!second) return "the second is not 0 to 59";
    birth.second = *second;
  } else if (key == kZoneIdKey) {
    if (!IsStorableZoneId(value)) return "the zone name is not one";
    birth.extras.zoneId = std::string(value);
  } else if (key == kUtcOffsetKey) {
    const auto offset = ParseOffsetSeconds(value);
    if (!offset) return "the UT offset is not a whole number of seconds within 18 hours";
    birth.extras.utcOffsetSeconds = *offset;
  } else if (key == kFoldKey) {
    if (value != "earlier" && value != "later") return "the doubled-hour reading is not earlier or later";
    birth.extras.fold = value == "earlier" ? DoubledHour::kEarlier : DoubledHour::kLater;
  } else if (key == kPlaceKey) {
    if (value.empty() || HasControlCharacter(value)) return "the place is empty or holds a control character";
    birth.place = std::string(value);
  } else if (key == kPlaceFilledKey) {
    auto fields = ParsePlaceFilled(value);
    if (!fields) return "the fields the place filled are not a list of field names";
    birth.placeFilled = std::move(*fields);
  }
  return std::nullopt;  // a key of a later version: passed over
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::string EncodeField(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < kFirstUnshiftable) {
      out.push_back(static_cast<char>(c + kShift));
    } else if (c < kHighBase) {
      out.push_back(static_cast<char>(kEscapeLow));
      out.push_back(static_cast<char>(c - kFirstUnshiftable + kPayloadBase));
    } else {
      out.push_back(static_cast<char>(kEscapeHigh));
      out.push_back(static_cast<char>(c - kHighBase + kPayloadBase));
    }
  }
  return out;
}

std::string DecodeField(std::string_view encoded) { return *Decode(encoded, false); }

bool HasChartFileExtension(std::string_view path) {
  return path.size() >= kChartFileExtension.size() &&
         path.substr(path.size() - kChartFileExtension.size()) == kChartFileExtension;
}

std::vector<std::string> UnstorableChartCharacters(const Chart& chart) {
  std::vector<std::string> unstorable;
  const ChartBirth& b = chart.birth;
  for (const std::string* text : {&b.name, &b.city, &b.state, &b.country}) Windows1252FromUtf8(*text, &unstorable);
  return unstorable;
}

std::optional<std::string> UnstorableExtras(const BirthExtras& extras) {
  if (extras.zoneId && !IsStorableZoneId(*extras.zoneId))
    return "The zone name \"" + *extras.zoneId + "\" cannot be stored in a chart file.";
  if (extras.utcOffsetSeconds && (*extras.utcOffsetSeconds < -kMaxUtcOffsetSeconds ||
                                  *extras.utcOffsetSeconds > kMaxUtcOffsetSeconds))
    return "An offset from UT of " + std::to_string(*extras.utcOffsetSeconds) +
           " seconds cannot be stored in a chart file.";
  return std::nullopt;
}

namespace {

// The extras the chart's clock and place give the file. A clock on a zone row keeps a zone id
// or doubled-hour reading the birth names without an offset (a file written by hand): they
// did not set the clock, and the file opens again the same.
BirthExtras ExtrasOf(const Chart& chart) {
  BirthExtras extras;
  if (chart.clock.source == ClockSource::kZoneRow) {
    if (!chart.clock.recordedZoneId.empty()) extras.zoneId = chart.clock.recordedZoneId;
    extras.fold = chart.clock.recordedFold;
    return extras;
  }
  if (!chart.clock.zoneId.empty()) extras.zoneId = chart.clock.zoneId;
  extras.utcOffsetSeconds = chart.clock.utcOffsetSeconds;
  extras.fold = chart.clock.fold;
  return extras;
}

}  // namespace

std::optional<std::string> UnsavableChart(const Chart& chart) {
  const auto unstorable = UnstorableChartCharacters(chart);
  if (!unstorable.empty()) {
    std::string message = "These characters cannot be stored in a chart file:";
    for (const auto& c : unstorable) message += " " + c;
    return message;
  }
  const ChartBirth& b = chart.birth;
  const std::pair<std::string_view, const std::string*> texts[] = {
      {"name", &b.name}, {"city", &b.city}, {"state", &b.state}, {"country", &b.country}, {"place", &b.place}};
  for (const auto& [field, text] : texts) {
    if (HasControlCharacter(*text))
      return "The " + std::string(field) +
             " holds a control character (a line break, tab or the like), which a chart file cannot hold.";
  }
  if (auto message = UnstorableExtras(ExtrasOf(chart))) return message;
  if (EncodeChartFile(chart).size() > kMaxChartFileBytes) {
    const auto longest = std::max_element(std::begin(texts), std::end(texts), [](const auto& x, const auto& y) {
      return x.second->size() < y.second->size();
    });
    return "The " + std::string(longest->first) + " is too long: a chart file holds at most " +
           std::to_string(kMaxChartFileBytes / 1024) + " KiB.";
  }
  return std::nullopt;
}

std::string EncodeChartFile(const Chart& chart) {
  const ChartBirth& b = chart.birth;
  std::string out;
  out.reserve(320);
  AppendText(out, b.name);
  AppendNumber(out, b.monthIndex + 1);
  AppendNumber(out, b.day);
  AppendNumber(out, b.year);
  AppendNumber(out, b.hour);
  AppendNumber(out, b.minute);
  AppendNumber(out, chart.clock.zonePosition);
  AppendNumber(out, b.longitude.degrees);
  AppendNumber(out, b.longitude.minutes);
  AppendNumber(out, b.latitude.degrees);
  AppendNumber(out, b.latitude.minutes);
  AppendFlag(out, b.longitude.positive);
  AppendFlag(out, !b.latitude.positive);
  AppendFlag(out, chart.clock.daylightSaving);
  AppendText(out, b.city);
  AppendText(out, b.state);
  AppendText(out, b.country);

  AppendLine(out, kChartFileExtrasMarker);
  AppendExtra(out, kSecondKey, std::to_string(b.second));
  const BirthExtras extras = ExtrasOf(chart);
  if (extras.zoneId) AppendExtra(out, kZoneIdKey, *extras.zoneId);
  if (extras.utcOffsetSeconds) AppendExtra(out, kUtcOffsetKey, std::to_string(*extras.utcOffsetSeconds));
  if (extras.fold != DoubledHour::kNone)
    AppendExtra(out, kFoldKey, extras.fold == DoubledHour::kEarlier ? "earlier" : "later");
  if (!b.place.empty()) AppendExtra(out, kPlaceKey, b.place);
  if (!b.placeFilled.empty()) {
    std::string list;
    for (const std::string& field : b.placeFilled) list += (list.empty() ? "" : ",") + field;
    AppendExtra(out, kPlaceFilledKey, list);
  }
  return out;
}

ParsedChartFile ParseChartFile(std::string_view bytes) {
  if (bytes.size() > kMaxChartFileBytes) return Refuse(0, "larger than any chart file");
  const auto lines = Lines(bytes);
  if (lines.size() < static_cast<std::size_t>(kChartFileLineCount))
    return Refuse(0, std::to_string(lines.size()) + " lines instead of 17");

  BirthData birth;
  for (int line = 1; line <= kChartFileLineCount; ++line) {
    const auto text = Decode(lines[line - 1], true);
    if (!text || !ReadClassicField(line, *text, birth))
      return Refuse(line, std::string("the ") + kClassicFieldNames[line - 1] + " cannot be read");
  }
  if (lines.size() == static_cast<std::size_t>(kChartFileLineCount)) return {birth};

  const int markerLine = kChartFileLineCount + 1;
  if (Decode(lines[markerLine - 1], true) != kChartFileExtrasMarker)
    return Refuse(markerLine, "more than 17 lines, and no addition marker after them");
  std::set<std::string, std::less<>> seen;
  for (std::size_t i = markerLine; i < lines.size(); ++i) {
    const int line = static_cast<int>(i) + 1;
    const auto entry = Decode(lines[i], true);
    if (!entry) return Refuse(line, "the addition line cannot be read");
    if (auto reason = ReadExtra(*entry, seen, birth)) return Refuse(line, std::move(*reason));
  }
  return {birth};
}

std::optional<std::string> SaveChartFile(const std::string& path, const Chart& chart) {
  if (auto message = UnsavableChart(chart)) return message;
  const auto failure = WriteFileAtomically(path, EncodeChartFile(chart));
  if (!failure) return std::nullopt;
  if (failure->replaced()) return "The chart file " + path + " was saved, but " + failure->describe() + ".";
  return "The chart file could not be saved to " + path + ": " + failure->describe() +
         ". Any file of that name is unchanged.";
}

std::optional<std::string> ReadChartFile(const std::string& path, std::string& why) {
  FileHandle file(OpenInputStream(path, why));
  if (!file) return std::nullopt;
  std::string bytes(kMaxChartFileBytes + 1, '\0');
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
  if (std::ferror(file.get())) {
    why = std::strerror(errno);
    return std::nullopt;
  }
  return bytes;
}

}  // namespace corvane
