// Feeds arbitrary bytes to the chart file parser, the saver and the field codec. A file the
// parser takes must hold only values the input form's controls can show; its chart, saved
// again, must open to the same birth data, and saving that gives the same bytes. The same
// bytes as a chart's texts: a chart the saver accepts opens again to the same birth.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "app/birth_validation.h"
#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "app/text_encoding.h"
#include "tests/app/sample_birth.h"

namespace {

// Stops the run at a broken rule, naming the line of the rule.
void Check(bool condition, int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "%s:%d: check failed\n", __FILE__, line);
  std::abort();
}

bool InLists(const corvane::BirthData& b) {
  return b.monthIndex >= 0 && b.monthIndex <= 11 && b.day >= 1 && b.day <= 31 && b.year >= corvane::kAnyEngineYears.first && b.year <= corvane::kAnyEngineYears.last &&
         b.hour >= 0 && b.hour <= 23 && b.minute >= 0 && b.minute <= 59 && b.second >= 0 && b.second <= 59 &&
         b.zonePosition >= 0 && b.zonePosition <= 70 && b.lonDegrees.size() <= 3 && b.lonMinutes.size() <= 2 &&
         b.latDegrees.size() <= 2 && b.latMinutes.size() <= 2 && !corvane::UnstorableExtras(b.extras);
}

// The fields a chart file holds, compared as they are read back (coordinates by value, as
// the reader may drop a leading zero).
bool SameBirth(const corvane::BirthData& a, const corvane::BirthData& b) {
  return a.name == b.name && a.city == b.city && a.state == b.state && a.country == b.country &&
         a.second == b.second && a.extras == b.extras && a.zonePosition == b.zonePosition &&
         a.monthIndex == b.monthIndex && a.day == b.day && a.year == b.year && a.hour == b.hour &&
         a.minute == b.minute && a.east == b.east && a.south == b.south && a.daylightSaving == b.daylightSaving &&
         a.place == b.place && a.placeFilled == b.placeFilled &&
         corvane::CoordinateValue(a.lonDegrees) == corvane::CoordinateValue(b.lonDegrees) &&
         corvane::CoordinateValue(a.lonMinutes) == corvane::CoordinateValue(b.lonMinutes) &&
         corvane::CoordinateValue(a.latDegrees) == corvane::CoordinateValue(b.latDegrees) &&
         corvane::CoordinateValue(a.latMinutes) == corvane::CoordinateValue(b.latMinutes);
}

void CheckChart(const corvane::BirthData& birth) {
  const corvane::CalculationResult result = corvane::CalculateChart(birth);
  if (!result.ok()) return;
  const corvane::Chart& chart = result.chart();
  for (const auto& lagna : chart.lagnas.lagnas) Check(lagna.sign >= 0 && lagna.sign <= 11);
  for (int body = 0; body < corvane::kBodyCount; ++body) Check(corvane::BodySign(chart, body) <= 11);
  // What the reader took, the saver stores.
  Check(!corvane::UnsavableChart(chart));

  // Save, open, calculate and save again: the same file, and the same birth data as opened.
  const std::string saved = corvane::EncodeChartFile(chart);
  const corvane::ParsedChartFile reopened = corvane::ParseChartFile(saved);
  Check(reopened.ok());
  Check(SameBirth(reopened.birth(), birth));
  const corvane::CalculationResult second = corvane::CalculateChart(reopened.birth());
  Check(second.ok());
  Check(corvane::EncodeChartFile(second.chart()) == saved);
}

// The bytes as the texts of a chart the saver is given: name, city, state, country and the
// place's description, split at 0xFF. Whatever the saver accepts opens again to the same
// birth; what it refuses, it refuses with a reason.
void CheckSaverTakesBackItsTexts(std::string_view bytes) {
  const corvane::BirthData birth = corvane::testing::DelhiBirth();
  const corvane::CalculationResult result = corvane::CalculateChart(birth);
  Check(result.ok());
  corvane::Chart chart = result.chart();
  std::string* texts[] = {&chart.birth.name, &chart.birth.city, &chart.birth.state, &chart.birth.country,
                          &chart.birth.place};
  for (std::string* text : texts) {
    const std::size_t cut = bytes.find('\xff');
    *text = std::string(bytes.substr(0, cut));
    bytes = cut == std::string_view::npos ? std::string_view() : bytes.substr(cut + 1);
  }
  if (const auto refusal = corvane::UnsavableChart(chart)) {
    Check(!refusal->empty());
    return;
  }
  const corvane::ParsedChartFile reopened = corvane::ParseChartFile(corvane::EncodeChartFile(chart));
  Check(reopened.ok());
  // The saver stores the four texts of the classic lines without their leading and trailing
  // spaces, as the form does; the place's description, in the addition, as it is.
  for (std::string* text : {texts[0], texts[1], texts[2], texts[3]}) {
    text->erase(0, text->find_first_not_of(' '));
    text->erase(text->find_last_not_of(' ') + 1);
  }
  Check(SameBirth(reopened.birth(), chart.birth));
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
  CheckSaverTakesBackItsTexts(bytes);

  // Decoding what was encoded gives the bytes back, and an encoded field never ends a line.
  const std::string encoded = corvane::EncodeField(bytes);
  Check(encoded.find_first_of("\r\n") == std::string::npos);
  Check(corvane::DecodeField(encoded) == bytes);
  const std::string decoded = corvane::DecodeField(bytes);
  Check(corvane::Windows1252FromUtf8(corvane::Utf8FromWindows1252(decoded)) == decoded);
  return 0;
}
