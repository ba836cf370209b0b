// Feeds arbitrary bytes to the batch CSV reader and to a whole batch run: records start on
// increasing lines within the input, and the run prints one valid JSON line per record after
// the header, whatever the bytes.
#include <rapidjson/document.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/batch_run.h"
#include "cli/csv_records.h"

namespace {

std::FILE* Input(const std::uint8_t* data, std::size_t size) {
  // fmemopen refuses an empty buffer.
  return size == 0 ? std::fopen("/dev/null", "r") : fmemopen(const_cast<std::uint8_t*>(data), size, "r");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  long physicalLines = 1;
  for (std::size_t i = 0; i < size; ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == size || bytes[i + 1] != '\n'))) ++physicalLines;
  }

  std::size_t records = 0;
  {
    std::FILE* in = Input(data, size);
    corvane::CsvRecordReader reader(in);
    corvane::CsvRecord record;
    long previous = 0;
    while (reader.Next(record)) {
      ++records;
      if (record.line <= previous || record.line > physicalLines) std::abort();
      if (!record.error && record.fields.empty()) std::abort();
      previous = record.line;
    }
    std::fclose(in);
  }

  std::FILE* in = Input(data, size);
  char* out = nullptr;
  std::size_t outSize = 0;
  std::FILE* outFile = open_memstream(&out, &outSize);
  std::FILE* err = std::fopen("/dev/null", "w");
  const int status = corvane::RunBatch(in, outFile, err, 1);
  std::fclose(in);
  std::fclose(outFile);
  std::fclose(err);
  const std::string_view text(out, outSize);
  if (status != 0 && status != 2 && status != 64) std::abort();
  std::size_t lines = 0;
  for (std::size_t start = 0; start < text.size(); ++lines) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) std::abort();  // every line ends
    rapidjson::Document line;
    line.Parse<rapidjson::kParseValidateEncodingFlag>(text.data() + start, end - start);
    if (line.HasParseError() || !line.IsObject()) std::abort();
    start = end + 1;
  }
  if (status == 64 ? lines != 0 : lines + 1 != records) std::abort();
  std::free(out);
  return 0;
}
