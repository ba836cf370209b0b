// The five conventions behind the lagnas and the exact preset through the built corvane-cli:
// options, the preset, the batch columns, the comparison and the plain report.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/cli_runner.h"

namespace corvane {
namespace {

using testing::CliRun;
using testing::CliTest;
using testing::kDelhiAtSecond;
using testing::With;

nlohmann::json Json(const CliRun& run) {
  EXPECT_EQ(run.status, 0) << run.err;
  return nlohmann::json::parse(run.out);
}

TEST_F(CliTest, ThePresetSetsFourConventionsAndSingleOptionsWin) {
  const auto plain = Json(Cli(With(kDelhiAtSecond, {"--json"})));
  EXPECT_EQ(plain["settings"]["timing"], "minute");
  EXPECT_EQ(plain["settings"]["pranapada_sun"], "sunrise");
  EXPECT_EQ(plain["settings"]["varnada"], "degrees");
  EXPECT_EQ(plain["settings"]["lords"], "single");
  EXPECT_EQ(plain["settings"]["nakshatra"], "table");
  EXPECT_FALSE(plain.contains("sunrise_exact"));

  const auto exact = Json(Cli(With(kDelhiAtSecond, {"--json", "--conventions", "exact"})));
  EXPECT_EQ(exact["settings"]["timing"], "exact");
  EXPECT_EQ(exact["settings"]["pranapada_sun"], "birth");
  EXPECT_EQ(exact["settings"]["varnada"], "signs");
  EXPECT_EQ(exact["settings"]["lords"], "single");  // the lords stay as chosen
  EXPECT_EQ(exact["settings"]["nakshatra"], "exact");
  EXPECT_EQ(exact["settings"]["engine"], "elements");
  EXPECT_FALSE(exact["lagnas"]["VL"].contains("longitude"));  // counted in signs
  // Seconds in the JSON, minutes in the shown times; the sunrise of the two is one moment.
  const std::string shown = plain["sunrise"]["birth_day"], precise = exact["sunrise_exact"]["birth_day"];
  ASSERT_EQ(precise.size(), 19u) << precise;
  EXPECT_EQ(exact["sunrise"]["birth_day"], shown);
  const int shownMinute = std::stoi(shown.substr(11, 2)) * 60 + std::stoi(shown.substr(14, 2));
  const double preciseMinute =
      std::stoi(precise.substr(11, 2)) * 60 + std::stoi(precise.substr(14, 2)) + std::stoi(precise.substr(17, 2)) / 60.0;
  EXPECT_NEAR(preciseMinute, shownMinute, 0.5 + 1.0 / 60.0);
  EXPECT_NEAR(exact["seconds_since_sunrise_exact"].get<double>(), plain["seconds_since_sunrise"].get<double>(), 31.0);

  const auto mixed = Json(Cli(With(kDelhiAtSecond, {"--json", "--timing", "minute", "--conventions", "exact", "--lords", "jaimini"})));
  EXPECT_EQ(mixed["settings"]["timing"], "minute");
  EXPECT_EQ(mixed["settings"]["varnada"], "signs");
  EXPECT_EQ(mixed["settings"]["lords"], "jaimini");
  EXPECT_FALSE(mixed.contains("sunrise_exact"));
}

TEST_F(CliTest, UnknownConventionValuesAreUsageErrors) {
  const struct {
    std::string option, choices;
  } cases[] = {
      {"--timing", "minute or exact"},   {"--pranapada-sun", "sunrise or birth"}, {"--varnada", "degrees or signs"},
      {"--lords", "single or jaimini"}, {"--nakshatra", "table or exact"},      {"--conventions", "default or exact"},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(With(kDelhiAtSecond, {c.option, "sideways"}));
    EXPECT_EQ(run.status, 64) << c.option;
    EXPECT_NE(run.err.find(c.option + " must be " + c.choices + ", not \"sideways\""), std::string::npos) << run.err;
  }
}

TEST_F(CliTest, BatchColumnsChooseEachRowsConventions) {
  const std::string csv =
      "name,date,time,zone,dst,lon,lat,timing,pranapada_sun,varnada,lords,nakshatra\n"
      "ram,1975-06-05,07:05:40,34,0,77:13E,28:36N,exact,birth,signs,jaimini,exact\n"
      "ram,1975-06-05,07:05:40,34,0,77:13E,28:36N,,,,,\n"
      "ram,1975-06-05,07:05:40,34,0,77:13E,28:36N,,,,both,\n";
  const CliRun run = Cli({"--batch", "-", "--varnada", "signs"}, csv);
  EXPECT_EQ(run.status, 2);
  std::istringstream lines(run.out);
  std::vector<nlohmann::json> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(nlohmann::json::parse(line));
  ASSERT_EQ(rows.size(), 3u) << run.out;
  EXPECT_EQ(rows[0]["settings"]["timing"], "exact");
  EXPECT_EQ(rows[0]["settings"]["pranapada_sun"], "birth");
  EXPECT_EQ(rows[0]["settings"]["lords"], "jaimini");
  EXPECT_EQ(rows[0]["settings"]["nakshatra"], "exact");
  EXPECT_TRUE(rows[0].contains("sunrise_exact"));
  EXPECT_EQ(rows[1]["settings"]["timing"], "minute");   // empty: the run's choice
  EXPECT_EQ(rows[1]["settings"]["varnada"], "signs");  // the run's --varnada
  EXPECT_EQ(rows[2]["error"], "the lords column must be single or jaimini, not \"both\"");
}

TEST_F(CliTest, TheComparisonHasAColumnPerConventionAndTheReportNamesThemAll) {
  const auto j = Json(Cli(With(kDelhiAtSecond, {"--compare", "--json"})));
  std::vector<std::string> titles;
  for (const auto& c : j["columns"]) titles.push_back(c["title"]);
  for (const char* title : {"Exact time", "Sun at birth", "Varnada signs", "Jaimini lords", "Exact nakshatras",
                            "Classical"})
    EXPECT_NE(std::find(titles.begin(), titles.end(), title), titles.end()) << title;
  for (const auto& c : j["columns"]) EXPECT_EQ(c["settings"].size(), 11u);

  const CliRun report = Cli(With(kDelhiAtSecond, {"--conventions", "exact", "--lords", "jaimini"}));
  ASSERT_EQ(report.status, 0) << report.err;
  for (const char* line : {"timing         exact", "pranapada_sun  birth", "varnada        signs",
                           "lords          jaimini", "nakshatra      exact", "Unrounded sunrise"})
    EXPECT_NE(report.out.find(line), std::string::npos) << line << "\n" << report.out;
}

}  // namespace
}  // namespace corvane
