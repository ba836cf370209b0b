#pragma once
#include <string>
#include <vector>

#include "astro/bodies.h"
#include "lagna/page_fields.h"

namespace corvane {

// House (1 to 12, counted inclusively) of a body in planetSign counted from padaSign;
// 0 when either is not a sign index.
int HouseFromPada(int planetSign, int padaSign);

// Rewrites `reading` with the introduction of the Arudha lagna (AL) in sign index `padaSign`
// and the headings and explanations of every planet placement rule that holds for the birth
// signs of the bodies. Existing runs are overwritten in place, so a refill reuses their storage.
void ArudhaReading(const PerBody<int>& bodySigns, int padaSign, RichReading& reading);

// Rewrites `reading` with the introduction of the Upapada lagna (A12) in sign index
// `padaSign` and every planet combination that holds.
void UpapadaReading(const PerBody<int>& bodySigns, int padaSign, RichReading& reading);

// The headings of the rules that fired, in reading order, without their line breaks.
std::vector<std::string> FiredReadingHeadings(const RichReading& reading);

}  // namespace corvane
