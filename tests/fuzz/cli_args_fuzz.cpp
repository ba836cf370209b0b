// Feeds arbitrary argument lists (the bytes split at NUL) to the option parser, and a chart
// command's options on to the birth data, the calculation and the JSON writer: the parser never
// exits, an accepted line holds only options of the table, and the JSON is valid UTF-8.
#include <rapidjson/document.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/chart_calculation.h"
#include "cli/chart_json.h"
#include "cli/cli_input.h"
#include "cli/commands.h"
#include "cli/retrograde_listing.h"

namespace {

int DefaultCommand(const corvane::Arguments&) { return -1; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> words(1);
  for (std::size_t i = 0; i < size && words.size() <= 40; ++i) {
    if (data[i] == 0) {
      words.emplace_back();
    } else {
      words.back().push_back(static_cast<char>(data[i]));
    }
  }
  std::vector<const char*> argv;
  for (const std::string& word : words) argv.push_back(word.c_str());

  const corvane::CommandLine line = corvane::ParseCommandLine(corvane::CliOptions(), argv, DefaultCommand);
  if (line.error) {
    if (line.error->empty() || line.run != nullptr) std::abort();
    return 0;
  }
  if (line.run == nullptr) std::abort();
  for (const auto& [name, value] : line.args.Given()) {
    bool known = false;
    for (const corvane::OptionSpec& option : corvane::CliOptions()) known |= option.name == name;
    if (!known) std::abort();
  }
  if (line.args.Has("--retrogrades")) (void)corvane::ParseYear(line.args.Value("--retrogrades"));
  if (line.run != DefaultCommand) return 0;

  corvane::ChartRequest request;
  if (corvane::ReadBirthOptions(line.args, request)) return 0;
  request.place.search.clear();  // no place search: its index is too slow to load per input
  if (request.clock.kind == corvane::ClockKind::kPlaceZone) request.clock.kind = corvane::ClockKind::kZoneRow;
  request.sweepMinutes = 0;
  const corvane::Result<corvane::ChartReading> result = corvane::ResolveChart(request);
  if (!result) return 0;
  corvane::PrettyJsonWriter json;
  corvane::WriteChartJson(json, *result->chart, line.args.Has("--pages"));
  rapidjson::Document doc;
  doc.Parse<rapidjson::kParseValidateEncodingFlag>(json.Text().data(), json.Text().size());
  if (doc.HasParseError() || !doc.IsObject()) std::abort();
  return 0;
}
