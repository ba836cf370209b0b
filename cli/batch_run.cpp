#include "cli/batch_run.h"

#include "app/birth_zone.h"
#include "app/place_index.h"

#include "cli/settings_options.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
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
#include "cli/batch_progress.h"
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

// "date: The month must be one of 1 to 12": a refusal naming the column at fault.
std::string ColumnRefusal(std::string_view column, std::string_view message) {
  return std::string(column) + ": " + std::string(message);
}

// A problem of a row's request in the command line's words, naming the column at fault.
std::string ProblemRefusal(const Problem& problem, const ChartRequest& request) {
  if (problem.code == ProblemCode::kPolarDate) return ColumnRefusal("date", problem.message);
  return ColumnRefusal(OptionOfProblem(problem, request).substr(2), CommandLineWording(problem, request));
}

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

// Sizes the chunks so that one takes about a quarter of a second to calculate: fast records
// go in large chunks, slow ones (the Swiss engine with sweeps, a PDF each) in small ones, so
// that finished lines are written while the next are calculated instead of minutes later.
class ChunkPacer {
 public:
  using Clock = std::chrono::steady_clock;
  // Measures the calculation of one chunk, on whichever thread does it.
  class Timer {
   public:
    Timer(ChunkPacer& pacer, std::size_t records) : pacer_(pacer), records_(records), start_(Clock::now()) {}
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer() {
      if (records_ == 0) return;
      const auto nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start_).count();
      pacer_.perRecordNanos_.store(static_cast<std::int64_t>(nanos) / static_cast<std::int64_t>(records_),
                                   std::memory_order_relaxed);
    }

