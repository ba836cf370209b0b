// The compiled part of the corvane Python package. Every answer is made by the command line's
// own code: the option table and readers, the chart JSON writer, the place and zone listings
// and the batch's worker threads. The package's __init__.py gives it its Python face.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <map>
#include <cctype>
#include <utility>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/birth_sweep.h"
#include "app/chart_vargas.h"
#include "app/birth_zone.h"
#include "app/chart_calculation.h"
#include "app/chart_request.h"
#include "app/chart_collection.h"
#include "app/collection_export.h"
#include "app/place_index.h"
#include "app/zone_table.h"
#include "cli/batch_run.h"
#include "cli/chart_json.h"
#include "cli/cli_input.h"
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

// The package's keywords and their values as text, by keyword ("pranapada_sun").
using Keywords = std::map<std::string, std::string>;

// The keywords looked up by the option they stand for: "--pranapada-sun" is pranapada_sun.
OptionValue KeywordValues(const Keywords& keywords) {
  return [&keywords](std::string_view option) -> std::optional<std::string_view> {
    if (!option.starts_with("--")) return std::nullopt;
    std::string key(option.substr(2));
    std::replace(key.begin(), key.end(), '-', '_');
    const auto it = keywords.find(key);
    if (it == keywords.end()) return std::nullopt;
    return std::string_view(it->second);
  };
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

// The settings of the keywords given, or the refusal naming the keyword at fault. One at a
// time, so that a refusal names its keyword; the conventions preset first, so that the single
// settings given with it win, as on the command line.
std::optional<ChartAnswer> ReadSettings(const Keywords& keywords, CalculationSettings& settings) {
  const OptionValue valueOf = KeywordValues(keywords);
  std::vector<std::string_view> options{kConventionsOption};
  for (const SettingRow& row : kSettingRows) options.push_back(row.option);
  for (const std::string_view option : options) {
    const OptionValue only = [&](std::string_view asked) -> std::optional<std::string_view> {
      if (asked != option) return std::nullopt;
      return valueOf(asked);
    };
    if (auto error = ReadSettingsOptions(only, settings)) return Refuse(std::move(*error), option);
  }
  if (const auto problem = CheckSettings(settings)) {
    const bool conflict = problem->kind == SettingsProblem::Kind::kConflict;
    return Refuse(std::string(problem->message), conflict ? "node" : "engine");
  }
  return std::nullopt;
}

// The keyword a problem is about: the coordinate, not its part; the zone id, or the place
// whose zone gave the clock; the date for the checks of the calendar, the engine and the time.
std::string KeywordOf(const Problem& problem, const ChartRequest& request) {
  switch (problem.code) {
    case ProblemCode::kUnknownZone:
    case ProblemCode::kSkippedTime:
    case ProblemCode::kDoubledTime:
      return request.clock.kind == ClockKind::kZoneId ? "tz" : "place";
    case ProblemCode::kNoPlaceData:
    case ProblemCode::kNoPlaceMatch: return "place";
    case ProblemCode::kSettingsConflict: return "node";
    default: break;
  }
  if (problem.field.starts_with("lon")) return "lon";
  if (problem.field.starts_with("lat")) return "lat";
  if (problem.field.empty() || problem.field == "time") return "date";
  return problem.field;
}

// The chart of the package's keywords, as `corvane-cli` gives it for the same options with
// --json. The birth keywords are read by the command line's field readers, one value each.
ChartAnswer ChartOf(const Keywords& birth, const Keywords& settings, bool pages, bool withVargas) {
  ChartRequest request;
  if (auto refusal = ReadSettings(settings, request.settings)) return *refusal;
  if (const auto e = ReadBirthOptions(KeywordValues(birth), request)) return Refuse(e->message, e->option);
  const Result<ChartReading> reading = ResolveChart(request);
  if (!reading) return Refuse(CommandLineWording(reading.problem(), request), KeywordOf(reading.problem(), request));
  const Chart& chart = *reading->chart;
  ChartAnswer answer;
  answer.warning = DaylightSavingCountedTwice(chart.clock.zonePosition, chart.clock.daylightSaving).value_or("");
  LineJsonWriter json;
  std::optional<VargaCharts> vargas;
  if (withVargas) vargas = VargasOf(chart);
  WriteChartJson(json, chart, pages, reading->sweep.get(), vargas ? &*vargas : nullptr);
  answer.json = json.Text();
  return answer;
}

// The batch's reading of a dst cell ("0" or "1"): the flag, or the message refusing the text.
py::object DaylightSavingBinding(const std::string& text) {
  ChartRequest request;
  if (const auto e = SetDaylightSaving(text, request)) return py::str(KeywordWording(e->message));
  return py::bool_(request.clock.daylightSaving);
}


py::tuple ChartBinding(const Keywords& birth, const Keywords& settings, bool pages, bool vargas) {
  ChartAnswer answer;
  {
    py::gil_scoped_release released;  // a chart takes a while; other Python threads go on
    answer = ChartOf(birth, settings, pages, vargas);
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
                         const Keywords& settingKeywords, unsigned jobs, const std::vector<std::string>& vargaKeys,
                         const py::object& progress) {
  CalculationSettings settings;
  if (auto refusal = ReadSettings(settingKeywords, settings)) return py::make_tuple(refusal->message, refusal->field);
  std::vector<int> vargas;
  for (const std::string& key : vargaKeys) {
    const std::optional<int> v = VargaIndexOf(key);
    if (!v) return py::make_tuple("vargas takes D1, D2, D3, D4, D7, D9, D10, D12, D16, D20, D24, D27, D30, D40, D45 and D60, not \"" + key + "\"", "vargas");
    if (std::find(vargas.begin(), vargas.end(), *v) == vargas.end()) vargas.push_back(*v);
  }
  FrameInput input{names, values, rows};
  py::list columns;
  for (FrameColumn& column : ChartFrame(input, settings, jobs, vargas, progress)) {
    columns.append(py::make_tuple(column.name, column.kind, column.values, column.mask));
  }
  return columns;
}

std::unique_ptr<ChartCollection> OpenCollection(const std::optional<std::string>& path) {
  return ChartCollection::Open(path ? *path : DefaultCollectionPath());
}

// Every chart of the collection, by id: (id, note, tags, added, opened or None, the fields of
// its batch row in kCollectionCsvHeader's order).
py::list CollectionRowsBinding(const std::optional<std::string>& path) {
  const auto collection = OpenCollection(path);
  py::list rows;
  for (const CollectionChart& c : collection->find({}, {CollectionOrder::Key::kId})) {
    const auto birth = collection->birth(c.id);
    if (!birth) continue;
    rows.append(py::make_tuple(c.id, c.note, c.tags, c.added, c.opened ? py::object(py::int_(*c.opened)) : py::none(),
                               CollectionCsvFields(*birth)));
  }
  return rows;
}

// Adds batch rows (the header's column names, each row's fields as text) with their notes and
// tags, all in one transaction: per row (id, added, error); id None for a refused row.
py::list CollectionAddBinding(const std::optional<std::string>& path, const std::vector<std::string>& names,
                              const std::vector<std::vector<std::string>>& rows, const std::vector<std::string>& notes,
                              const std::vector<std::vector<std::string>>& tags) {
  std::vector<BatchColumn> columns;
  if (auto refusal = ReadBatchHeader(names, columns)) throw std::invalid_argument(*refusal);
  const auto collection = OpenCollection(path);
  py::list answers;
  collection->inTransaction([&] {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      ChartRequest request;
      BatchRowExtras extras;
      if (auto refusal = ReadBatchRow(rows[i], columns, request, extras)) {
        answers.append(py::make_tuple(py::none(), false, *refusal));
        continue;
      }
      // The place search, the check of the fields and the clock, as for a chart.
      const Result<BirthData> birth = ResolveBirth(request);
      if (!birth) {
        // In the batch's words, naming the column at fault.
        const Problem& problem = birth.problem();
        const std::string column =
            problem.code == ProblemCode::kPolarDate ? "date" : std::string(OptionOfProblem(problem, request).substr(2));
        answers.append(py::make_tuple(py::none(), false, column + ": " + CommandLineWording(problem, request)));
        continue;
      }
      try {
        const AddedChart added = collection->add(*birth, i < notes.size() ? notes[i] : "", i < tags.size() ? tags[i] : std::vector<std::string>{});
        answers.append(py::make_tuple(added.id, added.added, ""));
      } catch (const CollectionError& e) {
        if (e.kind() != CollectionError::Kind::kRefused) throw;
        answers.append(py::make_tuple(py::none(), false, std::string(e.what())));
      }
    }
  });
  return answers;
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
    if (column != "sweep_minutes" && column != "vargas") columns.append(std::string(column));
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
  m.def("chart_json", &ChartBinding, py::arg("birth"), py::arg("settings"), py::arg("pages"), py::arg("vargas"),
        "(json, message, field, warning) of a chart from the birth and settings keywords, as text.");
  m.def("places_json", &PlacesBinding, py::arg("text"), py::arg("limit"),
        "The JSON array of the places matching text, as corvane-cli --places --json.");
  py::register_exception<corvane::CollectionError>(m, "CollectionError", PyExc_RuntimeError);
  m.attr("collection_columns") = std::string(corvane::kCollectionCsvHeader);
  m.def("collection_rows", &CollectionRowsBinding, py::arg("path"),
        "(id, note, tags, added, opened, batch fields) of every chart of the collection, by id.");
  m.def("collection_add", &CollectionAddBinding, py::arg("path"), py::arg("names"), py::arg("rows"), py::arg("notes"),
        py::arg("tags"), "Adds batch rows to the collection in one transaction; (id, added, error) per row.");
  m.def("daylight_saving", &DaylightSavingBinding, py::arg("text"),
        "The batch's reading of a dst cell: True or False, or the message that refuses it.");
  m.def("zones_json", &ZonesBinding, "The JSON array of the zone list, as corvane-cli --zones --json.");
  m.def("chart_columns", &ChartsBinding, py::arg("names"), py::arg("values"), py::arg("rows"), py::arg("settings"),
        py::arg("jobs"), py::arg("vargas"), py::arg("progress") = py::none(),
        "The columns (name, kind, values, mask) of the charts of batch rows, or (message, field) for refused "
        "settings; progress(rows, refused) is called as rows are done.");
}
