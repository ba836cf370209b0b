// The chart collection through the command line and through crashes: charts leave it as
// chart files that open to the same chart JSON; an import killed at any moment leaves a
// database that opens, passes its integrity check and holds the committed charts whole.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/birth_zone.h"
#include "app/chart_calculation.h"
#include "app/chart_collection.h"
#include "app/chart_file.h"
#include "app/collection_export.h"
#include "app/collection_filter.h"
#include "cli/chart_json.h"
#include "tests/app/cli_runner.h"
#include "tests/app/sample_birth.h"
#include "tests/cli/chart_json_text.h"

namespace corvane {
namespace {

using testing::ChartJsonText;

namespace fs = std::filesystem;
using testing::CliTest;
using testing::kDelhi;
using testing::Slurp;
using testing::With;

// Varied births: every zone row with and without the tick, zones of the time zone database
// with both readings of doubled hours, seconds, both hemispheres, accented names and places.
std::vector<BirthData> VariedBirths(int count, unsigned seed) {
  static const char* const kNames[] = {"RAM", "JOSÉ", "ANNE-MARIE", "O'BRIEN", "ZOË", "SØREN", "ÅSA", "LI", "MARÍA JOSÉ"};
  static const char* const kCities[] = {"New Delhi", "Málaga", "Zürich", "São Paulo", "Kraków", "", "Saint \"Q\", Town"};
  static const char* const kZones[] = {"Europe/Berlin", "America/New_York", "Asia/Kolkata", "Australia/Sydney",
                                       "Asia/Kathmandu", "Europe/Amsterdam", "America/Sao_Paulo", "Africa/Lagos"};
  std::mt19937 random(seed);
  const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  std::vector<BirthData> births;
  while (static_cast<int>(births.size()) < count) {
    BirthData b;
    b.name = kNames[pick(0, 8)];
    b.year = pick(1901, 2050);
    b.monthIndex = pick(0, 11);
    b.day = pick(1, 28);
    b.hour = pick(0, 23);
    b.minute = pick(0, 59);
    b.second = pick(0, 59);
    b.lonDegrees = std::to_string(pick(0, 179));
    b.lonMinutes = std::to_string(pick(0, 59));
    b.east = pick(0, 1) == 1;
    b.latDegrees = std::to_string(pick(0, 59));
    b.latMinutes = std::to_string(pick(0, 59));
    b.south = pick(0, 1) == 1;
    b.city = kCities[pick(0, 6)];
    b.country = pick(0, 1) ? "Ísland" : "";
    b.zonePosition = pick(0, 70);
    b.daylightSaving = pick(0, 3) == 0;
    if (pick(0, 2) == 0) {
      const char* zone = kZones[pick(0, 7)];
      const auto fold = pick(0, 1) ? RepeatedTimeChoice::kEarlier : RepeatedTimeChoice::kLater;
      if (SetBirthZone(zone, fold, b)) continue;  // a skipped local time: not a birth
      b.place = std::string("Somewhere, ") + zone;
      b.placeFilled = {"lat", "zone"};
    }
    if (!CalculateChart(b).ok()) continue;
    births.push_back(b);
  }
  return births;
}

// 1,000 varied charts through the collection and out again as chart files: each exported
// file opens to the chart JSON of the birth that went in.
TEST(ChartCollectionRoundTrip, ExportedChartsOpenToTheSameJson) {
  const fs::path dir = fs::temp_directory_path() / ("corvane_collection_round_trip_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  {
    auto collection = ChartCollection::Open((dir / "charts.sqlite").string());
    const std::vector<BirthData> births = VariedBirths(1000, 20261208);
    std::vector<std::string> expected;
    std::vector<std::int64_t> ids;
    collection->inTransaction([&] {
      for (const BirthData& b : births) {
        const AddedChart added = collection->add(b);
        if (!added.added) continue;  // the same birth drawn twice
        ids.push_back(added.id);
        expected.push_back(ChartJsonText(CalculateChart(b).chart(), false));
      }
    });
    ASSERT_GE(ids.size(), 990u);
    const ExportResult exported = ExportChartFiles(*collection, ids, (dir / "out").string());
    ASSERT_FALSE(exported.failure) << *exported.failure;
    ASSERT_EQ(exported.written.size(), ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i) {
      const ParsedChartFile file = ParseChartFile(Slurp(exported.written[i]));
      ASSERT_TRUE(file.ok()) << exported.written[i];
      const CalculationResult reopened = CalculateChart(file.birth());
      ASSERT_TRUE(reopened.ok()) << exported.written[i];
      EXPECT_EQ(ChartJsonText(reopened.chart(), false), expected[i]) << exported.written[i];
    }
  }
  fs::remove_all(dir);
}

class CollectionCliTest : public CliTest {
 protected:
  std::string Db() const { return Path("charts.sqlite"); }
  testing::CliRun C(std::vector<std::string> args) { return Cli(With(std::move(args), {"--collection", Db()})); }