   private:
    ChunkPacer& pacer_;
    std::size_t records_;
    Clock::time_point start_;
  };

  // The size of the next chunk: the records a quarter second holds, 1 to `most`.
  std::size_t Next(std::size_t current, std::size_t most) const {
    const std::int64_t perRecord = perRecordNanos_.load(std::memory_order_relaxed);
    if (perRecord <= 0) return current;
    return std::clamp<std::size_t>(static_cast<std::size_t>(kChunkNanos / perRecord), 1, most);
  }

 private:
  static constexpr std::int64_t kChunkNanos = 250'000'000;
  std::atomic<std::int64_t> perRecordNanos_{0};
};

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
    maxChunkRecords_ = std::clamp<std::size_t>(kRecordsInFlight / (2 * jobs), 4, kChunkRecords);
    // The first chunks are small, until the pacer has timed a record.
    chunkRecords_ = std::min<std::size_t>(maxChunkRecords_, 8);
    return jobs <= 1 ? RunHere() : RunOnThreads(jobs);
  }

 private:
  // Reads up to a chunk of records; false when none is left or a stop signal came.
  bool Fill(Chunk& chunk) {
    if (StopSignals::Received()) return false;
    chunkRecords_ = pacer_.Next(chunkRecords_, maxChunkRecords_);
    chunk.records.resize(chunkRecords_);
    if (!chunk.output) chunk.output = sink_.NewChunk();
    chunk.count = source_.Fill(chunk.records);
    // Records read while the signal came are dropped, whole.
    if (StopSignals::Received()) return false;
    return chunk.count > 0;
  }

  // `stopEarly`: a stop signal ends the chunk after the record in hand (one thread, where the
  // records after it are the last of the run: a PDF each, say, takes a while).
  void Render(Chunk& chunk, ChartRequest& data, BatchRowExtras& extras, bool stopEarly = false) {
    const ChunkPacer::Timer timer(pacer_, chunk.count);
    chunk.output->Clear();
    for (std::size_t i = 0; i < chunk.count; ++i) {
      if (stopEarly && StopSignals::Received()) break;
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
        refusal = ProblemRefusal(reading.problem(), data);
      }
      chunk.output->AddRefusal(record, *refusal);
    }
  }

  bool RunHere() {
    Chunk chunk;
    ChartRequest data;
    BatchRowExtras extras;
    while (Fill(chunk)) {
      Render(chunk, data, extras, true);
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
      // Reads on while there is room, but writes the chunks finished first when the input
      // would make it wait.
      while (!ended && read - wrote < ring.size() && (read == wrote || !source_.WouldWait())) {
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
  std::size_t chunkRecords_ = kChunkRecords, maxChunkRecords_ = kChunkRecords;
  ChunkPacer pacer_;
};

// The records of a CSV stream.
// The records that have arrived are a chunk of their own: a batch fed line by line through a
// pipe answers each line as it comes instead of waiting for a full chunk. Before it waits,
// `beforeWait` runs (it flushes the output, so that the lines written are seen).
class CsvSource : public BatchSource {
 public:
  CsvSource(CsvRecordReader& reader, std::function<void()> beforeWait)
      : reader_(reader), beforeWait_(std::move(beforeWait)) {}
  std::size_t Fill(std::span<CsvRecord> records) override {
    std::size_t count = 0;
    while (count < records.size()) {
      if (reader_.WouldWait()) {
        if (count > 0) break;
        if (beforeWait_) beforeWait_();
      }
      if (!reader_.Next(records[count])) break;
      ++count;
    }
    return count;
  }
  bool WouldWait() const override { return reader_.WouldWait(); }

 private:
  CsvRecordReader& reader_;
  std::function<void()> beforeWait_;
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
    lines = refusals = 0;
    refused = false;
    sinkStatus = 0;
  }
  void AddChart(const CsvRecord& record, const Chart& chart, const BirthSweep* sweep,
                const VargaCharts* vargas) override {
    if (eachChart_) {
      line_.clear();
      if (const int status = eachChart_(chart, sweep, line_); status != 0) {
        const bool refusedBefore = refused;
        AddRefusal(record, line_);
        refused = refusedBefore;  // a file not written is its own exit status, not a refusal
        sinkStatus = status;
        return;
      }
      lines_.Raw(line_);
      lines_.Raw("\n");
      ++lines;
      return;
    }
    WriteChartJson(lines_, chart, false, sweep, vargas);
    lines_.NextLine();
    ++lines;
  }
  void AddRefusal(const CsvRecord& record, const std::string& message) override {
    lines_.StartObject();
    lines_.Key("line");
    lines_.Int(record.line);
    lines_.Key("error");
    lines_.String(message);
    lines_.EndObject();
    lines_.NextLine();
    ++lines;
    ++refusals;
    refused = true;
    messages.append("corvane-cli: line ").append(std::to_string(record.line)).append(": ");
    messages.append(message).push_back('\n');
  }

  std::string_view Output() const { return lines_.Text(); }
  std::string messages;  // the refusals, for standard error
  std::size_t lines = 0, refusals = 0;
  bool refused = false;
  int sinkStatus = 0;  // the last failure of eachChart in this chunk

 private:
  const BatchChartSink& eachChart_;
  LineJsonWriter lines_;
  std::string line_;  // what eachChart made of the last chart
};

class JsonLinesSink : public BatchSink {
 public:
  JsonLinesSink(std::FILE* out, std::FILE* err, const BatchChartSink& eachChart, BatchProgress& progress)
      : out_(out), err_(err), eachChart_(eachChart), progress_(progress) {}

  std::unique_ptr<BatchChunk> NewChunk() override { return std::make_unique<JsonLinesChunk>(eachChart_); }
  bool Write(BatchChunk& chunk) override {
    const auto& lines = static_cast<const JsonLinesChunk&>(chunk);
    refused |= lines.refused;
    if (lines.sinkStatus != 0) sinkStatus = lines.sinkStatus;
    if (!lines.messages.empty()) {
      progress_.Finish();  // the messages start on a line of their own
      std::fwrite(lines.messages.data(), 1, lines.messages.size(), err_);
    }
    const std::string_view output = lines.Output();
    if (std::fwrite(output.data(), 1, output.size(), out_) != output.size()) return false;
    progress_.Add(lines.lines, lines.refusals);
    // The lines written reach the output at least once a second, in large blocks all the same.
    return !progress_.FlushDue() || std::fflush(out_) == 0;
  }

  bool refused = false;
  int sinkStatus = 0;  // the last failure of eachChart

 private:
  std::FILE* out_;
  std::FILE* err_;
  const BatchChartSink& eachChart_;
  BatchProgress& progress_;
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
    if (auto e = SetColumn(c, fields[i], data, extras)) return ColumnRefusal(NameOf(c), e->message);
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
  const StopSignals stopSignals;
  CsvRecordReader reader(in);
  if (StopSignals::Fd() >= 0) reader.StopWhenReadable(StopSignals::Fd());
  CsvRecord header;
  if (!reader.Next(header)) {
    if (const int signal = StopSignals::Received()) {
      std::fprintf(err, "corvane-cli: stopped by %s before the header was read\n", signal == SIGINT ? "SIGINT" : "SIGTERM");
      return 128 + signal;
    }
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
  CsvSource source(reader, [out] { std::fflush(out); });
  struct stat input {};
  const bool sized = ::fileno(in) >= 0 && ::fstat(::fileno(in), &input) == 0 && S_ISREG(input.st_mode);
  BatchProgress progress(err, sized ? static_cast<std::uint64_t>(input.st_size) : 0,
                         [&reader] { return reader.BytesRead(); });
  JsonLinesSink sink(out, err, eachChart, progress);
  const bool written = RunBatchRecords(source, columns, settings, jobs, sink, vargas);
  progress.Finish();
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
