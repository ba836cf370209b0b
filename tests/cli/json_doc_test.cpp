// docs/json.md lists every key the program prints, and lists no key it never prints: the
// key paths of each JSON output are compared with the first column of the tables of the
// section that describes that output.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "app/chart_calculation.h"
#include "app/chart_vargas.h"
#include "cli/batch_run.h"
#include "app/birth_zone.h"
#include "cli/chart_json.h"
#include "cli/collection_commands.h"
#include "cli/compare_table.h"
#include "cli/zone_listing.h"
#include "app/convention_comparison.h"
#include "cli/place_listing.h"
#include "cli/retrograde_listing.h"
#include "tests/app/sample_birth.h"

namespace corvane {
namespace {

// "lagnas.<lagna>.sign", "bodies[].name", "pages.<lagna>.<field>": the documented spelling of
// a concrete path.
void CollectPaths(const nlohmann::ordered_json& j, const std::string& path, std::set<std::string>& paths) {
  if (!path.empty()) paths.insert(path);
  const bool underLagnas = path == "lagnas" || path == "pages" || path == "sweep.lagnas";
  const bool onPage = path.starts_with("pages.<lagna>") && std::count(path.begin(), path.end(), '.') == 1;
  const bool inVarga = path == "vargas.<varga>";
  auto isEntry = [](const std::string& key) {
    for (int e = 0; e < kVargaEntryCount; ++e)
      if (VargaEntryName(e) == key) return true;
    return false;
  };
  if (j.is_object()) {
    for (const auto& [key, value] : j.items()) {
      std::string name = key;
      if (underLagnas && std::find(kLagnaKeys.begin(), kLagnaKeys.end(), key) != kLagnaKeys.end()) name = "<lagna>";
      if (path == "vargas" && VargaIndexOf(key)) name = "<varga>";
      if (inVarga && isEntry(key)) name = "<entry>";
      if (onPage && std::find(kPageFieldKeys.begin(), kPageFieldKeys.end(), key) != kPageFieldKeys.end()) {
        name = "<field>";
      }
      CollectPaths(value, path.empty() ? name : path + "." + name, paths);
    }
  } else if (j.is_array()) {
    for (const auto& element : j) CollectPaths(element, path + "[]", paths);
  }
}

// The key paths of the tables of each second-level section of docs/json.md, by heading.
std::map<std::string, std::set<std::string>> DocumentedPaths() {
  std::ifstream doc(std::string(CORVANE_SOURCE_DIR) + "/docs/json.md");
  EXPECT_TRUE(doc.good()) << "docs/json.md is missing";
  const std::regex row(R"(^\| `([^`]+)` \|)");
  std::map<std::string, std::set<std::string>> sections;
  std::string heading;
  for (std::string line; std::getline(doc, line);) {
    if (line.starts_with("## ")) heading = line.substr(3);
    std::smatch m;
    if (std::regex_search(line, m, row)) sections[heading].insert(m[1]);
  }
  return sections;
}

std::set<std::string> PathsOf(std::string_view text) {
  std::set<std::string> paths;
  CollectPaths(nlohmann::ordered_json::parse(text), "", paths);
  return paths;
}

// What each output prints, under the heading of the section that describes it.
std::map<std::string, std::set<std::string>> PrintedPaths() {
  std::map<std::string, std::set<std::string>> printed;
  auto& chart = printed["Chart (`--json`, `--open FILE --json`, `--batch` lines)"];
  auto& pages = printed["Interpretation pages (`--json --pages`)"];
  // Charts of every month of a year, so that the readings fire some headings.
  BirthData birth = testing::DelhiBirth();
  for (int month = 0; month < 12; ++month) {
    birth.monthIndex = month;
    const CalculationResult result = CalculateChart(birth);
    EXPECT_TRUE(result.ok());
    PrettyJsonWriter json;
    WriteChartJson(json, result.chart(), true);
    for (const std::string& path : PathsOf(json.Text())) (path.starts_with("pages") ? pages : chart).insert(path);
  }
  // Exact timing adds the unrounded sunrise times.
  CalculationSettings exact;
  exact.timing = TimingPrecision::kExact;
  const CalculationResult exactChart = CalculateChart(birth, exact);
  EXPECT_TRUE(exactChart.ok());
  if (exactChart.ok()) {
    PrettyJsonWriter json;
    WriteChartJson(json, exactChart.chart(), false);
    for (const std::string& path : PathsOf(json.Text())) chart.insert(path);
  }
  // A clock from a zone id and a searched place add their keys to the birth.
  birth.monthIndex = 5;
  EXPECT_EQ(SetBirthZone("Asia/Kolkata", RepeatedTimeChoice::kAsk, birth), std::nullopt);
  const CalculationResult zoned = CalculateChart(birth);
  EXPECT_TRUE(zoned.ok());
  if (!zoned.ok()) return printed;
  Chart placed = zoned.chart();
  placed.birth.place = "New Delhi, Delhi, India (28:36N 77:13E, Asia/Kolkata)";
  placed.birth.placeFilled = {"lon", "lat", "zone"};
  PrettyJsonWriter json;
  WriteChartJson(json, placed, false);
  chart.merge(PathsOf(json.Text()));
  // A sweep across the hour the clocks skipped in New York has intervals and a gap.
  BirthData skipped = testing::DelhiBirth();
  skipped.year = 2021, skipped.monthIndex = 2, skipped.day = 14, skipped.hour = 1, skipped.minute = 50;
  EXPECT_EQ(SetBirthZone("America/New_York", RepeatedTimeChoice::kAsk, skipped), std::nullopt);
  const CalculationResult swept = CalculateChart(skipped);
  EXPECT_TRUE(swept.ok());
  if (!swept.ok()) return printed;
  const BirthSweep sweep = SweepBirthTime(skipped, {}, 20);
  EXPECT_FALSE(sweep.gaps.empty());
  PrettyJsonWriter sweepJson;
  WriteChartJson(sweepJson, swept.chart(), false, &sweep);
  auto& swepts = printed["Birth-time sweep (`--sweep N --json`, batch column `sweep_minutes`)"];
  for (const std::string& path : PathsOf(sweepJson.Text())) (path.starts_with("sweep") ? swepts : chart).insert(path);

  // The vargas of a chart: every varga, every entry.
  const VargaCharts vargas = VargasOf(swept.chart());
  PrettyJsonWriter vargasJson;
  WriteChartJson(vargasJson, swept.chart(), false, nullptr, &vargas);
  auto& varga = printed["Divisional charts (`--vargas --json`, batch column `vargas`)"];
  for (const std::string& path : PathsOf(vargasJson.Text())) (path.starts_with("vargas") ? varga : chart).insert(path);

  PlaceResult place{};
  place.name = "Munich";
  place.zoneId = "Europe/Berlin";
  printed["Places (`--places TEXT --json`)"] = PathsOf(PlaceListing({place}, true));
  printed["Retrograde listing (`--retrogrades YEAR --json`)"] = PathsOf(RetrogradeListing(2000, true));
  std::ostringstream zones;
  PrintZones(true, zones);
  printed["Zone list (`--zones --json`)"] = PathsOf(zones.str());

  // A collection of one chart, in a folder of its own that goes with it.
  {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("corvane_json_doc_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    {
      const auto collection = ChartCollection::Open((folder / "charts.sqlite").string());
      collection->add(testing::DelhiBirth(), "a note", {"family"});
      const std::string lines = ChartJsonLines(collection->find(CollectionFilter{}));
      // The signs object is documented once for every entry, as signs.<entry>.
      std::set<std::string> paths;
      for (const std::string& path : PathsOf(lines.substr(0, lines.find('\n'))))
        paths.insert(path.starts_with("signs.") ? "signs.<entry>" : path);
      printed["Collection listing (`--collection-list [TEXT] --json`)"] = paths;
    }
    std::filesystem::remove_all(folder);
  }

  // The comparison of a chart, and of a birth at a polar date whose columns have no chart.
  auto& compared = printed["Conventions compared (`--compare --json`)"];
  compared = PathsOf(CompareJson(CompareConventions(testing::DelhiBirth(), {})));
  BirthData polar = testing::DelhiBirth();
  polar.latDegrees = "80";
  compared.merge(PathsOf(CompareJson(CompareConventions(polar, {}))));

  // A batch's error line.
  char input[] = "name,date,time,zone,dst,lon,lat\nRAM,1975-06-05,07:05,34,0,180:00E,28:36N\n";
  std::FILE* in = fmemopen(input, sizeof input - 1, "r");
  char* output = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&output, &size);
  std::FILE* err = std::tmpfile();
  RunBatch(in, out, err, 1);
  std::fclose(in);
  std::fclose(out);
  std::fclose(err);
  printed["Batch lines (`--batch FILE|-`)"] = PathsOf(std::string(output, size));
  std::free(output);
  return printed;
}

TEST(JsonDocument, EachSectionListsEveryKeyItsOutputPrintsAndNoOther) {
  const auto documented = DocumentedPaths();
  const auto printed = PrintedPaths();
  std::size_t count = 0;
  for (const auto& [section, paths] : printed) {
    ASSERT_TRUE(documented.count(section)) << "docs/json.md has no section \"## " << section << "\"";
    const std::set<std::string>& listed = documented.at(section);
    for (const std::string& path : paths) EXPECT_TRUE(listed.count(path)) << path << " is not in \"" << section << "\"";
    for (const std::string& path : listed) EXPECT_TRUE(paths.count(path)) << path << " is listed in \"" << section << "\" but not printed";
    count += paths.size();
  }
  EXPECT_GT(count, 90u);
  // Every section with a key table describes an output the test prints.
  for (const auto& [section, paths] : documented) EXPECT_TRUE(printed.count(section)) << section << " is not checked";
}

// Each page prints its keys in the order the rows of the pages table list them (the attribute
// fields count as one row, `<field>`, in their own listed order).
TEST(JsonDocument, PagesPrintTheirKeysInTheOrderOfTheTable) {
  std::ifstream doc(std::string(CORVANE_SOURCE_DIR) + "/docs/json.md");
  ASSERT_TRUE(doc.good());
  const std::regex row(R"(^\| `pages\.<lagna>\.([a-z_<>]+)` \|)");
  std::vector<std::string> rows;
  for (std::string line; std::getline(doc, line);) {
    std::smatch m;
    if (std::regex_search(line, m, row)) rows.push_back(m[1]);
  }
  ASSERT_GE(rows.size(), 4u);
  const CalculationResult result = CalculateChart(testing::DelhiBirth());
  ASSERT_TRUE(result.ok());
  PrettyJsonWriter json;
  WriteChartJson(json, result.chart(), true);
  const auto pages = nlohmann::ordered_json::parse(json.Text())["pages"];
  for (const auto& [lagna, page] : pages.items()) {
    std::size_t last = 0;
    for (const auto& [key, value] : page.items()) {
      const bool field = std::find(kPageFieldKeys.begin(), kPageFieldKeys.end(), key) != kPageFieldKeys.end();
      const auto at = std::find(rows.begin(), rows.end(), field ? "<field>" : key);
      ASSERT_NE(at, rows.end()) << lagna << "." << key;
      const auto index = static_cast<std::size_t>(at - rows.begin());
      EXPECT_GE(index, last) << lagna << "." << key << " comes before a key the table lists above it";
      last = index;
    }
  }
}

}  // namespace
}  // namespace corvane
