#include "app/display_texts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace corvane {

namespace {

// Whole degrees within the sign, whole minutes and seconds, and the sign index (12 or more
// for a value of a whole turn or beyond) of a magnitude.
struct DegreeParts {
  int degrees, minutes, seconds;
  double sign;
};

DegreeParts PartsOf(double v) {
  double whole = std::floor(v);
  const double m = 60.0 * (v - whole);
  const double minutes = std::floor(m);
  const double seconds = std::floor(60.0 * (m - minutes));
  const double sign = std::floor(whole / 30.0);
  // The remainder of a whole number is exact, also for a huge value.
  whole = std::fmod(whole, 30.0);
  return {static_cast<int>(whole), static_cast<int>(minutes), static_cast<int>(seconds), sign};
}

std::string_view SignPart(double sign) {
  return sign < 12 ? kSignAbbreviations[static_cast<std::size_t>(sign)] : std::string_view{};
}

}  // namespace

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> BoxEntries(std::string_view text) {
  std::vector<std::string_view> entries;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
    const std::string_view entry = TrimBlanks(text.substr(0, end));
    if (!entry.empty()) entries.push_back(entry);
    text.remove_prefix(end == text.size() ? end : end + 1);
  }
  return entries;
}

std::string FormatLongitude(double degrees) {
  const double v = std::fabs(degrees);
  if (!std::isfinite(v)) return {};
  const DegreeParts p = PartsOf(v);
  std::string out = std::to_string(p.degrees);
  out += "\xC2\xB0 ";
  out += std::to_string(p.minutes);
  out += "' ";
  out += std::to_string(p.seconds);
  out += "\" ";
  out += SignPart(p.sign);
  return out;
}

std::string CompactLongitude(double degrees) {
  const double v = std::fabs(degrees);
  if (!std::isfinite(v)) return {};
  const DegreeParts p = PartsOf(v);
  char buffer[16];
  const std::string_view sign = SignPart(p.sign);
  const int n = std::snprintf(buffer, sizeof buffer, "%02d %.*s %02d", p.degrees, static_cast<int>(sign.size()),
                              sign.data(), p.minutes);
  return std::string(buffer, static_cast<std::size_t>(n));
}

std::string MinuteText(const CivilDateTime& t) {
  char buffer[48];
  const int n = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                              t.minute);
  return std::string(buffer, static_cast<std::size_t>(n));
}

}  // namespace corvane
