#pragma once
#include <memory>
#include <string>
#include <variant>

#include "app/birth_data.h"
#include "app/birth_validation.h"
#include "app/chart_state.h"

namespace corvane {

// The Sun neither rises nor sets on this local date at the birth place, so the lagnas
// counted from sunrise cannot be computed.
struct PolarDate {
  CivilDateTime date;
  std::string message;  // ready to show, names the date
};

// Either the complete new chart or why there is none.
struct CalculationResult {
  std::variant<std::shared_ptr<const ChartState>, InputMessage, PolarDate> outcome;

  bool ok() const { return outcome.index() == 0; }
  const ChartState& chart() const { return *std::get<0>(outcome); }
};

// One whole calculation from the birth data: validation, zone, engine, retrograde marks,
// result texts, special lagnas and interpretation fields, in that order.
CalculationResult CalculateChart(const BirthData& data);

}  // namespace corvane
