#include "cli/batch_run.h"

#include "app/birth_zone.h"
#include "app/place_index.h"

#include "cli/settings_options.h"

#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

#include "app/birth_sweep.h"
#include "app/chart_calculation.h"
#include "app/chart_request.h"
#include "app/chart_vargas.h"
#include "app/text_encoding.h"
#include "cli/chart_json.h"
#include "cli/cli_input.h"
#include "cli/exit_status.h"
#include "cli/stop_signals.h"

namespace corvane {
namespace {

// Records read, calculated and written together, and the most records in flight at once: with
// many threads the chunks get smaller, so that memory stays bounded on any machine.
constexpr std::size_t kChunkRecords = 256;
constexpr std::size_t kRecordsInFlight = 2048;

std::string_view NameOf(BatchColumn column) { return kBatchColumnNames[static_cast<std::size_t>(column)]; }

std::optional<CliInputError> SetColumn(BatchColumn column, std::string_view text, ChartRequest& data,
                                       BatchRowExtras& extras) {
  switch (column) {
    case BatchColumn::kName: return SetBirthName(text, data);
    case BatchColumn::kDate: return SetBirthDate(text, data);
    case BatchColumn::kTime: return SetBirthTime(text, data);
    case BatchColumn::kZone: return SetZonePosition(text, data);
    case BatchColumn::kDst: return SetDaylightSaving(text, data);
    case BatchColumn::kLon: return SetLongitude(text, data);
    case BatchColumn::kLat: return SetLatitude(text, data);
    case BatchColumn::kCity: data.place.city = text; break;
    case BatchColumn::kState: data.place.state = text; break;
    case BatchColumn::kCountry: data.place.country = text; break;
    case BatchColumn::kTz: data.clock.zoneId = text; break;
    case BatchColumn::kPlace: data.place.search = text; break;
    case BatchColumn::kSweepMinutes: {
      if (text.empty()) break;
      const std::optional<int> minutes = SweepMinutesOf(text);
      if (!minutes)
        return CliInputError{CliInputError::Kind::Rejected, "sweep_minutes needs a number of minutes from 1 to " +
                                                                std::to_string(kMaxSweepMinutes) + ", not \"" +
                                                                std::string(text) + "\""};
      data.sweepMinutes = *minutes;
      break;
    }
    case BatchColumn::kVargas:
      if (text.empty()) break;
      if (text != "0" && text != "1")
        return CliInputError{CliInputError::Kind::Rejected, "vargas needs 1 or 0, not \"" + std::string(text) + "\""};
      extras.vargas = text == "1";
      break;
    default:
      extras.settings.at(static_cast<std::size_t>(column) - kFirstSettingColumn) = text;
      break;
  }
  return std::nullopt;
}

// A batch: records in chunks through the calculation, results out in input order.
struct Chunk {
  std::vector<CsvRecord> records;
  std::size_t count = 0;
  std::unique_ptr<BatchChunk> output;
};

class BatchRun {
 public:
  BatchRun(BatchSource& source, const std::vector<BatchColumn>& columns, const CalculationSettings& settings,
           BatchSink& sink, bool vargas)
      : source_(source), columns_(columns), settings_(settings), sink_(sink), vargas_(vargas) {}

  bool Run(unsigned jobs) {
    chunkRecords_ = std::clamp<std::size_t>(kRecordsInFlight / (2 * jobs), 4, kChunkRecords);
    return jobs <= 1 ? RunHere() : RunOnThreads(jobs);
  }

 private:
  // Reads up to a chunk of records; false when none is left or a stop signal came.
  bool Fill(Chunk& chunk) {
    if (StopSignals::Received()) return false;
    chunk.records.resize(chunkRecords_);
    if (!chunk.output) chunk.output = sink_.NewChunk();
    chunk.count = source_.Fill(chunk.records);
    // Records read while the signal came are dropped, whole.
    if (StopSignals::Received()) return false;
    return chunk.count > 0;
  }

