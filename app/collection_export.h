#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/chart_collection.h"

namespace corvane {

// The header of an exported batch: the columns of the command line's batch that a chart
// file's birth fills, so that `corvane-cli --batch` reads the file back.
inline constexpr std::string_view kCollectionCsvHeader = "name,date,time,zone,dst,lon,lat,city,state,country,tz,place";

// The fields of that batch for a birth, in the header's order, as text.
std::vector<std::string> CollectionCsvFields(const BirthData& birth);

// One line of that batch for a birth, fields quoted as RFC 4180 asks, ending in CR LF. The
// zone row and tick are always given; `tz` names the zone of the time zone database whose
// clock the birth used, if any; `place` the found place's description.
std::string CollectionCsvLine(const BirthData& birth);

// What an export wrote, and what stopped it.
struct ExportResult {
  std::vector<std::string> written;  // the paths, in the order of the ids
  std::optional<std::string> failure;  // the message of the first file that could not be written
};

// Writes each chart's file, byte for byte as the collection holds it, into the folder (made
// when missing) as NAME_YYYY-MM-DD.zdh, with _2, _3, ... where that name is taken. Stops at
// the first file that cannot be written.
ExportResult ExportChartFiles(ChartCollection& collection, const std::vector<std::int64_t>& ids,
                              const std::string& folder);

// Writes the charts as one batch CSV file (replaced atomically).
ExportResult ExportBatchCsv(ChartCollection& collection, const std::vector<std::int64_t>& ids, const std::string& path);

}  // namespace corvane
