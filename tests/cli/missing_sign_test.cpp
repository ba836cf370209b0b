// A body without a sign (a position the engine could not give) is shown as missing, never as
// Aries: BodySign says nothing and the JSON writes null.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "app/chart_calculation.h"
#include "cli/chart_json.h"
#include "cli/json_writer.h"
#include "tests/app/sample_birth.h"

namespace corvane {
namespace {

nlohmann::json ParsedChartJson(const Chart& chart) {
  PrettyJsonWriter json;
  WriteChartJson(json, chart, false, nullptr);
  return nlohmann::json::parse(std::string(json.Text()));
}

TEST(BodySign, IsTheSignOfTheLongitudeAndNothingWithoutOne) {
  const CalculationResult result = CalculateChart(testing::DelhiBirth());
  ASSERT_TRUE(result.ok());
  Chart chart = result.chart();
  // Every body of a calculated chart stands in the sign of its longitude: 30 degrees each.
  for (int b = 0; b < kBodyCount; ++b) {
    const double longitude = chart.positions.longitudeDeg[static_cast<std::size_t>(b)];
    EXPECT_EQ(BodySign(chart, b), static_cast<int>(std::floor(longitude / 30.0))) << b;
  }
  // A Moon with no sign (held as -1) and one past Pisces: nothing, not Aries.
  chart.lagnas.bodySigns[kMoon] = -1;
  chart.lagnas.bodySigns[kMars] = 12;
  EXPECT_EQ(BodySign(chart, kMoon), std::nullopt);
  EXPECT_EQ(BodySign(chart, kMars), std::nullopt);
  const nlohmann::json bodies = ParsedChartJson(chart)["bodies"];
  ASSERT_EQ(bodies.size(), static_cast<std::size_t>(kBodyCount));
  EXPECT_TRUE(bodies[kMoon]["sign"].is_null()) << bodies[kMoon];
  EXPECT_TRUE(bodies[kMars]["sign"].is_null()) << bodies[kMars];
  const int sunSign = static_cast<int>(std::floor(chart.positions.longitudeDeg[kSun] / 30.0));
  EXPECT_EQ(bodies[kSun]["sign"], sunSign);
  // The square chart's boxes leave the two out instead of putting them into Aries (or past Pisces).
  const nlohmann::json boxes = ParsedChartJson(chart)["chart_boxes"];
  ASSERT_EQ(boxes.size(), 12u);
  for (const auto& box : boxes) {
    EXPECT_EQ(box.get<std::string>().find("Moon"), std::string::npos) << box;
    EXPECT_EQ(box.get<std::string>().find("Mars"), std::string::npos) << box;
  }
  EXPECT_NE(boxes[sunSign].get<std::string>().find("Sun"), std::string::npos) << boxes[sunSign];
}

}  // namespace
}  // namespace corvane
