#include "cli/commands.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/chart_calculation.h"
#include "app/chart_request.h"
#include "app/chart_vargas.h"
#include "app/birth_zone.h"
#include "app/chart_file.h"
#include "app/input_file.h"
#include "app/place_index.h"
#include "app/zone_table.h"
#include "cli/batch_run.h"
#include "cli/chart_json.h"
#include "cli/chart_report.h"
#include "cli/collection_commands.h"
#include "cli/compare_table.h"
#include "cli/place_listing.h"
#include "cli/report_output.h"
#include "cli/cli_input.h"
#include "cli/retrograde_listing.h"
#include "cli/settings_options.h"
#include "cli/sweep_output.h"
#include "cli/zone_listing.h"
#include "corvane_version.h"

namespace corvane {
namespace {

int RunHelp(const Arguments&);
int RunVersion(const Arguments&);
int RunChart(const Arguments& args);
int RunBatchCommand(const Arguments& args);
int RunRetrogradesCommand(const Arguments& args);
int RunZonesCommand(const Arguments& args);
int RunPlacesCommand(const Arguments& args);
int RunCollectionAdd(const Arguments& args);

constexpr unsigned kMaxJobs = 256;

// Adding an option: one line here, and the code of the command that reads it. The settings'
// options come from kSettingRows (see Options()).
constexpr OptionSpec kFixedOptions[] = {
    {"--help", "", kEveryCommand, "print this help", RunHelp},
    {"--version", "", kEveryCommand, "print the program's version", RunVersion},
    {"--batch", "FILE|-", kBatchCommand, "charts of a CSV of births, one JSON object per line (- reads stdin)",
     RunBatchCommand},
    {"--jobs", "N", kBatchCommand, "threads that calculate a batch (default: one per core)"},
    {"--retrogrades", "YEAR", kRetrogradesCommand, "retrograde periods of the planets that touch YEAR (UT)",
     RunRetrogradesCommand},
    {"--zones", "", kZonesCommand, "list the 71 zone positions with their offsets, local time - UT", RunZonesCommand},
    {"--places", "TEXT", kPlacesCommand, "list the places that match TEXT (with --json as an array)", RunPlacesCommand},
    {"--collection-list", "[TEXT]", kCollectionListCommand,
     "list the charts of the collection whose name, place, note or tags hold TEXT (accents and case ignored) and "
     "whose entries stand in the signs of each \"ENTRY in SIGN\" (\"HL in Leo\"); a table, or JSON lines with --json",
     RunCollectionList},
    {"--collection-add", "", kCollectionAddCommand,
     "add the chart of the birth options, or of --open FILE, to the collection; prints its id", RunCollectionAdd},
    {"--collection-import", "DIR", kCollectionFileCommand,
     "add every chart file under DIR (subfolders too) to the collection; duplicates are skipped", RunCollectionImport},
    {"--collection-export", "DIR|FILE.csv", kCollectionFileCommand,
     "write every chart of the collection as a chart file into DIR, or as one batch CSV", RunCollectionExport},
    {"--collection-remove", "ID", kCollectionFileCommand, "remove the chart ID from the collection",
     RunCollectionRemove},
    {"--collection", "PATH", kCollectionCommands,
     "the collection file (default: $XDG_DATA_HOME/corvane/charts.sqlite, or ~/.local/share/corvane/)"},
    {"--note", "TEXT", kCollectionAddCommand, "with --collection-add: the chart's note"},
    {"--tags", "A,B", kCollectionAddCommand, "with --collection-add: the chart's tags, comma-separated"},
    {"--open", "FILE.zdh", kOpenCommand | kCollectionAddCommand, "the chart of a chart file", RunChart},
    {"--name", "NAME", kChartCommand | kCollectionAddCommand, "letters, blanks, and hyphens and apostrophes between letters; in capitals"},
    {"--date", "YYYY-MM-DD", kChartCommand | kCollectionAddCommand, "birth date, 1901 to 2050 (--engine swiss: 1800 to 2399)"},
    {"--time", "HH:MM[:SS]", kChartCommand | kCollectionAddCommand, "birth time on the local clock"},
    {"--zone", "N", kChartCommand | kCollectionAddCommand, "position 0..70 of the time zone list (29 is Greenwich Mean Time)"},
    {"--dst", "", kChartCommand | kCollectionAddCommand, "the clock showed daylight-saving time"},
    {"--tz", "ID", kChartCommand | kCollectionAddCommand,
     "the clock of a time zone database zone at the birth (e.g. Asia/Kolkata) instead of --zone and --dst"},
    {"--place", "TEXT", kChartCommand | kCollectionAddCommand,
     "the best matching place gives the coordinates, city, state, country and zone (--tz overrides the zone)"},
    {"--fold", "earlier|later", kChartCommand | kCollectionAddCommand, "which reading of a local time that happened twice to take"},
    {"--lon", "DDD:MM{E|W}", kChartCommand | kCollectionAddCommand, "longitude of the birth place"},
    {"--lat", "DD:MM{N|S}", kChartCommand | kCollectionAddCommand, "latitude of the birth place"},
    {"--city", "C", kChartCommand | kCollectionAddCommand, "city of the birth place, shown as given"},
    {"--state", "S", kChartCommand | kCollectionAddCommand, "state or province of the birth place"},
    {"--country", "C", kChartCommand | kCollectionAddCommand, "country of the birth place"},
    {"--json", "", kChartCommand | kOpenCommand | kRetrogradesCommand | kZonesCommand | kPlacesCommand |
                       kCollectionListCommand,
     "print JSON instead of the text (docs/json.md)"},
    {"--pages", "", kChartCommand | kOpenCommand, "also print every field of the interpretation pages"},
    {"--vargas", "", kChartCommand | kOpenCommand | kBatchCommand,
     "also the sixteen vargas of every body and lagna (JSON \"vargas\", a table, the PDF's Divisional Charts)"},
    {"--varga", "Dn", kChartCommand | kOpenCommand,
     "draw the text chart, --svg and --png in that varga: D1 (default), D2, D3, D4, D7, D9, ... D60"},
    {"--save", "FILE.zdh", kChartCommand | kOpenCommand, "also write the birth details to a chart file"},
    {"--compare", "", kChartCommand | kOpenCommand,
     "every lagna under each convention side by side (a table, or JSON with --json)"},
    {"--pdf", "FILE", kChartCommand | kOpenCommand, "also write the printed reading as PDF"},
    {"--svg", "FILE", kChartCommand | kOpenCommand, "also write the square chart as an SVG drawing"},
    {"--png", "FILE", kChartCommand | kOpenCommand, "also write the square chart as a PNG picture"},
    {"--size", "PIXELS", kChartCommand | kOpenCommand, "with --png: the picture's side (default 800)"},
    {"--paper", "a4|letter", kChartCommand | kOpenCommand | kBatchCommand, "paper of the PDF (default: from the locale)"},
    {"--pdf-dir", "DIR", kBatchCommand,
     "with --batch: one PDF per chart into DIR (made if missing), named NAME_YYYY-MM-DD.pdf or the next free "
     "NAME_YYYY-MM-DD_2.pdf, ..., instead of the JSON lines"},
    {"--sweep", "N", kChartCommand | kOpenCommand,
     "also the birth-time sweep: where each lagna changes sign within N minutes (1 to 720) of the time"},
    {"--sweep-svg", "FILE", kChartCommand | kOpenCommand, "also draw the sweep's timeline as an SVG drawing"},
    {"--sweep-png", "FILE", kChartCommand | kOpenCommand, "also draw the sweep's timeline as a PNG picture"},
};

constexpr std::string_view kSynopsis =
    "Usage:\n"
    "  corvane-cli --name NAME --date YYYY-MM-DD --time HH:MM[:SS]\n"
    "              {--zone N [--dst] | --tz ID [--fold earlier|later]}\n"
    "              {--lon DDD:MM{E|W} --lat DD:MM{N|S} [--city C --state S --country C] | --place TEXT}\n"
    "              [settings] [--json] [--pages] [--save FILE.zdh] [--compare] [--pdf F --svg F --png F]\n"
    "  corvane-cli --open FILE.zdh [settings] [--json] [--pages] [--save FILE.zdh] [--compare] [...]\n"
    "  corvane-cli --batch FILE|- [--jobs N] [--pdf-dir DIR] [settings]\n"
    "  corvane-cli --retrogrades YEAR [--json]\n"
    "  corvane-cli --zones [--json]\n"
    "  corvane-cli --places TEXT [--json]\n"
    "  corvane-cli --collection-list [TEXT] [--json] [--collection PATH]\n"
    "  corvane-cli --collection-add {birth options | --open FILE.zdh} [--note TEXT] [--tags A,B] [--collection PATH]\n"
    "  corvane-cli {--collection-import DIR | --collection-export DIR|FILE.csv | --collection-remove ID}\n"
    "              [--collection PATH]\n"
    "  corvane-cli --help | --version\n"
    "where settings are any of ";

// "--engine, --ayanamsa, ... and --conventions." in lines of at most 90 columns.
std::string SettingsOptionsText() {
  std::string out(kSynopsis);
  std::size_t column = out.size() - out.rfind('\n') - 1;
  for (std::size_t i = 0; i < kSettingsOptions.size(); ++i) {
    std::string word(kSettingsOptions[i]);
    word += i + 2 < kSettingsOptions.size() ? "," : i + 1 < kSettingsOptions.size() ? " and" : ".";
    if (column + 1 + word.size() > 90) {
      out += '\n';
      column = 0;
    } else if (i > 0) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
  }
  return out + "\n\n";
}

// The option table: the fixed options with, after --compare, one option per setting and the
// --conventions preset, made once from kSettingRows.
std::span<const OptionSpec> Options() {
  static const std::vector<OptionSpec> options = [] {
    static std::deque<std::string> texts;  // what the settings' options point into
    constexpr unsigned kSettingUses = kChartCommand | kOpenCommand | kBatchCommand;
    std::vector<OptionSpec> out;
    for (const OptionSpec& option : kFixedOptions) {
      out.push_back(option);
      if (option.name != "--compare") continue;
      for (const SettingRow& row : kSettingRows) {
        std::string value;
        for (std::size_t i = 0; i < row.choiceCount && row.choiceCount <= 3; ++i)
          value += (i > 0 ? "|" : "") + std::string(row.keyAt(i));
        out.push_back({row.option, texts.emplace_back(value.empty() ? "NAME" : value), kSettingUses, row.help});
      }
      std::string exact = "exact:";
      for (const SettingRow& row : kSettingRows)
        if (!row.exactKey.empty()) exact += " " + std::string(row.option) + " " + std::string(row.exactKey);
      out.push_back({kConventionsOption, "exact|default", kSettingUses, texts.emplace_back(exact + " (options given too win)")});
    }
    return out;
  }();
  return options;
}

// "The batch CSV ... header name,...,lat followed by any of city,...": the columns from the
// batch's own table, so that the usage names every column the batch reads.
std::string BatchAndJsonText() {
  std::string required, optional;
  for (std::size_t i = 0; i < std::size(kBatchColumnNames); ++i) {
    std::string& list = i < kRequiredBatchColumns ? required : optional;
    if (!list.empty()) list += ',';
    list += kBatchColumnNames[i];
  }
  return "\nThe batch CSV (RFC 4180) has the header " + required + "\nfollowed by any of " + optional +
         "\n(dst 0 or 1; a setting column takes the keys of the option of its name). The JSON output is\n"
         "described in docs/json.md.\n\nExit status:\n";
}

constexpr std::string_view kExamples =
    "\n"
    "Examples:\n"
    "  Born 5 June 1975 at 07:05 in New Delhi; zone 34 is Indian time (+05:30):\n"
    "    corvane-cli --name \"ram kumar\" --date 1975-06-05 --time 07:05 --zone 34 --lon 77:13E --lat 28:36N\n"
    "  Born 1 July 1990 at 14:30:15 in Madrid on summer time (zone 20, +01:00, and --dst), as JSON:\n"
    "    corvane-cli --name jos\u00e9 --date 1990-07-01 --time 14:30:15 --zone 20 --dst --lon 3:42W --lat 40:25N --json\n"
    "  Which position to give --zone, with each zone's offset from universal time:\n"
    "    corvane-cli --zones\n";

std::string UsageText() {
  return SettingsOptionsText() + OptionListText(Options()) + BatchAndJsonText() + ExitStatusLines() +
         std::string(kExamples);
}

int UsageError(const std::string& message) {
  std::cerr << "corvane-cli: " << message << "\n" << "Run corvane-cli --help for the usage.\n";
  return kExitUsage;
}

// "corvane-cli: --date: The month must be one of 1 to 12": the refusal, with the option at
// fault where one is.
int Rejected(std::string_view message, std::string_view option = {}) {
  std::cerr << "corvane-cli: ";
  if (!option.empty()) std::cerr << option << ": ";
  std::cerr << message << "\n";
  return kExitRejected;
}

int ReportInputError(const CliInputError& e) {
  if (e.kind == CliInputError::Kind::Usage) return UsageError(e.message);
  return Rejected(e.message, e.option);
}

int WriteFailed() {
  std::cerr << "corvane-cli: cannot write the output: " << std::strerror(errno) << "\n";
  return kExitIoError;
}

// Writes the text to standard output: exit status 0, or 74 once the failure is reported.
int Print(std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) return WriteFailed();
  return kExitOk;
}

int RunHelp(const Arguments&) { return Print(UsageText()); }

int RunVersion(const Arguments&) { return Print("corvane-cli " + std::string(kProgramVersion) + "\n"); }

int NotAChart() {
  std::cerr << "corvane-cli: --open: " << kCheckTheFileMessage << "\n";
  return kExitNotAChart;
}

// A chart file's name must end in .zdh, whatever the file holds.
std::string ChartNameRule(std::string_view path) {
  return "the name of a chart file must end in .zdh, not \"" + std::string(path) + "\"";
}

// The places, loaded once; nothing (and the message said) when the file is missing or damaged.
const PlaceIndex* Places() {
  std::string message;
  const PlaceIndex* index = ProgramPlaceIndex(message);
  if (index == nullptr) std::cerr << "corvane-cli: the place search is not available: " << message << "\n";
  return index;
}

// "lon, lat, city": the names of a list, for messages.
std::string NameList(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) out += (out.empty() ? "" : ", ") + name;
  return out;
}

