#include "cli/chart_json.h"

#include <cstdio>

#include "app/zone_table.h"
#include "astro/longitude_text.h"
#include "lagna/placement_readings.h"

namespace corvane {
namespace {

constexpr std::array<const char*, kLagnaCount> kLagnaKeys = {
    "AL", "BL", "HL", "GL", "SrL", "IL", "PL", "UL", "PpL", "VL", "CL", "SL", "Ascendant"};

std::string TwoDigits(int v) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", v);
  return buffer;
}

nlohmann::ordered_json BirthJson(const ChartState& c) {
  char date[32];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", c.BirthYear, c.BirthMonth, c.BirthDay);
  char time[32];
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", c.BirthHour, c.BirthMinute, c.BirthSecond);
  nlohmann::ordered_json b;
  b["name"] = c.BirthName;
  b["date"] = date;
  b["time"] = time;
  b["zone"] = c.ZonePosition;
  if (c.ZonePosition >= 0 && c.ZonePosition < kZoneCount) b["zone_name"] = kZoneTable[c.ZonePosition].text;
  b["dst"] = c.IsDaylightSaving;
  b["lon"] = std::to_string(c.LongitudeDegrees) + ":" + TwoDigits(c.LongitudeMinutes) + (c.IsEast ? "E" : "W");
  b["lat"] = std::to_string(c.LatitudeDegrees) + ":" + TwoDigits(c.LatitudeMinutes) + (c.IsSouth ? "S" : "N");
  b["city"] = c.BirthCity;
  b["state"] = c.BirthState;
  b["country"] = c.BirthCountry;
  return b;
}

nlohmann::ordered_json ThreeDays(const CivilDateTime& previous, const CivilDateTime& birthDay,
                                 const CivilDateTime& next) {
  nlohmann::ordered_json j;
  j["previous"] = MinuteText(previous);
  j["birth_day"] = MinuteText(birthDay);
  j["next"] = MinuteText(next);
  return j;
}

nlohmann::ordered_json RunsJson(const RichReading& reading) {
  nlohmann::ordered_json runs = nlohmann::ordered_json::array();
  for (const TextRun& run : reading.runs) {
    runs.push_back({{"text", run.text}, {"bold", run.bold}, {"color", run.darkRed ? "#800000" : "#000000"}});
  }
  return runs;
}

nlohmann::ordered_json PagesJson(const LagnaPageFields& fields) {
  nlohmann::ordered_json p;
  for (const auto& field : fields.fields) p[std::string(field.control)] = field.value;
  p["lblHoraDesc"] = fields.horaDescription;
  p["lblHouseDesc"] = fields.houseDescription;
  p["Label8(108)"] = fields.pranapadaCaption;
  p["ArudhaReading"] = RunsJson(fields.arudhaReading);
  p["UpapadaReading"] = RunsJson(fields.upapadaReading);
  return p;
}

}  // namespace

std::string MinuteText(const CivilDateTime& t) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
  return buffer;
}

nlohmann::ordered_json ChartJson(const ChartState& c, bool pages) {
  nlohmann::ordered_json j;
  j["birth"] = BirthJson(c);
  j["ayanamsa"] = c.AyanamsaOffset;

  auto& bodies = j["bodies"] = nlohmann::ordered_json::array();
  for (int i = 0; i < kBodyCount; ++i) {
    nlohmann::ordered_json b;
    b["name"] = c.ChartBodyNames[i];
    b["longitude"] = c.BirthLongitudes[i];
    b["sign"] = c.PlanetSign[i];
    b["text"] = FormatLongitude(c.BirthLongitudes[i]);
    b["compact"] = c.Results.PositionTexts[i];
    bodies.push_back(std::move(b));
  }

  j["sunrise"] = ThreeDays(c.SunrisePrevious, c.SunriseBirthDay, c.SunriseNext);
  j["sunset"] = ThreeDays(c.SunsetPrevious, c.SunsetBirthDay, c.SunsetNext);
  j["reference_sunrise"] = MinuteText(c.ReferenceSunrise);
  j["minutes_since_sunrise"] = c.MinutesSinceSunrise;
  j["seconds_since_sunrise"] = c.SecondsSinceSunrise;
  j["sunrise_sun"] = {{"longitude", c.SunriseSunLongitude}, {"text", c.SunriseSunText}};

  auto& lagnas = j["lagnas"] = nlohmann::ordered_json::object();
  for (int l = 0; l < kLagnaCount; ++l) {
    nlohmann::ordered_json entry;
    entry["sign"] = c.LagnaSigns[l];
    if (c.HasLongitude[l]) entry["longitude"] = c.LagnaLongitudes[l];
    lagnas[kLagnaKeys[l]] = std::move(entry);
  }
  j["hora_house"] = c.HoraHouse;
  j["pranapada_house"] = c.PranapadaHouse;
  j["chart_boxes"] = c.Results.ChartBoxTexts;
  j["lagna_boxes"] = c.Results.LagnaBoxTexts;
  j["readings"] = {{"arudha", FiredReadingHeadings(c.PageFields.arudhaReading)},
                   {"upapada", FiredReadingHeadings(c.PageFields.upapadaReading)}};
  if (pages) j["pages"] = PagesJson(c.PageFields);
  return j;
}

}  // namespace corvane
