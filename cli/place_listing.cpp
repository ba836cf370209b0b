#include "cli/place_listing.h"

#include "app/birth_zone.h"
#include "cli/json_writer.h"

namespace corvane {

std::string PlaceListing(const std::vector<PlaceResult>& places, bool json) {
  if (!json) {
    std::string lines;
    for (const PlaceResult& p : places) lines += DescribePlace(p) + ", population " + std::to_string(p.population) + "\n";
    return lines;
  }
  PrettyJsonWriter out;
  out.StartArray();
  for (const PlaceResult& p : places) {
    out.StartObject();
    out.Key("name");
    out.String(p.name);
    out.Key("region");
    out.String(p.region);
    out.Key("country");
    out.String(p.country);
    out.Key("latitude");
    out.Double(p.latitude);
    out.Key("longitude");
    out.Double(p.longitude);
    out.Key("tz");
    out.String(p.zoneId);
    out.Key("population");
    out.Int(p.population);
    out.EndObject();
  }
  out.EndArray();
  out.EndLine();
  return std::string(out.Text());
}

}  // namespace corvane
