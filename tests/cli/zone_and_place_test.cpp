// --tz, --fold, --place and --places: the clock of a tz database zone at the birth, and the
// place search. Expected offsets are facts of the zone history (IANA tz database).
#include <gtest/gtest.h>

#include <fstream>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/cli_runner.h"

namespace corvane {
namespace {

using testing::CliRun;
class ZoneCliTest : public testing::CliTest {};

std::vector<std::string> BirthAt(const std::string& date, const std::string& time) {
  return {"--name", "ram", "--date", date, "--time", time, "--lon", "10:00E", "--lat", "40:00N", "--json"};
}

std::vector<std::string> With(std::vector<std::string> args, std::initializer_list<std::string> more) {
  args.insert(args.end(), more);
  return args;
}

TEST_F(ZoneCliTest, ZoneIdGivesTheClockInForceAtTheBirth) {
  const struct {
    const char* zone;
    const char* date;
    const char* time;
    int status;
    int offsetSeconds;      // local time minus UT, when status is 0
    const char* message;    // part of the refusal, when status is 2
  } rows[] = {
      {"Europe/Madrid", "1975-06-05", "07:05", 0, 2 * 3600, ""},                // CEST
      {"Asia/Kolkata", "1942-09-01", "12:00", 0, 6 * 3600 + 1800, ""},         // war time
      {"Asia/Kolkata", "1942-09-01", "00:30", 2, 0, "Clocks went from 00:00 to 01:00 on 1 September 1942"},
      {"America/New_York", "2021-11-07", "01:30", 2, 0, "happened twice"},
      {"America/New_York", "2021-03-14", "02:30", 2, 0, "Clocks went from 02:00 to 03:00 on 14 March 2021 in America/New_York"},
      {"Europe/Amsterdam", "1937-07-01", "12:00", 0, 3600 + 1200, ""},         // +1:20
      {"Europe/Amsterdam", "1937-06-30", "12:00", 0, 3600 + 19 * 60 + 32, ""}, // local mean time, seconds
      {"Europe/Oslo", "1965-07-01", "12:00", 0, 2 * 3600, ""},
      {"America/Mexico_City", "2023-07-01", "12:00", 0, -6 * 3600, ""},        // no DST since 2022
      {"Nowhere/City", "2000-01-01", "12:00", 2, 0, "Nowhere/City"},
  };
  for (const auto& row : rows) {
    const CliRun run = Cli(With(BirthAt(row.date, row.time), {"--tz", row.zone}));
    ASSERT_EQ(run.status, row.status) << row.zone << " " << row.date << " " << run.err;
    if (row.status != 0) {
      EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
      continue;
    }
    const auto birth = nlohmann::json::parse(run.out)["birth"];
    EXPECT_EQ(birth["tz"], row.zone);
    EXPECT_EQ(birth["utc_offset_seconds"], row.offsetSeconds) << row.zone << " " << row.date;
  }
}

TEST_F(ZoneCliTest, ARepeatedTimeTakesTheChosenReadingAndMovesTheChart) {
  const auto birth = BirthAt("2021-11-07", "01:30");
  const CliRun earlier = Cli(With(birth, {"--tz", "America/New_York", "--fold", "earlier"}));
  const CliRun later = Cli(With(birth, {"--tz", "America/New_York", "--fold", "later"}));
  ASSERT_EQ(earlier.status, 0) << earlier.err;
  ASSERT_EQ(later.status, 0) << later.err;
  const auto a = nlohmann::json::parse(earlier.out), b = nlohmann::json::parse(later.out);
  EXPECT_EQ(a["birth"]["utc_offset_seconds"], -4 * 3600);
  EXPECT_EQ(b["birth"]["utc_offset_seconds"], -5 * 3600);
  // An hour later in UT, the Moon has moved about half a degree.
  const double moved = b["bodies"][1]["longitude"].get<double>() - a["bodies"][1]["longitude"].get<double>();
  EXPECT_GT(moved, 0.3);
  EXPECT_LT(moved, 0.8);
  EXPECT_EQ(Cli(With(birth, {"--tz", "America/New_York", "--fold", "both"})).status, 64);
}

// The offset a zone list row and its daylight-saving tick show is the clock of a place that
// keeps that zone, as the tz database gives it on a date of that season: the tick adds an
// hour to local time (UT minus the row, plus 3600 seconds), on either hemisphere.
TEST_F(ZoneCliTest, ZoneRowAndTickShowTheClockOfThatSeason) {
  const struct {
    const char* zone;  // position in the zone list
    bool tick;
    const char* date;
    const char* tz;    // a zone that keeps that clock on that date
    int offsetSeconds; // local time minus UT
  } rows[] = {
      {"27", false, "2021-01-15", "America/New_York", -5 * 3600},      // Eastern Standard
      {"27", true, "2021-07-01", "America/New_York", -4 * 3600},       // EDT
      {"54", true, "2021-07-01", "America/Los_Angeles", -7 * 3600},    // PDT
      {"50", true, "2021-07-01", "America/St_Johns", -2 * 3600 - 1800}, // NDT, -2:30
      {"29", true, "2021-07-01", "Europe/London", 3600},               // BST
      {"20", true, "1990-07-01", "Europe/Madrid", 2 * 3600},           // CEST
      {"34", false, "1975-06-05", "Asia/Kolkata", 5 * 3600 + 1800},    // IST
      {"6", true, "2021-01-15", "Australia/Adelaide", 10 * 3600 + 1800}, // ACDT, southern summer
      {"47", true, "2021-01-15", "Pacific/Auckland", 13 * 3600},       // NZDT
  };
  for (const auto& row : rows) {
    auto byRow = With(BirthAt(row.date, "12:00"), {"--zone", row.zone});
    if (row.tick) byRow.push_back("--dst");
    const CliRun zoneRun = Cli(byRow);
    const CliRun tzRun = Cli(With(BirthAt(row.date, "12:00"), {"--tz", row.tz}));
    ASSERT_EQ(zoneRun.status, 0) << row.zone << " " << zoneRun.err;
    ASSERT_EQ(tzRun.status, 0) << row.tz << " " << tzRun.err;
    const auto zoneBirth = nlohmann::json::parse(zoneRun.out)["birth"];
    const auto tzBirth = nlohmann::json::parse(tzRun.out)["birth"];
    EXPECT_EQ(zoneBirth["utc_offset_seconds"], row.offsetSeconds) << "zone " << row.zone << (row.tick ? " ticked" : "");
    EXPECT_EQ(tzBirth["utc_offset_seconds"], row.offsetSeconds) << row.tz << " " << row.date;
    // The positions follow the same instant.
    EXPECT_EQ(nlohmann::json::parse(zoneRun.out)["bodies"], nlohmann::json::parse(tzRun.out)["bodies"]) << row.tz;
  }
}

// The same instant through a zone id and through the zone list gives the same chart.
TEST_F(ZoneCliTest, ZoneIdAndTheMatchingListRowAgree) {
  const auto birth = BirthAt("1975-06-05", "07:05");
  const auto byId = nlohmann::json::parse(Cli(With(birth, {"--tz", "Asia/Kolkata"})).out);
  const auto byRow = nlohmann::json::parse(Cli(With(birth, {"--zone", "34"})).out);
  EXPECT_EQ(byId["bodies"], byRow["bodies"]);
  EXPECT_EQ(byId["lagnas"], byRow["lagnas"]);
  EXPECT_EQ(byId["birth"]["zone"], 34);
  EXPECT_EQ(byRow["birth"]["utc_offset_seconds"], 19800);
}

TEST_F(ZoneCliTest, PlaceSearchFindsTownsAccentsAndAlternateNames) {
  for (const char* query : {"munchen", "Munich", "M\u00fcnchen", "M\u00dcNCHEN"}) {
    const CliRun run = Cli({"--places", query, "--json"});
    ASSERT_EQ(run.status, 0) << query << run.err;
    const auto first = nlohmann::json::parse(run.out).at(0);
    EXPECT_EQ(first["country"], "Germany") << query;
    EXPECT_EQ(first["region"], "Bavaria") << query;
    EXPECT_EQ(first["tz"], "Europe/Berlin") << query;
    EXPECT_NEAR(first["latitude"].get<double>(), 48.14, 0.02) << query;
  }
  // A village of a few hundred people in Andorra.
  const auto soldeu = nlohmann::json::parse(Cli({"--places", "Soldeu", "--json"}).out).at(0);
  EXPECT_EQ(soldeu["tz"], "Europe/Andorra");
  EXPECT_LT(soldeu["population"].get<int>(), 1000);
  // A name many places share: the largest first.
  const auto springfields = nlohmann::json::parse(Cli({"--places", "Springfield", "--json"}).out);
  ASSERT_GT(springfields.size(), 5u);
  for (std::size_t i = 1; i < springfields.size(); ++i) {
    if (springfields[i]["name"] == "Springfield" && springfields[i - 1]["name"] == "Springfield") {
      EXPECT_GE(springfields[i - 1]["population"].get<int>(), springfields[i]["population"].get<int>());
    }
  }
  const CliRun none = Cli({"--places", "Zzqxqzz"});
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("No place matches"), std::string::npos);
}

TEST_F(ZoneCliTest, PlaceGivesCoordinatesNamesAndZone) {
  const CliRun run = Cli({"--name", "ram", "--date", "1975-06-05", "--time", "07:05", "--place", "M\u00fcnchen", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto birth = nlohmann::json::parse(run.out)["birth"];
  EXPECT_EQ(birth["lat"], "48:08N");
  EXPECT_EQ(birth["lon"], "11:35E");
  EXPECT_EQ(birth["state"], "Bavaria");
  EXPECT_EQ(birth["tz"], "Europe/Berlin");
  EXPECT_EQ(birth["utc_offset_seconds"], 3600);  // West Germany kept no summer time in 1975
  EXPECT_NE(run.err.find("place: "), std::string::npos);  // stderr names the place used
}

// Options given beside --place keep their values; the place fills only the others, and stderr
// and the JSON say which. A batch row's columns do the same, and its line names the place.
TEST_F(ZoneCliTest, GivenOptionsWinOverThePlace) {
  const CliRun run = Cli({"--name", "ram", "--date", "1975-06-05", "--time", "07:05", "--place", "New Delhi", "--lon",
                          "10:00W", "--lat", "10:00S", "--city", "Foo", "--zone", "3", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto birth = nlohmann::json::parse(run.out)["birth"];
  EXPECT_EQ(birth["lon"], "10:00W");
  EXPECT_EQ(birth["lat"], "10:00S");
  EXPECT_EQ(birth["city"], "Foo");
  EXPECT_EQ(birth["zone"], 3);
  EXPECT_EQ(birth["utc_offset_seconds"], -4 * 3600);  // Atlantic Standard Time, not India's clock
  EXPECT_FALSE(birth.contains("tz"));
  EXPECT_EQ(birth["country"], "India");
  EXPECT_EQ(birth["place_filled"], nlohmann::json::array({"state", "country"}));
  EXPECT_NE(run.err.find("from the place: state, country; kept as given: lon, lat, city, zone"), std::string::npos)
      << run.err;

  const std::string csv = (dir_ / "rows.csv").string();
  std::ofstream(csv) << "name,date,time,zone,dst,lon,lat,city,place\n"
                        "RAM,1975-06-05,07:05,,,,,Foo,New Delhi\n";
  const CliRun batch = Cli({"--batch", csv});
  ASSERT_EQ(batch.status, 0) << batch.err;
  const auto row = nlohmann::json::parse(batch.out)["birth"];
  EXPECT_EQ(row["city"], "Foo");
  EXPECT_EQ(row["tz"], "Asia/Kolkata");
  EXPECT_NE(row["place"].get<std::string>().find("India"), std::string::npos);
  EXPECT_EQ(row["place_filled"], nlohmann::json::array({"lon", "lat", "state", "country", "zone"}));
}

// Names a chart file cannot hold are written in its letters, so the chart can be saved.
TEST_F(ZoneCliTest, PlaceNamesBecomeTextAChartFileHolds) {
  const std::string file = (dir_ / "lodz.zdh").string();
  const CliRun run = Cli({"--name", "ram", "--date", "1975-06-05", "--time", "07:05", "--place", "\u0141\u00f3d\u017a",
                          "--json", "--save", file});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto birth = nlohmann::json::parse(run.out)["birth"];
  EXPECT_EQ(birth["city"], "Lodz");                        // the ASCII name: "Ł" and "ź" are not in the code page
  EXPECT_EQ(birth["state"], "L\u00f3dz Voivodeship");       // "ó" is, so only the others change
  EXPECT_EQ(birth["tz"], "Europe/Warsaw");
  EXPECT_TRUE(std::filesystem::exists(file));
}

// The zone id and the exact offset survive a save; readers of the classic lines find the row.
TEST_F(ZoneCliTest, ZoneIdAndExactOffsetSurviveAChartFile) {
  const std::string file = (dir_ / "amsterdam.zdh").string();
  const CliRun saved = Cli(With(BirthAt("1937-06-30", "12:00"), {"--tz", "Europe/Amsterdam", "--save", file}));
  ASSERT_EQ(saved.status, 0) << saved.err;
  const CliRun opened = Cli({"--open", file, "--json"});
  ASSERT_EQ(opened.status, 0) << opened.err;
  const auto a = nlohmann::json::parse(saved.out), b = nlohmann::json::parse(opened.out);
  EXPECT_EQ(b["birth"]["tz"], "Europe/Amsterdam");
  EXPECT_EQ(b["birth"]["utc_offset_seconds"], 3600 + 19 * 60 + 32);
  EXPECT_EQ(a["bodies"], b["bodies"]);
  EXPECT_EQ(a["lagnas"], b["lagnas"]);
  // No row has +1:19:32; the file's classic lines hold the nearest, a +1:00 row.
  const std::string row = b["birth"]["zone_name"];
  EXPECT_EQ(row.substr(row.size() - 4), "+1.0") << row;
}

TEST_F(ZoneCliTest, BatchColumnsTzAndPlaceGiveClockAndPlace) {
  const std::string csv =
      "name,date,time,zone,dst,lon,lat,city,state,country,tz,place\n"
      "ram,1975-06-05,07:05,,,,,,,,,M\u00fcnchen\n"
      "sita,2021-11-07,01:30,,,74:00W,40:43N,,,,America/New_York,\n"
      "ann,1975-06-05,07:05,,,77:13E,28:36N,,,,Asia/Kolkata,\n";
  const CliRun run = Cli({"--batch", "-", "--jobs", "1"}, csv);
  EXPECT_EQ(run.status, 2);  // one record refused
  std::istringstream lines(run.out);
  std::vector<nlohmann::json> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(nlohmann::json::parse(line));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0]["birth"]["tz"], "Europe/Berlin");
  EXPECT_EQ(rows[0]["birth"]["lat"], "48:08N");
  EXPECT_EQ(rows[1]["line"], 3);
  EXPECT_NE(rows[1]["error"].get<std::string>().find("happened twice"), std::string::npos);
  EXPECT_EQ(rows[2]["birth"]["utc_offset_seconds"], 19800);
  EXPECT_EQ(rows[2]["birth"]["zone"], 34);
}

}  // namespace
}  // namespace corvane
