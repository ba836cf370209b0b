#include "cli/zone_listing.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "cli/json_writer.h"

namespace corvane {

std::string LocalOffsetText(const ZoneRow& row) {
  // Hours and minutes carry the same sign in the table; local − UT is its negation.
  const int minutes = -(row.offsetHours * 60 + row.offsetMinutes);
  char text[16];
  std::snprintf(text, sizeof text, "%c%02d:%02d", minutes < 0 ? '-' : '+', std::abs(minutes) / 60,
                std::abs(minutes) % 60);
  return text;
}

void PrintZones(bool json, std::ostream& out) {
  if (json) {
    PrettyJsonWriter rows;
    rows.StartArray();
    for (int position = 0; position < kZoneCount; ++position) {
      const ZoneRow& row = kZoneTable[static_cast<std::size_t>(position)];
      rows.StartObject();
      rows.Key("position");
      rows.Int(position);
      rows.Key("text");
      rows.String(row.text);
      rows.Key("offset");
      rows.String(LocalOffsetText(row));
      rows.EndObject();
    }
    rows.EndArray();
    rows.EndLine();
    out << rows.Text();
    return;
  }
  std::size_t width = 0;
  for (const ZoneRow& row : kZoneTable) width = std::max(width, row.text.size());
  for (int position = 0; position < kZoneCount; ++position) {
    const ZoneRow& row = kZoneTable[static_cast<std::size_t>(position)];
    std::string text(row.text);
    text.resize(width, ' ');
    char number[8];
    std::snprintf(number, sizeof number, "%2d", position);
    out << number << "  " << text << "  " << LocalOffsetText(row) << '\n';
  }
}

}  // namespace corvane