// The place search's best match named on stderr with up to five others, and which fields it
// filled and which were kept as given.
void ReportFoundPlace(const Arguments& args, const std::string& place, const std::vector<std::string>& filled,
                      const std::vector<PlaceResult>& found) {
  if (found.empty()) return;
  std::cerr << "corvane-cli: place: " << place << "\n";
  for (std::size_t i = 1; i < found.size(); ++i) std::cerr << "corvane-cli:   also: " << DescribePlace(found[i]) << "\n";
  std::vector<std::string> kept;
  for (const auto& [option, field] : {std::pair{"--lon", "lon"}, {"--lat", "lat"}, {"--city", "city"},
                                       {"--state", "state"}, {"--country", "country"}, {"--zone", "zone"}, {"--tz", "zone"}})
    if (args.Has(option) && std::find(kept.begin(), kept.end(), field) == kept.end()) kept.emplace_back(field);
  std::cerr << "corvane-cli: from the place: " << (filled.empty() ? "nothing" : NameList(filled));
  if (!kept.empty()) std::cerr << "; kept as given: " << NameList(kept);
  std::cerr << "\n";
}

// The request of a chart file; every birth field comes from the file.
std::optional<int> RequestFromFile(const std::string& path, ChartRequest& request) {
  // A file that cannot be read (missing, a FIFO, a device) is 66 whatever its name; a readable
  // one not named .zdh is not taken as a chart file (65).
  std::string why;
  const auto bytes = ReadChartFile(path, why);
  if (!bytes) {
    std::cerr << "corvane-cli: cannot read " << path << ": " << why << "\n";
    return kExitNoInput;
  }
  if (!HasChartFileExtension(path)) {
    std::cerr << "corvane-cli: --open: " << ChartNameRule(path) << "\n";
    return kExitNotAChart;
  }
  const ParsedChartFile parsed = ParseChartFile(*bytes);
  if (!parsed.ok()) return NotAChart();
  const CalculationSettings settings = request.settings;
  request = RequestOf(parsed.birth(), settings);
  return std::nullopt;
}

