#pragma once
#include "app/calculation_settings.h"
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/birth_data.h"
#include "app/birth_sweep.h"
#include "app/chart.h"
#include "app/chart_request.h"
#include "cli/csv_records.h"
#include "lagna/vargas.h"

namespace corvane {

// The columns a batch CSV may have. The first seven are required, in this order; the others
// may follow in any order. tz gives the clock of a time zone database zone at the birth;
// place the best matching place's coordinates, names and zone; sweep_minutes (1 to 720, or
// empty) adds the birth-time sweep over that window to the line; vargas (1 or 0, empty: the
// run's --vargas) adds the sixteen vargas to the line or leaves them out. Then one column per
// setting, named by its key (engine, ayanamsa, ..., as kSettingRows lists them): the row's
// choice by the keys of the setting's option; empty: the run's choice.
enum class BatchColumn : std::size_t {
  kName, kDate, kTime, kZone, kDst, kLon, kLat, kCity, kState, kCountry, kTz, kPlace, kSweepMinutes, kVargas,
  kFirstSetting  // the column of kSettingRows[i] is kFirstSetting + i
};
inline constexpr std::size_t kFirstSettingColumn = static_cast<std::size_t>(BatchColumn::kFirstSetting);
inline constexpr std::array<std::string_view, kFirstSettingColumn + kSettingCount> kBatchColumnNames = [] {
  std::array<std::string_view, kFirstSettingColumn + kSettingCount> names = {
      "name", "date", "time", "zone", "dst", "lon", "lat", "city", "state", "country", "tz", "place", "sweep_minutes",
      "vargas"};
  for (std::size_t i = 0; i < kSettingCount; ++i) names[kFirstSettingColumn + i] = kSettingRows[i].key;
  return names;
}();
inline constexpr std::size_t kRequiredBatchColumns = 7;

// The columns of a header record, or the usage message that refuses it.
std::optional<std::string> ReadBatchHeader(const std::vector<std::string>& fields, std::vector<BatchColumn>& columns);

// What one record asks for besides the birth data: the columns kept for later use.
struct BatchRowExtras {
  std::array<std::string, kSettingCount> settings;  // by kSettingRows; empty: the run's choice
  std::optional<bool> vargas;  // the row's vargas column; nothing: the run's choice
};

// The request of one record (its birth, place, clock and sweep; the settings are the run's),
// or the message that refuses it: a wrong number of fields, a field that is not UTF-8
// (naming its column), or a value the input form would refuse.
std::optional<std::string> ReadBatchRow(const std::vector<std::string>& fields, const std::vector<BatchColumn>& columns,
                                        ChartRequest& request, BatchRowExtras& extras);

// Reads a CSV of births (RFC 4180, see CsvRecordReader) whose header names the columns and
// writes one compact JSON line per record, in input order: the chart, or {"line": N,
// "error": "..."} with the record's first line for one that is refused, whose message also goes
// to `err` as "corvane-cli: line N: ..."; the run goes on after such a record. `jobs` threads calculate the charts (1: this thread alone); memory stays
// bounded whatever the input's length. Returns the exit status: 0 when every record gave a
// chart, 2 when some record was refused, 64 when the header is missing or wrong, 66 when the
// input cannot be read, 74 when the output cannot be written (the run stops there), and
// 130 or 143 when SIGINT or SIGTERM stopped it: the records then in flight are finished or
// dropped whole, so every line written is a whole line.
// With `eachChart`, a chart and the sweep its row asked for (or null) are handed to it instead
// of being written as JSON; it sets the line
// to write for that record and returns an exit status. A non-zero status makes the line the
// message of the record's error line ({"line": N, "error": "..."}, also on standard error);
// the run goes on and ends with that status.
using BatchChartSink = std::function<int(const Chart& chart, const BirthSweep* sweep, std::string& line)>;
// With `vargas` every line has the sixteen vargas unless its row's vargas column says 0.
int RunBatch(std::FILE* in, std::FILE* out, std::FILE* err, unsigned jobs, const CalculationSettings& settings = {},
             const BatchChartSink& eachChart = {}, bool vargas = false);

// The records of a batch, a chunk at a time, read on the thread that runs the batch.
class BatchSource {
 public:
  virtual ~BatchSource() = default;
  // Fills the first records of `records` (a record's line names it in messages); returns how
  // many it filled, 0 when none is left.
  virtual std::size_t Fill(std::span<CsvRecord> records) = 0;
  // True when Fill would wait for input (a pipe or a terminal with nothing to read yet): the
  // run then writes what it has finished before it asks for more.
  virtual bool WouldWait() const { return false; }
};

// What a chunk of records becomes. A worker thread adds each record's chart or refusal, in
// input order; the thread that runs the batch then hands the chunk to BatchSink::Write.
class BatchChunk {
 public:
  virtual ~BatchChunk() = default;
  virtual void Clear() = 0;
  // `sweep` is the birth-time sweep a row asked for, `vargas` the chart's vargas when asked
  // for; each null otherwise.
  virtual void AddChart(const CsvRecord& record, const Chart& chart, const BirthSweep* sweep,
                        const VargaCharts* vargas) = 0;
  virtual void AddRefusal(const CsvRecord& record, const std::string& message) = 0;
};

class BatchSink {
 public:
  virtual ~BatchSink() = default;
  virtual std::unique_ptr<BatchChunk> NewChunk() = 0;
  // Takes a finished chunk, chunks in input order; false stops the run.
  virtual bool Write(BatchChunk& chunk) = 0;
};

// Calculates each record of `source` (its fields in the order of `columns`) with `settings`,
// a row's setting fields overriding those settings, on `jobs` worker threads (1: this thread alone),
// and hands the results to `sink` in input order. At most 2 * jobs chunks are in flight, so
// memory stays bounded whatever the input's length. Returns false when the sink stopped it.
bool RunBatchRecords(BatchSource& source, const std::vector<BatchColumn>& columns, const CalculationSettings& settings,
                     unsigned jobs, BatchSink& sink, bool vargas = false);

}  // namespace corvane
