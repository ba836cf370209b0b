// A birth near the start or the end of a polar night: which day the refusal names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/month_names.h"
#include "astro/civil_time.h"
#include "astro/element_ephemeris.h"
#include "tests/app/cli_runner.h"

namespace corvane {
namespace {

class PolarDateCliTest : public testing::CliTest {};

std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// Tromso (69:39N 18:57E, Central European Time): the Sun stays below the horizon from about
// 27 November to 15 January. A birth is refused (status 3) when its date or a neighbouring
// date has no sunrise or sunset; the message names the birth date when that date has none,
// otherwise the day before when it has none, otherwise the day after. Each day's sunrise is
// asked of the engine on its own.
TEST_F(PolarDateCliTest, TheMessageNamesTheDayWithoutSunrise) {
  const ElementEphemeris engine;
  const GeoPoint tromso{69.0 + 39.0 / 60.0, 18.0 + 57.0 / 60.0};
  const int cet = 3600;
  const auto hasSun = [&](const CivilDateTime& t) { return engine.SunRiseSet(t.year, t.month, t.day, tromso, cet).ok(); };
  int namedBefore = 0, namedAfter = 0;
  for (const CivilDateTime& first : {CivilDateTime{1990, 1, 8, 0, 0, 0}, CivilDateTime{1990, 11, 20, 0, 0, 0}}) {
    for (int i = 0; i < 14; ++i) {
      const CivilDateTime day = AddDays(first, i), before = AddDays(day, -1), after = AddDays(day, 1);
      const std::string date = std::to_string(day.year) + "-" + Two(day.month) + "-" + Two(day.day);
      const testing::CliRun run = Cli({"--name", "ram", "--date", date, "--time", "12:00", "--zone", "20", "--lon",
                                       "18:57E", "--lat", "69:39N"});
      if (hasSun(day) && hasSun(before) && hasSun(after)) {
        EXPECT_EQ(run.status, 0) << date << " " << run.err;
        continue;
      }
      EXPECT_EQ(run.status, 3) << date;
      const CivilDateTime named = !hasSun(day) ? day : !hasSun(before) ? before : after;
      const std::string when = std::string(kMonthNames[static_cast<std::size_t>(named.month - 1)]) + " " +
                               std::to_string(named.day) + ", " + std::to_string(named.year);
      EXPECT_NE(run.err.find("at this place on " + when + ","), std::string::npos) << date << ": " << run.err;
      // The day before is named only where the night ends, the day after only where it starts.
      if (named == before) {
        ++namedBefore;
        EXPECT_EQ(named.month, 1) << date;
      } else if (named == after) {
        ++namedAfter;
        EXPECT_EQ(named.month, 11) << date;
      }
    }
  }
  // Both neighbours were named at least once: the day before at the end of the night, the
  // day after at its start.
  EXPECT_GT(namedBefore, 0);
  EXPECT_GT(namedAfter, 0);
}

}  // namespace
}  // namespace corvane
