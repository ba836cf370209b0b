// The compiled part of the corvane Python package. Every answer is made by the command line's
// own code: the option table and readers, the chart JSON writer, the place and zone listings
// and the batch's worker threads. The package's __init__.py gives it its Python face.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <cctype>
#include <utility>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/birth_sweep.h"
#include "app/birth_zone.h"
#include "app/chart_calculation.h"
#include "app/place_index.h"
#include "app/zone_table.h"
#include "cli/batch_run.h"
#include "cli/chart_json.h"
#include "cli/cli_input.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/place_listing.h"
#include "cli/settings_options.h"
#include "cli/zone_listing.h"
#include "corvane_version.h"
#include "python/chart_frame.h"

namespace py = pybind11;

namespace corvane::python {
namespace {

// What a request for one chart gives: the chart's JSON text, or the message that refuses it
// and the option at fault (without its dashes; empty when no one option is); and a warning
// the command line would print beside the chart.
struct ChartAnswer {
  std::string json, message, field, warning;
};

// The package's keyword for an option: "--pranapada-sun" is pranapada_sun.
std::string KeywordOf(std::string_view option) {
  if (option.starts_with("--")) option.remove_prefix(2);
  std::string field(option);
  std::replace(field.begin(), field.end(), '-', '_');
  return field;
}

// A command-line message in the package's words: the options it names become keywords
// ("--engine swiss" is engine="swiss", "--tz ID" is tz), so that it says what to pass.
std::string KeywordWording(std::string message) {
  static constexpr std::pair<std::string_view, std::string_view> kPhrases[] = {
      {"--engine swiss", "engine=\"swiss\""},      {"--fold earlier|later", "fold=\"earlier\" or \"later\""},
      {"--zone N [--dst]", "zone (with dst)"}, {"--tz ID [--fold earlier|later]", "tz (with fold)"},
      {"--zone N", "zone"},                    {"--tz ID", "tz"},
      {"--place TEXT", "place"},
  };
  for (const auto& [phrase, keyword] : kPhrases)
    for (std::size_t at = message.find(phrase); at != std::string::npos; at = message.find(phrase, at + keyword.size()))
      message.replace(at, phrase.size(), keyword);
  // The remaining options, one by one: "--pranapada-sun" is pranapada_sun.
  for (std::size_t at = message.find("--"); at != std::string::npos; at = message.find("--", at)) {
    std::size_t end = at + 2;
    while (end < message.size() && (std::islower(static_cast<unsigned char>(message[end])) || message[end] == '-')) ++end;
    if (end == at + 2) {
      at = end;
      continue;
    }
    const std::string keyword = KeywordOf(std::string_view(message).substr(at, end - at));
    message.replace(at, end - at, keyword);
    at += keyword.size();
  }
  return message;
}

ChartAnswer Refuse(std::string message, std::string_view option) {
  return {{}, KeywordWording(std::move(message)), KeywordOf(option), {}};
}

// The settings of the options given, or the refusal naming the option at fault. One option
// at a time, so that a refusal names its option; the --conventions preset first, so that the
// single options given with it win, as on the command line.
std::optional<ChartAnswer> ReadSettings(const Arguments& args, CalculationSettings& settings) {
  std::vector<std::string_view> options{kConventionsOption};
  for (const SettingRow& row : kSettingRows) options.push_back(row.option);
  for (const std::string_view option : options) {
    const OptionValue only = [&](std::string_view asked) -> std::optional<std::string_view> {
      if (asked != option || !args.Has(asked)) return std::nullopt;
      return args.Value(asked);
    };
    if (auto error = ReadSettingsOptions(only, settings)) return Refuse(std::move(*error), option);
  }
  if (const auto problem = CheckSettings(settings)) {
    const bool conflict = problem->kind == SettingsProblem::Kind::kConflict;
    return Refuse(std::string(problem->message), conflict ? "node" : "engine");
  }
  return std::nullopt;
}

int NoCommand(const Arguments&) { return 0; }

// The chart of the command line's chart options, as `corvane-cli OPTIONS --json` gives it.
ChartAnswer ChartOf(const std::vector<std::string>& words) {
  std::vector<const char*> argv;
  for (const std::string& word : words) argv.push_back(word.c_str());
  const CommandLine line = ParseCommandLine(CliOptions(), argv, NoCommand);
  if (line.error) return Refuse(*line.error, {});
  if (line.run != NoCommand) return Refuse("only the options of one chart are taken", {});
  const Arguments& args = line.args;

  CalculationSettings settings;
  if (auto refusal = ReadSettings(args, settings)) return *refusal;
  BirthData data;
  if (const auto e = ReadBirthOptions(args, data)) return Refuse(e->message, e->option);

  // The best matching place fills the place fields not given and the zone; a zone id the clock.
  PlaceAndZone request;
  if (const auto e = ReadPlaceAndZoneOptions(args, request)) return Refuse(e->message, e->option);
  if (const auto refusal = CompleteBirth(request, data)) {
    const bool placeAtFault = refusal->kind == PlaceAndZoneRefusal::Kind::kNoPlaceData || !args.Has("--tz");
    const bool twice = refusal->kind == PlaceAndZoneRefusal::Kind::kDoubledHour;
    const std::string_view field = refusal->kind == PlaceAndZoneRefusal::Kind::kCalendar ? "date"
                                   : placeAtFault                                        ? "place"
                                                                                         : "tz";
    return Refuse(twice ? DoubledHourWording(refusal->message) : refusal->message, field);
  }

  std::optional<int> sweepMinutes;
  if (args.Has("--sweep")) {
    sweepMinutes = SweepMinutesOf(args.Value("--sweep"));
    if (!sweepMinutes)
      return Refuse("--sweep needs a number of minutes from 1 to " + std::to_string(kMaxSweepMinutes) + ", not \"" +
                        std::string(args.Value("--sweep")) + "\"",
                    "sweep");
  }

  const CalculationResult result = CalculateChart(data, settings);
  if (const auto* message = std::get_if<InputMessage>(&result.outcome)) {
    return Refuse(CommandLineWording(*message, data, settings.engine), OptionOfField(message->focus));
  }
  if (const auto* polar = std::get_if<PolarDate>(&result.outcome)) return Refuse(polar->message, "date");
  ChartAnswer answer;
  answer.warning = DaylightSavingCountedTwice(data.zonePosition, data.daylightSaving).value_or("");
  std::optional<BirthSweep> sweep;
  if (sweepMinutes) sweep = SweepBirthTime(data, settings, *sweepMinutes);
  LineJsonWriter json;
  WriteChartJson(json, result.chart(), args.Has("--pages"), sweep ? &*sweep : nullptr);
  answer.json = json.Text();
  return answer;
}

// The batch's reading of a dst cell ("0" or "1"): the flag, or the message refusing the text.
py::object DaylightSavingBinding(const std::string& text) {
  BirthData data;
  if (const auto e = SetDaylightSaving(text, data)) return py::str(KeywordWording(e->message));
  return py::bool_(data.daylightSaving);
}

py::tuple ChartBinding(const std::vector<std::string>& words) {
  ChartAnswer answer;
  {
    py::gil_scoped_release released;  // a chart takes a while; other Python threads go on
    answer = ChartOf(words);
  }
  auto orNone = [](const std::string& text) -> py::object {
    if (text.empty()) return py::none();
    return py::str(text);
  };
  return py::make_tuple(orNone(answer.json), orNone(answer.message), orNone(answer.field), orNone(answer.warning));
}

// The --places --json text of the places matching `text`: a JSON array, empty when none does.
std::string PlacesBinding(const std::string& text, int limit) {
  if (limit < 1) throw std::invalid_argument("limit must be at least 1");
  std::string problem;
  const PlaceIndex* places = ProgramPlaceIndex(problem);
  if (places == nullptr) throw std::runtime_error(problem);
  return PlaceListing(places->search(text, static_cast<std::size_t>(limit)), true);
}

std::string ZonesBinding() {
  std::ostringstream listing;
  PrintZones(true, listing);
  return listing.str();
}

// The table's columns: refused settings come back as (message, option) for the package to
// raise its InputError.
py::object ChartsBinding(const std::vector<std::string>& names, const std::vector<py::object>& values, std::size_t rows,
                         const std::vector<std::string>& settingWords, unsigned jobs, const py::object& progress) {
  std::vector<const char*> argv;
  for (const std::string& word : settingWords) argv.push_back(word.c_str());
  const CommandLine line = ParseCommandLine(CliOptions(), argv, NoCommand);
  if (line.error) return py::make_tuple(*line.error, py::none());
  CalculationSettings settings;
  if (auto refusal = ReadSettings(line.args, settings)) return py::make_tuple(refusal->message, refusal->field);
  FrameInput input{names, values, rows};
  py::list columns;
  for (FrameColumn& column : ChartFrame(input, settings, jobs, progress)) {
    columns.append(py::make_tuple(column.name, column.kind, column.values, column.mask));
  }
  return columns;
}

}  // namespace
}  // namespace corvane::python

