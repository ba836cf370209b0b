// Runs the built corvane-cli (found next to this test program) and checks its exit
// statuses, messages and JSON output.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/chart_file.h"
#include "tests/app/cli_runner.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::CliPath;
using testing::CliRun;
using testing::CliTest;
using testing::kDelhi;
using testing::Quote;
using testing::Replaced;
using testing::Slurp;
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
  EXPECT_EQ(j["format"], 2);
  const auto& pages = j["pages"];
  // Each page names the sign its lagna stands in.
  const char* const kSigns[] = {"Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo",
                                "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
  for (const char* lagna : {"AL", "BL", "HL", "GL", "SrL", "IL", "PL", "UL", "VL", "CL", "SL", "Ascendant"}) {
    const int sign = j["lagnas"][lagna]["sign"];
    EXPECT_EQ(pages[lagna]["english_name"], kSigns[sign]) << lagna;
    for (const char* field : {"ruling_planet", "looks", "nature", "career_and_finance", "health", "caste"})
      EXPECT_FALSE(pages[lagna][field].get<std::string>().empty()) << lagna << "." << field;
  }
  EXPECT_FALSE(pages["PpL"].contains("english_name"));
  EXPECT_EQ(pages["PpL"]["caption"],
            "Pranapada Lagna Present In " + std::to_string(j["pranapada_house"].get<int>()) + " House");
  EXPECT_FALSE(pages["HL"]["house_text"].get<std::string>().empty());
  ASSERT_FALSE(pages["AL"]["reading"].empty());
  EXPECT_EQ(pages["AL"]["reading"][0]["text"], "About Your AL\r\n");
  EXPECT_EQ(pages["AL"]["reading"][0]["bold"], true);
  EXPECT_EQ(pages["UL"]["reading"][0]["text"], "About Your A12\r\n");

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
      {"--name", "RAM2", "Please Enter only Letters: 2 is not a letter; a name takes", 2},
      {"--name", "\u0142ukasz", "\u0142 cannot be stored in a chart file", 2},
      {"--name", "Anne-", "- must stand between two letters", 2},
      {"--date", "1975-06-31", "Please Enter Correct Date Or Month !", 2},
      {"--date", "1900-01-01", "The year must be one of 1901 to 2050 with the element method", 2},
      {"--date", "1799-12-31", "1800 to 2399 with the Swiss Ephemeris", 2},
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
           {}, {"--bogus"}, {"--name"}, {"--name", "A", "--date", "1975-06-05"}, {"--retrogrades", "next"},
           {"--retrogrades", "2000", "--pages"}, {"--batch", "-", "--jobs", "0"}, {"--batch", "-", "--jobs", "x"},
           {"--batch", "-", "--json"}, {"--jobs", "2"}, {"--open", "a.zdh", "--name", "X"}})
    EXPECT_EQ(Cli(args).status, 64) << args.size();
  const CliRun help = Cli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--batch"), std::string::npos);
}

