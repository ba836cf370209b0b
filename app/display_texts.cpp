#include "app/display_texts.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

// Whole degrees within the sign, whole minutes and seconds, and the sign index (12 or more
// for a value of a whole turn or beyond) of a magnitude.
struct DegreeParts {
  int degrees, minutes, seconds;
  double sign;
};

DegreeParts PartsOf(double v) {
  double whole = std::floor(v);
  const double m = 60.0 * (v - whole);
  const double minutes = std::floor(m);
  const double seconds = std::floor(60.0 * (m - minutes));
  const double sign = std::floor(whole / 30.0);
  // The remainder of a whole number is exact, also for a huge value. Below 2^48 the quotient
  // above is exact enough for its floor to be the whole quotient, so no fmod is needed.
  whole = whole < 0x1p48 ? whole - 30.0 * sign : std::fmod(whole, 30.0);
  return {static_cast<int>(whole), static_cast<int>(minutes), static_cast<int>(seconds), sign};
}

std::string_view SignPart(double sign) {
  return sign < 12 ? kSignAbbreviations[static_cast<std::size_t>(sign)] : std::string_view{};
}

}  // namespace

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

ShortText& ShortText::operator<<(std::string_view text) {
  const std::size_t n = std::min(text.size(), sizeof chars_ - size_);
  std::copy_n(text.data(), n, chars_ + size_);
  size_ += n;
  return *this;
}

ShortText& ShortText::AnyNumber(long long value, int width) {
  char digits[24];
  char* const end = digits + sizeof digits;
  char* first = end;
  auto magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  do {
    *--first = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  // printf counts the sign in the width.
  const long long count = end - first;
  long long pad = width - count - (value < 0 ? 1 : 0);
  if (value < 0) *this << '-';
  for (; pad > 0 && size_ < sizeof chars_; --pad) chars_[size_++] = '0';
  return *this << std::string_view(first, static_cast<std::size_t>(count));
}

ShortText LongitudeText(double degrees) {
  ShortText text;
  const double v = std::fabs(degrees);
  if (!std::isfinite(v)) return text;
  const DegreeParts p = PartsOf(v);
  text.Number(p.degrees) << "\xC2\xB0 ";
  text.Number(p.minutes) << "' ";
  text.Number(p.seconds) << "\" " << SignPart(p.sign);
  return text;
}

std::string FormatLongitude(double degrees) { return std::string(LongitudeText(degrees).View()); }

ShortText CompactLongitudeText(double degrees) {
  ShortText text;
  const double v = std::fabs(degrees);
  if (!std::isfinite(v)) return text;
  const DegreeParts p = PartsOf(v);
  text.Number(p.degrees, 2) << ' ' << SignPart(p.sign) << ' ';
  text.Number(p.minutes, 2);
  return text;
}

std::string CompactLongitude(double degrees) { return std::string(CompactLongitudeText(degrees).View()); }

ShortText MinuteStamp(const CivilDateTime& t) {
  ShortText text;
  text.Number(t.year, 4) << '-';
  text.Number(t.month, 2) << '-';
  text.Number(t.day, 2) << ' ';
  text.Number(t.hour, 2) << ':';
  text.Number(t.minute, 2);
  return text;
}

std::string MinuteText(const CivilDateTime& t) { return std::string(MinuteStamp(t).View()); }

std::array<std::string, 12> LagnaMarksBySign(const LagnaChart& lagnas) {
  std::array<std::string, 12> boxes;
  ForEachLagnaMark(lagnas, [&](int sign, std::string_view mark) {
    boxes[static_cast<std::size_t>(sign)] += "\r\n";
    boxes[static_cast<std::size_t>(sign)] += mark;
  });
  return boxes;
}

// The entries of a box text, a line each: line breaks split them, blank lines are dropped.
std::vector<std::string_view> BoxEntries(std::string_view text) {
  std::vector<std::string_view> entries;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
    const std::string_view entry = TrimBlanks(text.substr(0, end));
    if (!entry.empty()) entries.push_back(entry);
    text.remove_prefix(end == text.size() ? end : end + 1);
  }
  return entries;
}

}  // namespace corvane
