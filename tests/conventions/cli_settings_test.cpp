// The command line's settings options, the comparison output and the batch engine column,
// run through the built corvane-cli.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/calculation_settings.h"
#include "tests/app/cli_runner.h"

namespace corvane {
namespace {

using testing::CliRun;
using testing::CliTest;
using testing::With;

const std::vector<std::string> kDelhiAtMinute = {"--name", "ram", "--date", "1975-06-05", "--time", "07:05",
                                         "--zone", "34",  "--lon",  "77:13E",     "--lat",  "28:36N"};

TEST_F(CliTest, TheChartJsonNamesItsSettings) {
  const CliRun plain = Cli(With(kDelhiAtMinute, {"--json"}));
  ASSERT_EQ(plain.status, 0) << plain.err;
  const auto element = nlohmann::json::parse(plain.out);
  EXPECT_EQ(element["settings"], (nlohmann::json{{"engine", "elements"},
                                                 {"ayanamsa", "lahiri"},
                                                 {"node", "mean"},
                                                 {"sunrise", "limb"},
                                                 {"indu", "ascendant"},
                                                 {"timing", "minute"},
                                                 {"pranapada_sun", "sunrise"},
                                                 {"varnada", "degrees"},
                                                 {"lords", "single"},
                                                 {"nakshatra", "table"},
                                                 {"surya_sun", "sunrise"}}));
  const CliRun chosen = Cli(With(kDelhiAtMinute, {"--json", "--engine", "swiss", "--ayanamsa", "True-Pushya", "--node", "true",
                                          "--sunrise", "centre", "--indu", "moon"}));
  ASSERT_EQ(chosen.status, 0) << chosen.err;
  const auto precise = nlohmann::json::parse(chosen.out);
  EXPECT_EQ(precise["settings"], (nlohmann::json{{"engine", "swiss"},
                                                 {"ayanamsa", "true-pushya"},
                                                 {"node", "true"},
                                                 {"sunrise", "centre"},
                                                 {"indu", "moon"},
                                                 {"timing", "minute"},
                                                 {"pranapada_sun", "sunrise"},
                                                 {"varnada", "degrees"},
                                                 {"lords", "single"},
                                                 {"nakshatra", "table"},
                                                 {"surya_sun", "sunrise"}}));
  // The True Pushya ayanamsa is about 1 deg 08' smaller than Lahiri's, so the Sun stands that
  // much further on (give or take the element method's arc minute).
  const double shift = precise["bodies"][0]["longitude"].get<double>() - element["bodies"][0]["longitude"].get<double>();
  EXPECT_NEAR(shift, 1.13, 0.05);
  EXPECT_NE(precise["sunrise"]["birth_day"], element["sunrise"]["birth_day"]);  // centre of the disc: later
}

TEST_F(CliTest, UnknownSettingValuesAreUsageErrorsNamingTheChoices) {
  const struct {
    std::string option, choices;
  } cases[] = {
      {"--engine", "elements or swiss"},
      {"--ayanamsa", "lahiri, raman, krishnamurti, true-chitrapaksha, true-pushya, yukteshwar or fagan-bradley"},
      {"--node", "mean or true"},
      {"--sunrise", "limb or centre"},
      {"--indu", "ascendant or moon"},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(With(kDelhiAtMinute, {c.option, "sideways"}));
    EXPECT_EQ(run.status, 64) << c.option;
    EXPECT_NE(run.err.find(c.option + " must be " + c.choices + ", not \"sideways\""), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
  }
  const CliRun trueNode = Cli(With(kDelhiAtMinute, {"--node", "true"}));
  EXPECT_EQ(trueNode.status, 64);
  EXPECT_NE(trueNode.err.find(kTrueNodeNeedsPreciseMessage), std::string::npos) << trueNode.err;
}

TEST_F(CliTest, MissingDataFilesStopOnlyThePreciseEngine) {
  const std::string noData = "SE_EPHE_PATH=/nonexistent-corvane-ephemeris";
  const CliRun precise = Cli(With(kDelhiAtMinute, {"--engine", "swiss"}), "", noData);
  EXPECT_EQ(precise.status, 69);
  EXPECT_NE(precise.err.find("swe-standard-data"), std::string::npos) << precise.err;
  EXPECT_EQ(Cli(kDelhiAtMinute, "", noData).status, 0);
  const CliRun batch = Cli({"--batch", "-", "--engine", "swiss"}, "name,date,time,zone,dst,lon,lat\n", noData);
  EXPECT_EQ(batch.status, 69);
}

TEST_F(CliTest, CompareListsEveryLagnaUnderEachConvention) {
  const CliRun text = Cli(With(kDelhiAtMinute, {"--compare"}));
  ASSERT_EQ(text.status, 0) << text.err;
  for (const char* line : {"  2  Precise: Swiss Ephemeris instead of the element method (compared with 1)",
                           "IL   Indu lagna", "PpL  Pranapada lagna", "Reference sunrise", "Rahu"})
    EXPECT_NE(text.out.find(line), std::string::npos) << line << "\n" << text.out;

  const CliRun json = Cli(With(kDelhiAtMinute, {"--compare", "--json", "--ayanamsa", "raman"}));
  ASSERT_EQ(json.status, 0) << json.err;
  const auto j = nlohmann::json::parse(json.out);
  ASSERT_EQ(j["columns"].size(), 13u);  // the twelve conventions and these settings
  EXPECT_TRUE(j["columns"][0]["compared_with"].is_null());
  EXPECT_EQ(j["columns"][4]["compared_with"], 3);  // the Indu rule on the centre sunrise
  EXPECT_EQ(j["columns"][1]["settings"]["engine"], "swiss");
  EXPECT_EQ(j["columns"][12]["settings"]["ayanamsa"], "raman");
  ASSERT_EQ(j["rows"].size(), 15u);
  EXPECT_EQ(j["rows"][5]["key"], "IL");
  for (const auto& row : j["rows"]) {
    ASSERT_EQ(row["cells"].size(), 13u);
    for (const auto& cell : row["cells"]) EXPECT_TRUE(cell["changed"].is_boolean() && cell["shifted"].is_boolean());
  }
  // Raman's zodiac moves every sign-bearing entry of the last column against the default.
  EXPECT_TRUE(j["rows"][12]["cells"][12]["changed"].get<bool>() || j["rows"][12]["cells"][12]["shifted"].get<bool>());

  EXPECT_EQ(Cli(With(kDelhiAtMinute, {"--compare", "--pages"})).status, 64);
}

TEST_F(CliTest, BatchRowsChooseTheirEngine) {
  const std::string csv =
      "name,date,time,zone,dst,lon,lat,city,state,country,engine\n"
      "ram,1975-06-05,07:05,34,0,77:13E,28:36N,,,,swiss\n"
      "ram,1975-06-05,07:05,34,0,77:13E,28:36N,,,,elements\n"
      "ram,1975-06-05,07:05,34,0,77:13E,28:36N,,,,\n"
      "ram,1975-06-05,07:05,34,0,77:13E,28:36N,,,,moshier\n";
  const CliRun run = Cli({"--batch", "-", "--indu", "moon"}, csv);
  EXPECT_EQ(run.status, 2);
  std::istringstream lines(run.out);
  std::vector<nlohmann::json> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(nlohmann::json::parse(line));
  ASSERT_EQ(rows.size(), 4u) << run.out;
  EXPECT_EQ(rows[0]["settings"]["engine"], "swiss");
  EXPECT_EQ(rows[1]["settings"]["engine"], "elements");
  EXPECT_EQ(rows[2]["settings"]["engine"], "elements");  // an empty field keeps the run's engine
  for (int i = 0; i < 3; ++i) EXPECT_EQ(rows[i]["settings"]["indu"], "moon");
  EXPECT_EQ(rows[3]["line"], 5);
  EXPECT_EQ(rows[3]["error"], "the engine column must be elements or swiss, not \"moshier\"");
  EXPECT_EQ(Cli({"--batch", "-", "--json"}, csv).status, 64);
}

}  // namespace
}  // namespace corvane
