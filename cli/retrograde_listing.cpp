#include "cli/retrograde_listing.h"

#include <cstdio>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "astro/retrograde.h"

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

int PrintRetrogrades(int year, bool json, std::ostream& out) {
  const std::vector<RetrogradePeriod> periods = RetrogradePeriodsTouchingYear(year);
  if (json) {
    // Keys keep the order they are written in: year first, then planet, start, end.
    nlohmann::ordered_json doc = {{"year", year}, {"periods", nlohmann::ordered_json::array()}};
    for (const RetrogradePeriod& p : periods) {
      doc["periods"].push_back({{"planet", std::string(p.planet)}, {"start", IsoMinute(p.start)}, {"end", IsoMinute(p.end)}});
    }
    out << doc.dump(2) << '\n';
    return periods.empty() ? 1 : 0;
  }
  if (periods.empty()) {
    out << "No retrograde periods known for " << year << ": the station tables cover 1899 to 2051.\n";
    return 1;
  }
  out << "Retrograde periods touching " << year << " (UT)\n";
  for (const RetrogradePeriod& p : periods) {
    std::string planet(p.planet);
    planet.resize(8, ' ');
    out << planet << "  retrograde from " << IsoMinute(p.start) << " UT to " << IsoMinute(p.end) << " UT  "
        << LengthInDays(p) << " days\n";
  }
  return 0;
}

}  // namespace corvane