  void Render(Chunk& chunk, ChartRequest& data, BatchRowExtras& extras) const {
    chunk.output->Clear();
    for (std::size_t i = 0; i < chunk.count; ++i) {
      const CsvRecord& record = chunk.records[i];
      std::optional<std::string> refusal = record.error;
      if (!refusal) refusal = ReadBatchRow(record.fields, columns_, data, extras);
      // A row's setting fields choose those settings; the others are the run's.
      CalculationSettings& rowSettings = data.settings;
      rowSettings = settings_;
      for (std::size_t k = 0; k < kSettingCount && !refusal; ++k)
        refusal = ReadSettingField(kSettingRows[k], extras.settings[k], rowSettings);
      if (!refusal) {
        // A row's sweep_minutes adds the birth-time sweep over that window.
        const Result<ChartReading> reading = ResolveChart(data);
        if (reading) {
          std::optional<VargaCharts> vargas;
          if (extras.vargas.value_or(vargas_)) vargas = VargasOf(*reading->chart);
          chunk.output->AddChart(record, *reading->chart, reading->sweep.get(), vargas ? &*vargas : nullptr);
          continue;
        }
        refusal = reading.problem().message;
      }
      chunk.output->AddRefusal(record, *refusal);
    }
  }

  bool RunHere() {
    Chunk chunk;
    ChartRequest data;
    BatchRowExtras extras;
    while (Fill(chunk)) {
      Render(chunk, data, extras);
      if (!sink_.Write(*chunk.output)) return false;
    }
    return true;
  }

  // This thread reads and writes; `jobs` workers calculate. A ring of 2 * jobs chunks bounds
  // what is in flight, and chunks are written in the order they were read.
  bool RunOnThreads(unsigned jobs) {
    std::vector<Chunk> ring(2 * jobs);
    std::vector<bool> done(ring.size(), false);
    std::deque<std::size_t> queue;
    std::mutex mutex;
    std::condition_variable workAdded, workDone;
    bool stop = false;

    std::vector<std::thread> workers;
    for (unsigned w = 0; w < jobs; ++w) {
      workers.emplace_back([&] {
        ChartRequest data;
        BatchRowExtras extras;
        for (;;) {
          std::size_t slot = 0;
          {
            std::unique_lock lock(mutex);
            workAdded.wait(lock, [&] { return stop || !queue.empty(); });
            if (queue.empty()) return;
            slot = queue.front();
            queue.pop_front();
          }
          Render(ring[slot], data, extras);
          {
            std::lock_guard lock(mutex);
            done[slot] = true;
          }
          workDone.notify_all();
        }
      });
    }

    bool written = true, ended = false;
    std::size_t read = 0, wrote = 0;
    while (written) {
      while (!ended && read - wrote < ring.size()) {
        const std::size_t slot = read % ring.size();
        if (!Fill(ring[slot])) {
          ended = true;
          break;
        }
        {
          std::lock_guard lock(mutex);
          done[slot] = false;
          queue.push_back(slot);
        }
        workAdded.notify_one();
        ++read;
      }
      if (wrote == read) break;
      const std::size_t slot = wrote % ring.size();
      {
        std::unique_lock lock(mutex);
        workDone.wait(lock, [&] { return static_cast<bool>(done[slot]); });
      }
      written = sink_.Write(*ring[slot].output);
      ++wrote;
    }

    {
      std::lock_guard lock(mutex);
      stop = true;
      queue.clear();
    }
    workAdded.notify_all();
    for (std::thread& worker : workers) worker.join();
    return written;
  }

  BatchSource& source_;
  const std::vector<BatchColumn>& columns_;
  const CalculationSettings& settings_;
  BatchSink& sink_;
  bool vargas_;  // the run's --vargas
  std::size_t chunkRecords_ = kChunkRecords;
};

// The records of a CSV stream.
class CsvSource : public BatchSource {
 public:
  explicit CsvSource(CsvRecordReader& reader) : reader_(reader) {}
  std::size_t Fill(std::span<CsvRecord> records) override {
    std::size_t count = 0;
    while (count < records.size() && reader_.Next(records[count])) ++count;
    return count;
  }

 private:
  CsvRecordReader& reader_;
};

// One compact JSON line per record: the chart, or {"line": N, "error": "..."}; with
// `eachChart`, the line it makes of a chart instead. The lines are written straight into one
// text per chunk, whose storage (and that of the messages) serves every chunk after it.
class JsonLinesChunk : public BatchChunk {
 public:
  explicit JsonLinesChunk(const BatchChartSink& eachChart) : eachChart_(eachChart) {}

