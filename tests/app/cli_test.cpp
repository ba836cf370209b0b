// Runs the built corvane-cli (found next to this test program) and checks its exit
// statuses, messages and JSON output.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/cli_runner.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

using testing::CliTest;
using testing::CliRun;
using testing::kDelhi;
using testing::Replaced;
using testing::With;

TEST_F(CliTest, JsonHoldsTheWholeChart) {
  const CliRun run = Cli(With(kDelhi, {"--json"}));
  ASSERT_EQ(run.status, 0) << run.err;
  const auto j = nlohmann::json::parse(run.out);
  EXPECT_EQ(j["birth"]["name"], "RAM KUMAR");
  EXPECT_EQ(j["birth"]["date"], "1975-06-05");
  EXPECT_EQ(j["birth"]["lon"], "77:13E");
  ASSERT_EQ(j["bodies"].size(), 10u);
  EXPECT_EQ(j["bodies"][0]["name"], "Sun");
  EXPECT_EQ(j["bodies"][9]["name"], "Asc");
  for (const auto& body : j["bodies"]) {
    const double lon = body["longitude"];
    EXPECT_GE(lon, 0.0);
    EXPECT_LT(lon, 360.0);
    EXPECT_EQ(body["sign"], static_cast<int>(lon / 30.0)) << body;
    EXPECT_EQ(body["compact"].get<std::string>().size(), 9u);
  }
  ASSERT_EQ(j["chart_boxes"].size(), 12u);
  ASSERT_EQ(j["lagna_boxes"].size(), 12u);
  // The Sun's box lists the Sun.
  const int sunSign = j["bodies"][0]["sign"];
  EXPECT_NE(j["chart_boxes"][sunSign].get<std::string>().find("\r\nSun"), std::string::npos);
  for (const char* key : {"AL", "BL", "HL", "GL", "SrL", "IL", "PL", "UL", "PpL", "VL", "CL", "SL", "Ascendant"}) {
    ASSERT_TRUE(j["lagnas"].contains(key)) << key;
    EXPECT_GE(j["lagnas"][key]["sign"], 0);
    EXPECT_LE(j["lagnas"][key]["sign"], 11);
  }
  EXPECT_EQ(j["lagnas"]["Ascendant"]["sign"], j["bodies"][9]["sign"]);
  for (const char* key : {"previous", "birth_day", "next"})
    EXPECT_EQ(j["sunrise"][key].get<std::string>().size() + j["sunset"][key].get<std::string>().size(), 32u);
  EXPECT_EQ(j["sunrise"]["birth_day"].get<std::string>().substr(0, 10), "1975-06-05");
  EXPECT_GE(j["hora_house"], 1);
  EXPECT_LE(j["pranapada_house"], 12);
  EXPECT_TRUE(j["readings"]["arudha"].is_array());
  EXPECT_TRUE(j["readings"]["upapada"].is_array());
  EXPECT_FALSE(j.contains("pages"));
}

TEST_F(CliTest, PagesAddEveryFieldAndTheReadingRuns) {
  const CliRun run = Cli(With(kDelhi, {"--json", "--pages"}));
  ASSERT_EQ(run.status, 0) << run.err;
  const auto j = nlohmann::json::parse(run.out);
  const auto& pages = j["pages"];
  for (const char* key : {"lblCasteHL", "txtNatureAL", "lblHouseDesc", "lblHoraDesc", "txtHealthAscendant"}) {
    EXPECT_TRUE(pages.contains(key)) << key;
  }
  ASSERT_FALSE(pages["ArudhaReading"].empty());
  EXPECT_EQ(pages["ArudhaReading"][0]["text"], "About Your AL\r\n");
  EXPECT_EQ(pages["ArudhaReading"][0]["bold"], true);
  EXPECT_EQ(pages["UpapadaReading"][0]["text"], "About Your A12\r\n");

  const CliRun text = Cli(With(kDelhi, {"--pages"}));
  ASSERT_EQ(text.status, 0);
  EXPECT_NE(text.out.find("About Your A12"), std::string::npos);
}

TEST_F(CliTest, ReportDrawsTheSquareChartWithSignsInTheirPlaces) {
  const CliRun run = Cli(kDelhi);
  ASSERT_EQ(run.status, 0) << run.err;
  // Top row Pisces to Gemini, bottom row Sagittarius to Virgo, each left to right; the
  // sides read Aquarius above Capricorn and Cancer above Leo.
  auto row = [&](const std::string& first) {
    const auto at = run.out.find("| [" + first + "]");
    return at == std::string::npos ? std::string() : run.out.substr(at, run.out.find('\n', at) - at);
  };
  auto inOrder = [](const std::string& text, std::initializer_list<std::string> signs) {
    std::size_t at = 0;
    for (const std::string& sign : signs)
      if ((at = text.find("[" + sign + "]", at)) == std::string::npos) return false;
    return true;
  };
  EXPECT_TRUE(inOrder(row("Pisces"), {"Pisces", "Aries", "Taurus", "Gemini"}));
  EXPECT_TRUE(inOrder(row("Sagittarius"), {"Sagittarius", "Scorpio", "Libra", "Virgo"}));
  EXPECT_TRUE(inOrder(run.out, {"Aquarius", "Capricorn"}));
  EXPECT_TRUE(inOrder(run.out, {"Cancer", "Leo"}));
  EXPECT_NE(run.out.find("June/5/1975"), std::string::npos);
  EXPECT_NE(run.out.find("Sree lagna"), std::string::npos);
}

