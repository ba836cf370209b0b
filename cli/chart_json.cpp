#include "cli/chart_json.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "app/chart_calculation.h"
#include "app/display_texts.h"
#include "app/zone_table.h"

namespace corvane {
namespace {

template <typename W>
void WriteBirth(W& json, const ChartState& c) {
  json.StartObject();
  json.Key("name");
  json.String(c.BirthName);
  ShortText date, time, lon, lat;
  date.Number(c.BirthYear, 4) << '-';
  date.Number(c.BirthMonth, 2) << '-';
  json.Key("date");
  json.String(date.Number(c.BirthDay, 2));
  time.Number(c.BirthHour, 2) << ':';
  time.Number(c.BirthMinute, 2) << ':';
  json.Key("time");
  json.String(time.Number(c.BirthSecond, 2));
  json.Key("zone");
  json.Int(c.ZonePosition);
  json.Key("zone_name");
  const bool listed = c.ZonePosition >= 0 && c.ZonePosition < kZoneCount;
  json.String(listed ? kZoneTable[c.ZonePosition].text : std::string_view());
  json.Key("dst");
  json.Bool(c.IsDaylightSaving);
  lon.Number(c.LongitudeDegrees) << ':';
  json.Key("lon");
  json.String(lon.Number(c.LongitudeMinutes, 2) << (c.IsEast ? 'E' : 'W'));
  lat.Number(c.LatitudeDegrees) << ':';
  json.Key("lat");
  json.String(lat.Number(c.LatitudeMinutes, 2) << (c.IsSouth ? 'S' : 'N'));
  json.Key("city");
  json.String(c.BirthCity);
  json.Key("state");
  json.String(c.BirthState);
  json.Key("country");
  json.String(c.BirthCountry);
  if (!c.ZoneId.empty()) {
    json.Key("tz");
    json.String(c.ZoneId);
  }
  json.Key("utc_offset_seconds");
  json.Int(c.UtcOffsetSeconds);
  if (!c.PlaceText.empty()) {
    json.Key("place");
    json.String(c.PlaceText);
  }
  json.EndObject();
}

template <typename W>
void WriteBodies(W& json, const ChartState& c) {
  json.StartArray();
  for (int i = 0; i < kBodyCount; ++i) {
    json.StartObject();
    json.Key("name");
    json.String(c.ChartBodyNames[i]);
    json.Key("longitude");
    json.Double(c.BirthLongitudes[i]);
    json.Key("sign");
    json.Int(c.PlanetSign[i]);
    json.Key("text");
    json.String(LongitudeText(c.BirthLongitudes[i]));
    json.Key("compact");
    json.String(c.Results.PositionTexts[i]);
    json.EndObject();
  }
  json.EndArray();
}

template <typename W>
void WriteThreeDays(W& json, const CivilDateTime& previous, const CivilDateTime& birthDay, const CivilDateTime& next) {
  json.StartObject();
  json.Key("previous");
  json.String(MinuteStamp(previous));
  json.Key("birth_day");
  json.String(MinuteStamp(birthDay));
  json.Key("next");
  json.String(MinuteStamp(next));
  json.EndObject();
}

// "1975-06-05 05:23:41": the date of `day` and a clock reading in seconds after its
// midnight, to the nearest second.
ShortText SecondStamp(const CivilDateTime& day, double seconds) {
  long long whole = std::llround(seconds);
  if (whole < 0) whole = 0;
  ShortText text;
  text.Number(day.year, 4) << '-';
  text.Number(day.month, 2) << '-';
  text.Number(day.day, 2) << ' ';
  text.Number(whole / 3600, 2) << ':';
  text.Number(whole / 60 % 60, 2) << ':';
  text.Number(whole % 60, 2);
  return text;
}

// Under exact timing: the unrounded sunrises and sunsets, the reference sunrise and the time
// since it.
template <typename W>
void WriteExactTimes(W& json, const ChartState& c) {
  const ChartState::ExactSunTimes& e = *c.Exact;
  auto threeDays = [&json](const CivilDateTime (&days)[3], const double (&seconds)[3]) {
    json.StartObject();
    json.Key("previous");
    json.String(SecondStamp(days[0], seconds[0]));
    json.Key("birth_day");
    json.String(SecondStamp(days[1], seconds[1]));
    json.Key("next");
    json.String(SecondStamp(days[2], seconds[2]));
    json.EndObject();
  };
  json.Key("sunrise_exact");
  threeDays({c.SunrisePrevious, c.SunriseBirthDay, c.SunriseNext}, {e.RisePrevious, e.RiseBirthDay, e.RiseNext});
  json.Key("sunset_exact");
  threeDays({c.SunsetPrevious, c.SunsetBirthDay, c.SunsetNext}, {e.SetPrevious, e.SetBirthDay, e.SetNext});
  json.Key("reference_sunrise_exact");
  json.String(SecondStamp(c.ReferenceSunrise, e.ReferenceRise));
  json.Key("seconds_since_sunrise_exact");
  json.Double(e.SecondsSinceSunrise);
}

template <typename W>
void WriteLagnas(W& json, const ChartState& c) {
  json.StartObject();
  for (int l = 0; l < kLagnaCount; ++l) {
    json.Key(kLagnaKeys[l]);
    json.StartObject();
    json.Key("sign");
    json.Int(c.LagnaSigns[l]);
    // Only the lagnas computed from a longitude have one.
    if (c.HasLongitude[l]) {
      json.Key("longitude");
      json.Double(c.LagnaLongitudes[l]);
    }
    json.EndObject();
  }
  json.EndObject();
}

template <typename W, typename Texts>
void WriteTexts(W& json, const Texts& texts) {
  json.StartArray();
  for (const auto& text : texts) json.String(text);
  json.EndArray();
}

// The headings of the rules that fired, without their line breaks.
template <typename W>
void WriteHeadings(W& json, const RichReading& reading) {
  json.StartArray();
  for (const TextRun& run : reading.runs) {
    if (!run.heading) continue;
    std::string_view text = run.text;
    while (text.ends_with("\r\n")) text.remove_suffix(2);
    json.String(text);
  }
  json.EndArray();
}

template <typename W>
void WriteRuns(W& json, const RichReading& reading) {
  json.StartArray();
  for (const TextRun& run : reading.runs) {
    json.StartObject();
    json.Key("text");
    json.String(run.text);
    json.Key("bold");
    json.Bool(run.bold);
    json.Key("color");
    json.String(run.darkRed ? "#800000" : "#000000");
    json.EndObject();
  }
  json.EndArray();
}

template <typename W>
void WritePages(W& json, const LagnaPageFields& fields) {
  json.StartObject();
  for (int l = 0; l < kLagnaCount; ++l) {
    const auto lagna = static_cast<LagnaId>(l);
    json.Key(kLagnaKeys[l]);
    json.StartObject();
    if (HasAttributeBlock(lagna)) {
      for (int f = 0; f < kPageFieldCount; ++f) {
        json.Key(kPageFieldKeys[f]);
        json.String(fields.Attribute(lagna, static_cast<PageField>(f)));
      }
    }
    if (lagna == kHL) {
      json.Key("house_text");
      json.String(fields.horaHouseText);
    }
    if (lagna == kPpL) {
      json.Key("caption");
      json.String(fields.pranapadaCaption);
      json.Key("house_text");
      json.String(fields.pranapadaHouseText);
    }
    if (lagna == kAL || lagna == kUL) {
      json.Key("reading");
      WriteRuns(json, lagna == kAL ? fields.arudhaReading : fields.upapadaReading);
    }
    json.EndObject();
  }
  json.EndObject();
}

}  // namespace

template <typename W>
void WriteChartJson(W& json, const ChartState& c, bool pages) {
  json.StartObject();
  json.Key("format");
  json.Int(2);
  json.Key("birth");
  WriteBirth(json, c);
  json.Key("ayanamsa");
  json.Double(c.AyanamsaOffset);
  json.Key("bodies");
  WriteBodies(json, c);
  json.Key("sunrise");
  WriteThreeDays(json, c.SunrisePrevious, c.SunriseBirthDay, c.SunriseNext);
  json.Key("sunset");
  WriteThreeDays(json, c.SunsetPrevious, c.SunsetBirthDay, c.SunsetNext);
  json.Key("reference_sunrise");
  json.String(MinuteStamp(c.ReferenceSunrise));
  json.Key("minutes_since_sunrise");
  json.Int(c.MinutesSinceSunrise);
  json.Key("seconds_since_sunrise");
  json.Int(c.SecondsSinceSunrise);
  if (c.Exact) WriteExactTimes(json, c);
  json.Key("sunrise_sun");
  json.StartObject();
  json.Key("longitude");
  json.Double(c.SunriseSunLongitude);
  json.Key("text");
  json.String(c.SunriseSunText);
  json.EndObject();
  json.Key("lagnas");
  WriteLagnas(json, c);
  json.Key("hora_house");
  json.Int(c.HoraHouse);
  json.Key("pranapada_house");
  json.Int(c.PranapadaHouse);
  json.Key("chart_boxes");
  WriteTexts(json, c.Results.ChartBoxTexts);
  json.Key("lagna_boxes");
  WriteTexts(json, c.Results.LagnaBoxTexts);
  // The pages hold the readings; without them only the readings are made, in storage that
  // serves the next chart of a batch too.
  thread_local RichReading arudha, upapada;
  std::optional<LagnaPageFields> fields;
  if (pages) {
    fields = PageFieldsOf(c);
  } else {
    ReadingsOf(c, arudha, upapada);
  }
  json.Key("readings");
  json.StartObject();
  json.Key("arudha");
  WriteHeadings(json, fields ? fields->arudhaReading : arudha);
  json.Key("upapada");
  WriteHeadings(json, fields ? fields->upapadaReading : upapada);
  json.EndObject();
  if (fields) {
    json.Key("pages");
    WritePages(json, *fields);
  }
  // The engine and conventions the chart was computed with, by their command-line keys.
  json.Key("settings");
  json.StartObject();
  for (const SettingEntry& e : SettingEntries(c.Settings)) {
    json.Key(e.name);
    json.String(e.key);
  }
  json.EndObject();
  json.EndObject();
}

template void WriteChartJson(PrettyJsonWriter&, const ChartState&, bool);
template void WriteChartJson(LineJsonWriter&, const ChartState&, bool);

}  // namespace corvane
