#include "cli/retrograde_listing.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>
#include <vector>

#include "astro/retrograde.h"
#include "cli/json_writer.h"

namespace corvane {

namespace {

// "YYYY-MM-DD HH:MM".
std::string IsoMinute(const CivilDateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
  return text;
}

std::string LengthInDays(const RetrogradePeriod& p) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", static_cast<double>(SecondCountDifference(p.start, p.end)) / 86400.0);
  return text;
}

}  // namespace

YearSpan RetrogradeTableYears() { return {kStationFirstYear, kStationLastYear}; }

std::optional<long long> ParseYear(std::string_view text) {
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  unsigned long long magnitude = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  constexpr auto kLargest = std::numeric_limits<long long>::max();
  if (ec == std::errc::result_out_of_range || magnitude > static_cast<unsigned long long>(kLargest)) {
    return negative ? std::numeric_limits<long long>::min() : kLargest;
  }
  const auto value = static_cast<long long>(magnitude);
  return negative ? -value : value;
}

std::string NoRetrogradesMessage(std::string_view yearText) {
  const YearSpan span = RetrogradeTableYears();
  return "No retrograde periods known for " + std::string(yearText) + ": the station tables cover " +
         std::to_string(span.first) + " to " + std::to_string(span.last) + ".";
}

std::string RetrogradeListing(int year, bool json) {
  const std::vector<RetrogradePeriod> periods = RetrogradePeriodsTouchingYear(year);
  if (json) {
    PrettyJsonWriter out;
    out.StartObject();
    out.Key("year");
    out.Int(year);
    out.Key("periods");
    out.StartArray();
    for (const RetrogradePeriod& p : periods) {
      out.StartObject();
      out.Key("planet");
      out.String(p.planet);
      out.Key("start");
      out.String(IsoMinute(p.start));
      out.Key("end");
      out.String(IsoMinute(p.end));
      out.EndObject();
    }
    out.EndArray();
    out.EndObject();
    return std::string(out.Text()) + "\n";
  }
  std::string text = "Retrograde periods touching " + std::to_string(year) + " (UT)\n";
  for (const RetrogradePeriod& p : periods) {
    std::string planet(p.planet);
    planet.resize(8, ' ');
    text += planet + "  retrograde from " + IsoMinute(p.start) + " UT to " + IsoMinute(p.end) + " UT  " +
            LengthInDays(p) + " days\n";
  }
  return text;
}

}  // namespace corvane
