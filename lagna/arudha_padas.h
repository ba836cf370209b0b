#pragma once
#include <string>
#include <string_view>

#include "app/chart_state.h"

namespace corvane {

// Kala (ray count) of the lord of the 9th sign from sign number 1..12; 0 outside that range.
int NinthLordKala(int signNumber);

// A body or lord name without the retrograde mark " (R) " and surrounding blanks.
std::string_view WithoutRetrogradeMark(std::string_view name);

// Sign number (1..12) of the arudha pada of the house in sign number `houseSign` whose lord
// stands in sign number `lordSign`. A lord in the house or in its 7th gives the 10th from
// the house; a pada falling in the 7th from the house moves to the 4th from the house.
int ArudhaPadaSign(int houseSign, int lordSign);

// Runs the twelve houses in zodiac order from the ascendant's sign. Writes LagnaSigns of
// AL, PL, UL and the Ascendant, ArudhaPadaSigns[0] (AL) and [11] (UL), and appends the marks:
// "AL" and "PL" for house 1, a bare line for each pada of houses 2 to 11, "UL" for house 12.
// Returns false and writes nothing when the ascendant's or a needed lord's position text
// carries no sign.
bool CalculateArudhaPadas(ChartState& chart);

}  // namespace corvane
