#pragma once
#include <csv.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// One record of an RFC 4180 CSV file, or why its bytes do not form one.
struct CsvRecord {
  long line = 0;  // the physical line the record starts on, counting from 1
  std::vector<std::string> fields;
  std::optional<std::string> error;  // malformed quoting, or a record too long to keep
};

// Reads the records of a CSV stream one at a time through libcsv, holding no more than one
// read block and the records completed in it. Fields may be quoted, with commas, doubled
// quotes and line breaks inside; lines end in CR LF, LF or CR; a UTF-8 byte order mark at
// the start is skipped; lines that hold nothing but blanks are skipped. A record with
// malformed quoting, or longer than kMaxRecordBytes, comes back with an error, and reading
// goes on at the next line.
class CsvRecordReader {
 public:
  static constexpr std::size_t kMaxRecordBytes = 1 << 20;

  explicit CsvRecordReader(std::FILE* in);
  ~CsvRecordReader();
  CsvRecordReader(const CsvRecordReader&) = delete;
  CsvRecordReader& operator=(const CsvRecordReader&) = delete;

  // The next record; false at the end of the input or when reading fails (see ReadFailed).
  bool Next(CsvRecord& record);
  bool ReadFailed() const { return readFailed_; }

  // A descriptor that becomes readable when reading should stop (a stop signal's pipe): a
  // wait for input on a pipe or a terminal then ends at once, as the end of the input.
  // Only a stream with a descriptor is waited on this way; from then on it is read through
  // the descriptor, not the stream's buffer.
  void StopWhenReadable(int fd) { stopFd_ = fd; }
  bool Stopped() const { return stopped_; }
  // True when the next record would wait for input: none is ready and the descriptor has
  // nothing to read yet. Always false for a stream read without StopWhenReadable.
  bool WouldWait() const;
  // The bytes read so far, for a progress estimate.
  std::uint64_t BytesRead() const { return bytesRead_; }

 private:
  static void OnField(void* text, std::size_t size, void* self);
  static void OnRecordEnd(int terminator, void* self);
  void Feed(const char* data, std::size_t size);
  void FeedPiece(const char* data, std::size_t size, std::size_t lineEnd);
  void Fail(const char* message);
  void Restart();
  void FinishInput();
  // Reads a block: its size, 0 at the end; -1 when reading failed or was stopped.
  long ReadBlock(char* block, std::size_t size);

  std::FILE* in_;
  csv_parser parser_{};
  void PushReady(CsvRecord& record);

  // The records read and not yet taken are ready_[first_] to ready_[last_ - 1]; the slots
  // around them keep the storage of records taken earlier, so that a long input is read
  // without allocating per record.
  std::vector<CsvRecord> ready_;
  std::size_t first_ = 0, last_ = 0;
  CsvRecord current_;
  long line_ = 1;
  bool open_ = false;          // a record has begun and not ended
  bool skipping_ = false;      // after an error: the rest of the physical line is dropped
  bool afterCr_ = false;       // the last byte read was a CR, so an LF right after it ends no new line
  bool started_ = false;       // the byte order mark check is done
  bool ended_ = false;
  bool readFailed_ = false;
  std::size_t recordBytes_ = 0;
  int stopFd_ = -1;
  bool stopped_ = false;
  std::uint64_t bytesRead_ = 0;
};

}  // namespace corvane