  void Clear() override {
    lines_.Clear();
    messages.clear();
    refused = false;
    sinkStatus = 0;
  }
  void AddChart(const CsvRecord&, const Chart& chart, const BirthSweep* sweep, const VargaCharts* vargas) override {
    if (eachChart_) {
      line_.clear();
      if (const int status = eachChart_(chart, line_); status != 0) sinkStatus = status;
      lines_.Raw(line_);
      lines_.Raw("\n");
      return;
    }
    WriteChartJson(lines_, chart, false, sweep, vargas);
    lines_.NextLine();
  }
  void AddRefusal(const CsvRecord& record, const std::string& message) override {
    lines_.StartObject();
    lines_.Key("line");
    lines_.Int(record.line);
    lines_.Key("error");
    lines_.String(message);
    lines_.EndObject();
    lines_.NextLine();
    refused = true;
    messages.append("corvane-cli: line ").append(std::to_string(record.line)).append(": ");
    messages.append(message).push_back('\n');
  }

  std::string_view Output() const { return lines_.Text(); }
  std::string messages;  // the refusals, for standard error
  bool refused = false;
  int sinkStatus = 0;  // the last failure of eachChart in this chunk

 private:
  const BatchChartSink& eachChart_;
  LineJsonWriter lines_;
  std::string line_;  // what eachChart made of the last chart
};

class JsonLinesSink : public BatchSink {
 public:
  JsonLinesSink(std::FILE* out, std::FILE* err, const BatchChartSink& eachChart)
      : out_(out), err_(err), eachChart_(eachChart) {}

  std::unique_ptr<BatchChunk> NewChunk() override { return std::make_unique<JsonLinesChunk>(eachChart_); }
  bool Write(BatchChunk& chunk) override {
    const auto& lines = static_cast<const JsonLinesChunk&>(chunk);
    refused |= lines.refused;
    if (lines.sinkStatus != 0) sinkStatus = lines.sinkStatus;
    if (!lines.messages.empty()) std::fwrite(lines.messages.data(), 1, lines.messages.size(), err_);
    const std::string_view output = lines.Output();
    return std::fwrite(output.data(), 1, output.size(), out_) == output.size();
  }

  bool refused = false;
  int sinkStatus = 0;  // the last failure of eachChart

