#include "astro/civil_time.h"

namespace corvane {

namespace {
constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}
}  // namespace

// Howard Hinnant's days-from-civil algorithm, valid for the whole proleptic Gregorian range.
std::int64_t DaysFromCivil(int year, int month, int day) {
  const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
  const std::int64_t era = FloorDiv(y, 400);
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = (month + 9) % 12;
  const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDateTime CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = FloorDiv(z, 146097);
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  CivilDateTime t;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
  return t;
}

std::int64_t SerialSeconds(const CivilDateTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + t.hour * 3600LL + t.minute * 60LL +
         t.second;
}

CivilDateTime FromSerialSeconds(std::int64_t seconds) {
  const std::int64_t days = FloorDiv(seconds, kSecondsPerDay);
  std::int64_t rest = seconds - days * kSecondsPerDay;
  CivilDateTime t = CivilFromDays(days);
  t.hour = static_cast<int>(rest / 3600);
  rest %= 3600;
  t.minute = static_cast<int>(rest / 60);
  t.second = static_cast<int>(rest % 60);
  return t;
}

CivilDateTime AddSeconds(const CivilDateTime& t, std::int64_t seconds) {
  return FromSerialSeconds(SerialSeconds(t) + seconds);
}
CivilDateTime AddMinutes(const CivilDateTime& t, std::int64_t minutes) { return AddSeconds(t, minutes * 60); }
CivilDateTime AddDays(const CivilDateTime& t, std::int64_t days) { return AddSeconds(t, days * kSecondsPerDay); }

std::int64_t MinuteCountDifference(const CivilDateTime& a, const CivilDateTime& b) {
  return FloorDiv(SerialSeconds(b), 60) - FloorDiv(SerialSeconds(a), 60);
}
std::int64_t SecondCountDifference(const CivilDateTime& a, const CivilDateTime& b) {
  return SerialSeconds(b) - SerialSeconds(a);
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int DayOfYear(int year, int month, int day) {
  return static_cast<int>(DaysFromCivil(year, month, day) - DaysFromCivil(year, 1, 1)) + 1;
}


}  // namespace corvane