// The version is the project() version, which CMake hands to this test on its own.
TEST_F(CliTest, VersionIsTheProjectVersion) {
  const CliRun run = Cli({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "corvane-cli " CORVANE_EXPECTED_VERSION "\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(CliTest, AccentedNamesAreTakenInCapitals) {
  for (const auto& [typed, stored] : {std::pair{"jos\u00e9", "JOS\u00c9"}, {"\u00e5se n\u00fa\u00f1ez", "\u00c5SE N\u00da\u00d1EZ"},
                                      {"stra\u00dfe", "STRA\u00dfE"}}) {
    const CliRun run = Cli(With(Replaced(kDelhi, "--name", typed), {"--json"}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["birth"]["name"], stored);
  }
}

// Each row: the position, the row's own text and the offset local - UT. Apart from Indian
// time, which the list writes "+5.3", a row's text ends in that offset in decimal hours.
TEST_F(CliTest, ZonesListEveryPositionWithItsOffset) {
  const CliRun run = Cli({"--zones"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream lines(run.out);
  std::vector<std::string> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(line);
  ASSERT_EQ(rows.size(), 71u);
  const std::regex row(R"(^ ?(\d+)  (.*\S) +([+-])(\d\d):(\d\d)$)");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(rows[i], m, row)) << rows[i];
    EXPECT_EQ(std::stoul(m[1]), i);
    const std::string text = m[2];
    const int minutes = (m[3] == "-" ? -1 : 1) * (std::stoi(m[4]) * 60 + std::stoi(m[5]));
    const double labelHours = std::stod(text.substr(text.find_last_of(", ") + 1));
    if (text != "Indian Time, IST, +5.3") {
      EXPECT_EQ(minutes, static_cast<int>(labelHours * 60)) << rows[i];
    }
  }
  for (const auto& [position, offset] : {std::pair{34, "+05:30"}, {29, "+00:00"}, {50, "-03:30"}, {32, "-10:30"},
                                         {46, "+13:00"}, {36, "-12:00"}}) {
    EXPECT_EQ(rows[static_cast<std::size_t>(position)].substr(rows[0].size() - 6), offset) << position;
  }

  const auto json = nlohmann::json::parse(Cli({"--zones", "--json"}).out);
  ASSERT_EQ(json.size(), 71u);
  EXPECT_EQ(json[34], (nlohmann::json{{"position", 34}, {"text", "Indian Time, IST, +5.3"}, {"offset", "+05:30"}}));
  EXPECT_EQ(Cli({"--zones", "--dst"}).status, 64);
  EXPECT_EQ(Cli({"--zones", "--zone", "3"}).status, 64);
}

// The help ends with worked examples; each of them runs as printed.
TEST_F(CliTest, HelpEndsWithThreeExamplesThatRun) {
  const CliRun help = Cli({"--help"});
  ASSERT_EQ(help.status, 0);
  const auto examples = help.out.find("\nExamples:\n");
  ASSERT_NE(examples, std::string::npos);
  std::istringstream lines(help.out.substr(examples));
  std::vector<std::string> commands;
  std::string last;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("    corvane-cli ", 0) == 0) commands.push_back(line.substr(4));
    if (!line.empty()) last = line;
  }
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ("    " + commands.back(), last);
  for (const std::string& command : commands) {
    const std::string shell = Quote(CliPath().string()) + command.substr(std::string("corvane-cli").size()) +
                              " > " + Quote((dir_ / "example").string()) + " 2>&1";
    const int raw = std::system(shell.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << command << "\n" << Slurp(dir_ / "example");
    EXPECT_GT(Slurp(dir_ / "example").size(), 500u) << command;
  }
}

// SIGINT or SIGTERM during a long batch: the program stops on a whole line and says which
// signal stopped it in its exit status (128 + the signal).
TEST_F(CliTest, AnInterruptedBatchEndsOnAWholeLine) {
  const fs::path births = dir_ / "births.csv";
  {
    std::ofstream csv(births, std::ios::binary);
    csv << "name,date,time,zone,dst,lon,lat,city,state,country\n";
    for (int i = 0; i < 200000; ++i)
      csv << "ram kumar,19" << 10 + i % 90 << "-06-05,07:05,34,0,77:13E,28:36N,New Delhi,Delhi,India\n";
  }
  struct Case { int signal; const char* jobs; int status; };
  for (const Case& c : {Case{SIGINT, "1", 130}, Case{SIGTERM, "2", 143}, Case{SIGINT, "2", 130}}) {
    const fs::path out = dir_ / "out.jsonl", err = dir_ / "err.txt";
    fs::remove(out);
    const pid_t child = ::fork();
    if (child == 0) {
      std::freopen(out.c_str(), "wb", stdout);
      std::freopen(err.c_str(), "wb", stderr);
      ::execl(CliPath().c_str(), "corvane-cli", "--batch", births.c_str(), "--jobs", c.jobs, nullptr);
      ::_exit(127);
    }
    // Once some lines are out, the signal comes in the middle of the run.
    for (int waited = 0; waited < 3000 && (!fs::exists(out) || fs::file_size(out) < 200000); ++waited)
      ::usleep(10000);
    ASSERT_EQ(::kill(child, c.signal), 0);
    int raw = 0;
    ASSERT_EQ(::waitpid(child, &raw, 0), child);
    ASSERT_TRUE(WIFEXITED(raw)) << "ended by signal " << WTERMSIG(raw);
    EXPECT_EQ(WEXITSTATUS(raw), c.status) << Slurp(err);
    const std::string text = Slurp(out);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    std::istringstream lines(text);
    std::size_t count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
      const auto row = nlohmann::json::parse(line, nullptr, false);
      ASSERT_FALSE(row.is_discarded()) << "line " << count + 1 << ": " << line.substr(0, 80);
      ASSERT_EQ(row["birth"]["name"], "RAM KUMAR") << "line " << count + 1;
    }
    EXPECT_GT(count, 0u);
    EXPECT_LT(count, 200000u);  // stopped, not finished
    EXPECT_NE(Slurp(err).find("every line written is whole"), std::string::npos);
  }
}

// Only a regular file is read as a chart or a batch: a FIFO is refused at once, not waited on.
TEST_F(CliTest, AFifoIsRefusedAtOnce) {
  ASSERT_EQ(::mkfifo((dir_ / "pipe.zdh").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((dir_ / "pipe.csv").c_str(), 0600), 0);
  for (const auto& args : {std::vector<std::string>{"--open", (dir_ / "pipe.zdh").string()},
                           std::vector<std::string>{"--batch", (dir_ / "pipe.csv").string()}}) {
    const CliRun run = Cli(args, "", "timeout 20");
    EXPECT_EQ(run.status, 66) << args[0];
    EXPECT_NE(run.err.find("it is a FIFO, not a regular file"), std::string::npos) << run.err;
  }
}

// A save never replaces a file whose permissions deny writing it.
TEST_F(CliTest, ASaveLeavesAReadOnlyFile) {
  const fs::path chart = dir_ / "kept.zdh";
  std::ofstream(chart) << "old";
  fs::permissions(chart, fs::perms::owner_read);
  const CliRun run = Cli(With(kDelhi, {"--save", chart.string()}));
  EXPECT_EQ(run.status, 73);
  EXPECT_NE(run.err.find("its permissions do not let you write it"), std::string::npos) << run.err;
  EXPECT_EQ(Slurp(chart), "old");
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
                                       {"error", "lon: Please Enter Value Between 0 And 179 in the Degree of Longitude"}}));
    EXPECT_EQ(rows[2]["birth"]["city"], "London, City");
    EXPECT_EQ(rows[2]["birth"]["dst"], true);
    EXPECT_EQ(rows[2]["birth"]["time"], "23:59:59");
    EXPECT_FALSE(rows[2].contains("pages"));
  }
  EXPECT_EQ(Cli({"--batch", "-"}, "name,date\nx,1975-01-01\n").status, 64);
}

