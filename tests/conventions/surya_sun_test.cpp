// The Surya lagna from the Sun at sunrise or at birth, on a birth the Sun enters Aries between
// the two, through the built corvane-cli.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/app/cli_runner.h"

namespace corvane {
namespace {

using testing::CliRun;
using testing::CliTest;

// The element method's Sun stays within an arc minute of Swiss Ephemeris (see the positions
// reference test).
constexpr double kElementSunToleranceDeg = 1.0 / 60.0;

// Born 13 April 1901 at 18:49 on a +6:00 clock (zone 65, USSR Zone 5), at 36:54N 92:36E.
//
// Swiss Ephemeris (tests/data/positions_reference.tsv, the row "1901-04-13 12:49 36.9 92.6",
// sidereal Lahiri): the Sun stands at 0.413258 deg, 0 Ari 24.8', at 12:49 UT, the birth.
//
// The reference sunrise, worked by hand: the Sun's declination is about +9.3 deg, so
//   cos H0 = (sin(-0 deg 50') - sin 36.9 sin 9.3) / (cos 36.9 cos 9.3)
//          = (-0.0145 - 0.6004 * 0.1616) / (0.7997 * 0.9869) = -0.1414,  H0 = 98.1 deg = 6 h 32.5 min;
// local apparent noon at 92.6 E is 12:00 - 6 h 10.4 min = 05:49.6 UT (the equation of time,
// +0.3 min, moves it to 05:49.3), so the Sun rose about 23:17 UT on 12 April, 05:17 on the
// birth's clock. From it to the birth are 13 h 32 min, in which the Sun moves
// 13.53 h * 0.9856 deg / 24 h = 0.556 deg: at sunrise it stood at 0.413 - 0.556 = 359.857 deg,
// 29 Pis 51'.
//
// So from the Sun at sunrise the Surya lagna is Pisces (11), at 359.86 deg; from the Sun at
// birth it is Aries (0), at 0.41 deg. The sunrise's few minutes of doubt move the Sun by
// well under 0.14 deg, the distance to the sign's edge.
constexpr double kSunAtBirthDeg = 0.413258;
constexpr double kSunAtSunriseDeg = 359.857;
constexpr double kHandSunriseToleranceDeg = 0.01;  // about 15 minutes of the Sun's motion

const std::vector<std::string> kAriesBirth = {"--name", "ingress", "--date", "1901-04-13", "--time", "18:49",
                                              "--zone", "65",      "--lon",  "92:36E",     "--lat",  "36:54N", "--json"};

TEST_F(CliTest, TheSuryaLagnaFollowsTheSunAtSunriseOrAtBirth) {
  const CliRun zones = Cli({"--zones"});
  ASSERT_NE(zones.out.find("65  USSR Zone 5"), std::string::npos) << zones.out;

  const struct {
    std::vector<std::string> extra;
    std::string key;
    int sign;
    double longitude, tolerance;
  } cases[] = {
      {{}, "sunrise", 11, kSunAtSunriseDeg, kHandSunriseToleranceDeg + kElementSunToleranceDeg},
      {{"--surya-sun", "sunrise"}, "sunrise", 11, kSunAtSunriseDeg, kHandSunriseToleranceDeg + kElementSunToleranceDeg},
      {{"--surya-sun", "birth"}, "birth", 0, kSunAtBirthDeg, kElementSunToleranceDeg},
      {{"--surya-sun", "BIRTH"}, "birth", 0, kSunAtBirthDeg, kElementSunToleranceDeg},
      {{"--conventions", "exact"}, "birth", 0, kSunAtBirthDeg, kElementSunToleranceDeg},
      {{"--conventions", "exact", "--surya-sun", "sunrise"}, "sunrise", 11, kSunAtSunriseDeg,
       kHandSunriseToleranceDeg + kElementSunToleranceDeg},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = kAriesBirth;
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const CliRun run = Cli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = nlohmann::json::parse(run.out);
    const std::string label = c.extra.empty() ? "default" : c.extra.back();
    EXPECT_EQ(j["settings"]["surya_sun"], c.key) << label;
    EXPECT_EQ(j["lagnas"]["SL"]["sign"], c.sign) << label;
    EXPECT_NEAR(j["lagnas"]["SL"]["longitude"].get<double>(), c.longitude, c.tolerance) << label;
    // The Sun's own sign at birth is Aries whatever the Surya lagna takes.
    EXPECT_NEAR(j["bodies"][0]["longitude"].get<double>(), kSunAtBirthDeg, kElementSunToleranceDeg) << label;
  }

  // The Surya lagna's column in the comparison marks SL alone.
  std::vector<std::string> compare = kAriesBirth;
  compare.push_back("--compare");
  const CliRun table = Cli(compare);
  ASSERT_EQ(table.status, 0) << table.err;
  const nlohmann::json j = nlohmann::json::parse(table.out);
  std::size_t column = 0;
  for (std::size_t i = 0; i < j["columns"].size(); ++i)
    if (j["columns"][i]["title"] == "Surya at birth") column = i;
  ASSERT_GT(column, 0u);
  for (const auto& row : j["rows"])
    EXPECT_EQ(row["cells"][column]["changed"].get<bool>(), row["key"] == "SL") << row["key"];

  std::vector<std::string> refused = kAriesBirth;
  refused.insert(refused.end(), {"--surya-sun", "noon"});
  const CliRun bad = Cli(refused);
  EXPECT_EQ(bad.status, 64);
  EXPECT_NE(bad.err.find("--surya-sun must be sunrise or birth, not \"noon\""), std::string::npos) << bad.err;
}

}  // namespace
}  // namespace corvane
