#pragma once
#include <ostream>
#include <string>

#include "app/zone_table.h"

namespace corvane {

// The offset of a zone as people know it, local time minus universal time, as ±HH:MM
// ("+05:30" for Indian time). The zone table itself stores universal minus local time.
std::string LocalOffsetText(const ZoneRow& row);

// Writes the 71 rows of the zone list: the position to give --zone, the row's text and its
// offset; with json, an array of {"position", "text", "offset"}.
void PrintZones(bool json, std::ostream& out);

}  // namespace corvane
