// corvane-cli: computes a chart from birth details given as options, from a chart file or
// from a CSV batch, and prints it as a readable report or as JSON.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "cli/batch_run.h"
#include "cli/chart_json.h"
#include "cli/chart_report.h"
#include "cli/cli_input.h"
#include "cli/compare_table.h"
#include "cli/retrograde_listing.h"
#include "cli/settings_options.h"

namespace corvane {
namespace {

// Exit statuses (the last three follow sysexits.h).
constexpr int kExitOk = 0;
constexpr int kExitRejected = 2;  // the input form would refuse the data
constexpr int kExitPolar = 3;     // no sunrise or sunset around the birth date
constexpr int kExitUsage = 64;
constexpr int kExitNoInput = 66;  // a chart file or batch file cannot be read
constexpr int kExitUnavailable = 69;  // the Swiss Ephemeris data files are missing
constexpr int kExitCantCreate = 73;

constexpr std::string_view kUsage =
    "Usage:\n"
    "  corvane-cli --name NAME --date YYYY-MM-DD --time HH:MM[:SS] --zone N [--dst]\n"
    "              --lon DDD:MM{E|W} --lat DD:MM{N|S} [--city C --state S --country C]\n"
    "              [--json] [--pages] [--save FILE.zdh] [--compare] [SETTINGS]\n"
    "  corvane-cli --open FILE.zdh [--json] [--pages] [--save FILE.zdh] [--compare] [SETTINGS]\n"
    "  corvane-cli --batch FILE|- [SETTINGS]\n"
    "  corvane-cli --retrogrades YEAR [--json]\n"
    "  corvane-cli --help\n"
    "\n"
    "  --zone N      position 0..70 of the time zone list (29 is Greenwich Mean Time)\n"
    "  --dst         the clock showed daylight-saving time\n"
    "  --json        print one JSON object instead of the report\n"
    "  --pages       also print every field of the interpretation pages\n"
    "  --save FILE   also write the birth details to a chart file\n"
    "  --batch FILE  CSV with header name,date,time,zone,dst,lon,lat[,city,state,country]\n"
    "                (dst 0 or 1), an optional last column engine; one JSON object per\n"
    "                line, - reads standard input\n"
    "  --compare     print every lagna under each convention side by side (text, or --json)\n"
    "\n"
    "SETTINGS (the first value of each is the default):\n"
    "  --engine elements|swiss     the built-in element method or Swiss Ephemeris\n"
    "  --ayanamsa NAME             lahiri, raman, krishnamurti, true-chitrapaksha, true-pushya,\n"
    "                              yukteshwar or fagan-bradley\n"
    "  --node mean|true            Rahu as the mean or the true node (true needs --engine swiss)\n"
    "  --sunrise limb|centre       the upper limb with refraction, or the disc centre without\n"
    "  --indu ascendant|moon       Indu lagna from the ascendant (Venus kala 10) or the Moon (12)\n"
    "\n"
    "Exit status: 0 done, 2 input refused, 3 no sunrise or sunset on the date,\n"
    "64 usage error, 66 input file unreadable, 69 Swiss Ephemeris data files missing,\n"
    "73 chart file not written.\n";

constexpr std::string_view kValueOptions[] = {"--name", "--date",  "--time", "--zone", "--lon",   "--lat",
                                              "--city", "--state", "--country", "--save", "--open", "--batch",
                                              "--retrogrades", "--engine", "--ayanamsa", "--node", "--sunrise", "--indu"};
constexpr std::string_view kFlagOptions[] = {"--dst", "--json", "--pages", "--help", "--compare"};
constexpr std::string_view kBirthOptions[] = {"--name", "--date",  "--time",    "--zone", "--lon",
                                              "--lat",  "--city", "--state", "--country", "--dst"};

struct Arguments {
  std::map<std::string_view, std::string_view> values;
  std::map<std::string_view, bool> flags;
  bool Has(std::string_view option) const { return values.count(option) != 0 || flags.count(option) != 0; }
};

int UsageError(const std::string& message) {
  std::cerr << "corvane-cli: " << message << "\n" << "Run corvane-cli --help for the usage.\n";
  return kExitUsage;
}

template <std::size_t N>
bool Contains(const std::string_view (&list)[N], std::string_view s) {
  for (const auto& item : list) {
    if (item == s) return true;
  }
  return false;
}

// Parses the options; an error message when they are malformed.
std::optional<std::string> Parse(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (Contains(kFlagOptions, option)) {
      args.flags[option] = true;
    } else if (Contains(kValueOptions, option)) {
      if (i + 1 >= argc) return std::string(option) + " needs a value";
      if (!args.values.emplace(option, argv[++i]).second) return std::string(option) + " is given twice";
    } else {
      return "unknown argument \"" + std::string(option) + "\"";
    }
  }
  return std::nullopt;
}

int Rejected(std::string_view message) {
  std::cerr << message << "\n";
  return kExitRejected;
}

int ReportInputError(const CliInputError& e) {
  if (e.kind == CliInputError::Kind::Usage) return UsageError(e.message);
  return Rejected(e.message);
}

// The birth data given by the options, or the exit status of the refusal.
std::optional<int> BirthFromOptions(const Arguments& args, BirthData& data) {
  for (const auto* required : {"--name", "--date", "--time", "--zone", "--lon", "--lat"}) {
    if (!args.Has(required)) return UsageError(std::string(required) + " is required");
  }
  std::optional<CliInputError> e;
  if ((e = SetBirthName(args.values.at("--name"), data)) || (e = SetBirthDate(args.values.at("--date"), data)) ||
      (e = SetBirthTime(args.values.at("--time"), data)) || (e = SetZonePosition(args.values.at("--zone"), data)) ||
      (e = SetLongitude(args.values.at("--lon"), data)) || (e = SetLatitude(args.values.at("--lat"), data))) {
    return ReportInputError(*e);
  }
  data.daylightSaving = args.Has("--dst");
  if (args.Has("--city")) data.city = args.values.at("--city");
  if (args.Has("--state")) data.state = args.values.at("--state");
  if (args.Has("--country")) data.country = args.values.at("--country");
  return std::nullopt;
}

// The form values a chart file leaves: the input form's start values.
std::optional<int> BirthFromFile(const std::string& path, BirthData& data) {
  if (!HasChartFileExtension(path)) return Rejected(kCheckTheFileMessage);
  const auto bytes = ReadChartFile(path);
  if (!bytes) {
    std::cerr << "corvane-cli: cannot read " << path << ": " << std::strerror(errno) << "\n";
    return kExitNoInput;
  }
  data = ApplyChartFile(*bytes, BirthData{});
  return std::nullopt;
}

// The settings the options choose, or the exit status of their refusal.
std::optional<int> SettingsFromOptions(const Arguments& args, CalculationSettings& settings) {
  const OptionValue valueOf = [&args](std::string_view option) -> std::optional<std::string_view> {
    const auto found = args.values.find(option);
    if (found == args.values.end()) return std::nullopt;
    return found->second;
  };
  if (const auto error = ReadSettingsOptions(valueOf, settings)) return UsageError(*error);
  if (const auto problem = CheckSettings(settings)) {
    if (problem->kind == SettingsProblem::Kind::kConflict) return UsageError(std::string(problem->message));
    std::cerr << "corvane-cli: " << problem->message << "\n";
    return kExitUnavailable;
  }
  return std::nullopt;
}

int RunCompare(const Arguments& args, const BirthData& data, const CalculationSettings& settings) {
  if (args.Has("--pages") || args.Has("--save")) return UsageError("--compare cannot be combined with --pages or --save");
  const ConventionComparison comparison = CompareConventions(data, settings);
  if (args.Has("--json")) {
    std::cout << CompareJson(comparison).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
  } else {
    WriteCompareTable(comparison, std::cout);
  }
  return kExitOk;
}

int RunChart(const Arguments& args) {
  CalculationSettings settings;
  if (const auto status = SettingsFromOptions(args, settings)) return *status;
  BirthData data;
  if (args.Has("--open")) {
    for (const auto& option : kBirthOptions) {
      if (args.Has(option)) return UsageError(std::string(option) + " cannot be combined with --open");
    }
    if (const auto status = BirthFromFile(std::string(args.values.at("--open")), data)) return *status;
  } else if (const auto status = BirthFromOptions(args, data)) {
    return *status;
  }

  if (args.Has("--compare")) return RunCompare(args, data, settings);

  std::optional<std::string> savePath;
  if (args.Has("--save")) {
    savePath = std::string(args.values.at("--save"));
    if (!HasChartFileExtension(*savePath)) return Rejected(kCheckTheFileMessage);
  }

  const CalculationResult result = CalculateChart(data, settings);
  if (const auto* message = std::get_if<InputMessage>(&result.outcome)) return Rejected(message->text);
  if (const auto* polar = std::get_if<PolarDate>(&result.outcome)) {
    std::cerr << polar->message << "\n";
    return kExitPolar;
  }
  const ChartState& chart = result.chart();

  if (savePath) {
    const auto unstorable = UnstorableChartCharacters(chart);
    if (!unstorable.empty()) return Rejected(*SaveChartFile(*savePath, chart));
    if (const auto failure = SaveChartFile(*savePath, chart)) {
      std::cerr << "corvane-cli: " << *failure << "\n";
      return kExitCantCreate;
    }
  }

  const bool pages = args.Has("--pages");
  if (args.Has("--json")) {
    std::cout << ChartJson(chart, pages).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
              << "\n";
  } else {
    WriteChartReport(chart, pages, std::cout);
  }
  return kExitOk;
}

int RunRetrogrades(const Arguments& args) {
  for (const auto& [option, value] : args.values) {
    if (option != "--retrogrades") return UsageError(std::string(option) + " cannot be combined with --retrogrades");
  }
  if (args.Has("--pages") || args.Has("--dst")) return UsageError("--retrogrades takes only --json");
  const std::string text(args.values.at("--retrogrades"));
  int year = 0;
  std::size_t used = 0;
  try {
    year = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size()) return UsageError("--retrogrades needs a year, not \"" + text + "\"");
  return PrintRetrogrades(year, args.Has("--json"), std::cout);
}

int RunBatchOption(const Arguments& args) {
  for (const auto& [option, value] : args.values) {
    const bool setting = std::find(kSettingsOptions.begin(), kSettingsOptions.end(), option) != kSettingsOptions.end();
    if (option != "--batch" && !setting) return UsageError("--batch takes only the settings options");
  }
  if (!args.flags.empty()) return UsageError("--batch takes only the settings options");
  CalculationSettings settings;
  if (const auto status = SettingsFromOptions(args, settings)) return *status;
  const std::string path(args.values.at("--batch"));
  if (path == "-") return RunBatch(stdin, stdout, stderr, settings);
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) {
    std::cerr << "corvane-cli: cannot read " << path << ": " << std::strerror(errno) << "\n";
    return kExitNoInput;
  }
  const int status = RunBatch(in, stdout, stderr, settings);
  std::fclose(in);
  return status;
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  using namespace corvane;
  std::ios::sync_with_stdio(false);
  Arguments args;
  if (const auto error = Parse(argc, argv, args)) return UsageError(*error);
  if (args.Has("--help")) {
    std::cout << kUsage;
    return kExitOk;
  }
  if (argc == 1) {
    std::cerr << kUsage;
    return kExitUsage;
  }
  if (args.Has("--batch")) return RunBatchOption(args);
  if (args.Has("--retrogrades")) return RunRetrogrades(args);
  return RunChart(args);
}
