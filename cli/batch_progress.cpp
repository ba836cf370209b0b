#include "cli/batch_progress.h"

#include <unistd.h>

#include <string>

namespace corvane {
namespace {

constexpr auto kRedraw = std::chrono::milliseconds(100);
// Half a second, so that with chunks that take a quarter second a line waits under a second.
constexpr auto kFlush = std::chrono::milliseconds(500);

// 12345 as "12,345".
std::string Grouped(std::uint64_t n) {
  std::string digits = std::to_string(n);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), ",");
  return digits;
}

}  // namespace

BatchProgress::BatchProgress(std::FILE* err, std::uint64_t totalBytes, std::function<std::uint64_t()> bytesRead)
    : err_(err),
      shown_(err != nullptr && ::fileno(err) >= 0 && ::isatty(::fileno(err)) == 1),
      totalBytes_(totalBytes),
      bytesRead_(std::move(bytesRead)),
      start_(Clock::now()),
      lastDraw_(start_),
      lastFlush_(start_) {}

BatchProgress::~BatchProgress() { Finish(); }

std::string BatchProgress::Text(Clock::time_point now) const {
  const double seconds = std::chrono::duration<double>(now - start_).count();
  std::string text = Grouped(records_) + (records_ == 1 ? " record, " : " records, ") + Grouped(refused_) + " refused";
  if (seconds > 0) text += ", " + Grouped(static_cast<std::uint64_t>(records_ / seconds)) + "/s";
  const std::uint64_t read = bytesRead_ ? bytesRead_() : 0;
  if (totalBytes_ > 0 && read > 0 && read <= totalBytes_ && seconds > 0) {
    const auto left = static_cast<std::uint64_t>(seconds * static_cast<double>(totalBytes_ - read) / static_cast<double>(read));
    char clock[32];
    std::snprintf(clock, sizeof clock, "%llu:%02llu", static_cast<unsigned long long>(left / 60),
                  static_cast<unsigned long long>(left % 60));
    text += std::string(", ") + clock + " left";
  }
  return text;
}

void BatchProgress::Add(std::size_t records, std::size_t refused) {
  records_ += records;
  refused_ += refused;
  if (!shown_) return;
  const Clock::time_point now = Clock::now();
  if (now - lastDraw_ < kRedraw) return;
  lastDraw_ = now;
  // Carriage return, the line, and an erase of what a longer line left after it.
  std::fprintf(err_, "\rcorvane-cli: %s\033[K", Text(now).c_str());
  std::fflush(err_);
  drawn_ = true;
}

bool BatchProgress::FlushDue() {
  const Clock::time_point now = Clock::now();
  if (now - lastFlush_ < kFlush) return false;
  lastFlush_ = now;
  return true;
}

void BatchProgress::Finish() {
  if (!drawn_) return;
  std::fputs("\r\033[K", err_);
  std::fflush(err_);
  drawn_ = false;
}

}  // namespace corvane
