#pragma once
#include <string>
#include <string_view>

namespace corvane {

// "16° 30' 0\" Sag": degrees, minutes and seconds within the sign (all truncated) and the
// sign abbreviation. A negative argument is written as its absolute value; at 360 and beyond
// the sign part is empty.
std::string FormatLongitude(double x);

// "16 Sag 30": two-digit degrees, the sign at characters 4 to 6, two-digit minutes; read
// from a FormatLongitude text.
std::string CompactLongitude(std::string_view longText);

// Sign index 0..11 of the abbreviation at characters 4 to 6 of a compact text, or -1.
int SignOfCompact(std::string_view compact);

}  // namespace corvane
