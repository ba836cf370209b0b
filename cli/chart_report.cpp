#include "cli/chart_report.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/sign_grid.h"
#include "app/zone_table.h"
#include "app/display_texts.h"
#include "app/chart_calculation.h"
#include "app/chart_texts.h"
#include "app/chart_vargas.h"
#include "lagna/sign_tables.h"

namespace corvane {
namespace {

constexpr std::array<const char*, kLagnaCount> kLagnaNames = {
    "AL  Arudha lagna",  "BL  Bhava lagna",   "HL  Hora lagna",    "GL  Ghati lagna",    "SrL Sree lagna",
    "IL  Indu lagna",    "PL  Paka lagna",    "UL  Upapada lagna", "PpL Pranapada lagna", "VL  Varnada lagna",
    "CL  Chandra lagna", "SL  Surya lagna",   "Ascendant"};

constexpr std::size_t kCellWidth = 16;

// Characters shown, counting each UTF-8 sequence once (the degree sign is two bytes).
std::size_t ShownWidth(std::string_view s) {
  return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string Padded(std::string_view s, std::size_t width) {
  std::string out(s);
  for (std::size_t w = ShownWidth(s); w < width; ++w) out.push_back(' ');
  return out;
}

std::vector<std::string> NonEmptyLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    if (!line.empty()) lines.emplace_back(line);
    start = end + 2;
  }
  return lines;
}

// The lines of one sign box: its name, its bodies, then its lagna marks packed on lines.
std::vector<std::string> CellLines(const ChartTexts& c, int sign) {
  std::vector<std::string> lines;
  if (sign < 0) return lines;
  lines.push_back(std::string("[") + std::string(kSignAttributes[sign].EnglishName) + "]");
  for (auto& body : NonEmptyLines(c.chartBoxes[static_cast<std::size_t>(sign)])) lines.push_back(std::move(body));
  std::string marks;
  for (const auto& mark : NonEmptyLines(c.lagnaBoxes[static_cast<std::size_t>(sign)])) {
    if (!marks.empty() && marks.size() + 1 + mark.size() > kCellWidth) {
      lines.push_back(std::move(marks));
      marks.clear();
    }
    if (!marks.empty()) marks.push_back(' ');
    marks += mark;
  }
  if (!marks.empty()) lines.push_back(std::move(marks));
  return lines;
}

void WriteSquareChart(const ChartTexts& c, std::ostream& out) {
  const std::string border = "+" + std::string(kCellWidth + 2, '-');
  for (int row = 0; row < 4; ++row) {
    // Rows 1 and 2 share the empty middle, so no line is drawn across it between them.
    if (row == 2) {
      out << border << "+" << std::string(2 * (kCellWidth + 2) + 1, ' ') << border << "+\n";
    } else {
      out << border << border << border << border << "+\n";
    }
    std::array<std::vector<std::string>, 4> cells;
    std::size_t height = 1;
    for (int col = 0; col < 4; ++col) {
      cells[col] = CellLines(c, SignAtBox(row, col));
      height = std::max(height, cells[col].size());
    }
    for (std::size_t line = 0; line < height; ++line) {
      for (int col = 0; col < 4; ++col) {
        const bool middle = SignAtBox(row, col) < 0;
        const std::string text = line < cells[col].size() ? cells[col][line] : "";
        if (middle && col == 2) {
          out << "  " << Padded(text, kCellWidth) << " ";
        } else {
          out << "| " << Padded(text, kCellWidth) << " ";
        }
      }
      out << "|\n";
    }
  }
  out << border << border << border << border << "+\n";
}

void WriteBirthDetails(const Chart& c, const ChartTexts& r, std::ostream& out) {
  out << "Birth details\n";
  out << "  Name             " << r.name << "\n";
  out << "  Date             " << r.date << "\n";
  out << "  Time             " << r.time << "\n";
  out << "  City             " << r.city << "\n";
  out << "  State            " << r.state << "\n";
  out << "  Country          " << r.country << "\n";
  out << "  Longitude        " << r.longitude << "\n";
  out << "  Latitude         " << r.latitude << "\n";
  if (c.clock.zonePosition >= 0 && c.clock.zonePosition < kZoneCount) {
    out << "  Time zone        " << kZoneTable[static_cast<std::size_t>(c.clock.zonePosition)].text << "\n";
  }
  out << "  Daylight saving  " << (c.clock.daylightSaving ? "Yes" : "No") << "\n";
  out << "  Clock used       " << ClockText(c) << "\n";
  out << "  Ayanamsa         " << std::to_string(c.positions.ayanamsaDeg) << "\xC2\xB0\n\n";
}

void WritePositions(const Chart& c, const ChartTexts& r, std::ostream& out) {
  out << "Positions at birth\n";
  for (std::size_t i = 0; i < kBodyCount; ++i) {
    out << "  " << Padded(r.bodyNames[i], 14) << Padded(FormatLongitude(c.positions.longitudeDeg[i]), 20)
        << r.positions[i] << "\n";
  }
  out << "\n";
}

void WriteSunrises(const Chart& c, const ChartTexts& r, std::ostream& out) {
  const SunDays& s = c.sun;
  out << "Sunrise and sunset     Sunrise            Sunset\n";
  out << "  Day before           " << MinuteText(s.risePrevious) << "   " << MinuteText(s.setPrevious) << "\n";
  out << "  Birth day            " << MinuteText(s.riseBirthDay) << "   " << MinuteText(s.setBirthDay) << "\n";
  out << "  Day after            " << MinuteText(s.riseNext) << "   " << MinuteText(s.setNext) << "\n";
  out << "  Reference sunrise    " << MinuteText(s.referenceSunrise) << "  (" << s.minutesSinceSunrise
      << " minutes, " << s.secondsSinceSunrise << " seconds)\n";
  if (s.exact)
    out << "  Unrounded sunrise    " << std::to_string(s.exact->secondsSinceSunrise) << " seconds before the birth\n";
  out << "  Sun at sunrise       " << r.sunAtSunrise << "\n\n";
}

void WriteConventions(const Chart& c, std::ostream& out) {
  out << "Conventions\n";
  for (const SettingEntry& e : SettingEntries(c.settings))
    out << "  " << Padded(e.name, 15) << e.key << "  (" << e.label << ")\n";
  out << "\n";
}

void WriteLagnas(const Chart& c, std::ostream& out) {
  out << "Lagnas\n";
  for (int l = 0; l < kLagnaCount; ++l) {
    const LagnaPosition& lagna = c.lagnas.lagnas[static_cast<std::size_t>(l)];
    const int sign = lagna.sign;
    const std::string_view signName = IsSignIndex(sign) ? kSignAttributes[sign].EnglishName : "?";
    out << "  " << Padded(kLagnaNames[l], 22) << Padded(signName, 13);
    if (lagna.longitudeDeg) out << FormatLongitude(*lagna.longitudeDeg);
    out << "\n";
  }
  out << "  Hora lagna in house " << c.lagnas.horaHouse << ", Pranapada lagna in house " << c.lagnas.pranapadaHouse
      << " from the Ascendant\n";
}

// Every entry down, the sixteen vargas across, sign abbreviations ("-" for no place).
void WriteVargaTable(const VargaCharts& vargas, std::ostream& out) {
  out << "\nVargas\n  " << Padded("", 10);
  for (std::string_view key : kVargaKeys) out << Padded(key, 4);
  out << "\n";
  for (int e = 0; e < kVargaEntryCount; ++e) {
    out << "  " << Padded(VargaEntryName(e), 10);
    for (const VargaChart& v : vargas) {
      const int sign = VargaEntrySign(v, e);
      out << Padded(sign < 0 ? std::string_view("-") : kSignAbbreviations[static_cast<std::size_t>(sign)], 4);
    }
    out << "\n";
  }
}

void WriteReading(std::string_view title, const RichReading& reading, std::ostream& out) {
  out << "\n" << title << "\n";
  std::string text;
  for (const TextRun& run : reading.runs) text += run.text;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    out << "  " << std::string_view(text).substr(start, end - start) << "\n";
    start = end + 2;
  }
}

