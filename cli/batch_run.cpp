#include "cli/batch_run.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/chart_calculation.h"
#include "cli/chart_json.h"
#include "cli/cli_input.h"

namespace corvane {
namespace {

constexpr std::array<std::string_view, 10> kColumns = {"name", "date", "time", "zone", "dst",
                                                       "lon",  "lat",  "city", "state", "country"};
constexpr std::size_t kRequiredColumns = 7;

// Splits one CSV record into `fields` (reused between rows). Double quotes enclose a
// field that holds commas; a doubled quote inside them is one quote.
void SplitCsv(std::string_view line, std::vector<std::string>& fields) {
  fields.clear();
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        field.push_back('"');
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field.push_back(c);
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.push_back(std::move(field));
      field.clear();
    } else {
      field.push_back(c);
    }
  }
  fields.push_back(std::move(field));
}

// Reads one line without its line end; false at the end of the input.
bool ReadLine(std::FILE* in, std::string& line) {
  line.clear();
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, in) != nullptr) {
    line += buffer;
    if (!line.empty() && line.back() == '\n') break;
  }
  if (line.empty()) return false;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return true;
}

// The birth data of one row, or the message that refuses it.
std::optional<std::string> RowBirthData(const std::vector<std::string>& f, BirthData& data) {
  if (f.size() < kRequiredColumns || f.size() > kColumns.size()) {
    return "expected " + std::to_string(kRequiredColumns) + " to " + std::to_string(kColumns.size()) +
           " columns, found " + std::to_string(f.size());
  }
  data = BirthData{};
  std::optional<CliInputError> e;
  if ((e = SetBirthName(f[0], data)) || (e = SetBirthDate(f[1], data)) || (e = SetBirthTime(f[2], data)) ||
      (e = SetZonePosition(f[3], data)) || (e = SetDaylightSaving(f[4], data)) || (e = SetLongitude(f[5], data)) ||
      (e = SetLatitude(f[6], data))) {
    return e->message;
  }
  if (f.size() > 7) data.city = f[7];
  if (f.size() > 8) data.state = f[8];
  if (f.size() > 9) data.country = f[9];
  return std::nullopt;
}

// Appends compact JSON lines to one growing buffer through a single serializer, so that
// neither the serializer's scratch space nor the output text is allocated per chart.
class JsonLineWriter {
 public:
  explicit JsonLineWriter(std::FILE* out)
      : out_(out),
        serializer_(nlohmann::detail::output_adapter<char, std::string>(buffer_), ' ',
                    nlohmann::ordered_json::error_handler_t::replace) {
    buffer_.reserve(kFlushSize + 16384);
  }
  ~JsonLineWriter() { Flush(); }

  // Writes out what the buffer holds (before other output goes to the same stream).
  void Flush() {
    std::fwrite(buffer_.data(), 1, buffer_.size(), out_);
    buffer_.clear();
  }

  void Write(const nlohmann::ordered_json& j) {
    // Names are letters only, but place texts may hold anything: invalid UTF-8 becomes U+FFFD.
    serializer_.dump(j, false, false, 0);
    buffer_.push_back('\n');
    if (buffer_.size() >= kFlushSize) Flush();
  }

 private:
  static constexpr std::size_t kFlushSize = 1 << 16;
  std::FILE* out_;
  std::string buffer_;
  nlohmann::detail::serializer<nlohmann::ordered_json> serializer_;
};

}  // namespace

int RunBatch(std::FILE* in, std::FILE* out, std::FILE* err, const BatchChartSink& eachChart) {
  std::string line;
  std::vector<std::string> fields;
  if (!ReadLine(in, line)) {
    std::fputs("corvane-cli: the batch input is empty; it needs the header line\n", err);
    return 64;
  }
  SplitCsv(line, fields);
  bool headerOk = fields.size() >= kRequiredColumns && fields.size() <= kColumns.size();
  for (std::size_t i = 0; headerOk && i < fields.size(); ++i) headerOk = fields[i] == kColumns[i];
  if (!headerOk) {
    std::fputs("corvane-cli: the batch header must be name,date,time,zone,dst,lon,lat[,city,state,country]\n", err);
    return 64;
  }

  int status = 0;
  JsonLineWriter writer(out);
  nlohmann::ordered_json chartJson;  // refilled in place for every chart
  BirthData data;
  for (long lineNumber = 2; ReadLine(in, line); ++lineNumber) {
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    SplitCsv(line, fields);
    std::optional<std::string> refusal = RowBirthData(fields, data);
    if (!refusal) {
      const CalculationResult calc = CalculateChart(data);
      if (calc.ok() && eachChart) {
        writer.Flush();
        if (const int stop = eachChart(calc.chart()); stop != 0) return stop;
        continue;
      }
      if (calc.ok()) {
        FillChartJson(calc.chart(), false, chartJson);
        writer.Write(chartJson);
        continue;
      }
      refusal = std::holds_alternative<InputMessage>(calc.outcome)
                    ? std::string(std::get<InputMessage>(calc.outcome).text)
                    : std::get<PolarDate>(calc.outcome).message;
    }
    writer.Write({{"line", lineNumber}, {"error", std::move(*refusal)}});
    status = 2;
  }
  return status;
}

}  // namespace corvane
