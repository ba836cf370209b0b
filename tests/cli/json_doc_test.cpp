// docs/json.md lists every key the program prints, and lists no key it never prints: the
// key paths of real outputs are compared with the first column of the document's tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "app/chart_calculation.h"
#include "cli/batch_run.h"
#include "app/birth_zone.h"
#include "cli/chart_json.h"
#include "cli/place_listing.h"
#include "cli/retrograde_listing.h"
#include "tests/app/sample_birth.h"

namespace corvane {
namespace {

// "lagnas.<lagna>.sign", "bodies[].name", "pages.<lagna>.<field>": the documented spelling of
// a concrete path.
void CollectPaths(const nlohmann::ordered_json& j, const std::string& path, std::set<std::string>& paths) {
  if (!path.empty()) paths.insert(path);
  const bool underLagnas = path == "lagnas" || path == "pages";
  const bool onPage = path.starts_with("pages.<lagna>") && std::count(path.begin(), path.end(), '.') == 1;
  if (j.is_object()) {
    for (const auto& [key, value] : j.items()) {
      std::string name = key;
      if (underLagnas && std::find(kLagnaKeys.begin(), kLagnaKeys.end(), key) != kLagnaKeys.end()) name = "<lagna>";
      if (onPage && std::find(kPageFieldKeys.begin(), kPageFieldKeys.end(), key) != kPageFieldKeys.end()) {
        name = "<field>";
      }
      CollectPaths(value, path.empty() ? name : path + "." + name, paths);
    }
  } else if (j.is_array()) {
    for (const auto& element : j) CollectPaths(element, path + "[]", paths);
  }
}

std::set<std::string> DocumentedPaths() {
  std::ifstream doc(std::string(CORVANE_SOURCE_DIR) + "/docs/json.md");
  EXPECT_TRUE(doc.good()) << "docs/json.md is missing";
  const std::regex row(R"(^\| `([^`]+)` \|)");
  std::set<std::string> paths;
  for (std::string line; std::getline(doc, line);) {
    std::smatch m;
    if (std::regex_search(line, m, row)) paths.insert(m[1]);
  }
  return paths;
}

std::set<std::string> PrintedPaths() {
  std::set<std::string> paths;
  // Charts of every month of a year, so that the readings fire some headings.
  BirthData birth = testing::DelhiBirth();
  for (int month = 0; month < 12; ++month) {
    birth.monthIndex = month;
    const CalculationResult result = CalculateChart(birth);
    EXPECT_TRUE(result.ok());
    PrettyJsonWriter json;
    WriteChartJson(json, result.chart(), true);
    CollectPaths(nlohmann::ordered_json::parse(json.Text()), "", paths);
  }
  // A clock from a zone id and a searched place add their keys to the birth.
  birth.monthIndex = 5;
  EXPECT_EQ(SetBirthZone("Asia/Kolkata", RepeatedTimeChoice::kAsk, birth), std::nullopt);
  const CalculationResult zoned = CalculateChart(birth);
  EXPECT_TRUE(zoned.ok());
  if (!zoned.ok()) return paths;
  Chart placed = zoned.chart();
  placed.birth.place = "New Delhi, Delhi, India (28:36N 77:13E, Asia/Kolkata)";
  placed.birth.placeFilled = {"lon", "lat", "zone"};
  PrettyJsonWriter json;
  WriteChartJson(json, placed, false);
  CollectPaths(nlohmann::ordered_json::parse(json.Text()), "", paths);
  PlaceResult place{};
  place.name = "Munich";
  place.zoneId = "Europe/Berlin";
  CollectPaths(nlohmann::ordered_json::parse(PlaceListing({place}, true)), "", paths);
  CollectPaths(nlohmann::ordered_json::parse(RetrogradeListing(2000, true)), "", paths);

  // A batch's error line.
  char input[] = "name,date,time,zone,dst,lon,lat\nRAM,1975-06-05,07:05,34,0,180:00E,28:36N\n";
  std::FILE* in = fmemopen(input, sizeof input - 1, "r");
  char* output = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&output, &size);
  RunBatch(in, out, stderr, 1);
  std::fclose(in);
  std::fclose(out);
  CollectPaths(nlohmann::ordered_json::parse(std::string(output, size)), "", paths);
  std::free(output);
  return paths;
}

TEST(JsonDocument, ListsEveryPrintedKeyAndNoOther) {
  const std::set<std::string> documented = DocumentedPaths();
  const std::set<std::string> printed = PrintedPaths();
  ASSERT_GT(printed.size(), 60u);
  for (const std::string& path : printed) EXPECT_TRUE(documented.count(path)) << path << " is not in docs/json.md";
  for (const std::string& path : documented) EXPECT_TRUE(printed.count(path)) << path << " is documented but not printed";
}

}  // namespace
}  // namespace corvane
