#include "app/chart_file.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/text_encoding.h"
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

// A chart file is a few hundred bytes; reading stops well beyond any genuine one.
constexpr std::size_t kMaxChartFileBytes = 1 << 20;

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// A whole decimal number of at most four digits (leading zeros allowed).
std::optional<int> ParseNumber(std::string_view text) {
  if (text.empty() || text.size() > 4) return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.front() == '-' || text.front() == '+') {
    return std::nullopt;
  }
  return value;
}

// The value of a list item whose text equals `text`: items are written without leading zeros.
std::optional<int> ParseListItem(std::string_view text, int first, int last) {
  const auto value = ParseNumber(text);
  if (!value || (text.size() > 1 && text.front() == '0')) return std::nullopt;
  if (*value < first || *value > last) return std::nullopt;
  return value;
}

std::optional<bool> ParseFlag(std::string_view text) {
  if (text == "True") return true;
  if (text == "False") return false;
  return std::nullopt;
}

// Coordinate boxes take digits only, up to their own width.
bool FitsCoordinateBox(std::string_view text, std::size_t width) {
  if (text.empty() || text.size() > width) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Splits at CR LF, and also at a lone CR or LF, which a scrambled field never contains.
std::vector<std::string_view> FirstLines(std::string_view bytes, std::size_t limit) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size() && lines.size() < limit) {
    std::size_t end = bytes.find_first_of("\r\n", start);
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

void AppendLine(std::string& out, std::string_view utf8) {
  out += EncodeField(Windows1252FromUtf8(TrimBlanks(utf8)));
  out += "\r\n";
}

void AppendNumber(std::string& out, int value) { AppendLine(out, std::to_string(value)); }
void AppendFlag(std::string& out, bool flag) { AppendLine(out, flag ? std::string_view("True") : std::string_view("False")); }

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::string EncodeField(std::string_view windows1252) {
  std::string out;
  out.reserve(windows1252.size());
  for (const char ch : windows1252) {
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

std::string DecodeField(std::string_view encoded) {
  std::string out;
  out.reserve(encoded.size());
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    const auto c = static_cast<unsigned char>(encoded[i]);
    if (c >= kShift) {
      out.push_back(static_cast<char>(c - kShift));
      continue;
    }
    if ((c != kEscapeLow && c != kEscapeHigh) || i + 1 >= encoded.size()) continue;
    const auto payload = static_cast<unsigned char>(encoded[i + 1]);
    const unsigned char last = c == kEscapeLow ? kLowPayloadLast : kHighPayloadLast;
    if (payload < kPayloadBase || payload > last) continue;  // broken escape: drop the escape alone
    const unsigned char base = c == kEscapeLow ? kFirstUnshiftable : kHighBase;
    out.push_back(static_cast<char>(payload - kPayloadBase + base));
    ++i;
  }
  return out;
}

bool HasChartFileExtension(std::string_view path) {
  return path.size() >= kChartFileExtension.size() &&
         path.substr(path.size() - kChartFileExtension.size()) == kChartFileExtension;
}

std::vector<std::string> UnstorableChartCharacters(const ChartState& chart) {
  std::vector<std::string> unstorable;
  for (const std::string* text : {&chart.BirthName, &chart.BirthCity, &chart.BirthState, &chart.BirthCountry}) {
    Windows1252FromUtf8(*text, &unstorable);
  }
  return unstorable;
}

std::string EncodeChartFile(const ChartState& chart) {
  std::string out;
  out.reserve(256);
  AppendLine(out, chart.BirthName);
  AppendNumber(out, chart.BirthMonth);
  AppendNumber(out, chart.BirthDay);
  AppendNumber(out, chart.BirthYear);
  AppendNumber(out, chart.BirthHour);
  AppendNumber(out, chart.BirthMinute);
  AppendNumber(out, chart.ZonePosition);
  AppendNumber(out, chart.LongitudeDegrees);
  AppendNumber(out, chart.LongitudeMinutes);
  AppendNumber(out, chart.LatitudeDegrees);
  AppendNumber(out, chart.LatitudeMinutes);
  AppendFlag(out, chart.IsEast);
  AppendFlag(out, chart.IsSouth);
  AppendFlag(out, chart.IsDaylightSaving);
  AppendLine(out, chart.BirthCity);
  AppendLine(out, chart.BirthState);
  AppendLine(out, chart.BirthCountry);
  return out;
}

BirthData ApplyChartFile(std::string_view bytes, const BirthData& current) {
  BirthData form = current;
  const auto lines = FirstLines(bytes, kChartFileLineCount);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string field = DecodeField(lines[i]);
    const std::string_view text = field;
    switch (i + 1) {
      case 1: form.name = Utf8FromWindows1252(text); break;
      case 2:
        if (const auto month = ParseNumber(text); month && *month >= 1 && *month <= 12) form.monthIndex = *month - 1;
        break;
      case 3:
        if (const auto day = ParseListItem(text, 1, 31)) form.day = *day;
        break;
      case 4:
        if (const auto year = ParseListItem(text, 1901, 2050)) form.year = *year;
        break;
      case 5:
        if (const auto hour = ParseListItem(text, 0, 23)) form.hour = *hour;
        break;
      case 6:
        if (const auto minute = ParseListItem(text, 0, 59)) form.minute = *minute;
        break;
      case 7:
        if (const auto zone = ParseNumber(text); zone && *zone < kZoneCount) form.zonePosition = *zone;
        break;
      case 8:
        if (FitsCoordinateBox(text, 3)) form.lonDegrees = field;
        break;
      case 9:
        if (FitsCoordinateBox(text, 2)) form.lonMinutes = field;
        break;
      case 10:
        if (FitsCoordinateBox(text, 2)) form.latDegrees = field;
        break;
      case 11:
        if (FitsCoordinateBox(text, 2)) form.latMinutes = field;
        break;
      case 12:
        if (const auto flag = ParseFlag(text)) form.east = *flag;
        break;
      case 13:
        if (const auto flag = ParseFlag(text)) form.south = *flag;
        break;
      case 14:
        if (const auto flag = ParseFlag(text)) form.daylightSaving = *flag;
        break;
      case 15: form.city = Utf8FromWindows1252(text); break;
      case 16: form.state = Utf8FromWindows1252(text); break;
      case 17: form.country = Utf8FromWindows1252(text); break;
      default: break;
    }
  }
  return form;
}

std::optional<std::string> SaveChartFile(const std::string& path, const ChartState& chart) {
  const auto unstorable = UnstorableChartCharacters(chart);
  if (!unstorable.empty()) {
    std::string message = "These characters cannot be stored in a chart file:";
    for (const auto& c : unstorable) message += " " + c;
    return message;
  }
  const std::string bytes = EncodeChartFile(chart);
  FileHandle file(std::fopen(path.c_str(), "wb"));
  if (!file) return "The chart file could not be created: " + path + " (" + std::strerror(errno) + ")";
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  const bool closed = std::fclose(file.release()) == 0;
  if (!written || !closed) return "The chart file could not be written: " + path;
  return std::nullopt;
}

std::optional<std::string> ReadChartFile(const std::string& path) {
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  std::string bytes;
  int lineFeeds = 0;
  int c = 0;
  while (lineFeeds < kChartFileLineCount && bytes.size() < kMaxChartFileBytes && (c = std::fgetc(file.get())) != EOF) {
    bytes.push_back(static_cast<char>(c));
    if (c == '\n') ++lineFeeds;
  }
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

}  // namespace corvane