TEST_F(CliTest, BatchReadsRfc4180WithAByteOrderMarkAndQuotedLineBreaks) {
  const std::string csv =
      "\xEF\xBB\xBFname,date,time,zone,dst,lon,lat,city\r\n"
      "ram,1975-06-05,07:05,34,0,77:13E,28:36N,\"New\r\nDelhi\"\r\n"
      "\r\n"
      "sita,1980-01-31,23:59,29,1,0:07W,51:30N,\"Bad \xFF\"\r\n";
  const CliRun run = Cli({"--batch", "-", "--jobs", "2"}, csv);
  EXPECT_EQ(run.status, 2) << run.err;
  std::istringstream lines(run.out);
  std::vector<nlohmann::json> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(nlohmann::json::parse(line));
  ASSERT_EQ(rows.size(), 2u) << run.out;
  EXPECT_EQ(rows[0]["birth"]["city"], "New\r\nDelhi");
  EXPECT_EQ(rows[1], (nlohmann::json{{"line", 5}, {"error", "the city column is not valid UTF-8"}}));

  const CliRun headerOnly = Cli({"--batch", "-"}, "name,date,time,zone,dst,lon,lat\r\n");
  EXPECT_EQ(headerOnly.status, 0) << headerOnly.err;
  EXPECT_EQ(headerOnly.out, "");
}

