#include "app/collection_export.h"

#include <csv.h>

#include <filesystem>

#include "app/atomic_file.h"
#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "app/chart_texts.h"
#include "app/export_names.h"

namespace corvane {
namespace {

// A field as RFC 4180 writes it: in double quotes, with each quote doubled (libcsv).
void AppendField(std::string& line, std::string_view text) {
  if (!line.empty() && line.back() != '\n') line += ',';
  const std::size_t size = csv_write(nullptr, 0, text.data(), text.size());
  const std::size_t start = line.size();
  line.resize(start + size);
  csv_write(line.data() + start, size, text.data(), text.size());
}

std::string Failed(const std::string& path, const AtomicWriteFailure& failure) {
  return "The file " + path + " could not be written: " + failure.describe() + ".";
}

}  // namespace

std::vector<std::string> CollectionCsvFields(const BirthData& birth) {
  const BirthFieldTexts texts = BirthFieldTextsOf(birth);
  const BirthClock clock = ClockOf(birth);
  return {birth.name,
          std::string(texts.date.View()),
          std::string(texts.time.View()),
          std::to_string(clock.zonePosition),
          clock.daylightSaving ? "1" : "0",
          std::string(texts.lon.View()),
          std::string(texts.lat.View()),
          birth.city,
          birth.state,
          birth.country,
          clock.zoneId,
          birth.place};
}

std::string CollectionCsvLine(const BirthData& birth) {
  std::string line;
  for (const std::string& field : CollectionCsvFields(birth)) AppendField(line, field);
  return line + "\r\n";
}

ExportResult ExportChartFiles(ChartCollection& collection, const std::vector<std::int64_t>& ids,
                              const std::string& folder) {
  ExportResult result;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    result.failure = "The folder " + folder + " could not be made: " + error.message() + ".";
    return result;
  }
  for (const std::int64_t id : ids) {
    const auto bytes = collection.chartFile(id);
    const auto birth = collection.birth(id);
    if (!bytes || !birth) continue;  // removed meanwhile
    Chart named;
    named.birth = ChartBirthOf(*birth);
    const std::string path = UniqueFilePath(folder, ExportFileStem(named), ".zdh");
    if (const auto failure = WriteFileAtomically(path, *bytes); failure && !failure->replaced()) {
      result.failure = Failed(path, *failure);
      return result;
    }
    result.written.push_back(path);
  }
  return result;
}

ExportResult ExportBatchCsv(ChartCollection& collection, const std::vector<std::int64_t>& ids, const std::string& path) {
  std::string text = std::string(kCollectionCsvHeader) + "\r\n";
  for (const std::int64_t id : ids)
    if (const auto birth = collection.birth(id)) text += CollectionCsvLine(*birth);
  ExportResult result;
  if (const auto failure = WriteFileAtomically(path, text); failure && !failure->replaced())
    result.failure = Failed(path, *failure);
  else
    result.written.push_back(path);
  return result;
}

}  // namespace corvane
