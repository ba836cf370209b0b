#include "cli/compare_table.h"

#include <string>

#include "cli/chart_json.h"

namespace corvane {

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

std::string CompareJson(const ConventionComparison& c) {
  PrettyJsonWriter json;
  json.StartObject();
  json.Key("columns");
  json.StartArray();
  for (std::size_t i = 0; i < c.columns.size(); ++i) {
    const ComparisonColumn& column = c.columns[i];
    json.StartObject();
    json.Key("title");
    json.String(column.title);
    json.Key("change");
    json.String(column.change);
    json.Key("settings");
    WriteSettingsJson(json, column.settings);
    json.Key("compared_with");
    if (column.comparedWith >= 0) {
      json.Int(column.comparedWith);
    } else {
      json.Null();
    }
    if (!c.failures[i].empty()) {
      json.Key("error");
      json.String(c.failures[i]);
    }
    json.EndObject();
  }
  json.EndArray();
  json.Key("rows");
  json.StartArray();
  for (const ComparisonRow& row : c.rows) {
    json.StartObject();
    json.Key("key");
    json.String(row.key);
    json.Key("title");
    json.String(row.title);
    json.Key("cells");
    json.StartArray();
    for (const ComparisonCell& cell : row.cells) {
      json.StartObject();
      json.Key("text");
      json.String(cell.text);
      if (cell.sign >= 0) {
        json.Key("sign");
        json.Int(cell.sign);
      }
      if (cell.longitudeDeg) {
        json.Key("longitude");
        json.Double(*cell.longitudeDeg);
      }
      json.Key("changed");
      json.Bool(cell.changed);
      json.Key("shifted");
      json.Bool(cell.shifted);
      json.EndObject();
    }
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  json.EndLine();
  return std::string(json.Text());
}

}  // namespace corvane
