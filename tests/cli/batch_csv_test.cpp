// The batch input: RFC 4180 records with the line each starts on, the header's columns, the
// checks of one record, and whole runs with one and with several threads.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstdio>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch_run.h"
#include "cli/csv_records.h"

namespace corvane {
namespace {

// A read-only stream over a copy of the bytes.
class MemoryInput {
 public:
  explicit MemoryInput(std::string bytes) : bytes_(std::move(bytes)) {
    file_ = bytes_.empty() ? std::fopen("/dev/null", "r") : fmemopen(bytes_.data(), bytes_.size(), "r");
  }
  ~MemoryInput() { std::fclose(file_); }
  std::FILE* get() const { return file_; }

 private:
  std::string bytes_;
  std::FILE* file_;
};

struct Read {
  long line;
  std::vector<std::string> fields;  // empty for an error
  bool operator==(const Read&) const = default;
  friend void PrintTo(const Read& r, std::ostream* os) {
    *os << "line " << r.line << (r.fields.empty() ? " error" : "");
    for (const auto& f : r.fields) *os << " [" << f << "]";
  }
};

std::vector<Read> ReadAll(const std::string& bytes) {
  MemoryInput in(bytes);
  CsvRecordReader reader(in.get());
  std::vector<Read> records;
  CsvRecord record;
  while (reader.Next(record)) records.push_back({record.line, record.error ? std::vector<std::string>{} : record.fields});
  return records;
}

using Fields = std::vector<std::string>;

TEST(CsvRecords, FieldsAndFirstLinesFollowRfc4180) {
  const struct {
    std::string input;
    std::vector<Read> records;
  } cases[] = {
      {"a,b\r\nc,d\r\n", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
      {"a,b\nc,d", {{1, {"a", "b"}}, {2, {"c", "d"}}}},  // no line end at the end
      {"a\rb\r", {{1, {"a"}}, {2, {"b"}}}},
      {"\xEF\xBB\xBFname,x\n", {{1, {"name", "x"}}}},  // the byte order mark is not part of the name
      {"\"a\nb\",c\nd,e\n", {{1, {"a\nb", "c"}}, {3, {"d", "e"}}}},
      {"\"a\r\n\r\nb\",c\r\nd\r\n", {{1, {"a\r\n\r\nb", "c"}}, {4, {"d"}}}},
      {"\"say \"\"hi\"\", ok\",x\n", {{1, {"say \"hi\", ok", "x"}}}},
      {"a,,\"\"\n", {{1, {"a", "", ""}}}},
      {" a , b \n", {{1, {" a ", " b "}}}},  // blanks belong to the field
      {"a\n\n   \n\t\r\n\r\nb\n", {{1, {"a"}}, {6, {"b"}}}},  // blank lines are skipped, and counted
      {"x,\"a\"b,c\nnext\n", {{1, {}}, {2, {"next"}}}},         // text after a closing quote
      {"x,a\"b\nnext\n", {{1, {}}, {2, {"next"}}}},             // a quote inside an unquoted field
      {"a\n\"open,b\nc\n", {{1, {"a"}}, {2, {}}}},             // the quote never closes
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadAll(c.input), c.records) << c.input;
}

TEST(CsvRecords, LinesCountAcrossReadBlocksAndLongRecordsAreRefused) {
  // A CR LF split between two read blocks ends one line, not two.
  std::string input;
  long lines = 0;
  while (input.size() < (1u << 16) - 40) {
    input += "abcdefghij,klmnopqrstuv,wxyz\r\n";
    ++lines;
  }
  input += std::string((1u << 16) - 1 - input.size(), 'x') + "\r\nlast\r\n";
  const std::vector<Read> records = ReadAll(input);
  ASSERT_EQ(records.size(), static_cast<std::size_t>(lines + 2));
  EXPECT_EQ(records.back(), (Read{lines + 2, {"last"}}));

  // A quoted field that runs past 1 MiB is refused; reading goes on at the next line, whose
  // closing quote then stands inside an unquoted field.
  const std::string huge = "\"" + std::string(CsvRecordReader::kMaxRecordBytes, 'y') + "\ny\",z\nafter\n";
  EXPECT_EQ(ReadAll("head\n" + huge), (std::vector<Read>{{1, {"head"}}, {2, {}}, {3, {}}, {4, {"after"}}}));
}

std::vector<BatchColumn> Columns(std::initializer_list<const char*> names) {
  std::vector<BatchColumn> columns;
  const auto error = ReadBatchHeader(std::vector<std::string>(names.begin(), names.end()), columns);
  EXPECT_FALSE(error) << *error;
  return columns;
}

TEST(BatchHeader, SevenColumnsInOrderThenOptionalOnesInAnyOrder) {
  EXPECT_EQ(Columns({"name", "date", "time", "zone", "dst", "lon", "lat"}).size(), 7u);
  EXPECT_EQ(Columns({"name", "date", "time", "zone", "dst", "lon", "lat", "place", "tz", "engine", "country"}).back(),
            BatchColumn::kCountry);
  const std::vector<std::vector<std::string>> refused = {
      {},
      {"name", "date", "time", "zone", "dst", "lon"},
      {"date", "name", "time", "zone", "dst", "lon", "lat"},
      {"name", "date", "time", "zone", "dst", "lon", "lat", "city", "city"},
      {"name", "date", "time", "zone", "dst", "lon", "lat", "name"},
      {"name", "date", "time", "zone", "dst", "lon", "lat", "planet"},
      {"Name", "date", "time", "zone", "dst", "lon", "lat"},
  };
  for (const auto& header : refused) {
    std::vector<BatchColumn> columns;
    EXPECT_TRUE(ReadBatchHeader(header, columns)) << header.size();
  }
}

TEST(BatchRow, ChecksEachFieldAndKeepsTheOptionalColumns) {
  const auto columns = Columns({"name", "date", "time", "zone", "dst", "lon", "lat", "city", "tz", "engine", "place"});
  const Fields good = {"ram", "1975-06-05", "07:05", "34", "0", "77:13E", "28:36N", "Delhi", "Asia/Kolkata", "vsop", ""};
  ChartRequest data;
  BatchRowExtras extras;
  ASSERT_FALSE(ReadBatchRow(good, columns, data, extras));
  EXPECT_EQ(data.name, "RAM");
  EXPECT_EQ(data.place.city, "Delhi");
  EXPECT_EQ(data.clock.zoneId, "Asia/Kolkata");
  EXPECT_EQ(extras.settings[0], "vsop");  // engine, the first setting; read with the run's settings
  EXPECT_EQ(data.place.search, "");
  EXPECT_EQ(data.clock.kind, ClockKind::kZoneId);  // the zone id gives the clock

  const struct {
    std::size_t column;
    std::string value;
    std::string message;
  } cases[] = {
      {7, "Z\xFCrich", "the city column is not valid UTF-8"},
      {8, "\xC0\xAF", "the tz column is not valid UTF-8"},
      {0, "ram\xFF", "the name column is not valid UTF-8"},
      // A refused value names its column first.
      {5, "7-:13E", "lon: Only Numbers Are Accepted"},
      {4, "2", "dst: dst must be 0 or 1, not \"2\""},
  };
  for (const auto& c : cases) {
    Fields fields = good;
    fields[c.column] = c.value;
    const auto refusal = ReadBatchRow(fields, columns, data, extras);
    ASSERT_TRUE(refusal) << c.message;
    EXPECT_EQ(*refusal, c.message);
  }
  EXPECT_EQ(*ReadBatchRow(Fields(good.begin(), good.begin() + 6), columns, data, extras),
            "expected 7 to 11 columns, found 6");
  Fields tooMany = good;
  tooMany.push_back("x");
  EXPECT_EQ(*ReadBatchRow(tooMany, columns, data, extras), "expected 7 to 11 columns, found 12");
  // Trailing optional columns may be left out.
  EXPECT_FALSE(ReadBatchRow(Fields(good.begin(), good.begin() + 8), columns, data, extras));
}

struct BatchResult {
  int status;
  std::vector<std::string> lines;
  std::string err;
};

BatchResult Batch(const std::string& csv, unsigned jobs) {
  MemoryInput in(csv);
  char* out = nullptr;
  char* err = nullptr;
  std::size_t outSize = 0, errSize = 0;
  std::FILE* outFile = open_memstream(&out, &outSize);
  std::FILE* errFile = open_memstream(&err, &errSize);
  BatchResult result;
  result.status = RunBatch(in.get(), outFile, errFile, jobs);
  std::fclose(outFile);
  std::fclose(errFile);
  std::istringstream lines(std::string(out, outSize));
  for (std::string line; std::getline(lines, line);) result.lines.push_back(line);
  result.err.assign(err, errSize);
  std::free(out);
  std::free(err);
  return result;
}

TEST(BatchRun, OneLinePerRecordInInputOrderWhateverTheThreads) {
  std::string csv = "\xEF\xBB\xBFname,date,time,zone,dst,lon,lat,city\r\n";
  std::vector<long> firstLines;
  long line = 2;
  for (int i = 0; i < 1500; ++i) {
    firstLines.push_back(line);
    if (i % 97 == 5) {
      csv += "\"RAM\nKUMAR\",1975-06-05,07:05,34,0,77:13E,28:36N\r\n";  // a name with a line break is refused
      line += 2;
    } else if (i % 89 == 3) {
      csv += "SITA,1980-01-31,23:59,29,1,0:07W,51:30N,\"London,\r\nCity\"\r\n";
      line += 2;
    } else {
      csv += "P,19" + std::to_string(10 + i % 90) + "-0" + std::to_string(1 + i % 9) + "-1" + std::to_string(i % 10) +
             ",0" + std::to_string(i % 10) + ":" + std::to_string(10 + i % 50) + ",34,0,77:13E,28:36N,Town " +
             std::to_string(i) + "\r\n";
      line += 1;
    }
  }
  const BatchResult one = Batch(csv, 1);
  ASSERT_EQ(one.lines.size(), firstLines.size()) << one.err;
  EXPECT_EQ(one.status, 2);
  // Each refused record's message also stands on standard error, in input order.
  std::string refusals;
  for (std::size_t i = 0; i < one.lines.size(); ++i) {
    const auto j = nlohmann::json::parse(one.lines[i]);
    if (j.contains("error")) {
      refusals += "corvane-cli: line " + std::to_string(firstLines[i]) + ": " + j["error"].get<std::string>() + "\n";
      EXPECT_EQ(j["line"], firstLines[i]) << i;
    } else if (j["birth"]["name"] == "SITA") {
      EXPECT_EQ(j["birth"]["city"], "London,\r\nCity");
    } else {
      EXPECT_EQ(j["birth"]["city"], "Town " + std::to_string(i)) << i;
    }
  }
  EXPECT_EQ(std::count(refusals.begin(), refusals.end(), '\n'), 16);
  EXPECT_EQ(one.err, refusals);
  for (const unsigned jobs : {2u, 3u, 8u}) {
    const BatchResult many = Batch(csv, jobs);
    EXPECT_EQ(many.status, one.status);
    EXPECT_EQ(many.lines, one.lines) << jobs << " threads";
    EXPECT_EQ(many.err, refusals) << jobs << " threads";
  }
}

TEST(BatchRun, HeaderOnlyEmptyAndBrokenInputs) {
  const struct {
    std::string csv;
    int status;
    std::size_t lines;
  } cases[] = {
      {"name,date,time,zone,dst,lon,lat\r\n", 0, 0},
      {"\xEF\xBB\xBFname,date,time,zone,dst,lon,lat,city,state,country", 0, 0},
      {"", 64, 0},
      {"\n\n", 64, 0},
      {"name,date\n", 64, 0},
      {"\"name,date,time,zone,dst,lon,lat\n", 64, 0},
      {"name,date,time,zone,dst,lon,lat\nRAM,1975-06-05,07:05,34,0,77:13E,28:36N\n", 0, 1},
      {"name,date,time,zone,dst,lon,lat\n\"RAM,1975-06-05,07:05,34,0,77:13E,28:36N\n", 2, 1},
  };
  for (const auto& c : cases) {
    const BatchResult result = Batch(c.csv, 2);
    EXPECT_EQ(result.status, c.status) << c.csv;
    EXPECT_EQ(result.lines.size(), c.lines) << c.csv;
  }
}

// A record's sweep_minutes adds its sweep over that window; empty adds none, a bad value
// refuses the record alone.
TEST(BatchRun, SweepMinutesColumnAddsTheSweep) {
  const BatchResult result = Batch(
      "name,date,time,zone,dst,lon,lat,sweep_minutes\n"
      "RAM,1975-06-05,07:05,34,0,77:13E,28:36N,10\n"
      "RAM,1975-06-05,07:05,34,0,77:13E,28:36N,\n"
      "RAM,1975-06-05,07:05,34,0,77:13E,28:36N,0\n",
      1);
  EXPECT_EQ(result.status, 2);
  ASSERT_EQ(result.lines.size(), 3u);
  const auto swept = nlohmann::json::parse(result.lines[0]);
  EXPECT_EQ(swept["sweep"]["minutes"], 10);
  EXPECT_EQ(swept["sweep"]["from"], "1975-06-05 06:55:00");
  EXPECT_EQ(swept["sweep"]["lagnas"]["PpL"].size(), 4u);  // 20 minutes at 6 minutes a sign
  EXPECT_FALSE(nlohmann::json::parse(result.lines[1]).contains("sweep"));
  const auto refused = nlohmann::json::parse(result.lines[2]);
  EXPECT_EQ(refused["line"], 4);
  EXPECT_NE(refused["error"].get<std::string>().find("sweep_minutes needs"), std::string::npos);
}

}  // namespace
}  // namespace corvane
