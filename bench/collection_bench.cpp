// The chart collection at scale: importing 10,000 chart files, a search as the user types
// over 100,000 charts, and the size of the database that holds them.
//   build/collection_bench --benchmark_counters_tabular=true
// The 100,000-chart collection is built once.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "app/chart_calculation.h"
#include "app/chart_collection.h"
#include "app/chart_file.h"
#include "app/collection_filter.h"
#include "app/collection_import.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

constexpr int kImportFiles = 10000;
constexpr int kCollectionCharts = 100000;

// A temporary folder removed at the end; CORVANE_BENCH_KEEP=DIR keeps the collections in
// DIR instead (to look at the 100,000 charts in the window: tools/collection_screenshot.cpp).
fs::path Folder() {
  static const fs::path folder = [] {
    if (const char* keep = std::getenv("CORVANE_BENCH_KEEP")) {
      fs::create_directories(keep);
      return fs::path(keep);
    }
    const fs::path dir = fs::temp_directory_path() / ("corvane_collection_bench_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::atexit([] { fs::remove_all(fs::temp_directory_path() / ("corvane_collection_bench_" + std::to_string(::getpid()))); });
    return dir;
  }();
  return folder;
}

// Births of many names, places, dates and zones, as a user's collection holds them.
BirthData VariedBirth(std::mt19937& random, int index) {
  static const char* const kNames[] = {"RAM", "SITA", "JOSÉ", "ANNE-MARIE", "LI", "MÜLLER", "O'BRIEN", "PRIYA",
                                       "ZOË", "AHMED", "SVETLANA", "KENJI", "ÅSA", "MARÍA", "DAVID", "FATIMA"};
  static const char* const kCities[] = {"New Delhi", "Mumbai", "München", "Málaga", "São Paulo", "Zürich",
                                        "New York", "Kraków", "Chennai", "Tokyo", "Lagos", "Reykjavík"};
  const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  BirthData b;
  b.name = std::string(kNames[pick(0, 15)]) + " " + kNames[pick(0, 15)];
  b.year = pick(1901, 2050);
  b.monthIndex = pick(0, 11);
  b.day = pick(1, 28);
  b.hour = pick(0, 23);
  b.minute = pick(0, 59);
  b.second = index % 60;
  b.lonDegrees = std::to_string(pick(0, 179));
  b.lonMinutes = std::to_string(pick(0, 59));
  b.east = pick(0, 1) == 1;
  b.latDegrees = std::to_string(pick(0, 59));
  b.latMinutes = std::to_string(pick(0, 59));
  b.city = kCities[pick(0, 11)];
  b.zonePosition = pick(0, 70);
  return b;
}

std::string ChartFileOf(const BirthData& birth) {
  Chart chart;
  chart.birth = ChartBirthOf(birth);
  chart.clock = ClockOf(birth);
  return EncodeChartFile(chart);
}

ChartCollection& Large() {
  static std::unique_ptr<ChartCollection> collection = [] {
    auto made = ChartCollection::Open((Folder() / "large.sqlite").string());
    if (made->count() >= kCollectionCharts) return made;  // kept from an earlier run
    std::mt19937 random(7);
    made->inTransaction([&] {
      for (int i = 0; i < kCollectionCharts; ++i)
        made->add(VariedBirth(random, i), i % 7 == 0 ? "Reads for the family, Zürich office" : "", {"clients"});
    });
    return made;
  }();
  return *collection;
}

void BM_ImportTenThousandChartFiles(benchmark::State& state) {
  const fs::path files = Folder() / "files";
  if (!fs::exists(files)) {
    std::mt19937 random(11);
    for (int i = 0; i < kImportFiles; ++i) {
      const fs::path sub = files / std::to_string(i / 1000);
      fs::create_directories(sub);
      std::ofstream(sub / (std::to_string(i) + ".zdh"), std::ios::binary) << ChartFileOf(VariedBirth(random, i));
    }
  }
  int run = 0;
  for (auto _ : state) {
    const fs::path db = Folder() / ("import" + std::to_string(run++) + ".sqlite");
    fs::remove(db);
    auto collection = ChartCollection::Open(db.string());
    const ImportSummary summary = ImportChartFolder(*collection, files.string());
    state.counters["added"] = static_cast<double>(summary.added);
  }
}
BENCHMARK(BM_ImportTenThousandChartFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

// One keystroke of the list: how many charts match, and the first page of them by name.
// The collection keeps the count of the last filter, so another filter is counted between
// two keystrokes (outside the timing): every keystroke counts its filter afresh.
void BM_SearchAsYouType(benchmark::State& state, const char* typed) {
  ChartCollection& collection = Large();
  const CollectionFilter filter = ParseCollectionFilter(typed);
  const CollectionFilter other = ParseCollectionFilter(filter.text == "zzzz" ? "yyyy" : "zzzz");
  std::int64_t matches = 0;
  for (auto _ : state) {
    state.PauseTiming();
    collection.count(other);
    state.ResumeTiming();
    matches = collection.count(filter);
    benchmark::DoNotOptimize(collection.find(filter, {}, 0, 60));
  }
  state.counters["matches"] = static_cast<double>(matches);
  state.counters["MB"] = static_cast<double>(fs::file_size(collection.path())) / 1e6;
}
BENCHMARK_CAPTURE(BM_SearchAsYouType, everything, "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchAsYouType, one_letter, "a")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchAsYouType, name, "muller")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchAsYouType, place_folded, "zurich")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchAsYouType, nothing_matches, "qqqq")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchAsYouType, sign, "HL in Leo")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchAsYouType, name_and_signs, "ram HL in Leo Moon in Cancer")->Unit(benchmark::kMillisecond);

// A page further down the list, as the window asks for while scrolling.
void BM_ScrollPage(benchmark::State& state) {
  ChartCollection& collection = Large();
  std::int64_t offset = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(collection.find({}, {CollectionOrder::Key::kBirth}, offset, 100));
    offset = (offset + 7919) % kCollectionCharts;
  }
}
BENCHMARK(BM_ScrollPage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
