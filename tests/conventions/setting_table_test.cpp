// The settings table and its consumers: every row is well formed, and the option parser, the
// batch header, the JSON settings, the comparison, --help and the manual page each list every
// row. A setting left out of one consumer fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/calculation_settings.h"
#include "app/convention_comparison.h"
#include "astro/swiss_ephemeris.h"
#include "cli/batch_run.h"
#include "cli/commands.h"
#include "cli/settings_options.h"
#include "tests/app/cli_runner.h"

namespace corvane {
namespace {

using testing::CliRun;
using testing::CliTest;
using testing::kDelhiAtSecond;

std::string OptionOfKey(std::string_view key) {
  std::string option = "--" + std::string(key);
  std::replace(option.begin(), option.end(), '_', '-');
  return option;
}

// A choice other than the default, for each row: what the consumers below must carry through.
std::size_t OtherChoice(const SettingRow& row) { return (row.DefaultIndex() + 1) % row.choiceCount; }

TEST(SettingTable, RowsAreWellFormed) {
  std::set<std::string_view> keys, options;
  std::set<std::string_view> columnsSoFar;
  for (const SettingRow& row : kSettingRows) {
    SCOPED_TRACE(std::string(row.key));
    EXPECT_TRUE(keys.insert(row.key).second) << "key given twice";
    EXPECT_TRUE(options.insert(row.option).second) << "option given twice";
    // The names the program goes by: the option is the key with dashes.
    EXPECT_EQ(row.option, OptionOfKey(row.key));
    EXPECT_FALSE(row.help.empty());
    EXPECT_TRUE(row.dialogLabel.ends_with(':') && row.dialogLabel.find('&') != std::string_view::npos)
        << row.dialogLabel;
    ASSERT_GE(row.choiceCount, 2u);
    std::set<std::string_view> choiceKeys;
    for (std::size_t i = 0; i < row.choiceCount; ++i) {
      EXPECT_TRUE(choiceKeys.insert(row.keyAt(i)).second) << row.keyAt(i);
      EXPECT_FALSE(row.labelAt(i).empty());
      // Each choice reads back as itself: no two choices hold one value.
      CalculationSettings s;
      row.choose(s, i);
      EXPECT_EQ(row.chosenIn(s), std::optional<std::size_t>(i)) << row.keyAt(i);
      EXPECT_EQ(row.Find(row.keyAt(i)), std::optional<std::size_t>(i));
    }
    // The default is one of the choices.
    EXPECT_TRUE(row.chosenIn(CalculationSettings{}).has_value());
    if (!row.exactKey.empty()) {
      EXPECT_TRUE(row.Find(row.exactKey)) << row.exactKey;
    }
    const ComparisonSpec& spec = row.comparison;
    if (!spec.title.empty()) {
      ASSERT_TRUE(row.Find(spec.choiceKey)) << spec.choiceKey;
      EXPECT_NE(*row.Find(spec.choiceKey), row.DefaultIndex()) << "a column that changes nothing";
      EXPECT_TRUE(spec.on.empty() || columnsSoFar.contains(spec.on)) << "built on " << spec.on;
      columnsSoFar.insert(row.key);
    }
  }
  EXPECT_EQ(SettingRowOf("pranapada_sun"), &kSettingRows[6]);
  EXPECT_EQ(SettingRowOf("pranapada-sun"), nullptr);
}

// The long-standing defaults, by key: a changed default changes every chart.
TEST(SettingTable, DefaultsAreTheLongStandingChoices) {
  const std::vector<std::pair<std::string_view, std::string_view>> expected = {
      {"engine", "elements"}, {"ayanamsa", "lahiri"},        {"node", "mean"},    {"sunrise", "limb"},
      {"indu", "ascendant"},  {"timing", "minute"},          {"pranapada_sun", "sunrise"},
      {"varnada", "degrees"}, {"lords", "single"},           {"nakshatra", "table"},
      {"surya_sun", "sunrise"}};
  for (const auto& [key, choice] : expected) {
    const SettingRow* row = SettingRowOf(key);
    ASSERT_NE(row, nullptr) << key;
    EXPECT_EQ(row->keyAt(row->DefaultIndex()), choice) << key;
  }
}

TEST(SettingTable, AValueThatIsNoChoiceIsRefusedNotTakenForTheFirst) {
  CalculationSettings s;
  s.lords = static_cast<SignLords>(7);
  ASSERT_TRUE(SettingsConflict(s));
  EXPECT_EQ(SettingsConflict(s)->kind, SettingsProblem::Kind::kUnknownChoice);
  EXPECT_THROW(SettingEntries(s), std::invalid_argument);
  EXPECT_EQ(SettingRowOf("lords")->chosenIn(s), std::nullopt);
}

TEST(SettingTable, TheParserTheBatchAndTheJsonNamesListEveryRow) {
  std::vector<BatchColumn> columns;
  std::vector<std::string> header = {"name", "date", "time", "zone", "dst", "lon", "lat"};
  const std::array<SettingEntry, kSettingCount> entries = SettingEntries(CalculationSettings{});
  for (std::size_t r = 0; r < kSettingCount; ++r) {
    const SettingRow& row = kSettingRows[r];
    SCOPED_TRACE(std::string(row.key));
    const auto option = std::find_if(CliOptions().begin(), CliOptions().end(),
                                     [&](const OptionSpec& o) { return o.name == row.option; });
    ASSERT_NE(option, CliOptions().end());
    EXPECT_EQ(option->help, row.help);
    EXPECT_EQ(option->uses, kChartCommand | kOpenCommand | kBatchCommand);
    EXPECT_NE(std::find(kSettingsOptions.begin(), kSettingsOptions.end(), row.option), kSettingsOptions.end());
    EXPECT_NE(std::find(kBatchColumnNames.begin(), kBatchColumnNames.end(), row.key), kBatchColumnNames.end());
    EXPECT_EQ(entries[r].name, row.key);
    header.emplace_back(row.key);
  }
  const auto refusal = ReadBatchHeader(header, columns);
  EXPECT_FALSE(refusal) << *refusal;
  EXPECT_EQ(columns.size(), 7 + kSettingCount);
}

// Each setting's column changes that setting alone against the column it is compared with.
TEST(SettingTable, EachComparisonColumnChangesItsOwnSettingAlone) {
  const std::vector<ComparisonColumn> columns = ComparisonColumns(CalculationSettings{});
  for (const SettingRow& row : kSettingRows) {
    if (row.comparison.title.empty()) continue;
    SCOPED_TRACE(std::string(row.key));
    const auto column = std::find_if(columns.begin(), columns.end(),
                                     [&](const ComparisonColumn& c) { return c.title == row.comparison.title; });
    ASSERT_NE(column, columns.end());
    ASSERT_GE(column->comparedWith, 0);
    const CalculationSettings& base = columns[static_cast<std::size_t>(column->comparedWith)].settings;
    for (const SettingRow& other : kSettingRows) {
      if (&other == &row) {
        EXPECT_EQ(other.keyAt(*other.chosenIn(column->settings)), row.comparison.choiceKey);
      } else {
        EXPECT_EQ(other.chosenIn(column->settings), other.chosenIn(base)) << other.key;
      }
    }
  }
}

std::string SourceFile(const std::string& relative) {
  std::ifstream in(std::string(CORVANE_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST_F(CliTest, HelpAndTheManualPageNameEverySetting) {
  const CliRun help = Cli({"--help"});
  ASSERT_EQ(help.status, 0);
  const std::string man = SourceFile("man/corvane-cli.1");
  for (const SettingRow& row : kSettingRows) {
    // The manual page writes each dash as \-.
    std::string escaped;
    for (const char c : row.option) escaped += c == '-' ? std::string("\\-") : std::string(1, c);
    EXPECT_NE(help.out.find("  " + std::string(row.option) + " "), std::string::npos) << row.option;
    // An item's tag: ".B --x", or ".BR"/".BI" with the option and its value.
    const bool item = man.find("\n.B " + escaped + "\n") != std::string::npos ||
                      man.find("\n.BR " + escaped + " ") != std::string::npos ||
                      man.find("\n.BI " + escaped + " ") != std::string::npos;
    EXPECT_TRUE(item) << row.option << " has no item in the manual page";
  }
}

// A chart with every setting at a choice other than its default; on the element engine where
// the Swiss Ephemeris files are missing (the node then stays mean).
CalculationSettings Everything(bool swiss) {
  CalculationSettings s;
  for (const SettingRow& row : kSettingRows) row.choose(s, OtherChoice(row));
  if (!swiss) {
    s.engine = EngineKind::kElements;
    s.node = NodeKind::kMean;
  }
  return s;
}

// Every setting through its option, its batch column, and back out through the JSON.
TEST_F(CliTest, EverySettingGoesThroughItsOptionAndItsBatchColumn) {
  const CalculationSettings wanted = Everything(!SwissDataProblem());
  const std::array<SettingEntry, kSettingCount> entries = SettingEntries(wanted);
  std::vector<std::string> args = kDelhiAtSecond;
  std::string header = "name,date,time,zone,dst,lon,lat", row = "ram,1975-06-05,07:05:40,34,0,77:13E,28:36N",
              empty = row;
  for (std::size_t r = 0; r < kSettingCount; ++r) {
    args.insert(args.end(), {std::string(kSettingRows[r].option), std::string(entries[r].key)});
    header += "," + std::string(kSettingRows[r].key);
    row += "," + std::string(entries[r].key);
    empty += ",";
  }
  args.push_back("--json");
  const CliRun chart = Cli(args);
  ASSERT_EQ(chart.status, 0) << chart.err;
  const nlohmann::json fromOptions = nlohmann::json::parse(chart.out)["settings"];

  const CliRun batch = Cli({"--batch", "-"}, header + "\n" + row + "\n" + empty + "\n");
  ASSERT_EQ(batch.status, 0) << batch.err;
  std::istringstream lines(batch.out);
  std::vector<nlohmann::json> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(nlohmann::json::parse(line));
  ASSERT_EQ(rows.size(), 2u);

  ASSERT_EQ(fromOptions.size(), kSettingCount);
  for (std::size_t r = 0; r < kSettingCount; ++r) {
    const std::string key(kSettingRows[r].key);
    EXPECT_EQ(fromOptions[key], std::string(entries[r].key)) << key << " through its option";
    EXPECT_EQ(rows[0]["settings"][key], std::string(entries[r].key)) << key << " through its batch column";
    // An empty field keeps the run's choice, here the default.
    EXPECT_EQ(rows[1]["settings"][key], std::string(kSettingRows[r].keyAt(kSettingRows[r].DefaultIndex()))) << key;
  }
}

// An unknown key: a usage error (64) naming the option, a refused row naming the column.
TEST_F(CliTest, AnUnknownChoiceIsRefusedByOptionAndByColumn) {
  std::string header = "name,date,time,zone,dst,lon,lat", rows;
  for (std::size_t r = 0; r < kSettingCount; ++r) header += "," + std::string(kSettingRows[r].key);
  for (std::size_t r = 0; r < kSettingCount; ++r) {
    const SettingRow& setting = kSettingRows[r];
    std::vector<std::string> args = kDelhiAtSecond;
    args.insert(args.end(), {std::string(setting.option), "sideways"});
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 64) << setting.option;
    EXPECT_NE(run.err.find(std::string(setting.option) + " must be "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(", not \"sideways\""), std::string::npos) << run.err;
    rows += "ram,1975-06-05,07:05,34,0,77:13E,28:36N";
    for (std::size_t c = 0; c < kSettingCount; ++c) rows += c == r ? ",sideways" : ",";
    rows += "\n";
  }
  const CliRun batch = Cli({"--batch", "-"}, header + "\n" + rows);
  EXPECT_EQ(batch.status, 2);
  std::istringstream lines(batch.out);
  std::size_t r = 0;
  for (std::string line; std::getline(lines, line); ++r) {
    ASSERT_LT(r, kSettingCount);
    const std::string error = nlohmann::json::parse(line)["error"];
    EXPECT_TRUE(error.starts_with("the " + std::string(kSettingRows[r].key) + " column must be ")) << error;
    EXPECT_TRUE(error.ends_with(", not \"sideways\"")) << error;
  }
  EXPECT_EQ(r, kSettingCount);
}

}  // namespace
}  // namespace corvane
