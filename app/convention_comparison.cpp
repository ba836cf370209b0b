#include "app/convention_comparison.h"

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
  cell.text = longitude ? CompactLongitude(*longitude) : std::string(kSignAbbreviations[sign]);
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
  CalculationSettings precise;
  precise.engine = EngineKind::kSwiss;
  CalculationSettings centre = precise;
  centre.sunrise = SunriseDefinition::kDiscCentre;
  CalculationSettings moonIndu = centre;
  moonIndu.indu = InduRule::kFromMoon;
  CalculationSettings trueNode = precise;
  trueNode.node = NodeKind::kTrue;
  // Each of the conventions behind the lagnas alone against the default.
  CalculationSettings exactTime, birthSun, signVarnada, jaiminiLords, exactNakshatra;
  exactTime.timing = TimingPrecision::kExact;
  birthSun.pranapadaSun = PranapadaSun::kAtBirth;
  signVarnada.varnada = VarnadaCount::kSigns;
  jaiminiLords.lords = SignLords::kJaimini;
  exactNakshatra.nakshatra = NakshatraDivision::kExact;
  CalculationSettings classical = precise;
  ApplyExactConventions(classical);
  classical.lords = SignLords::kJaimini;

  std::vector<ComparisonColumn> columns = {
      {"Default",
       "Element method, Lahiri, mean node, sunrise at the upper limb with refraction, Indu lagna from the ascendant, "
       "whole minutes, Pranapada from the Sun at sunrise, Varnada in degrees, one lord per sign, tabulated nakshatras",
       CalculationSettings{}, -1},
      {"Precise", "Swiss Ephemeris instead of the element method", precise, 0},
      {"Centre sunrise", "Sunrise at the centre of the disc without refraction", centre, 1},
      {"Indu from Moon", "Indu lagna from the Moon with Venus kala 12", moonIndu, 2},
      {"True node", "The true node instead of the mean node", trueNode, 1},
      {"Exact time", "The birth second and the unrounded sunrise instead of whole minutes", exactTime, 0},
      {"Sun at birth", "The Pranapada lagna from the Sun at birth instead of at sunrise", birthSun, 0},
      {"Varnada signs", "The Varnada lagna counted in whole signs instead of degrees", signVarnada, 0},
      {"Jaimini lords", "Scorpio and Aquarius ruled by the stronger of Mars/Ketu and Saturn/Rahu", jaiminiLords, 0},
      {"Exact nakshatras", "Nakshatra starts 13 degrees 20 minutes apart instead of the table", exactNakshatra, 0},
      {"Classical", "Swiss Ephemeris with the exact conventions and the Jaimini lords", classical, 1},
  };
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
    out.rows[kRahuRow].cells[c] = SignCell(BodySign(chart, kRahu), chart.positions.longitudeDeg[kRahu]);
  }

  for (std::size_t c = 0; c < columnCount; ++c) {
    const int base = out.columns[c].comparedWith;
    if (base < 0) continue;
    for (ComparisonRow& row : out.rows) Mark(row.cells[c], row.cells[static_cast<std::size_t>(base)]);
  }
  return out;
}

}  // namespace corvane
