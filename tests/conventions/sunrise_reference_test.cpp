// Sunrise and sunset of 2019 at 29 N 81 W, 60 N 0 and 60 S 150 W against the reference rows
// of tests/data/usno_sun_2019.tsv (the U.S. Naval Observatory's definition; see the file's
// header for how the rows were made). The precise engine must stay within a minute; how far
// the element method strays is recorded, not asserted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "astro/element_ephemeris.h"
#include "astro/swiss_ephemeris.h"

namespace corvane {
namespace {

struct Row {
  std::string place;
  GeoPoint point;
  int zone = 0;  // standard time minus UT, hours
  int year = 0, month = 0, day = 0;
  int rise = 0, set = 0;  // minutes after local midnight
};

int Minutes(const std::string& hhmm) { return std::stoi(hhmm.substr(0, 2)) * 60 + std::stoi(hhmm.substr(3, 2)); }
int Minutes(const CivilDateTime& t) { return t.hour * 60 + t.minute; }

std::vector<Row> ReadRows() {
  std::ifstream in(std::string(CORVANE_SOURCE_DIR) + "/tests/data/usno_sun_2019.tsv");
  EXPECT_TRUE(in.good());
  std::vector<Row> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::vector<std::string> f;
    for (std::string field; std::getline(fields, field, '\t');) f.push_back(field);
    if (f.size() != 7) {
      ADD_FAILURE() << "malformed row: " << line;
      continue;
    }
    Row r;
    r.place = f[0];
    r.point = {std::stod(f[1]), std::stod(f[2])};
    r.zone = std::stoi(f[3]);
    r.year = std::stoi(f[4].substr(0, 4));
    r.month = std::stoi(f[4].substr(5, 2));
    r.day = std::stoi(f[4].substr(8, 2));
    r.rise = Minutes(f[5]);
    r.set = Minutes(f[6]);
    rows.push_back(r);
  }
  return rows;
}

struct Deviation {
  int worst = 0;
  long total = 0;
  int count = 0;
  void Add(int minutes) {
    worst = std::max(worst, std::abs(minutes));
    total += std::abs(minutes);
    ++count;
  }
};

TEST(SunriseReference, PreciseEngineWithinAMinuteAndTheElementMethodRecorded) {
  const std::vector<Row> rows = ReadRows();
  ASSERT_EQ(rows.size(), 3u * 365u);
  const SwissEphemeris precise;
  const ElementEphemeris elements;
  std::map<std::string, Deviation> preciseOff, elementOff;
  for (const Row& r : rows) {
    const int zone = r.zone * 3600;
    const RiseSet p = precise.SunRiseSet(r.year, r.month, r.day, r.point, zone);
    const RiseSet e = elements.SunRiseSet(r.year, r.month, r.day, r.point, zone);
    ASSERT_TRUE(p.ok() && e.ok()) << r.place << " " << r.month << "-" << r.day;
    EXPECT_LE(std::abs(Minutes(p.rise) - r.rise), 1) << r.place << " " << r.month << "-" << r.day;
    EXPECT_LE(std::abs(Minutes(p.set) - r.set), 1) << r.place << " " << r.month << "-" << r.day;
    preciseOff[r.place].Add(Minutes(p.rise) - r.rise);
    preciseOff[r.place].Add(Minutes(p.set) - r.set);
    elementOff[r.place].Add(Minutes(e.rise) - r.rise);
    elementOff[r.place].Add(Minutes(e.set) - r.set);
  }
  for (const auto& [place, off] : elementOff) {
    const Deviation& mine = preciseOff[place];
    std::cout << "[ reference ] " << place << ": precise engine worst " << mine.worst << " min, mean "
              << static_cast<double>(mine.total) / mine.count << " min; element method worst " << off.worst
              << " min, mean " << static_cast<double>(off.total) / off.count << " min\n";
    std::string key = "element_worst_minutes_" + place;
    for (char& c : key) c = c == ' ' ? '_' : c;
    ::testing::Test::RecordProperty(key, off.worst);
  }
}

}  // namespace
}  // namespace corvane
