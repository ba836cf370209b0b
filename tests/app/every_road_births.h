#pragma once
// The births of tests/app/data/every_road_births.csv, which the tests of every road into a
// chart (options, batch row, saved file, input form, Python) share.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace corvane::testing {

// A birth as the command-line options give it ("" for an option not given); every road takes
// the same values.
struct RoadBirth {
  std::string label, date, time, zone, dst, lon, lat, tz, place, fold;
};

// The births of the file, in its order; empty when it cannot be read. Lines starting with '#'
// and the header are skipped; fields hold no commas or quotes.
inline std::vector<RoadBirth> ReadRoadBirths(const std::string& path) {
  std::ifstream in(path);
  std::vector<RoadBirth> births;
  std::string line;
  bool header = true;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (header) {
      header = false;
      continue;
    }
    std::vector<std::string> f;
    std::stringstream fields(line);
    for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
    if (line.back() == ',') f.emplace_back();
    if (f.size() != 10) return {};
    births.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9]});
  }
  return births;
}

}  // namespace corvane::testing
