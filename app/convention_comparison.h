#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/birth_data.h"
#include "app/calculation_settings.h"

namespace corvane {

// One way of calculating the chart, and the column its cells are compared with: each column
// changes one choice against that column, so its marked cells are the ones hanging on it.
struct ComparisonColumn {
  std::string_view title;   // short heading
  std::string change;       // what the column changes against the one it is compared with
  CalculationSettings settings;
  int comparedWith = -1;    // index of that column; -1 for the first
};

// What one column gives for one row.
struct ComparisonCell {
  std::string text;                    // "16 Sag 30", "Sag" or "06:12"; empty without a chart
  int sign = -1;                       // sign index of a lagna or of Rahu, -1 otherwise
  std::optional<double> longitudeDeg;  // where the entry has a longitude
  bool changed = false;                // differs from the compared column (the sign; the time)
  bool shifted = false;                // the same sign there, but a degree or more away
};

struct ComparisonRow {
  std::string_view key;    // "AL" .. "Ascendant", "Sunrise", "Rahu"
  std::string_view title;  // "Arudha lagna", "Reference sunrise", "Rahu"
  std::vector<ComparisonCell> cells;  // one per column
};

struct ConventionComparison {
  std::vector<ComparisonColumn> columns;
  std::vector<std::string> failures;  // per column: why it has no chart; empty when it has one
  std::vector<ComparisonRow> rows;    // the thirteen lagnas, the reference sunrise and Rahu
};

// The default; then, in the order of kSettingRows, the column each setting's comparison
// declares (its choice on the default column or on another setting's column); the precise
// engine with all of the exact preset and the Jaimini lords; and the current settings when
// they are none of these.
std::vector<ComparisonColumn> ComparisonColumns(const CalculationSettings& current);

// The birth calculated under every column's settings, cell by cell.
ConventionComparison CompareConventions(const BirthData& data, const CalculationSettings& current);

}  // namespace corvane