  // Writes `count` chart files of distinct births into the folder.
  void WriteChartFiles(const std::string& folder, int count, const std::string& name) {
    fs::create_directories(folder);
    for (int i = 0; i < count; ++i) {
      Chart chart;
      chart.birth = ChartBirthOf(testing::DelhiBirth());
      chart.birth.name = name;
      chart.birth.year = 1901 + i % 150;
      chart.birth.hour = i / 150 % 24;
      chart.birth.minute = i / 3600 % 60;
      chart.birth.second = i / 216000;
      chart.clock.zonePosition = 34;
      std::ofstream(folder + "/" + std::to_string(i) + ".zdh", std::ios::binary) << EncodeChartFile(chart);
    }
  }
};

TEST_F(CollectionCliTest, AddsListsExportsAndRemoves) {
  const auto added = C(With(kDelhi, {"--collection-add", "--note", "Reads for the Müllers", "--tags", "family, clients"}));
  ASSERT_EQ(added.status, 0) << added.err;
  EXPECT_EQ(added.out, "1\n");
  const auto again = C(With(kDelhi, {"--collection-add"}));
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.out, "1\n");
  EXPECT_NE(again.err.find("holds this birth already"), std::string::npos);
  ASSERT_EQ(Cli(With(kDelhi, {"--save", Path("sita.zdh")})).status, 0);
  const auto fromFile = C({"--collection-add", "--open", Path("sita.zdh")});
  EXPECT_EQ(fromFile.out, "1\n");  // the same birth as the options gave

  const auto table = C({"--collection-list"});
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_NE(table.out.find("ID  NAME       BIRTH"), std::string::npos) << table.out;
  EXPECT_NE(table.out.find("RAM KUMAR  1975-06-05 07:05:00  New Delhi, Delhi, India"), std::string::npos) << table.out;