// Refused input: the form's message and status 2; a polar date: 3; a usage error: 64.
TEST_F(CliTest, ExitStatusesAndMessages) {
  struct Case { std::string option, value, message; int status; };
  const Case cases[] = {
      {"--lon", "180:00E", "Please Enter Value Between 0 And 179 in the Degree of Longitude", 2},
      {"--lon", "7-:13E", "Only Numbers Are Accepted", 2},
      {"--name", "RAM2", "Please Enter only Letters", 2},
      {"--date", "1975-06-31", "Please Enter Correct Date Or Month !", 2},
      {"--date", "1900-01-01", "1901 to 2050", 2},
      {"--zone", "71", "0 to 70", 2},
      {"--lat", "89:00N", "1975", 3},
      {"--date", "5/6/1975", "", 64},
      {"--time", "7h05", "", 64},
      {"--lon", "77:13X", "", 64},
      {"--lon", "0077:13E", "", 64},  // no more characters than the form's fields hold
      {"--lat", "028:36N", "", 64},
      {"--lat", "28:036N", "", 64},
  };
  for (const Case& c : cases) {
    const CliRun run = Cli(Replaced(c.status == 3 ? Replaced(kDelhi, "--date", "1975-06-21") : kDelhi, c.option, c.value));
    EXPECT_EQ(run.status, c.status) << c.option << " " << c.value;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.value << ": " << run.err;
    EXPECT_TRUE(run.out.empty()) << c.value;
  }
  for (const auto& args : std::vector<std::vector<std::string>>{
           {}, {"--bogus"}, {"--name"}, {"--name", "A", "--date", "1975-06-05"}, {"--retrogrades", "next"}})
    EXPECT_EQ(Cli(args).status, 64) << args.size();
  const CliRun help = Cli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--batch"), std::string::npos);
}

TEST_F(CliTest, BatchReportsABadRowAndGoesOn) {
  const std::string csv =
      "name,date,time,zone,dst,lon,lat,city,state,country\n"
      "ram kumar,1975-06-05,07:05,34,0,77:13E,28:36N,New Delhi,Delhi,India\n"
      "bad,1975-06-05,07:05,34,0,180:00E,28:36N\n"
      "\"sita\",1980-01-31,23:59:59,29,1,0:07W,51:30N,\"London, City\"\n";
  const fs::path file = dir_ / "births.csv";
  std::ofstream(file, std::ios::binary) << csv;
  for (const CliRun& run : {Cli({"--batch", file.string()}), Cli({"--batch", "-"}, csv)}) {
    EXPECT_EQ(run.status, 2);
    std::istringstream lines(run.out);
    std::vector<nlohmann::json> rows;
    for (std::string line; std::getline(lines, line);) rows.push_back(nlohmann::json::parse(line));
    ASSERT_EQ(rows.size(), 3u) << run.out;
    EXPECT_EQ(rows[0]["birth"]["name"], "RAM KUMAR");
    EXPECT_EQ(rows[0]["bodies"].size(), 10u);
    EXPECT_EQ(rows[1], (nlohmann::json{{"line", 3},
                                       {"error", "Please Enter Value Between 0 And 179 in the Degree of Longitude"}}));
    EXPECT_EQ(rows[2]["birth"]["city"], "London, City");
    EXPECT_EQ(rows[2]["birth"]["dst"], true);
    EXPECT_EQ(rows[2]["birth"]["time"], "23:59:59");
    EXPECT_FALSE(rows[2].contains("pages"));
  }
  EXPECT_EQ(Cli({"--batch", "-"}, "name,date\nx,1975-01-01\n").status, 64);
}

TEST_F(CliTest, SavedChartOpensAgainWithTheSameResult) {
  const std::string file = (dir_ / "ram.zdh").string();
  const CliRun saved = Cli(With(kDelhi, {"--json", "--save", file}));
  ASSERT_EQ(saved.status, 0) << saved.err;
  ASSERT_TRUE(fs::exists(file));
  const CliRun opened = Cli({"--open", file, "--json"});
  ASSERT_EQ(opened.status, 0) << opened.err;
  EXPECT_EQ(nlohmann::json::parse(opened.out), nlohmann::json::parse(saved.out));

  fs::copy_file(file, dir_ / "ram.ZDH");
  const CliRun capitals = Cli({"--open", (dir_ / "ram.ZDH").string()});
  EXPECT_EQ(capitals.status, 2);
  EXPECT_NE(capitals.err.find("Please Check The File."), std::string::npos);

  const CliRun unwritable = Cli(With(kDelhi, {"--save", (dir_ / "missing" / "x.zdh").string()}));
  EXPECT_EQ(unwritable.status, 73);
  EXPECT_NE(unwritable.err.find("could not be created"), std::string::npos);
}

}  // namespace
}  // namespace corvane
