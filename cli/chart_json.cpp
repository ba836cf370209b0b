#include "cli/chart_json.h"

#include <cstdio>
#include <string_view>

#include "app/zone_table.h"
#include "app/display_texts.h"
#include "lagna/placement_readings.h"

namespace corvane {
namespace {

using Json = nlohmann::ordered_json;

// Stores a text into a slot, reusing the slot's string when it already holds one.
void Put(Json& slot, std::string_view text) {
  if (slot.is_string()) {
    slot.get_ref<std::string&>().assign(text.data(), text.size());
  } else {
    slot = std::string(text);
  }
}
void Put(Json& slot, const char* text) { Put(slot, std::string_view(text)); }
void Put(Json& slot, const std::string& text) { Put(slot, std::string_view(text)); }
void Put(Json& slot, double value) { slot = value; }
void Put(Json& slot, int value) { slot = value; }
void Put(Json& slot, std::int64_t value) { slot = value; }
void Put(Json& slot, bool value) { slot = value; }

// Makes the slot an array of exactly n elements, keeping the elements already there.
Json::array_t& ArrayOf(Json& slot, std::size_t n) {
  if (!slot.is_array()) slot = Json::array();
  auto& array = slot.get_ref<Json::array_t&>();
  array.resize(n);
  return array;
}

template <typename Texts>
void PutTexts(Json& slot, const Texts& texts) {
  auto& array = ArrayOf(slot, texts.size());
  std::size_t i = 0;
  for (const auto& text : texts) Put(array[i++], std::string_view(text));
}

void PutMinute(Json& slot, const CivilDateTime& t) {
  char buffer[48];
  const int n = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                              t.minute);
  Put(slot, std::string_view(buffer, static_cast<std::size_t>(n)));
}

void FillBirth(const ChartState& c, Json& b) {
  char buffer[64];
  int n = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", c.BirthYear, c.BirthMonth, c.BirthDay);
  Put(b["name"], c.BirthName);
  Put(b["date"], std::string_view(buffer, static_cast<std::size_t>(n)));
  n = std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", c.BirthHour, c.BirthMinute, c.BirthSecond);
  Put(b["time"], std::string_view(buffer, static_cast<std::size_t>(n)));
  Put(b["zone"], c.ZonePosition);
  const bool listed = c.ZonePosition >= 0 && c.ZonePosition < kZoneCount;
  Put(b["zone_name"], listed ? kZoneTable[c.ZonePosition].text : std::string_view());
  Put(b["dst"], c.IsDaylightSaving);
  n = std::snprintf(buffer, sizeof buffer, "%d:%02d%c", c.LongitudeDegrees, c.LongitudeMinutes, c.IsEast ? 'E' : 'W');
  Put(b["lon"], std::string_view(buffer, static_cast<std::size_t>(n)));
  n = std::snprintf(buffer, sizeof buffer, "%d:%02d%c", c.LatitudeDegrees, c.LatitudeMinutes, c.IsSouth ? 'S' : 'N');
  Put(b["lat"], std::string_view(buffer, static_cast<std::size_t>(n)));
  Put(b["city"], c.BirthCity);
  Put(b["state"], c.BirthState);
  Put(b["country"], c.BirthCountry);
}

void FillThreeDays(Json& j, const CivilDateTime& previous, const CivilDateTime& birthDay, const CivilDateTime& next) {
  PutMinute(j["previous"], previous);
  PutMinute(j["birth_day"], birthDay);
  PutMinute(j["next"], next);
}

void FillRuns(Json& slot, const RichReading& reading) {
  auto& runs = ArrayOf(slot, reading.runs.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const TextRun& run = reading.runs[i];
    Put(runs[i]["text"], run.text);
    Put(runs[i]["bold"], run.bold);
    Put(runs[i]["color"], run.darkRed ? "#800000" : "#000000");
  }
}

void FillPages(const LagnaPageFields& fields, Json& p) {
  for (int l = 0; l < kLagnaCount; ++l) {
    const auto lagna = static_cast<LagnaId>(l);
    Json& page = p[kLagnaKeys[l]];
    if (HasAttributeBlock(lagna))
      for (int f = 0; f < kPageFieldCount; ++f)
        Put(page[kPageFieldKeys[f]], fields.Attribute(lagna, static_cast<PageField>(f)));
    if (lagna == kHL) Put(page["house_text"], fields.horaHouseText);
    if (lagna == kPpL) {
      Put(page["caption"], fields.pranapadaCaption);
      Put(page["house_text"], fields.pranapadaHouseText);
    }
    if (lagna == kAL) FillRuns(page["reading"], fields.arudhaReading);
    if (lagna == kUL) FillRuns(page["reading"], fields.upapadaReading);
  }
}

void FillSettings(const CalculationSettings& s, Json& j) {
  Put(j["engine"], ChoiceOf(kEngineChoices, s.engine).key);
  Put(j["ayanamsa"], ChoiceOf(kAyanamsaChoices, s.ayanamsa).key);
  Put(j["node"], ChoiceOf(kNodeChoices, s.node).key);
  Put(j["sunrise"], ChoiceOf(kSunriseChoices, s.sunrise).key);
  Put(j["indu"], ChoiceOf(kInduChoices, s.indu).key);
}

}  // namespace