// The exit status of a request's problem, its message said.
int ReportProblem(const Problem& problem, const ChartRequest& request) {
  switch (problem.code) {
    case ProblemCode::kNoPlaceData:
      std::cerr << "corvane-cli: " << problem.message << "\n";
      return kExitNoInput;
    case ProblemCode::kPolarDate:
      std::cerr << "corvane-cli: --date: " << problem.message << "\n";
      return kExitPolar;
    default:
      return Rejected(CommandLineWording(problem, request), OptionOfProblem(problem, request));
  }
}

// The settings the options choose, or the exit status of their refusal.
std::optional<int> SettingsFromOptions(const Arguments& args, CalculationSettings& settings) {
  if (const auto error = ReadSettingsOptions(ValuesOf(args), settings)) return UsageError(*error);
  if (const auto problem = CheckSettings(settings)) {
    if (problem->kind == SettingsProblem::Kind::kConflict) return UsageError(std::string(problem->message));
    std::cerr << "corvane-cli: " << problem->message << "\n";
    return kExitUnavailable;
  }
  return std::nullopt;
}

int RunCompare(const Arguments& args, const BirthData& birth, const CalculationSettings& settings) {
  if (args.Has("--pages") || args.Has("--save")) return UsageError("--compare cannot be combined with --pages or --save");
  const ConventionComparison comparison = CompareConventions(birth, settings);
  if (args.Has("--json"))
    return Print(CompareJson(comparison));
  std::ostringstream table;
  WriteCompareTable(comparison, table);
  return Print(table.str());
}

