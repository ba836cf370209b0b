// The vargas object of a batch line is copied from fixed key texts rather than laid out by
// the writer; it must be the very text the writer gives, for any signs and missing entries.
#include "cli/vargas_json.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>
#include <string>

#include "app/chart_vargas.h"
#include "cli/json_writer.h"

namespace corvane {
namespace {

using Json = nlohmann::ordered_json;

VargaCharts RandomVargas(std::mt19937& rng) {
  std::uniform_int_distribution<int> sign(-1, 11);  // -1: an entry with no place
  VargaCharts vargas{};
  for (VargaChart& chart : vargas) {
    for (int& s : chart.bodySigns) s = sign(rng);
    for (int& s : chart.lagnaSigns) s = sign(rng);
  }
  return vargas;
}

// The vargas as a member of an object, so that the commas and colons around them count too.
template <typename W>
void WriteInAChart(W& json, const VargaCharts& vargas) {
  json.StartObject();
  json.Key("name");
  json.String("x");
  json.Key("vargas");
  WriteVargasJson(json, vargas);
  json.Key("after");
  json.Int(1);
  json.EndObject();
}

TEST(VargasJson, TheLineIsTheCompactFormOfThePrettyObject) {
  std::mt19937 rng(29);
  for (int i = 0; i < 100; ++i) {
    const VargaCharts vargas = RandomVargas(rng);
    LineJsonWriter line;
    PrettyJsonWriter pretty;
    WriteInAChart(line, vargas);
    WriteInAChart(pretty, vargas);
    const Json parsed = Json::parse(pretty.Text());
    ASSERT_EQ(std::string(line.Text()), parsed.dump()) << i;
    // Every varga holds every entry, in the order of the lists, with the sign or null.
    ASSERT_EQ(parsed["vargas"].size(), static_cast<std::size_t>(kVargaCount));
    const Json& d9 = parsed["vargas"]["D9"];
    ASSERT_EQ(d9.size(), static_cast<std::size_t>(kVargaEntryCount));
    const int sunD9 = vargas[5].bodySigns[0];
    if (sunD9 < 0) {
      EXPECT_TRUE(d9["Sun"].is_null());
    } else {
      EXPECT_EQ(d9["Sun"].get<int>(), sunD9);
    }
  }
}

}  // namespace
}  // namespace corvane
