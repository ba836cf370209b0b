#pragma once
#include <compare>
#include <cstdint>

namespace corvane {

// A proleptic Gregorian calendar date and clock time, to the second. Used for local civil
// moments (birth, sunrise, sunset) and universal moments alike; the caller knows which.
struct CivilDateTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;

  auto operator<=>(const CivilDateTime&) const = default;
};

// Days since 1970-01-01 of a Gregorian date (negative before it).
std::int64_t DaysFromCivil(int year, int month, int day);
// The Gregorian date of a day count from 1970-01-01.
CivilDateTime CivilFromDays(std::int64_t days);

// Seconds since 1970-01-01 00:00:00 of the moment, treating it as a plain clock reading.
std::int64_t SerialSeconds(const CivilDateTime& t);
CivilDateTime FromSerialSeconds(std::int64_t seconds);

// Calendar arithmetic with rollover of every field.
CivilDateTime AddSeconds(const CivilDateTime& t, std::int64_t seconds);
CivilDateTime AddMinutes(const CivilDateTime& t, std::int64_t minutes);
CivilDateTime AddDays(const CivilDateTime& t, std::int64_t days);

// Differences as counts of whole minutes and seconds: both moments are truncated to the
// minute (respectively the second) before subtracting, so b - a counts minute boundaries.
std::int64_t MinuteCountDifference(const CivilDateTime& a, const CivilDateTime& b);
std::int64_t SecondCountDifference(const CivilDateTime& a, const CivilDateTime& b);

bool IsLeapYear(int year);
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
// 1 January is day 1.
int DayOfYear(int year, int month, int day);

}  // namespace corvane