// Every command reports a failed write to standard output, instead of ending well. Its output
// goes to a file of the test's folder that may not grow past 512 bytes (a file size limit of
// one block, with the limit's signal ignored so that the write fails instead): each command
// writes more than that, its message on standard error less.
TEST_F(CliTest, AFailedWriteEndsWithStatus74) {
  const std::string csv = "name,date,time,zone,dst,lon,lat\nRAM,1975-06-05,07:05,34,0,77:13E,28:36N\n";
  const std::vector<std::vector<std::string>> commands = {
      With(kDelhi, {"--json"}), kDelhi, With(kDelhi, {"--pages"}), {"--batch", "-"}, {"--batch", "-", "--jobs", "1"},
      {"--retrogrades", "2000"}, {"--retrogrades", "2000", "--json"}, {"--help"}};
  for (const auto& args : commands) {
    const CliRun run = Cli(args, csv, "trap '' XFSZ; ulimit -f 1;");
    EXPECT_EQ(run.status, 74) << args[0] << " " << args.size();
    EXPECT_NE(run.err.find("cannot write the output"), std::string::npos) << run.err;
  }
}

// The years the station table lists whole: 1897 to 2053, the years it was made for.
std::pair<int, int> StationYears() { return {1897, 2053}; }

TEST_F(CliTest, RetrogradesOutsideTheTableAreRefusedNamingItsYears) {
  const auto [first, last] = StationYears();
  ASSERT_LT(first, last);
  const std::string range = std::to_string(first) + " to " + std::to_string(last);
  for (const std::string& year : {std::to_string(first - 1), std::to_string(last + 1), std::string("2147483647"),
                                  std::string("-2147483648"), std::string("99999999999"),
                                  std::string("-99999999999999999999999")}) {
    for (const bool json : {false, true}) {
      const CliRun run = Cli(json ? std::vector<std::string>{"--retrogrades", year, "--json"}
                                  : std::vector<std::string>{"--retrogrades", year});
      EXPECT_EQ(run.status, 2) << year;
      EXPECT_EQ(run.out, "") << year;
      EXPECT_NE(run.err.find("known for " + year + ": the station tables cover " + range), std::string::npos) << run.err;
    }
  }
  for (const int year : {first, last}) {
    const CliRun run = Cli({"--retrogrades", std::to_string(year), "--json"});
    EXPECT_EQ(run.status, 0) << year;
    EXPECT_FALSE(nlohmann::json::parse(run.out)["periods"].empty()) << year;
  }
}

TEST_F(CliTest, SavedChartOpensAgainWithTheSameResult) {
  const std::string file = (dir_ / "ram.zdh").string();
  const CliRun saved = Cli(With(kDelhi, {"--json", "--save", file}));
  ASSERT_EQ(saved.status, 0) << saved.err;
  ASSERT_TRUE(fs::exists(file));
  const CliRun opened = Cli({"--open", file, "--json"});
  ASSERT_EQ(opened.status, 0) << opened.err;
  EXPECT_EQ(nlohmann::json::parse(opened.out), nlohmann::json::parse(saved.out));

  const CliRun unwritable = Cli(With(kDelhi, {"--save", (dir_ / "missing" / "x.zdh").string()}));
  EXPECT_EQ(unwritable.status, 73);
  EXPECT_NE(unwritable.err.find("could not be created"), std::string::npos);
}