 private:
  std::FILE* out_;
  std::FILE* err_;
  const BatchChartSink& eachChart_;
};

}  // namespace

std::optional<std::string> ReadBatchHeader(const std::vector<std::string>& fields, std::vector<BatchColumn>& columns) {
  columns.clear();
  std::string rule = "the batch header must be ";
  for (std::size_t i = 0; i < kBatchColumnNames.size(); ++i) {
    if (i > 0) rule += i == kRequiredBatchColumns ? " followed by any of " : ",";
    rule += kBatchColumnNames[i];
  }
  if (fields.size() < kRequiredBatchColumns) return rule;
  for (const std::string& field : fields) {
    const auto* known = std::find(std::begin(kBatchColumnNames), std::end(kBatchColumnNames), field);
    const auto column = static_cast<BatchColumn>(known - std::begin(kBatchColumnNames));
    const bool required = columns.size() < kRequiredBatchColumns;
    if (known == std::end(kBatchColumnNames)) return rule + "; \"" + field + "\" is not a column";
    if (required ? column != static_cast<BatchColumn>(columns.size())
                 : static_cast<std::size_t>(column) < kRequiredBatchColumns) {
      return rule;
    }
    if (std::find(columns.begin(), columns.end(), column) != columns.end()) return rule + "; \"" + field + "\" is given twice";
    columns.push_back(column);
  }
  return std::nullopt;
}

std::optional<std::string> ReadBatchRow(const std::vector<std::string>& fields, const std::vector<BatchColumn>& columns,
                                        ChartRequest& data, BatchRowExtras& extras) {
  if (fields.size() < kRequiredBatchColumns || fields.size() > columns.size()) {
    return "expected " + std::to_string(kRequiredBatchColumns) + " to " + std::to_string(columns.size()) +
           " columns, found " + std::to_string(fields.size());
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (FirstMalformedUtf8(fields[i]) != std::string_view::npos) {
      return "the " + std::string(NameOf(columns[i])) + " column is not valid UTF-8";
    }
  }
  data = ChartRequest{};
  extras = BatchRowExtras{};
  // A place gives the coordinates, the names and the zone, and a zone id the clock, where
  // their columns are empty; a column with a value keeps it.
  bool place = false, zoneId = false;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    place = place || (columns[i] == BatchColumn::kPlace && !fields[i].empty());
    zoneId = zoneId || (columns[i] == BatchColumn::kTz && !fields[i].empty());
  }
  GivenFields& given = data.place.given;
  bool zoneGiven = false;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const BatchColumn c = columns[i];
    const bool fromPlace = c == BatchColumn::kLon || c == BatchColumn::kLat || c == BatchColumn::kCity ||
                           c == BatchColumn::kState || c == BatchColumn::kCountry;
    const bool fromZone = c == BatchColumn::kZone || c == BatchColumn::kDst;
    if (fields[i].empty() && ((place && (fromPlace || fromZone)) || (zoneId && fromZone))) continue;
    if (auto e = SetColumn(c, fields[i], data, extras)) return std::move(e->message);
    if (c == BatchColumn::kLon) given.lon = true;
    if (c == BatchColumn::kLat) given.lat = true;
    if (c == BatchColumn::kCity) given.city = !fields[i].empty();
    if (c == BatchColumn::kState) given.state = !fields[i].empty();
    if (c == BatchColumn::kCountry) given.country = !fields[i].empty();
    if (c == BatchColumn::kZone) zoneGiven = true;
  }
  // A zone id gives the clock; else a place without a zone row gives its zone.
  if (zoneId) {
    data.clock.kind = ClockKind::kZoneId;
  } else if (place && !zoneGiven) {
    data.clock.kind = ClockKind::kPlaceZone;
  }
  return std::nullopt;
}

int RunBatch(std::FILE* in, std::FILE* out, std::FILE* err, unsigned jobs, const CalculationSettings& settings,
             const BatchChartSink& eachChart, bool vargas) {
  CsvRecordReader reader(in);
  CsvRecord header;
  if (!reader.Next(header)) {
    if (reader.ReadFailed()) {
      std::fprintf(err, "corvane-cli: cannot read the batch input: %s\n", std::strerror(errno));
      return kExitNoInput;
    }
    std::fputs("corvane-cli: the batch input is empty; it needs the header line\n", err);
    return kExitUsage;
  }
  std::vector<BatchColumn> columns;
  std::optional<std::string> refusal = header.error;
  if (!refusal) refusal = ReadBatchHeader(header.fields, columns);
  if (refusal) {
    std::fprintf(err, "corvane-cli: %s\n", refusal->c_str());
    return kExitUsage;
  }
  const StopSignals stopSignals;
  CsvSource source(reader);
  JsonLinesSink sink(out, err, eachChart);
  const bool written = RunBatchRecords(source, columns, settings, jobs, sink, vargas);
  if (sink.sinkStatus != 0) return sink.sinkStatus;
  if (!written) {
    std::fprintf(err, "corvane-cli: cannot write the output: %s\n", std::strerror(errno));
    return kExitIoError;
  }
  if (const int signal = StopSignals::Received()) {
    if (std::fflush(out) != 0) {
      std::fprintf(err, "corvane-cli: cannot write the output: %s\n", std::strerror(errno));
      return kExitIoError;
    }
    std::fprintf(err, "corvane-cli: stopped by %s; every line written is whole\n", signal == SIGINT ? "SIGINT" : "SIGTERM");
    return 128 + signal;
  }
  if (reader.ReadFailed()) {
    std::fprintf(err, "corvane-cli: cannot read the batch input: %s\n", std::strerror(errno));
    return kExitNoInput;
  }
  return sink.refused ? kExitRejected : 0;
}

bool RunBatchRecords(BatchSource& source, const std::vector<BatchColumn>& columns, const CalculationSettings& settings,
                     unsigned jobs, BatchSink& sink, bool vargas) {
  return BatchRun(source, columns, settings, sink, vargas).Run(jobs);
}

}  // namespace corvane
