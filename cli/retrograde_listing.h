#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The first and last calendar years the station tables list whole (kStationFirstYear and
// kStationLastYear): every period touching one of them is known.
struct YearSpan {
  long long first, last;
};
YearSpan RetrogradeTableYears();

// The year a --retrogrades argument names: an optional sign and decimal digits. Absent when
// the text is not such a number; a number too large for the type comes back as the largest
// (or smallest) value, which lies outside the tables like every year beyond them.
std::optional<long long> ParseYear(std::string_view text);

// The retrograde periods of the eight planets that overlap `year` (which must lie within
// RetrogradeTableYears()), as a readable table or, with json, as {"year": Y, "periods":
// [{"planet", "start", "end"}, ...]}; times are UT.
std::string RetrogradeListing(int year, bool json);

// The message for a year outside the tables, naming the year as given and the tables' years.
std::string NoRetrogradesMessage(std::string_view yearText);

}  // namespace corvane
