#pragma once
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>

namespace corvane {

// What a long batch shows and when its lines reach the output: on a terminal, a progress line
// on standard error (records done, refused, the rate and, when the input's size is known,
// the time left), redrawn at most ten times a second and wiped at the end; and whether the
// output is due a flush, at most once a second, so that finished lines never wait long in
// the stream's buffer while a fast batch still writes in large blocks.
class BatchProgress {
 public:
  using Clock = std::chrono::steady_clock;
  // `err` gets the line when it is a terminal; `totalBytes` is the input's size (0: not
  // known) and `bytesRead` how much of it has been read.
  BatchProgress(std::FILE* err, std::uint64_t totalBytes, std::function<std::uint64_t()> bytesRead);
  BatchProgress(const BatchProgress&) = delete;
  BatchProgress& operator=(const BatchProgress&) = delete;
  ~BatchProgress();

  // Counts the records of a chunk written; redraws the line when a tenth of a second has passed.
  void Add(std::size_t records, std::size_t refused);
  // True, and the clock restarted, when half a second has passed since the last flush.
  bool FlushDue();
  // Wipes the line before other messages follow.
  void Finish();

  bool Shown() const { return shown_; }
  // The line as drawn now, without the carriage return ("1,024 records, 2 refused, 512/s, 0:03 left").
  std::string Text(Clock::time_point now) const;

 private:
  std::FILE* err_;
  bool shown_;
  std::uint64_t totalBytes_;
  std::function<std::uint64_t()> bytesRead_;
  Clock::time_point start_, lastDraw_, lastFlush_;
  std::size_t records_ = 0, refused_ = 0;
  bool drawn_ = false;
};

}  // namespace corvane
