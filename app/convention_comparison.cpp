#include "app/convention_comparison.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/chart_calculation.h"
#include "app/display_texts.h"
#include "lagna/lagna_id.h"

namespace corvane {

namespace {

constexpr std::size_t kSunriseRow = kLagnaCount;
constexpr std::size_t kRahuRow = kLagnaCount + 1;

std::string Failure(const CalculationResult& r) {
  if (const auto* message = std::get_if<InputMessage>(&r.outcome)) return std::string(message->text);
  if (const auto* polar = std::get_if<PolarDate>(&r.outcome)) return polar->message;
  return {};
}

ComparisonCell SignCell(int sign, std::optional<double> longitude) {
  ComparisonCell cell;
  cell.sign = sign;
  cell.longitudeDeg = longitude;
  // An entry without a sign shows nothing rather than reading past the sign names.
  if (longitude)
    cell.text = CompactLongitude(*longitude);
  else if (sign >= 0 && sign < 12)
    cell.text = kSignAbbreviations[static_cast<std::size_t>(sign)];
  return cell;
}

ComparisonCell ClockCell(const CivilDateTime& t) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
  ComparisonCell cell;
  cell.text = text;
  return cell;
}

// Marks a cell against the same row of the compared column; a column without a chart marks
// nothing and is marked nowhere.
void Mark(ComparisonCell& cell, const ComparisonCell& base) {
  if (cell.text.empty() || base.text.empty()) return;
  if (cell.sign < 0) {
    cell.changed = cell.text != base.text;
    return;
  }
  cell.changed = cell.sign != base.sign;
  if (!cell.changed && cell.longitudeDeg && base.longitudeDeg)
    cell.shifted = std::fabs(*cell.longitudeDeg - *base.longitudeDeg) >= 1.0;
}

}  // namespace

std::vector<ComparisonColumn> ComparisonColumns(const CalculationSettings& current) {
  const CalculationSettings defaults;
  std::vector<ComparisonColumn> columns = {{"Default", SettingsSummary(defaults), defaults, -1}};
  // The column a setting's column builds on: the default one, or another setting's.
  std::vector<std::string_view> columnOf = {""};
  for (const SettingRow& row : kSettingRows) {
    const ComparisonSpec& spec = row.comparison;
    if (spec.title.empty()) continue;
    const auto base = std::find(columnOf.begin(), columnOf.end(), spec.on);
    const std::optional<std::size_t> choice = row.Find(spec.choiceKey);
    if (base == columnOf.end() || !choice) continue;  // held to the table by its test
    const int baseIndex = static_cast<int>(base - columnOf.begin());
    ComparisonColumn column{spec.title, std::string(spec.change), columns[static_cast<std::size_t>(baseIndex)].settings,
                            baseIndex};
    row.choose(column.settings, *choice);
    columns.push_back(std::move(column));
    columnOf.push_back(row.key);
  }
  // Everything at once on the precise engine: the exact preset and the Jaimini lords.
  const auto precise = std::find(columnOf.begin(), columnOf.end(), "engine");
  if (precise != columnOf.end()) {
    const int preciseIndex = static_cast<int>(precise - columnOf.begin());
    CalculationSettings classical = columns[static_cast<std::size_t>(preciseIndex)].settings;
    ApplyExactConventions(classical);
    classical.lords = SignLords::kJaimini;
    columns.push_back({"Classical", "Swiss Ephemeris with the exact conventions and the Jaimini lords", classical,
                       preciseIndex});
  }
  bool listed = false;
  for (const ComparisonColumn& c : columns) listed = listed || c.settings == current;
  if (!listed) columns.push_back({"Your settings", SettingsSummary(current), current, 0});
  return columns;
}

ConventionComparison CompareConventions(const BirthData& data, const CalculationSettings& current) {
  ConventionComparison out;
  out.columns = ComparisonColumns(current);
  const std::size_t columnCount = out.columns.size();
  out.rows.resize(kLagnaCount + 2);
  for (int l = 0; l < kLagnaCount; ++l) out.rows[static_cast<std::size_t>(l)] = {kLagnaKeys[l], kLagnaTitles[l], {}};
  out.rows[kSunriseRow] = {"Sunrise", "Reference sunrise", {}};
  out.rows[kRahuRow] = {"Rahu", "Rahu", {}};
  for (ComparisonRow& row : out.rows) row.cells.resize(columnCount);
  out.failures.resize(columnCount);

  for (std::size_t c = 0; c < columnCount; ++c) {
    const CalculationResult result = CalculateChart(data, out.columns[c].settings);
    if (!result.ok()) {
      out.failures[c] = Failure(result);
      continue;
    }
    const Chart& chart = result.chart();
    for (std::size_t l = 0; l < kLagnaCount; ++l) {
      const std::optional<double> longitude =
          chart.lagnas.lagnas[static_cast<std::size_t>(l)].longitudeDeg;
      out.rows[l].cells[c] = SignCell(chart.lagnas.lagnas[static_cast<std::size_t>(l)].sign, longitude);
    }
    out.rows[kSunriseRow].cells[c] = ClockCell(chart.sun.referenceSunrise);
    out.rows[kRahuRow].cells[c] = SignCell(BodySign(chart, kRahu).value_or(-1), chart.positions.longitudeDeg[kRahu]);
  }

  for (std::size_t c = 0; c < columnCount; ++c) {
    const int base = out.columns[c].comparedWith;
    if (base < 0) continue;
    for (ComparisonRow& row : out.rows) Mark(row.cells[c], row.cells[static_cast<std::size_t>(base)]);
  }
  return out;
}

}  // namespace corvane
