// Feeds arbitrary bytes to the chart file parser and the field codec. A file the parser takes
// must hold only values the input form's controls can show; its chart, saved again, must
// open to the same birth data, and saving that gives the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/birth_validation.h"
#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "app/text_encoding.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool InLists(const corvane::BirthData& b) {
  return b.monthIndex >= 0 && b.monthIndex <= 11 && b.day >= 1 && b.day <= 31 && b.year >= corvane::kAnyEngineYears.first && b.year <= corvane::kAnyEngineYears.last &&
         b.hour >= 0 && b.hour <= 23 && b.minute >= 0 && b.minute <= 59 && b.second >= 0 && b.second <= 59 &&
         b.zonePosition >= 0 && b.zonePosition <= 70 && b.lonDegrees.size() <= 3 && b.lonMinutes.size() <= 2 &&
         b.latDegrees.size() <= 2 && b.latMinutes.size() <= 2 && !corvane::UnstorableExtras(b.extras);
}

void CheckChart(const corvane::BirthData& birth) {
  const corvane::CalculationResult result = corvane::CalculateChart(birth);
  if (!result.ok()) return;
  const corvane::Chart& chart = result.chart();
  for (const int sign : chart.LagnaSigns) Check(sign >= 0 && sign <= 11);
  for (const int sign : chart.PlanetSign) Check(sign >= 0 && sign <= 11);

  // Save, open, calculate and save again: the same file, and the same birth data as opened.
  const std::string saved = corvane::EncodeChartFile(chart, birth.extras);
  const corvane::ParsedChartFile reopened = corvane::ParseChartFile(saved);
  Check(reopened.ok());
  const corvane::BirthData& again = reopened.birth();
  Check(again.second == birth.second && again.extras == birth.extras && again.zonePosition == birth.zonePosition &&
        again.monthIndex == birth.monthIndex && again.day == birth.day && again.year == birth.year &&
        again.hour == birth.hour && again.minute == birth.minute && again.east == birth.east &&
        again.south == birth.south && again.daylightSaving == birth.daylightSaving);
  Check(corvane::CoordinateValue(again.lonDegrees) == corvane::CoordinateValue(birth.lonDegrees) &&
        corvane::CoordinateValue(again.latMinutes) == corvane::CoordinateValue(birth.latMinutes));
  const corvane::CalculationResult second = corvane::CalculateChart(again);
  Check(second.ok());
  Check(corvane::EncodeChartFile(second.chart(), again.extras) == saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const corvane::ParsedChartFile parsed = corvane::ParseChartFile(bytes);
  if (parsed.ok()) {
    Check(InLists(parsed.birth()));
    CheckChart(parsed.birth());
  } else {
    Check(parsed.refusal().line >= 0 && !parsed.refusal().reason.empty());
  }

  // Decoding what was encoded gives the bytes back, and an encoded field never ends a line.
  const std::string encoded = corvane::EncodeField(bytes);
  Check(encoded.find_first_of("\r\n") == std::string::npos);
  Check(corvane::DecodeField(encoded) == bytes);
  const std::string decoded = corvane::DecodeField(bytes);
  Check(corvane::Windows1252FromUtf8(corvane::Utf8FromWindows1252(decoded)) == decoded);
  return 0;
}