void WritePages(const Chart& c, std::ostream& out) {
  const LagnaPageFields p = PageFieldsOf(c);
  out << "\nInterpretation pages\n";
  for (int l = 0; l < kLagnaCount; ++l) {
    const auto lagna = static_cast<LagnaId>(l);
    if (!HasAttributeBlock(lagna)) continue;
    for (int f = 0; f < kPageFieldCount; ++f)
      out << "  " << kLagnaKeys[l] << "." << kPageFieldKeys[f] << ": " << p.Attribute(lagna, static_cast<PageField>(f))
          << "\n";
  }
  out << "  HL.house_text: " << p.horaHouseText << "\n";
  out << "  PpL.house_text: " << p.pranapadaHouseText << "\n";
  out << "  " << p.pranapadaCaption << "\n";
  WriteReading("Arudha lagna reading", p.arudhaReading, out);
  WriteReading("Upapada lagna reading", p.upapadaReading, out);
}

}  // namespace

void WriteChartReport(const Chart& c, bool pages, std::ostream& out, const VargaCharts* vargas, int varga,
                      bool vargaTable) {
  const ChartTexts texts = TextsOf(c);
  out << "Corvane v1.25\n\n";
  WriteBirthDetails(c, texts, out);
  if (vargas && varga > 0) {
    out << VargaCaption(varga) << "\n";
    WriteSquareChart(VargaTextsOf(c, *vargas, varga), out);
  } else {
    WriteSquareChart(texts, out);
  }
  out << "\n";
  WritePositions(c, texts, out);
  WriteSunrises(c, texts, out);
  WriteConventions(c, out);
  WriteLagnas(c, out);
  if (vargas && vargaTable) WriteVargaTable(*vargas, out);
  if (pages) WritePages(c, out);
}

}  // namespace corvane
