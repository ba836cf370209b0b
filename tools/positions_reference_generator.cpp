// Prints the sidereal position reference table (tests/data/positions_reference.tsv): for
// 300 fixed instants and places, the Lahiri sidereal longitudes of the Sun, Moon, planets,
// mean lunar node and ascendant, and the Lahiri ayanamsa, all computed with Swiss Ephemeris.
//
// The instants (UT, whole minutes, 1901 to 2050) and places (whole degrees and minutes,
// latitudes within 60 degrees) come from a fixed-seed generator, so every run prints the same
// bytes; the test suite regenerates the table and compares it with the committed one.
//
// Only the table generators link Swiss Ephemeris; the program never does.
#include <swephexp.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "swiss_ephemeris_files.h"

namespace {

constexpr int kRows = 300;
constexpr int kFirstYear = 1901;
constexpr int kLastYear = 2050;
constexpr int kMaxLatitude = 60;
constexpr std::uint64_t kSeed = 0x706F736974696F6EULL;
constexpr std::int32_t kFlags = SEFLG_SWIEPH | SEFLG_SIDEREAL;

struct Body {
  const char* column;
  int number;
};
constexpr std::array<Body, 8> kBodies = {{{"sun", SE_SUN},
                                          {"moon", SE_MOON},
                                          {"mercury", SE_MERCURY},
                                          {"venus", SE_VENUS},
                                          {"mars", SE_MARS},
                                          {"jupiter", SE_JUPITER},
                                          {"saturn", SE_SATURN},
                                          {"rahu", SE_MEAN_NODE}}};

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "positions_reference_generator: %s\n", message.c_str());
  std::exit(1);
}

// SplitMix64: a fully specified generator, so the rows never depend on the standard library.
class Generator {
 public:
  explicit Generator(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    state_ += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  int Between(int low, int high) {
    return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
  }

 private:
  std::uint64_t state_;
};

struct Row {
  int year, month, day, hour, minute;
  int latMinutes;  // signed, north positive
  int lonMinutes;  // signed, east positive
};

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// The first rows are the corners of the ranges; the rest spread evenly over the years, one
// year after another, with random dates, times and places.
Row MakeRow(int index, Generator& g) {
  static constexpr Row kCorners[] = {
      {1901, 1, 1, 0, 0, 0, 0},
      {2050, 12, 31, 23, 59, 0, 0},
      {1901, 1, 1, 0, 0, kMaxLatitude * 60, 179 * 60 + 59},
      {2050, 12, 31, 23, 59, -kMaxLatitude * 60, -(179 * 60 + 59)},
      {2000, 1, 1, 12, 0, 51 * 60 + 29, 0},
      {2000, 2, 29, 6, 30, -(33 * 60 + 52), 151 * 60 + 13},
      {1947, 8, 15, 0, 0, 28 * 60 + 37, 77 * 60 + 13},
      {1999, 8, 11, 11, 3, 45 * 60 + 2, -(64 * 60 + 5)},
  };
  constexpr int kCornerCount = static_cast<int>(sizeof kCorners / sizeof kCorners[0]);
  if (index < kCornerCount) return kCorners[index];
  Row r{};
  const int span = kLastYear - kFirstYear + 1;
  r.year = kFirstYear + (index - kCornerCount) * span / (kRows - kCornerCount);
  r.month = g.Between(1, 12);
  r.day = g.Between(1, DaysInMonth(r.year, r.month));
  r.hour = g.Between(0, 23);
  r.minute = g.Between(0, 59);
  r.latMinutes = g.Between(-kMaxLatitude * 60, kMaxLatitude * 60);
  r.lonMinutes = g.Between(-(179 * 60 + 59), 179 * 60 + 59);
  return r;
}

// Degrees with six decimals in [0, 360): a value that rounds up to 360 prints as 0.
std::string Degrees(double value) {
  double rounded = std::round(value * 1e6) / 1e6;
  if (rounded >= 360.0) rounded -= 360.0;
  if (rounded == 0.0) rounded = 0.0;  // no "-0.000000"
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", rounded);
  return text;
}

// A signed coordinate given in whole minutes, in degrees.
std::string Coordinate(int minutes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", minutes / 60.0 + 0.0);
  return text;
}

double Longitude(double jdUt, int body) {
  double r[6];
  char err[AS_MAXCH] = {0};
  const std::int32_t got = swe_calc_ut(jdUt, body, kFlags, r, err);
  if (got < 0) Fail(std::string("swe_calc_ut: ") + err);
  // Without the data files the library silently falls back to a less precise theory.
  if ((got & SEFLG_SWIEPH) == 0) Fail("Swiss Ephemeris data files not found");
  return r[0];
}

double Ascendant(double jdUt, double lat, double lon) {
  double cusps[13];
  double ascmc[10];
  if (swe_houses_ex(jdUt, SEFLG_SIDEREAL, lat, lon, 'P', cusps, ascmc) < 0) Fail("swe_houses_ex failed");
  return ascmc[0];
}

}  // namespace

int main() {
  UseSwissEphemerisFiles();
  swe_set_sid_mode(SE_SIDM_LAHIRI, 0, 0);

  char version[AS_MAXCH] = {0};
  std::string out = std::string("# Swiss Ephemeris ") + swe_version(version) +
                    ": swe_calc_ut with SEFLG_SWIEPH|SEFLG_SIDEREAL, sidereal mode SE_SIDM_LAHIRI; "
                    "rahu = SE_MEAN_NODE, ketu = rahu + 180; asc = swe_houses_ex(SEFLG_SIDEREAL, 'P'); "
                    "ayanamsa = swe_get_ayanamsa_ut; longitudes in degrees, places in whole minutes of arc\n"
                    "# ut\tlat\tlon";
  for (const Body& body : kBodies) out += std::string("\t") + body.column;
  out += "\tketu\tasc\tayanamsa\n";

  Generator g(kSeed);
  for (int i = 0; i < kRows; ++i) {
    const Row r = MakeRow(i, g);
    const double jd = swe_julday(r.year, r.month, r.day, r.hour + r.minute / 60.0, SE_GREG_CAL);
    const double lat = r.latMinutes / 60.0;
    const double lon = r.lonMinutes / 60.0;
    char ut[32];
    std::snprintf(ut, sizeof ut, "%04d-%02d-%02d %02d:%02d", r.year, r.month, r.day, r.hour, r.minute);
    out += std::string(ut) + "\t" + Coordinate(r.latMinutes) + "\t" + Coordinate(r.lonMinutes);
    double rahu = 0;
    for (const Body& body : kBodies) {
      const double longitude = Longitude(jd, body.number);
      if (body.number == SE_MEAN_NODE) rahu = longitude;
      out += "\t" + Degrees(longitude);
    }
    out += "\t" + Degrees(std::fmod(rahu + 180.0, 360.0));
    out += "\t" + Degrees(Ascendant(jd, lat, lon));
    out += "\t" + Degrees(swe_get_ayanamsa_ut(jd)) + "\n";
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  swe_close();
  return 0;
}