// The report options given, as the report handler reads them.
std::map<std::string_view, std::string_view> ReportOptionValues(const Arguments& args) {
  std::map<std::string_view, std::string_view> values;
  for (std::string_view option : kReportValueOptions)
    if (args.Has(option)) values.emplace(option, args.Value(option));
  return values;
}

int RunChart(const Arguments& args) {
  ChartRequest request;
  if (const auto status = SettingsFromOptions(args, request.settings)) return *status;
  if (args.Has("--open")) {
    if (const auto status = RequestFromFile(std::string(args.Value("--open")), request)) return *status;
    if (args.Has("--sweep")) {
      const std::string_view text = args.Value("--sweep");
      const std::optional<int> minutes = SweepMinutesOf(text);
      if (!minutes)
        return UsageError("--sweep needs a number of minutes from 1 to " + std::to_string(kMaxSweepMinutes) +
                          ", not \"" + std::string(text) + "\"");
      request.sweepMinutes = *minutes;
    }
  } else if (const auto e = ReadBirthOptions(args, request)) {
    return ReportInputError(*e);
  }

  ReportRequest report;
  if (!args.Has("--compare")) {
    if (const auto error = ReadReportRequest(ReportOptionValues(args), false, report)) return UsageError(*error);
  }

  int varga = 0;
  if (args.Has("--varga")) {
    const std::optional<int> v = VargaIndexOf(args.Value("--varga"));
    if (!v)
      return UsageError("--varga needs one of D1, D2, D3, D4, D7, D9, D10, D12, D16, D20, D24, D27, D30, D40, D45, D60, not \"" +
                        std::string(args.Value("--varga")) + "\"");
    varga = *v;
  }
  const bool wantsVargas = args.Has("--vargas");

  std::optional<std::string> savePath;
  if (args.Has("--save")) {
    savePath = std::string(args.Value("--save"));
    if (!HasChartFileExtension(*savePath)) return Rejected(ChartNameRule(*savePath), "--save");
  }

  std::vector<PlaceResult> found;
  if (args.Has("--compare")) {
    // Each column calculates on its own, so a column refused by its settings still shows.
    const Result<BirthData> birth = ResolveBirth(request, &found, 5);
    if (!birth) return ReportProblem(birth.problem(), request);
    ReportFoundPlace(args, birth->place, birth->placeFilled, found);
    return RunCompare(args, *birth, request.settings);
  }
  const Result<ChartReading> result = ResolveChart(request, &found, 5);
  if (!result) return ReportProblem(result.problem(), request);
  const Chart& chart = *result->chart;
  ReportFoundPlace(args, chart.birth.place, chart.birth.placeFilled, found);
  if (const auto warning = DaylightSavingCountedTwice(chart.clock.zonePosition, chart.clock.daylightSaving))
    std::cerr << "corvane-cli: warning: " << *warning << "\n";

  if (savePath) {
    // What the file could not give back is refused before anything is written.
    if (const auto refusal = UnsavableChart(chart)) return Rejected(*refusal, "--save");
    if (const auto failure = SaveChartFile(*savePath, chart)) {
      std::cerr << "corvane-cli: " << *failure << "\n";
      return kExitCantCreate;
    }
  }

  // The vargas are made once, here, and every output that shows them reads them.
  std::optional<VargaCharts> vargas;
  if (wantsVargas || varga > 0) vargas = VargasOf(chart);
  report.options.varga = varga;
  report.options.vargas = vargas ? &*vargas : nullptr;
  report.options.divisionalCharts = wantsVargas;
  // The printed reading and the sweep pictures show the sweep computed with the chart (the
  // one --sweep asked for, else the usual window), made once here; they compute none.
  const BirthSweep* sweep = result->sweep.get();
  std::optional<BirthSweep> printedSweep;
  if (report.pdf || report.sweepSvg || report.sweepPng) report.options.sweep = &PrintedSweep(chart, sweep, printedSweep);
  if (const int status = WriteReportFiles(chart, report, stderr); status != 0) return status;

  const bool pages = args.Has("--pages");
  if (args.Has("--json")) {
    PrettyJsonWriter json;
    WriteChartJson(json, chart, pages, sweep, wantsVargas ? &*vargas : nullptr);
    json.EndLine();
    return Print(json.Text());
  }
  std::ostringstream text;
  WriteChartReport(chart, pages, text, vargas ? &*vargas : nullptr, varga, wantsVargas);
  if (sweep) {
    text << '\n';
    WriteSweepText(*sweep, text);
  }
  return Print(text.str());
}

