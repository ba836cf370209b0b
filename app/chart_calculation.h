#pragma once
#include <memory>
#include <string>
#include <variant>

#include "app/birth_data.h"
#include "app/birth_validation.h"
#include "app/calculation_settings.h"
#include "app/chart.h"
#include "astro/ephemeris.h"
#include "lagna/page_fields.h"

namespace corvane {

// The Sun neither rises nor sets on this local date at the birth place, so the lagnas
// counted from sunrise cannot be computed.
struct PolarDate {
  CivilDateTime date;
  std::string message;  // ready to show, names the date
};

// Either the complete new chart or why there is none.
struct CalculationResult {
  std::variant<std::shared_ptr<const Chart>, InputMessage, PolarDate> outcome;

  bool ok() const { return outcome.index() == 0; }
  const Chart& chart() const { return *std::get<0>(outcome); }
};

// The engine every calculation uses unless told otherwise: the built-in element method.
const Ephemeris& DefaultEphemeris();

// The clock of a birth: its exact offset when one is set (from a zone of the time zone
// database when a zone id goes with it), otherwise its zone list row and tick.
BirthClock ClockOf(const BirthData& data);

// The birth as a chart keeps it: the fields of checked birth data, its coordinates as numbers
// and its place texts without their outer blanks.
ChartBirth ChartBirthOf(const BirthData& data);

// One whole calculation from the birth data: validation, the UT instant, positions,
// sunrise and special lagnas, with the engine and the
// conventions of `settings`. Settings that contradict each other, a birth outside the
// engine's dates and missing data files are refused with an InputMessage (no field focused).
CalculationResult CalculateChart(const BirthData& data, const CalculationSettings& settings = {});

// The same with a given engine; `settings` give the Indu rule and are recorded in the chart
// as the conventions the engine was made with.
CalculationResult CalculateChart(const BirthData& data, const Ephemeris& engine,
                                 const CalculationSettings& settings = {});

// The texts of the interpretation pages of a chart; built only when something shows them.
LagnaPageFields PageFieldsOf(const Chart& chart);

// Only the Arudha and Upapada readings of those pages, rewritten into the caller's readings so
// that their storage serves chart after chart (a batch lists their fired headings).
void ReadingsOf(const Chart& chart, RichReading& arudha, RichReading& upapada);

}  // namespace corvane
