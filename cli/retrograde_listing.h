#pragma once
#include <ostream>

namespace corvane {

// Writes the retrograde periods of the eight planets that overlap `year`, as a readable
// table or, with json, as {"year": Y, "periods": [{"planet", "start", "end"}, ...]}; times
// are UT. Returns the process exit status: 0, or 1 when the year lies outside the tables
// (the listing is then empty and the text form says why).
int PrintRetrogrades(int year, bool json, std::ostream& out);

}  // namespace corvane
