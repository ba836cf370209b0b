// One birth, every road into a chart: the command-line options, a batch row, and the chart
// file saved from the first chart and opened again must all give the same chart (compared
// through its whole JSON, pages included).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/chart_file.h"
#include "app/chart_request.h"
#include "cli/batch_run.h"
#include "cli/chart_json.h"
#include "cli/cli_input.h"
#include "cli/json_writer.h"
#include "tests/app/every_road_births.h"
#include "tests/app/temp_folder.h"
#include "tests/cli/chart_json_text.h"

namespace corvane {
namespace {

using testing::ChartJsonText;

using Birth = testing::RoadBirth;

Result<ChartReading> ByOptions(const Birth& b) {
  std::map<std::string, std::string> given{{"--name", "ROAD"}, {"--date", b.date}, {"--time", b.time}};
  for (const auto& [option, value] : {std::pair{"--zone", b.zone}, {"--lon", b.lon}, {"--lat", b.lat}, {"--tz", b.tz},
                                      {"--place", b.place}, {"--fold", b.fold}})
    if (!value.empty()) given[option] = value;
  if (b.dst == "1") given["--dst"] = "";
  ChartRequest request;
  const OptionValue valueOf = [&given](std::string_view option) -> std::optional<std::string_view> {
    const auto it = given.find(std::string(option));
    if (it == given.end()) return std::nullopt;
    return std::string_view(it->second);
  };
  if (const auto e = ReadBirthOptions(valueOf, request)) return Problem{ProblemCode::kInvalidBirth, "", e->message};
  return ResolveChart(request);
}

// A batch row has no fold column: births that need one take no batch road.
Result<ChartReading> ByBatchRow(const Birth& b) {
  std::vector<BatchColumn> columns;
  EXPECT_FALSE(ReadBatchHeader({"name", "date", "time", "zone", "dst", "lon", "lat", "tz", "place"}, columns));
  ChartRequest request;
  BatchRowExtras extras;
  if (const auto refusal =
          ReadBatchRow({"ROAD", b.date, b.time, b.zone, b.dst.empty() ? "0" : b.dst, b.lon, b.lat, b.tz, b.place},
                       columns, request, extras))
    return Problem{ProblemCode::kInvalidBirth, "", *refusal};
  return ResolveChart(request);
}

Result<ChartReading> BySavedFile(const Chart& chart, const std::filesystem::path& folder) {
  const std::string path = (folder / "road.zdh").string();
  if (const auto failure = SaveChartFile(path, chart)) return Problem{ProblemCode::kEngine, "", *failure};
  std::string why;
  const auto bytes = ReadChartFile(path, why);
  if (!bytes) return Problem{ProblemCode::kEngine, "", why};
  const ParsedChartFile parsed = ParseChartFile(*bytes);
  if (!parsed.ok()) return Problem{ProblemCode::kEngine, "", "not a chart"};
  return ResolveChart(RequestOf(parsed.birth(), chart.settings));
}

// Ten clocks, each at five times (the file's comment lists them).
std::vector<Birth> Births() {
  return testing::ReadRoadBirths(CORVANE_SOURCE_DIR "/tests/app/data/every_road_births.csv");
}

class EveryRoad : public testing::TempFolderTest {};

TEST_F(EveryRoad, OneBirthGivesOneChart) {
  const std::vector<Birth> births = Births();
  ASSERT_GE(births.size(), 50u);
  for (const Birth& b : births) {
    const Result<ChartReading> options = ByOptions(b);
    ASSERT_TRUE(options) << b.label << ": " << options.problem().message;
    const Chart& chart = *options->chart;
    const std::string json = ChartJsonText(chart, true);
    if (b.fold.empty()) {
      const Result<ChartReading> row = ByBatchRow(b);
      ASSERT_TRUE(row) << b.label << ": " << row.problem().message;
      EXPECT_EQ(ChartJsonText(*row->chart, true), json) << b.label << ": batch row";
    }
    const Result<ChartReading> file = BySavedFile(chart, dir_);
    ASSERT_TRUE(file) << b.label << ": " << file.problem().message;
    EXPECT_EQ(ChartJsonText(*file->chart, true), json) << b.label << ": saved and opened file";
    EXPECT_EQ(file->chart->clock.utcOffsetSeconds, chart.clock.utcOffsetSeconds) << b.label;
    EXPECT_EQ(file->chart->clock.source, chart.clock.source) << b.label;
  }
}

// The clocks the database gives, worked by hand from the zone rules: Madrid in summer is
// UT+2 (CEST); New York's doubled 01:30 is EDT (UT-4) first, then EST (UT-5); Amsterdam kept
// its local mean time, +0:19:32, until 1937.
TEST_F(EveryRoad, DatabaseClocksAreTheZoneRules) {
  const struct {
    const char* label;
    std::size_t index;
    int offset;
    ClockSource source;
    DoubledHour fold = DoubledHour::kNone;  // the reading the chart records
  } cases[] = {
      {"Madrid summer", 10 + 3, 2 * 3600, ClockSource::kZoneDatabase},
      {"New York earlier", 20, -4 * 3600, ClockSource::kZoneDatabase, DoubledHour::kEarlier},
      {"New York later", 25, -5 * 3600, ClockSource::kZoneDatabase, DoubledHour::kLater},
      {"Amsterdam local mean time", 35, 19 * 60 + 32, ClockSource::kZoneDatabase},
      {"Madrid found", 43, 2 * 3600, ClockSource::kZoneDatabase},
      {"Delhi row kept", 45, 5 * 3600 + 30 * 60, ClockSource::kZoneRow},
  };
  const std::vector<Birth> births = Births();
  ASSERT_GE(births.size(), 50u);
  for (const auto& c : cases) {
    const Result<ChartReading> r = ByOptions(births[c.index]);
    ASSERT_TRUE(r) << c.label;
    EXPECT_EQ(r->chart->clock.utcOffsetSeconds, c.offset) << c.label << " " << births[c.index].label;
    EXPECT_EQ(r->chart->clock.source, c.source) << c.label;
    // The reading recorded (shown, saved, in the JSON) is the one the offset was taken from.
    EXPECT_EQ(r->chart->clock.fold, c.fold) << c.label;
  }
}

TEST(ResolveChart, RefusesWithOneProblem) {
  ChartRequest base;
  base.name = "ROAD";
  base.born = {2021, 3, 14, 2, 30, 0};
  base.place.longitude = {74, 0, false};
  base.place.latitude = {40, 43, true};
  const struct {
    const char* label;
    void (*change)(ChartRequest&);
    ProblemCode code;
    const char* field;
  } cases[] = {
      {"skipped hour", [](ChartRequest& r) { r.clock = {ClockKind::kZoneId, 29, false, "America/New_York"}; },
       ProblemCode::kSkippedTime, "time"},
      {"doubled hour unasked",
       [](ChartRequest& r) {
         r.clock = {ClockKind::kZoneId, 29, false, "America/New_York"};
         r.born = {2021, 11, 7, 1, 30, 0};
       },
       ProblemCode::kDoubledTime, "fold"},
      {"unknown zone", [](ChartRequest& r) { r.clock = {ClockKind::kZoneId, 29, false, "Mars/Olympus"}; },
       ProblemCode::kUnknownZone, "tz"},
      {"empty longitude minutes", [](ChartRequest& r) { r.place.longitude.minutes.reset(); }, ProblemCode::kInvalidBirth,
       "lon_minutes"},
      {"latitude over 89", [](ChartRequest& r) { r.place.latitude.degrees = 90; }, ProblemCode::kInvalidBirth,
       "lat_degrees"},
      {"31 April", [](ChartRequest& r) { r.born = {2021, 4, 31, 2, 30, 0}; }, ProblemCode::kInvalidBirth, "date"},
      {"no name", [](ChartRequest& r) { r.name.clear(); }, ProblemCode::kInvalidBirth, "name"},
      {"no place matches", [](ChartRequest& r) { r.place.search = "Qqxzzv Nowhere"; }, ProblemCode::kNoPlaceMatch,
       "place"},
      // The fields are judged before the clock: no question about a doubled hour for a birth
      // that is then refused.
      {"fields before the clock",
       [](ChartRequest& r) {
         r.clock = {ClockKind::kZoneId, 29, false, "America/New_York"};
         r.place.latitude.degrees = 95;
       },
       ProblemCode::kInvalidBirth, "lat_degrees"},
  };
  for (const auto& c : cases) {
    ChartRequest request = base;
    c.change(request);
    const Result<ChartReading> r = ResolveChart(request);
    ASSERT_FALSE(r) << c.label;
    EXPECT_EQ(r.problem().code, c.code) << c.label << ": " << r.problem().message;
    EXPECT_EQ(r.problem().field, c.field) << c.label;
  }
}

}  // namespace
}  // namespace corvane