// The birth second is stored: at 23:12:59 the Pranapada lagna stands in house 12, and at
// 23:12:00 it would stand in house 11. Extras of an opened file go into the file it saves.
TEST_F(CliTest, SecondsAndExtrasSurviveSaveAndOpen) {
  const std::string file = (dir_ / "late.zdh").string();
  const CliRun saved = Cli(With(Replaced(kDelhi, "--time", "23:12:59"), {"--json", "--save", file}));
  ASSERT_EQ(saved.status, 0) << saved.err;
  const CliRun opened = Cli({"--open", file, "--json"});
  ASSERT_EQ(opened.status, 0) << opened.err;
  const auto j = nlohmann::json::parse(opened.out);
  EXPECT_EQ(j["birth"]["time"], "23:12:59");
  EXPECT_EQ(j["pranapada_house"], 12);
  EXPECT_EQ(j, nlohmann::json::parse(saved.out));
  EXPECT_EQ(nlohmann::json::parse(Cli(With(Replaced(kDelhi, "--time", "23:12:00"), {"--json"})).out)["pranapada_house"], 11);

  // A file of the 17-line layout has no second: it opens at second 0.
  const CliRun older = Cli({"--open", std::string(CORVANE_SOURCE_DIR) + "/tests/app/data/delhi_1975.zdh", "--json"});
  ASSERT_EQ(older.status, 0) << older.err;
  EXPECT_EQ(nlohmann::json::parse(older.out)["birth"]["time"], "07:05:00");

  Chart chart;
  chart.birth.name = "RAM", chart.birth.monthIndex = 5, chart.birth.day = 5, chart.birth.year = 1975, chart.birth.hour = 7;
  chart.clock.zonePosition = 34, chart.birth.longitude = {77, 0, true}, chart.birth.latitude = {28, 0, true};
  chart.clock.source = ClockSource::kZoneDatabase, chart.clock.zoneId = "Asia/Kolkata", chart.clock.utcOffsetSeconds = 19800;
  std::ofstream((dir_ / "zoned.zdh").string(), std::ios::binary) << EncodeChartFile(chart);
  const std::string copy = (dir_ / "copy.zdh").string();
  ASSERT_EQ(Cli({"--open", (dir_ / "zoned.zdh").string(), "--save", copy}).status, 0);
  const auto reread = ParseChartFile(Slurp(copy));
  ASSERT_TRUE(reread.ok()) << reread.refusal().reason;
  EXPECT_EQ(reread.birth().extras, (BirthExtras{"Asia/Kolkata", 19800}));
}

// A file that is not a chart is refused with the program's message and status 65; nothing
// is calculated from it.
TEST_F(CliTest, AFileThatIsNotAChartIsRefused) {
  const std::string chart = Slurp(std::string(CORVANE_SOURCE_DIR) + "/tests/app/data/delhi_1975.zdh");
  std::string binary;
  for (int i = 0; i < 2048; ++i) binary.push_back(static_cast<char>(i * 7919 % 251));
  const std::pair<const char*, std::string> files[] = {
      {"x.zdh", "x"},
      {"empty.zdh", ""},
      {"binary.zdh", binary},
      {"short.zdh", chart.substr(0, chart.rfind("\r\n", chart.size() - 3) + 2)},
      {"huge.zdh", chart + std::string(100000, '\x96')},
      {"ram.ZDH", chart},
  };
  for (const auto& [name, bytes] : files) {
    std::ofstream((dir_ / name).string(), std::ios::binary) << bytes;
    const CliRun run = Cli({"--open", (dir_ / name).string(), "--json"});
    EXPECT_EQ(run.status, 65) << name;
    // A name without .zdh is refused by the naming rule; a .zdh file that is no chart by the form's words.
    const std::string_view file(name);
    EXPECT_EQ(run.err, file.ends_with(".zdh") ? std::string("corvane-cli: --open: Please Check The File.\n")
                                              : "corvane-cli: --open: the name of a chart file must end in .zdh, not \"" +
                                                    (dir_ / name).string() + "\"\n")
        << name;
    EXPECT_TRUE(run.out.empty()) << name;
  }
  EXPECT_EQ(Cli({"--open", (dir_ / "absent.zdh").string()}).status, 66);
}

// A save that fails part-way leaves the chart file that was there, byte for byte.
TEST_F(CliTest, AFailedSaveKeepsTheOldChartFile) {
  const std::string file = (dir_ / "ram.zdh").string();
  ASSERT_EQ(Cli(With(kDelhi, {"--save", file})).status, 0);
  const std::string old = Slurp(file);
  std::set<std::string> before;
  for (const auto& entry : fs::directory_iterator(dir_)) before.insert(entry.path().filename().string());
  // A city long enough that the new file outgrows the 1 KiB file size limit of this run.
  const CliRun failed =
      Cli(Replaced(With(kDelhi, {"--save", file}), "--city", std::string(1500, 'X')), "", "trap '' XFSZ; ulimit -f 1;");
  EXPECT_EQ(failed.status, 73);
  EXPECT_NE(failed.err.find("File too large"), std::string::npos) << failed.err;
  EXPECT_EQ(Slurp(file), old);
  std::set<std::string> after;
  for (const auto& entry : fs::directory_iterator(dir_)) after.insert(entry.path().filename().string());
  EXPECT_EQ(after, before);
}

