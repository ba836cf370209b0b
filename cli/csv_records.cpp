#include "cli/csv_records.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <string_view>

namespace corvane {
namespace {

constexpr unsigned char kOptions = CSV_STRICT | CSV_STRICT_FINI;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kBlockSize = 1 << 16;
constexpr std::size_t kTypicalFields = 16;  // a batch record has 7 to 13

// RFC 4180 keeps blanks around fields as part of them.
int NoBlankIsSpace(unsigned char) { return 0; }

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace

CsvRecordReader::CsvRecordReader(std::FILE* in) : in_(in) { Restart(); }

CsvRecordReader::~CsvRecordReader() { csv_free(&parser_); }

void CsvRecordReader::Restart() {
  csv_free(&parser_);
  if (csv_init(&parser_, kOptions) != 0) throw std::bad_alloc();
  csv_set_space_func(&parser_, NoBlankIsSpace);
  current_ = CsvRecord{};
  open_ = false;
  recordBytes_ = 0;
}

void CsvRecordReader::OnField(void* text, std::size_t size, void* self) {
  auto& reader = *static_cast<CsvRecordReader*>(self);
  reader.current_.fields.emplace_back(static_cast<const char*>(text), text == nullptr ? 0 : size);
}

void CsvRecordReader::OnRecordEnd(int, void* self) {
  auto& reader = *static_cast<CsvRecordReader*>(self);
  CsvRecord& record = reader.current_;
  // A line of blanks reads as one blank field: it is not a record.
  if (record.fields.size() == 1 && IsBlank(record.fields[0])) {
    record.fields.clear();
  } else {
    reader.PushReady(record);
  }
  record.fields.reserve(kTypicalFields);  // one allocation instead of one per doubling
  reader.open_ = false;
  reader.recordBytes_ = 0;
}

void CsvRecordReader::Fail(const char* message) {
  CsvRecord failed;
  failed.line = current_.line;
  failed.error = message;
  PushReady(failed);
  Restart();
}

// One piece of a physical line: all of it, or the part in this block; `lineEnd` counts the
// bytes of the line end it ends with (none when the line goes on in the next block).
void CsvRecordReader::FeedPiece(const char* data, std::size_t size, std::size_t lineEnd) {
  const bool endsLine = lineEnd > 0;
  if (skipping_) {
    skipping_ = !endsLine;
    return;
  }
  if (!open_ && size > lineEnd) {
    open_ = true;
    current_.line = line_;
  }
  // The record's bytes without the line end that closes it: a longer one is refused before
  // the parser holds the piece.
  if (open_ && recordBytes_ + (size - lineEnd) > kMaxRecordBytes) {
    Fail("malformed CSV: the record is longer than 1 MiB (is a closing quote missing?)");
    skipping_ = !endsLine;
    return;
  }
  if (csv_parse(&parser_, data, size, OnField, OnRecordEnd, this) != size) {
    if (csv_error(&parser_) == CSV_ENOMEM) throw std::bad_alloc();
    Fail("malformed CSV: a quote inside an unquoted field, or text after a closing quote");
    skipping_ = !endsLine;
    return;
  }
  if (open_) recordBytes_ += size;
}

void CsvRecordReader::Feed(const char* data, std::size_t size) {
  std::size_t pos = 0;
  if (afterCr_ && size > 0 && data[0] == '\n') {
    // The LF of a CR LF split between two blocks: the line was counted at the CR.
    FeedPiece(data, 1, 1);
    pos = 1;
  }
  afterCr_ = false;
  while (pos < size) {
    std::size_t end = pos;
    while (end < size && !IsLineEnd(data[end])) ++end;
    if (end == size) {
      FeedPiece(data + pos, end - pos, 0);
      return;
    }
    // The piece ends after its line end: CR LF, LF or CR.
    std::size_t next = end + 1;
    if (data[end] == '\r') {
      if (next < size && data[next] == '\n') {
        ++next;
      } else if (next == size) {
        afterCr_ = true;
      }
    }
    FeedPiece(data + pos, next - pos, next - end);
    ++line_;
    pos = next;
  }
}

void CsvRecordReader::FinishInput() {
  ended_ = true;
  if (skipping_) return;
  if (csv_fini(&parser_, OnField, OnRecordEnd, this) != 0) {
    Fail("malformed CSV: a quoted field is not closed");
  }
}

bool CsvRecordReader::WouldWait() const {
  if (first_ != last_ || ended_ || stopFd_ < 0) return false;
  const int fd = ::fileno(in_);
  if (fd < 0) return false;
  pollfd wait{fd, POLLIN, 0};
  return ::poll(&wait, 1, 0) == 0;
}

long CsvRecordReader::ReadBlock(char* block, std::size_t size) {
  const int fd = stopFd_ >= 0 ? ::fileno(in_) : -1;
  if (fd < 0) {
    const std::size_t got = std::fread(block, 1, size, in_);
    if (got < size && std::ferror(in_)) return -1;
    return static_cast<long>(got);
  }
  // Waits for the input or the stop, whichever comes first; a wait is never restarted by
  // the kernel after a signal, so the stop is seen at once. One read() per block, so that a
  // pipe's or terminal's lines are taken as they come.
  for (;;) {
    pollfd waits[2] = {{fd, POLLIN, 0}, {stopFd_, POLLIN, 0}};
    const int ready = ::poll(waits, 2, -1);
    if (ready < 0 && errno != EINTR) return -1;
    if (ready > 0 && (waits[1].revents & POLLIN) != 0) {
      stopped_ = true;
      return 0;
    }
    if (ready <= 0) continue;
    const ssize_t got = ::read(fd, block, size);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    return got;
  }
}

bool CsvRecordReader::Next(CsvRecord& record) {
  char block[kBlockSize];
  while (first_ == last_ && !ended_) {
    const long got = ReadBlock(block, sizeof block);
    if (got < 0) {
      readFailed_ = true;
      ended_ = true;
      break;
    }
    if (stopped_) {
      ended_ = true;  // the records begun are dropped, whole
      break;
    }
    bytesRead_ += static_cast<std::uint64_t>(got);
    std::string_view data(block, static_cast<std::size_t>(got));
    if (!started_ && got > 0) {
      started_ = true;
      if (data.starts_with(kByteOrderMark)) data.remove_prefix(kByteOrderMark.size());
    }
    Feed(data.data(), data.size());
    if (got == 0 || (stopFd_ < 0 && static_cast<std::size_t>(got) < sizeof block && std::feof(in_))) FinishInput();
  }
  if (first_ == last_) return false;
  // The caller's old record goes into the slot, to be filled again.
  std::swap(record, ready_[first_++]);
  if (first_ == last_) first_ = last_ = 0;
  return true;
}

// Moves `record` to the end of the ready records and leaves it empty, holding the storage of a
// record taken earlier.
void CsvRecordReader::PushReady(CsvRecord& record) {
  if (last_ == ready_.size()) ready_.emplace_back();
  std::swap(record, ready_[last_++]);
  record.line = 0;
  record.fields.clear();
  record.error.reset();
}

}  // namespace corvane
