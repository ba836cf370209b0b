#pragma once
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

// The commands of the program. Every option names the commands it may be given with; the
// command itself is chosen by its own option, or is the chart from birth options when no
// command option is given.
enum CommandGroup : unsigned {
  kChartCommand = 1u << 0,        // a chart from --name, --date, ... options
  kOpenCommand = 1u << 1,         // a chart from a chart file
  kBatchCommand = 1u << 2,        // a CSV of births
  kRetrogradesCommand = 1u << 3,  // the retrograde listing of a year
  kZonesCommand = 1u << 4,        // the zone list
  kPlacesCommand = 1u << 5,       // the places matching a text
  kCollectionListCommand = 1u << 6,  // the charts of the collection
  kCollectionAddCommand = 1u << 7,   // a birth or a chart file added to the collection
  kCollectionFileCommand = 1u << 8,  // import, export, remove
  kCollectionCommands = kCollectionListCommand | kCollectionAddCommand | kCollectionFileCommand,
  kEveryCommand = ~0u,
};

class Arguments;

// Runs a command; returns the process exit status.
using CommandHandler = int (*)(const Arguments& args);

// One command-line option. An option with a handler is a command: when given, it chooses what
// the program does and which other options may come with it (those whose `uses` has a bit of
// the command's own group, the first bit of its `uses`; a command whose `uses` is 0 takes
// no other option).
struct OptionSpec {
  std::string_view name;   // "--json"
  std::string_view value;  // what its value is called ("FILE"), in brackets when it may be left out
                           // ("[TEXT]"); empty for a switch
  unsigned uses;           // CommandGroup bits
  std::string_view help;   // one line for --help
  CommandHandler run = nullptr;
};

// The options given, each with its value ("" for a switch). Names point into the option
// table, values into the argument strings.
class Arguments {
 public:
  bool Has(std::string_view option) const { return given_.count(option) != 0; }
  // The value of an option, or "" when it is not given.
  std::string_view Value(std::string_view option) const {
    const auto it = given_.find(option);
    return it == given_.end() ? std::string_view() : it->second;
  }
  const std::map<std::string_view, std::string_view>& Given() const { return given_; }
  bool Add(std::string_view option, std::string_view value) { return given_.emplace(option, value).second; }

 private:
  std::map<std::string_view, std::string_view> given_;
};

// What the command line asks for: the options and the command that runs them, or why the
// command line is malformed (unknown option, missing value, repeated option, or options that
// do not go together).
struct CommandLine {
  Arguments args;
  CommandHandler run = nullptr;
  std::optional<std::string> error;
};

// Reads the arguments after the program name against the option table. Never exits and never
// prints: the caller decides what to do with an error.
CommandLine ParseCommandLine(std::span<const OptionSpec> table, std::span<const char* const> arguments,
                             CommandHandler defaultCommand);

// The lines of the option list for --help, one option per line, aligned.
std::string OptionListText(std::span<const OptionSpec> table);

}  // namespace corvane
