// corvane-cli: computes a chart from birth details given as options, from a chart file or
// from a CSV batch, and prints it as a readable report or as JSON.
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
#include "cli/report_output.h"
#include "cli/retrograde_listing.h"

namespace corvane {
namespace {

// Exit statuses (the last three follow sysexits.h).
constexpr int kExitOk = 0;
constexpr int kExitRejected = 2;  // the input form would refuse the data
constexpr int kExitPolar = 3;     // no sunrise or sunset around the birth date
constexpr int kExitUsage = 64;
constexpr int kExitNoInput = 66;  // a chart file or batch file cannot be read
constexpr int kExitCantCreate = 73;

constexpr std::string_view kUsage =
    "Usage:\n"
    "  corvane-cli --name NAME --date YYYY-MM-DD --time HH:MM[:SS] --zone N [--dst]\n"
    "              --lon DDD:MM{E|W} --lat DD:MM{N|S} [--city C --state S --country C]\n"
    "              [--json] [--pages] [--save FILE.zdh] [REPORT]\n"
    "  corvane-cli --open FILE.zdh [--json] [--pages] [--save FILE.zdh] [REPORT]\n"
    "  corvane-cli --batch FILE|- [--pdf-dir DIR [--paper a4|letter]]\n"
    "  corvane-cli --retrogrades YEAR [--json]\n"
    "  corvane-cli --help\n"
    "\n"
    "  --zone N      position 0..70 of the time zone list (29 is Greenwich Mean Time)\n"
    "  --dst         the clock showed daylight-saving time\n"
    "  --json        print one JSON object instead of the report\n"
    "  --pages       also print every field of the interpretation pages\n"
    "  --save FILE   also write the birth details to a chart file\n"
    "  --batch FILE  CSV with header name,date,time,zone,dst,lon,lat[,city,state,country]\n"
    "                (dst 0 or 1); one JSON object per line, - reads standard input\n"
    "  --pdf-dir DIR with --batch: one PDF reading per chart into DIR instead of the JSON\n"
    "                lines, named NAME_YYYY-MM-DD.pdf (_2, _3, ... when taken); prints each path\n"
    "\n"
    "REPORT, each written in addition to the text or JSON output:\n"
    "  --pdf FILE    the printed reading as PDF\n"
    "  --svg FILE    the square chart as an SVG drawing\n"
    "  --png FILE    the square chart as a PNG picture, --size PIXELS square (default 800)\n"
    "  --paper P     a4 or letter (default: from the locale)\n"
    "\n"
    "Exit status: 0 done, 2 input refused, 3 no sunrise or sunset on the date,\n"
    "64 usage error, 66 input file unreadable, 69 report module missing,\n"
    "73 chart file, PDF or picture not written.\n";

constexpr std::string_view kValueOptions[] = {"--name", "--date",  "--time", "--zone", "--lon",   "--lat",
                                              "--city", "--state", "--country", "--save", "--open", "--batch",
                                              "--retrogrades", "--pdf", "--svg", "--png", "--size", "--paper",
                                              "--pdf-dir"};
constexpr std::string_view kFlagOptions[] = {"--dst", "--json", "--pages", "--help"};
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

int RunChart(const Arguments& args) {
  BirthData data;
  if (args.Has("--open")) {
    for (const auto& option : kBirthOptions) {
      if (args.Has(option)) return UsageError(std::string(option) + " cannot be combined with --open");
    }
    if (const auto status = BirthFromFile(std::string(args.values.at("--open")), data)) return *status;
  } else if (const auto status = BirthFromOptions(args, data)) {
    return *status;
  }

  ReportRequest report;
  if (const auto error = ReadReportRequest(args.values, false, report)) return UsageError(*error);

  std::optional<std::string> savePath;
  if (args.Has("--save")) {
    savePath = std::string(args.values.at("--save"));
    if (!HasChartFileExtension(*savePath)) return Rejected(kCheckTheFileMessage);
  }

  const CalculationResult result = CalculateChart(data);
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

  if (const int status = WriteReportFiles(chart, report, stderr); status != 0) return status;

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
  ReportRequest report;
  if (const auto error = ReadReportRequest(args.values, true, report)) return UsageError(*error);
  for (const auto& [option, value] : args.values)
    if (option != "--batch" && option != "--pdf-dir" && option != "--paper") return UsageError("--batch takes no other option");
  if (!args.flags.empty()) return UsageError("--batch takes no other option");
  if (const int status = CheckReportFolder(report, stderr); status != 0) return status;
  BatchChartSink eachChart;
  if (report.pdfDir) eachChart = [&](const ChartState& chart) { return WriteBatchReport(chart, report, stdout, stderr); };

  const std::string path(args.values.at("--batch"));
  if (path == "-") return RunBatch(stdin, stdout, stderr, eachChart);
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) {
    std::cerr << "corvane-cli: cannot read " << path << ": " << std::strerror(errno) << "\n";
    return kExitNoInput;
  }
  const int status = RunBatch(in, stdout, stderr, eachChart);
  std::fclose(in);
  return status;
}

// Ends the drawing toolkit, if a report started it, before the status goes back.
int Finished(int status) {
  FinishReports();
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
  if (args.Has("--batch")) return Finished(RunBatchOption(args));
  if (args.Has("--retrogrades")) return RunRetrogrades(args);
  return Finished(RunChart(args));
}