Json SettingsJson(const CalculationSettings& settings) {
  Json j = Json::object();
  FillSettings(settings, j);
  return j;
}

void FillChartJson(const ChartState& c, bool pages, Json& j) {
  if (!j.is_object()) j = Json::object();
  Put(j["format"], 2);
  FillBirth(c, j["birth"]);
  Put(j["ayanamsa"], c.AyanamsaOffset);

  auto& bodies = ArrayOf(j["bodies"], kBodyCount);
  for (int i = 0; i < kBodyCount; ++i) {
    Json& b = bodies[i];
    Put(b["name"], c.ChartBodyNames[i]);
    Put(b["longitude"], c.BirthLongitudes[i]);
    Put(b["sign"], c.PlanetSign[i]);
    Put(b["text"], FormatLongitude(c.BirthLongitudes[i]));
    Put(b["compact"], c.Results.PositionTexts[i]);
  }

  FillThreeDays(j["sunrise"], c.SunrisePrevious, c.SunriseBirthDay, c.SunriseNext);
  FillThreeDays(j["sunset"], c.SunsetPrevious, c.SunsetBirthDay, c.SunsetNext);
  PutMinute(j["reference_sunrise"], c.ReferenceSunrise);
  Put(j["minutes_since_sunrise"], c.MinutesSinceSunrise);
  Put(j["seconds_since_sunrise"], c.SecondsSinceSunrise);
  Json& sun = j["sunrise_sun"];
  Put(sun["longitude"], c.SunriseSunLongitude);
  Put(sun["text"], c.SunriseSunText);

  Json& lagnas = j["lagnas"];
  for (int l = 0; l < kLagnaCount; ++l) {
    Json& entry = lagnas[kLagnaKeys[l]];
    Put(entry["sign"], c.LagnaSigns[l]);
    // Only the lagnas computed from a longitude have one; the others lose a stale value.
    if (c.HasLongitude[l]) {
      Put(entry["longitude"], c.LagnaLongitudes[l]);
    } else if (entry.contains("longitude")) {
      entry.erase("longitude");
    }
  }
  Put(j["hora_house"], c.HoraHouse);
  Put(j["pranapada_house"], c.PranapadaHouse);
  PutTexts(j["chart_boxes"], c.Results.ChartBoxTexts);
  PutTexts(j["lagna_boxes"], c.Results.LagnaBoxTexts);
  const LagnaPageFields fields = PageFieldsOf(c);
  Json& readings = j["readings"];
  PutTexts(readings["arudha"], FiredReadingHeadings(fields.arudhaReading));
  PutTexts(readings["upapada"], FiredReadingHeadings(fields.upapadaReading));
  if (pages) {
    FillPages(fields, j["pages"]);
  } else if (j.contains("pages")) {
    j.erase("pages");
  }
  FillSettings(c.Settings, j["settings"]);
}

Json ChartJson(const ChartState& chart, bool pages) {
  Json j = Json::object();
  FillChartJson(chart, pages, j);
  return j;
}

}  // namespace corvane
