#include "cli/compare_table.h"

#include <string>

#include "cli/chart_json.h"

namespace corvane {

namespace {

// {"engine": "elements", "ayanamsa": "lahiri", ...}: the settings by their command-line keys.
nlohmann::ordered_json SettingsJson(const CalculationSettings& s) {
  nlohmann::ordered_json out = nlohmann::ordered_json::object();
  for (const SettingEntry& e : SettingEntries(s)) out[std::string(e.name)] = e.key;
  return out;
}

}  // namespace

namespace {

constexpr std::size_t kLabelWidth = 22;
constexpr std::size_t kCellWidth = 13;

void Pad(std::string& line, const std::string& text, std::size_t width) {
  line += text;
  if (text.size() < width) line.append(width - text.size(), ' ');
}

void WriteLine(std::ostream& out, std::string line) {
  while (!line.empty() && line.back() == ' ') line.pop_back();
  out << line << "\n";
}

std::string CellText(const ComparisonCell& cell) {
  if (cell.text.empty()) return "-";
  return cell.text + (cell.changed ? "*" : cell.shifted ? "~" : "");
}

}  // namespace

void WriteCompareTable(const ConventionComparison& c, std::ostream& out) {
  out << "Lagnas under each convention. Against the column compared with, * marks another sign (or\n"
         "sunrise time) and ~ the same sign a degree or more away: the marked entries hang on the\n"
         "column's choice.\n\n";
  for (std::size_t i = 0; i < c.columns.size(); ++i) {
    const ComparisonColumn& column = c.columns[i];
    out << "  " << i + 1 << "  " << column.title << ": " << column.change;
    if (column.comparedWith >= 0) out << " (compared with " << column.comparedWith + 1 << ")";
    out << "\n";
  }
  out << "\n";
  std::string heading(kLabelWidth, ' ');
  for (std::size_t i = 0; i < c.columns.size(); ++i) Pad(heading, std::to_string(i + 1), kCellWidth);
  WriteLine(out, heading);
  for (const ComparisonRow& row : c.rows) {
    // Short keys ("AL", "SrL") stand before the title; longer ones are the title itself.
    std::string label(row.title);
    if (row.key.size() <= 3) label = std::string(row.key) + std::string(5 - row.key.size(), ' ') + label;
    std::string line;
    Pad(line, label, kLabelWidth);
    for (const ComparisonCell& cell : row.cells) Pad(line, CellText(cell), kCellWidth);
    WriteLine(out, line);
  }
  for (std::size_t i = 0; i < c.failures.size(); ++i)
    if (!c.failures[i].empty()) out << "\nColumn " << i + 1 << " has no chart: " << c.failures[i] << "\n";
}

nlohmann::ordered_json CompareJson(const ConventionComparison& c) {
  using Json = nlohmann::ordered_json;
  Json columns = Json::array();
  for (std::size_t i = 0; i < c.columns.size(); ++i) {
    const ComparisonColumn& column = c.columns[i];
    Json j = {{"title", column.title}, {"change", column.change}, {"settings", SettingsJson(column.settings)}};
    j["compared_with"] = column.comparedWith >= 0 ? Json(column.comparedWith) : Json(nullptr);
    if (!c.failures[i].empty()) j["error"] = c.failures[i];
    columns.push_back(std::move(j));
  }
  Json rows = Json::array();
  for (const ComparisonRow& row : c.rows) {
    Json cells = Json::array();
    for (const ComparisonCell& cell : row.cells) {
      Json j = {{"text", cell.text}};
      if (cell.sign >= 0) j["sign"] = cell.sign;
      if (cell.longitudeDeg) j["longitude"] = *cell.longitudeDeg;
      j["changed"] = cell.changed;
      j["shifted"] = cell.shifted;
      cells.push_back(std::move(j));
    }
    rows.push_back({{"key", row.key}, {"title", row.title}, {"cells", std::move(cells)}});
  }
  return {{"columns", std::move(columns)}, {"rows", std::move(rows)}};
}

}  // namespace corvane
