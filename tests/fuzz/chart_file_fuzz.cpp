// Feeds arbitrary bytes to the chart file reader and the field decoder, and calculates the
// chart the opened form holds, as opening a file does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "app/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const corvane::BirthData start;
  const corvane::BirthData form = corvane::ApplyChartFile(bytes, start);
  // Whatever the file holds, every list field stays an item of its list.
  if (form.monthIndex < 0 || form.monthIndex > 11 || form.day < 1 || form.day > 31 || form.year < 1901 ||
      form.year > 2050 || form.hour < 0 || form.hour > 23 || form.minute < 0 || form.minute > 59 ||
      form.zonePosition < 0 || form.zonePosition > 70) {
    std::abort();
  }
  // Whatever a file brings through validation must calculate to signs inside the zodiac.
  const corvane::CalculationResult result = corvane::CalculateChart(form);
  if (result.ok()) {
    for (const int sign : result.chart().LagnaSigns)
      if (sign < 0 || sign > 11) std::abort();
    for (const int sign : result.chart().PlanetSign)
      if (sign < 0 || sign > 11) std::abort();
  }
  const std::string decoded = corvane::DecodeField(bytes);
  // Decoding what was encoded gives the bytes back.
  if (corvane::DecodeField(corvane::EncodeField(bytes)) != bytes) std::abort();
  if (corvane::Windows1252FromUtf8(corvane::Utf8FromWindows1252(decoded)) != decoded) std::abort();
  return 0;
}
