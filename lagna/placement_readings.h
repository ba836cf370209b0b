#pragma once
#include <string>
#include <vector>

#include "app/chart_state.h"
#include "lagna/page_fields.h"

namespace corvane {

// House (1 to 12, counted inclusively) of a body in planetSign counted from padaSign;
// 0 when either is not a sign index.
int HouseFromPada(int planetSign, int padaSign);

// Rewrites `reading` with the introduction of the Arudha lagna (AL) and the headings and
// explanations of every planet placement rule that holds, counted from ArudhaPadaSigns[0].
// Existing runs are overwritten in place, so a refill reuses their storage.
void ArudhaReading(const ChartState& state, RichReading& reading);

// Rewrites `reading` with the introduction of the Upapada lagna (A12) and every planet
// combination that holds, counted from ArudhaPadaSigns[11].
void UpapadaReading(const ChartState& state, RichReading& reading);

// The headings of the rules that fired, in reading order, without their line breaks.
std::vector<std::string> FiredReadingHeadings(const RichReading& reading);

}  // namespace corvane
