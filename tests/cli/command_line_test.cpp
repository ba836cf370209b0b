// The option table parser: values, switches, repeated and unknown options, and which
// options go with which command.
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/commands.h"

namespace corvane {
namespace {

int Listing(const Arguments&) { return 10; }
int Batch(const Arguments&) { return 11; }
int Help(const Arguments&) { return 12; }
int ChartCommand(const Arguments&) { return 13; }
int Version(const Arguments&) { return 14; }

constexpr OptionSpec kTable[] = {
    {"--help", "", kEveryCommand, "help", Help},
    {"--batch", "FILE", kBatchCommand, "batch", Batch},
    {"--list", "YEAR", kRetrogradesCommand, "listing", Listing},
    {"--version", "", 0, "version", Version},
    {"--name", "NAME", kChartCommand, "name"},
    {"--jobs", "N", kBatchCommand, "threads"},
    {"--json", "", kChartCommand | kRetrogradesCommand, "json"},
};

CommandLine Parse(const std::vector<const char*>& arguments) { return ParseCommandLine(kTable, arguments, ChartCommand); }

TEST(CommandLine, ChoosesTheCommandAndKeepsTheValues) {
  struct Case {
    std::vector<const char*> arguments;
    int status;  // what the chosen command returns
  };
  const Case cases[] = {
      {{"--name", "RAM", "--json"}, 13},
      {{"--name", "--json"}, 13},  // a value may look like an option
      {{"--batch", "-", "--jobs", "2"}, 11},
      {{"--json", "--list", "2000"}, 10},
      {{"--help", "--batch", "x", "--name", "y"}, 12},  // help goes with anything
      {{"--version"}, 14},
      {{}, 13},
  };
  for (const Case& c : cases) {
    const CommandLine line = Parse(c.arguments);
    ASSERT_FALSE(line.error) << *line.error;
    EXPECT_EQ(line.run(line.args), c.status) << c.arguments.size();
  }
  const CommandLine named = Parse({"--name", "--json"});
  EXPECT_EQ(named.args.Value("--name"), "--json");
  EXPECT_FALSE(named.args.Has("--json"));
  EXPECT_EQ(Parse({"--batch", "-", "--jobs", "2"}).args.Value("--jobs"), "2");
  EXPECT_TRUE(Parse({"--json"}).args.Has("--json"));
  EXPECT_EQ(Parse({"--json"}).args.Value("--json"), "");
}

TEST(CommandLine, MalformedLinesSayWhy) {
  struct Case {
    std::vector<const char*> arguments;
    std::string error;
  };
  const Case cases[] = {
      {{"--bogus"}, "unknown argument \"--bogus\""},
      {{"--name"}, "--name needs a value"},
      {{"--json", "--json"}, "--json is given twice"},
      {{"--batch", "a", "--batch", "b"}, "--batch is given twice"},
      {{"--batch", "a", "--json"}, "--json cannot be combined with --batch"},
      {{"--list", "1", "--name", "x"}, "--name cannot be combined with --list"},
      {{"--batch", "a", "--list", "1"}, "--list cannot be combined with --batch"},
      {{"--jobs", "2"}, "--jobs goes only with --batch"},
      {{"--version", "--json"}, "--json cannot be combined with --version"},
      {{"--name", "--json", "--batch", "b.csv"}, "--name cannot be combined with --batch"},
      {{"RAM"}, "unknown argument \"RAM\""},
  };
  for (const Case& c : cases) {
    const CommandLine line = Parse(c.arguments);
    ASSERT_TRUE(line.error) << c.error;
    EXPECT_EQ(*line.error, c.error);
  }
}

TEST(CommandLine, HelpListsEveryOptionOnceWithItsValue) {
  const std::string text = OptionListText(CliOptions());
  for (const OptionSpec& option : CliOptions()) {
    const std::string head = std::string(option.name) + (option.value.empty() ? "" : " " + std::string(option.value));
    const auto at = text.find("  " + head + " ");
    ASSERT_NE(at, std::string::npos) << head;
    EXPECT_EQ(text.find("  " + std::string(option.name) + " ", at + 1), std::string::npos) << head;
  }
  // The help column starts at the same place on every line.
  std::size_t column = std::string::npos;
  for (const OptionSpec& option : CliOptions()) {
    if (option.help.empty()) continue;
    const auto line = text.find("  " + std::string(option.name) + " ");
    const auto help = text.find(option.help, line) - line;
    if (column == std::string::npos) column = help;
    EXPECT_EQ(help, column) << option.name;
  }
}

}  // namespace
}  // namespace corvane