// The birth of --open or of the birth options, resolved as for a chart, added to the collection.
int RunCollectionAdd(const Arguments& args) {
  ChartRequest request;
  if (args.Has("--open")) {
    if (const auto status = RequestFromFile(std::string(args.Value("--open")), request)) return *status;
  } else if (const auto e = ReadBirthOptions(args, request)) {
    return ReportInputError(*e);
  }
  // The place search, the check of the fields and the clock, as for a chart.
  std::vector<PlaceResult> found;
  const Result<BirthData> birth = ResolveBirth(request, &found, 5);
  if (!birth) return ReportProblem(birth.problem(), request);
  ReportFoundPlace(args, birth->place, birth->placeFilled, found);
  return AddToCollection(args, *birth);
}

int RunPlacesCommand(const Arguments& args) {
  const PlaceIndex* places = Places();
  if (places == nullptr) return kExitNoInput;
  const std::string_view text = args.Value("--places");
  const std::vector<PlaceResult> found = places->search(text, 20);
  if (found.empty()) return Rejected("No place matches \"" + std::string(text) + "\".", "--places");
  return Print(PlaceListing(found, args.Has("--json")));
}

int RunZonesCommand(const Arguments& args) {
  std::ostringstream listing;
  PrintZones(args.Has("--json"), listing);
  return Print(listing.str());
}

