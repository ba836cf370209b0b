#include "app/export_names.h"

#include <cstdio>
#include <filesystem>

#include "app/chart_texts.h"
#include "app/search_fold.h"

namespace corvane {

std::string ExportFileStem(const Chart& chart) {
  std::string stem;
  bool gap = false;
  for (const char c : FoldForSearch(chart.birth.name)) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    const bool digit = c >= '0' && c <= '9';
    if (!letter && !digit) {
      gap = !stem.empty();
      continue;
    }
    if (gap) stem.push_back('_');
    gap = false;
    stem.push_back(letter && c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c);
  }
  if (stem.size() > kMaxExportNameBytes) {
    stem.resize(kMaxExportNameBytes);
    while (!stem.empty() && stem.back() == '_') stem.pop_back();
  }
  if (stem.empty()) stem = "CHART";
  char date[16];
  std::snprintf(date, sizeof date, "_%04d-%02d-%02d", chart.birth.year % 10000, (chart.birth.monthIndex + 1) % 100,
                chart.birth.day % 100);
  stem += date;
  // Two births an hour apart read the same on a clock set back: the reading tells them apart.
  if (const std::string reading = DoubledHourReading(chart); !reading.empty()) {
    stem += '_';
    for (const char c : FoldForSearch(reading))
      if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) stem.push_back(c);
      else if (c >= 'a' && c <= 'z') stem.push_back(static_cast<char>(c - 'a' + 'A'));
  }
  return stem;
}

std::string UniqueFilePath(const std::string& folder, const std::string& stem, std::string_view extension) {
  const std::filesystem::path base(folder.empty() ? std::string(".") : folder);
  std::filesystem::path candidate = base / (stem + std::string(extension));
  std::error_code error;
  for (int n = 2; std::filesystem::exists(candidate, error); ++n)
    candidate = base / (stem + "_" + std::to_string(n) + std::string(extension));
  return candidate.string();
}

}  // namespace corvane