  const auto json = C({"--collection-list", "muller Asc in Gemini", "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const auto line = nlohmann::json::parse(json.out);
  EXPECT_EQ(line["id"], 1);
  EXPECT_EQ(line["name"], "RAM KUMAR");
  EXPECT_EQ(line["tags"], nlohmann::json::array({"family", "clients"}));
  EXPECT_EQ(line["signs"]["Asc"], "Gemini");  // hand-worked: see the app's filter test
  EXPECT_EQ(line["signs"]["Sun"], "Taurus");
  EXPECT_TRUE(line["opened"].is_null());
  EXPECT_EQ(C({"--collection-list", "Asc in Leo", "--json"}).out, "");

  const auto exported = C({"--collection-export", Path("out")});
  ASSERT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(Slurp(Path("out/RAM_KUMAR_1975-06-05.zdh")), Slurp(Path("sita.zdh")));
  ASSERT_EQ(C({"--collection-export", Path("all.csv")}).status, 0);
  const auto batch = Cli({"--batch", Path("all.csv")});
  EXPECT_EQ(batch.status, 0) << batch.err;
  EXPECT_EQ(nlohmann::json::parse(batch.out)["birth"]["name"], "RAM KUMAR");

  EXPECT_EQ(C({"--collection-remove", "7"}).status, 2);
  EXPECT_EQ(C({"--collection-remove", "x1"}).status, 64);
  EXPECT_EQ(C({"--collection-remove", "1"}).status, 0);
  EXPECT_EQ(C({"--collection-list"}).out.find("RAM"), std::string::npos);
}

TEST_F(CollectionCliTest, OptionsGoOnlyWithTheirCommands) {
  struct Row {
    std::vector<std::string> args;
    int status;
  };
  const Row rows[] = {
      {{"--collection-list", "--note", "x"}, 64},
      {{"--collection-remove", "1", "--json"}, 64},
      {{"--open", "x.zdh", "--note", "x"}, 64},    // --note belongs to --collection-add
      {{"--open", "x.zdh", "--name", "RAM"}, 64},  // as before: birth options do not go with --open
      {{"--collection", "x.sqlite"}, 64},
      {{"--collection-list", "--json"}, 0},  // the optional text left out
  };
  for (const Row& row : rows) EXPECT_EQ(C(row.args).status, row.status) << row.args[0] << " " << row.args[1];
}

TEST_F(CollectionCliTest, AFileThatIsNoCollectionIsNamedAndKept) {
  std::ofstream(Db()) << "";
  const auto empty = C({"--collection-list"});
  EXPECT_EQ(empty.status, 65);
  EXPECT_NE(empty.err.find(Db()), std::string::npos) << empty.err;
  EXPECT_EQ(Slurp(Db()), "");
  EXPECT_EQ(Cli(With(kDelhi, {"--json"})).status, 0);  // the program works without it
  const auto missingFolder = Cli({"--collection-list", "--collection", Path("no/such/folder/c.sqlite")});
  EXPECT_EQ(missingFolder.status, 66) << missingFolder.err;
}

TEST_F(CollectionCliTest, ImportCountsDuplicatesAndListsOtherFiles) {
  WriteChartFiles(Path("in/a"), 20, "ANN");
  WriteChartFiles(Path("in/b"), 5, "ANN");  // the first five again
  std::ofstream(Path("in/readme.txt")) << "x";
  const auto run = C({"--collection-import", Path("in")});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.out.find("Imported 20 charts; 5 duplicates skipped; 1 files not imported."), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("readme.txt: the name does not end in .zdh"), std::string::npos);
  EXPECT_EQ(run.err.find("Importing"), std::string::npos);  // no progress line when stderr is a file
}

// Two command-line processes adding in a loop at once: every chart arrives, none is refused as
// locked.
TEST_F(CollectionCliTest, TwoWritersInALoopLoseNothing) {
  ASSERT_EQ(C({"--collection-list"}).status, 0);  // made before the writers start
  std::vector<std::thread> writers;
  std::vector<int> failures(2, 0);
  for (int w = 0; w < 2; ++w) {
    writers.emplace_back([&, w] {
      for (int i = 0; i < 25; ++i) {
        std::string command = testing::Quote(testing::CliPath().string()) + " --collection-add --collection " +
                              testing::Quote(Db()) + " --name " + (w ? "ann" : "ben") + " --date 1975-06-05 --time 07:" +
                              std::to_string(10 + i) + " --zone 34 --lon 77:13E --lat 28:36N > /dev/null 2>&1";
        if (std::system(command.c_str()) != 0) ++failures[static_cast<std::size_t>(w)];
      }
    });
  }
  for (auto& t : writers) t.join();
  EXPECT_EQ(failures, (std::vector<int>{0, 0}));
  EXPECT_EQ(ChartCollection::Open(Db())->count(), 50);
}

// SIGKILL at random moments of an import: the database opens, passes PRAGMA integrity_check,
// holds every chart of the import committed before it, and of the killed import all or
// nothing, each chart whole (its file and its row together). The suite imports 500 files;
// scripts/collection_crash.sh runs it with 10,000 (CORVANE_CRASH_FILES).
TEST_F(CollectionCliTest, AnImportKilledAtAnyMomentLeavesTheCommittedChartsWhole) {
  const int kFiles = std::getenv("CORVANE_CRASH_FILES") ? std::atoi(std::getenv("CORVANE_CRASH_FILES")) : 500;
  constexpr int kRuns = 20;
  WriteChartFiles(Path("first"), 30, "KEPT");
  WriteChartFiles(Path("big"), kFiles, "NEW");
  ASSERT_EQ(C({"--collection-import", Path("first")}).status, 0);
  const std::string base = Slurp(Db());
  ASSERT_FALSE(fs::exists(Db() + "-wal"));

  // How long a whole import takes, to spread the kills over it.
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(C({"--collection-import", Path("big")}).status, 0);
  const auto whole = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::cout << "whole import of " << kFiles << " files: " << whole.count() << " ms\n";

  std::mt19937 random(42);
  int committed = 0;
  std::cout << "run | killed after ms | of the whole import | ended by | integrity_check | first import | killed import\n";
  for (int run = 0; run < kRuns; ++run) {
    const std::string db = Path("run" + std::to_string(run) + ".sqlite");
    std::ofstream(db, std::ios::binary) << base;
    const int delay = std::uniform_int_distribution<int>(0, static_cast<int>(whole.count() * 11 / 10))(random);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      // The killed import's output goes to a file of the test's folder.
      const int output = ::open(Path("killed_import.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
      if (output < 0) ::_exit(126);
      ::dup2(output, 1);
      ::dup2(output, 2);
      const std::string cli = testing::CliPath().string(), folder = Path("big");
      ::execl(cli.c_str(), cli.c_str(), "--collection", db.c_str(), "--collection-import", folder.c_str(), nullptr);
      ::_exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    const bool killed = WIFSIGNALED(status);

    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open_v2(db.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    sqlite3_stmt* check = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(raw, "PRAGMA integrity_check", -1, &check, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
    const std::string integrity = reinterpret_cast<const char*>(sqlite3_column_text(check, 0));
    sqlite3_finalize(check);
    sqlite3_close(raw);
    EXPECT_EQ(integrity, "ok") << "run " << run;

    auto collection = ChartCollection::Open(db);
    const std::int64_t kept = collection->count(ParseCollectionFilter("kept"));
    const std::int64_t added = collection->count(ParseCollectionFilter("new"));
    EXPECT_EQ(kept, 30) << "run " << run;
    EXPECT_TRUE(added == 0 || added == kFiles) << "run " << run << ": " << added << " of the killed import";
    for (const CollectionChart& c : collection->find({})) {  // every row with its chart file, which reads
      const auto birth = collection->birth(c.id);
      ASSERT_TRUE(birth) << "run " << run << " chart " << c.id;
      EXPECT_EQ(birth->name, c.name);
    }
    committed += added == kFiles;
    std::cout << run << " | " << delay << " | " << delay * 100 / std::max<std::int64_t>(whole.count(), 1) << "% | "
              << (killed ? "SIGKILL" : "its own end") << " | " << integrity << " | " << kept << "/30 | " << added
              << "/" << kFiles << "\n";
  }
  std::cout << committed << " of " << kRuns << " runs had committed before the kill\n";
}

}  // namespace
}  // namespace corvane