PYBIND11_MODULE(_corvane, m) {
  using namespace corvane::python;
  m.doc() = "The compiled part of corvane; use the corvane package.";
  m.attr("version") = corvane::kProgramVersion;
  // The batch columns a table may have (the sweep's column makes no table column), and the
  // setting options, by the names the package's keywords take ("pranapada_sun").
  py::list columns, settings;
  for (const std::string_view column : corvane::kBatchColumnNames)
    if (column != "sweep_minutes") columns.append(std::string(column));
  for (const corvane::SettingRow& row : corvane::kSettingRows) settings.append(std::string(row.key));
  settings.append(std::string(corvane::kConventionsOption.substr(2)));
  m.attr("batch_columns") = py::tuple(columns);
  m.attr("setting_names") = py::tuple(settings);
  // (keyword, "key|key", help line) of each setting and of the preset, for the documentation.
  py::list help;
  for (const corvane::OptionSpec& option : corvane::CliOptions())
    if (std::find(corvane::kSettingsOptions.begin(), corvane::kSettingsOptions.end(), option.name) !=
        corvane::kSettingsOptions.end()) {
      std::string name(option.name.substr(2));
      std::replace(name.begin(), name.end(), '-', '_');
      help.append(py::make_tuple(name, std::string(option.value), std::string(option.help)));
    }
  m.attr("setting_help") = py::tuple(help);
  m.def("chart_json", &ChartBinding, py::arg("options"),
        "(json, message, field, warning) of a chart from corvane-cli's chart options.");
  m.def("places_json", &PlacesBinding, py::arg("text"), py::arg("limit"),
        "The JSON array of the places matching text, as corvane-cli --places --json.");
  m.def("daylight_saving", &DaylightSavingBinding, py::arg("text"),
        "The batch's reading of a dst cell: True or False, or the message that refuses it.");
  m.def("zones_json", &ZonesBinding, "The JSON array of the zone list, as corvane-cli --zones --json.");
  m.def("chart_columns", &ChartsBinding, py::arg("names"), py::arg("values"), py::arg("rows"), py::arg("settings"),
        py::arg("jobs"), py::arg("progress") = py::none(),
        "The columns (name, kind, values, mask) of the charts of batch rows, or (message, field) for refused "
        "settings; progress(rows, refused) is called as rows are done.");
}