int RunRetrogradesCommand(const Arguments& args) {
  const std::string_view text = args.Value("--retrogrades");
  const std::optional<long long> year = ParseYear(text);
  if (!year) return UsageError("--retrogrades needs a year, not \"" + std::string(text) + "\"");
  const YearSpan tables = RetrogradeTableYears();
  if (*year < tables.first || *year > tables.last) return Rejected(NoRetrogradesMessage(text), "--retrogrades");
  return Print(RetrogradeListing(static_cast<int>(*year), args.Has("--json")));
}

// A stdio stream into memory, its text taken when done.
struct MemoryStream {
  MemoryStream() : stream(open_memstream(&text, &size)) {}
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;
  ~MemoryStream() {
    if (stream != nullptr) std::fclose(stream);
    std::free(text);
  }
  std::string Text() {
    std::fflush(stream);
    return std::string(text, size);
  }
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* stream;
};

int RunBatchCommand(const Arguments& args) {
  CalculationSettings settings;
  if (const auto status = SettingsFromOptions(args, settings)) return *status;
  unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
  if (args.Has("--jobs")) {
    const std::string_view text = args.Value("--jobs");
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), jobs);
    if (ec != std::errc() || end != text.data() + text.size() || jobs < 1 || jobs > kMaxJobs) {
      return UsageError("--jobs needs a number of threads from 1 to " + std::to_string(kMaxJobs) + ", not \"" +
                        std::string(text) + "\"");
    }
  }
  ReportRequest report;
  if (const auto error = ReadReportRequest(ReportOptionValues(args), true, report)) return UsageError(*error);
  if (const int status = CheckReportFolder(report, stderr); status != 0) return status;
  BatchChartSink eachChart;
  if (report.pdfDir) {
    // Each chart becomes a PDF, drawn on this thread; its line is the path written.
    jobs = 1;
    eachChart = [&report](const Chart& chart, const BirthSweep* sweep, std::string& line) {
      MemoryStream out, err;
      if (out.stream == nullptr || err.stream == nullptr) return kExitCantCreate;
      // The row's own sweep when it asked for one, else the printed reading's usual window.
      std::optional<BirthSweep> made;
      ReportRequest own = report;
      own.options.sweep = &PrintedSweep(chart, sweep, made);
      const int status = WriteBatchReport(chart, own, out.stream, err.stream);
      // The path written, or the message of why not for the record's error line.
      line = status == 0 ? out.Text() : err.Text();
      if (status != 0 && line.starts_with("corvane-cli: ")) line.erase(0, 13);
      while (!line.empty() && line.back() == '\n') line.pop_back();
      return status;
    };
  }
  const std::string path(args.Value("--batch"));
  const bool vargas = args.Has("--vargas");
  if (path == "-") return RunBatch(stdin, stdout, stderr, jobs, settings, eachChart, vargas);
  std::string why;
  std::FILE* in = OpenInputStream(path, why);
  if (in == nullptr) {
    std::cerr << "corvane-cli: cannot read " << path << ": " << why << "\n";
    return kExitNoInput;
  }
  const int status = RunBatch(in, stdout, stderr, jobs, settings, eachChart, vargas);
  std::fclose(in);
  return status;
}

}  // namespace

std::span<const OptionSpec> CliOptions() { return Options(); }

int RunCli(int argc, const char* const* argv) {
  if (argc <= 1) {
    std::cerr << UsageText();
    return kExitUsage;
  }
  const CommandLine line = ParseCommandLine(Options(), std::span(argv + 1, static_cast<std::size_t>(argc - 1)), RunChart);
  if (line.error) return UsageError(*line.error);
  const int status = line.run(line.args);
  FinishReports();  // ends the drawing toolkit if a report started it
  // Whatever a command printed must have reached standard output.
  if (status != kExitIoError && (std::fflush(stdout) != 0 || std::ferror(stdout))) return WriteFailed();
  return status;
}

}  // namespace corvane
