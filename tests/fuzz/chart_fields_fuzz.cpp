// Builds a chart from arbitrary field texts as the command line reads them (name, date, time,
// zone, longitude, latitude, city, state, country, one per line of the input), saves it as a
// chart file through the atomic writer and opens it again. A chart whose texts a chart file
// cannot hold is refused before anything is written; any other opens to the same birth data
// and, calculated again, saves to the same bytes.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/birth_validation.h"
#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "app/display_texts.h"
#include "cli/cli_input.h"

namespace {

// Stops the run at a broken rule, naming the line of the rule.
void Check(bool condition, int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "%s:%d: check failed\n", __FILE__, line);
  std::abort();
}

// The run's own scratch folder, made at the first input and removed with what it holds when
// the run ends, so that no run leaves a folder behind.
const std::string& ChartPath() {
  static const std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvane_chart_fields_fuzz_XXXXXX").string();
    Check(::mkdtemp(pattern.data()) != nullptr);
    return pattern;
  }();
  static const std::string path = [] {
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(folder, ignored);
    });
    return folder + "/chart.zdh";
  }();
  return path;
}

std::vector<std::string_view> Lines(std::string_view bytes, std::size_t count) {
  std::vector<std::string_view> lines;
  while (lines.size() + 1 < count) {
    const std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos) break;
    lines.push_back(bytes.substr(0, end));
    bytes.remove_prefix(end + 1);
  }
  lines.push_back(bytes);
  lines.resize(count);
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  const auto f = Lines(std::string_view(reinterpret_cast<const char*>(data), size), 9);
  ChartRequest request;
  std::optional<CliInputError> e;
  if ((e = SetBirthName(f[0], request)) || (e = SetBirthDate(f[1], request)) || (e = SetBirthTime(f[2], request)) ||
      (e = SetZonePosition(f[3], request)) || (e = SetLongitude(f[4], request)) || (e = SetLatitude(f[5], request))) {
    Check(!e->message.empty());
    return 0;
  }
  // A name the setter took is one NameRefusal accepts.
  Check(!NameRefusal(request.name));
  request.place.city = f[6], request.place.state = f[7], request.place.country = f[8];
  BirthData birth = EnteredBirth(request);
  {
    const CalculationSettings settings;  // the element method: the Swiss data may be missing
    const CalculationResult result = CalculateChart(birth, settings);
    if (!result.ok()) return 0;
    const Chart& chart = result.chart();
    const std::string& path = ChartPath();
    ::unlink(path.c_str());
    const auto refused = SaveChartFile(path, chart);
    struct stat st {};
    if (refused) {
      // Refused before writing: no file, no temporary file.
      Check(::stat(path.c_str(), &st) != 0);
      Check(UnsavableChart(chart).has_value());
      return 0;
    }
    std::string why;
    const auto bytes = ReadChartFile(path, why);
    Check(bytes.has_value());
    const ParsedChartFile opened = ParseChartFile(*bytes);
    Check(opened.ok());
    const BirthData& again = opened.birth();
    // The saver stores the texts without their leading and trailing blanks, as it always has.
    Check(again.name == TrimBlanks(birth.name) && again.year == birth.year && again.monthIndex == birth.monthIndex &&
          again.day == birth.day && again.hour == birth.hour && again.minute == birth.minute &&
          again.second == birth.second && again.zonePosition == birth.zonePosition && again.east == birth.east &&
          again.south == birth.south && CoordinateValue(again.lonDegrees) == CoordinateValue(birth.lonDegrees) &&
          CoordinateValue(again.lonMinutes) == CoordinateValue(birth.lonMinutes) &&
          CoordinateValue(again.latDegrees) == CoordinateValue(birth.latDegrees) &&
          CoordinateValue(again.latMinutes) == CoordinateValue(birth.latMinutes));
    const CalculationResult second = CalculateChart(again, settings);
    Check(second.ok());
    Check(EncodeChartFile(second.chart()) == *bytes);
  }
  return 0;
}