// A daylight-saving tick on a zone that already holds that hour is warned about, and the
// chart is calculated as asked.
TEST_F(CliTest, DaylightSavingOnADaylightZoneIsWarnedAbout) {
  const CliRun twice = Cli(With(Replaced(kDelhi, "--zone", "24"), {"--dst", "--json"}));
  ASSERT_EQ(twice.status, 0) << twice.err;
  EXPECT_EQ(twice.err,
            "corvane-cli: warning: The zone Eastern Daylight Time already includes daylight saving time. Ticking "
            "Daylight Saving Time as well counts that hour twice.\n");
  EXPECT_EQ(nlohmann::json::parse(twice.out)["birth"]["dst"], true);
  for (const auto& zone : {"24", "27"}) {
    const CliRun once = Cli(With(Replaced(kDelhi, "--zone", zone), {std::string(zone) == "27" ? "--dst" : "--json"}));
    EXPECT_EQ(once.status, 0) << zone;
    EXPECT_TRUE(once.err.empty()) << zone << ": " << once.err;
  }
}

// The sweep's text rows and JSON say the same, the given chart is the one without --sweep, and
// each lagna's intervals tile the window with the sign the chart gives at the birth time inside.
TEST_F(CliTest, SweepRowsAndJsonAgreeWithTheChart) {
  const CliRun plain = Cli(With(kDelhi, {"--json"}));
  const CliRun swept = Cli(With(kDelhi, {"--json", "--sweep", "30"}));
  ASSERT_EQ(swept.status, 0) << swept.err;
  auto j = nlohmann::json::parse(swept.out);
  const auto sweep = j["sweep"];
  j.erase("sweep");
  EXPECT_EQ(j, nlohmann::json::parse(plain.out));
  EXPECT_EQ(sweep["minutes"], 30);
  EXPECT_EQ(sweep["from"], "1975-06-05 06:35:00");
  EXPECT_EQ(sweep["to"], "1975-06-05 07:35:00");
  EXPECT_TRUE(sweep["gaps"].empty());
  const CliRun text = Cli(With(kDelhi, {"--sweep", "30"}));
  ASSERT_EQ(text.status, 0) << text.err;
  const char* const kSigns[] = {"Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo",
                                "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
  for (const auto& [key, row] : sweep["lagnas"].items()) {
    ASSERT_FALSE(row.empty()) << key;
    EXPECT_EQ(row.front()["from"], sweep["from"]) << key;
    EXPECT_EQ(row.back()["to"], sweep["to"]) << key;
    std::string line = key;
    line.resize(std::max<std::size_t>(line.size(), 10), ' ');
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) {
        EXPECT_EQ(row[i]["from"], row[i - 1]["to"]) << key;
      }
      const std::string from = row[i]["from"], to = row[i]["to"];
      line += (i > 0 ? ", " : "") + from.substr(11) + "\u2013" + to.substr(11) + " " + kSigns[row[i]["sign"].get<int>()];
      if (from <= "1975-06-05 07:05:00" && "1975-06-05 07:05:00" < to) {
        EXPECT_EQ(row[i]["sign"], j["lagnas"][key]["sign"]) << key;
      }
    }
    EXPECT_NE(text.out.find("\n" + line + "\n"), std::string::npos) << line;
  }
  EXPECT_NE(text.out.find("\nWithin \u00b130 min: "), std::string::npos);
  for (const char* bad : {"0", "721", "15m", ""}) {
    const CliRun refused = Cli(With(kDelhi, {"--sweep", bad}));
    EXPECT_EQ(refused.status, 64) << bad;
    EXPECT_NE(refused.err.find("--sweep needs a number of minutes from 1 to 720"), std::string::npos) << refused.err;
  }
}

}  // namespace
}  // namespace corvane
