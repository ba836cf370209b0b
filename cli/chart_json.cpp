#include "cli/chart_json.h"

#include <array>
#include <cmath>
#include <string>
#include <optional>
#include <string_view>

#include "app/chart_calculation.h"
#include "app/chart_texts.h"
#include "app/display_texts.h"
#include "cli/sweep_output.h"
#include "cli/vargas_json.h"

namespace corvane {
namespace {

template <typename W>
void WriteBirth(W& json, const Chart& c) {
  const ChartBirth& b = c.birth;
  json.StartObject();
  const BirthFieldTexts fields = BirthFieldTextsOf(b);
  json.Key("name");
  json.String(b.name);
  json.Key("date");
  json.PlainString(fields.date);
  json.Key("time");
  json.PlainString(fields.time);
  json.Key("zone");
  json.Int(c.clock.zonePosition);
  json.Key("zone_name");
  json.PlainString(ZoneRowText(c.clock));
  json.Key("dst");
  json.Bool(c.clock.daylightSaving);
  json.Key("lon");
  json.PlainString(fields.lon);
  json.Key("lat");
  json.PlainString(fields.lat);
  json.Key("city");
  json.String(b.city);
  json.Key("state");
  json.String(b.state);
  json.Key("country");
  json.String(b.country);
  if (!c.clock.zoneId.empty()) {
    json.Key("tz");
    json.String(c.clock.zoneId);
  }
  json.Key("utc_offset_seconds");
  json.Int(c.clock.utcOffsetSeconds);
  if (!b.place.empty()) {
    json.Key("place");
    json.String(b.place);
  }
  if (!b.placeFilled.empty()) {
    json.Key("place_filled");
    json.StartArray();
    for (const std::string& field : b.placeFilled) json.String(field);
    json.EndArray();
  }
  json.EndObject();
}

template <typename W, typename Texts>
void WriteTexts(W& json, const Texts& texts) {
  json.StartArray();
  for (const auto& text : texts) json.String(text);
  json.EndArray();
}

// A body's name as the chart shows it: "Mercury (R) " after a retrograde planet.
ShortText BodyName(const Chart& c, std::size_t body) {
  ShortText name;
  name << kPlainBodyNames[body];
  if (c.retrograde[body]) name << kRetrogradeMark;
  return name;
}

template <typename W>
void WriteBodies(W& json, const Chart& c) {
  json.StartArray();
  for (std::size_t i = 0; i < kBodyCount; ++i) {
    json.StartObject();
    json.Key("name");
    json.PlainString(BodyName(c, i));
    json.Key("longitude");
    json.Double(c.positions.longitudeDeg[i]);
    json.Key("sign");
    if (const std::optional<int> sign = BodySign(c, static_cast<int>(i)))
      json.Int(*sign);
    else
      json.Null();
    json.Key("text");
    json.String(LongitudeText(c.positions.longitudeDeg[i]));  // its seconds mark is a quote
    json.Key("compact");
    json.PlainString(CompactLongitudeText(c.positions.longitudeDeg[i]));
    json.EndObject();
  }
  json.EndArray();
}

// The sign boxes of the chart: the body names in each, and the lagna marks in each, a line
// each with CR LF before it (as ChartTexts holds them). The texts are made in storage kept
// for the next chart.
template <typename W>
void WriteBoxes(W& json, const Chart& c) {
  thread_local std::array<std::string, 12> boxes;
  for (std::string& box : boxes) box.clear();
  for (std::size_t i = 0; i < kBodyCount; ++i) {
    if (const std::optional<int> sign = BodySign(c, static_cast<int>(i)))
      boxes[static_cast<std::size_t>(*sign)].append("\r\n").append(BodyName(c, i));
  }
  json.Key("chart_boxes");
  WriteTexts(json, boxes);
  for (std::string& box : boxes) box.clear();
  ForEachLagnaMark(c.lagnas, [](int sign, std::string_view mark) {
    boxes[static_cast<std::size_t>(sign)].append("\r\n").append(mark);
  });
  json.Key("lagna_boxes");
  WriteTexts(json, boxes);
}

template <typename W>
void WriteThreeDays(W& json, const CivilDateTime& previous, const CivilDateTime& birthDay, const CivilDateTime& next) {
  json.StartObject();
  json.Key("previous");
  json.PlainString(MinuteStamp(previous));
  json.Key("birth_day");
  json.PlainString(MinuteStamp(birthDay));
  json.Key("next");
  json.PlainString(MinuteStamp(next));
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
void WriteExactTimes(W& json, const Chart& c) {
  const SunDays& s = c.sun;
  const SunDays::Exact& e = *s.exact;
  auto threeDays = [&json](const CivilDateTime (&days)[3], const double (&seconds)[3]) {
    json.StartObject();
    json.Key("previous");
    json.PlainString(SecondStamp(days[0], seconds[0]));
    json.Key("birth_day");
    json.PlainString(SecondStamp(days[1], seconds[1]));
    json.Key("next");
    json.PlainString(SecondStamp(days[2], seconds[2]));
    json.EndObject();
  };
  json.Key("sunrise_exact");
  threeDays({s.risePrevious, s.riseBirthDay, s.riseNext}, {e.risePrevious, e.riseBirthDay, e.riseNext});
  json.Key("sunset_exact");
  threeDays({s.setPrevious, s.setBirthDay, s.setNext}, {e.setPrevious, e.setBirthDay, e.setNext});
  json.Key("reference_sunrise_exact");
  json.PlainString(SecondStamp(s.referenceSunrise, e.referenceSunrise));
  json.Key("seconds_since_sunrise_exact");
  json.Double(e.secondsSinceSunrise);
}

template <typename W>
void WriteLagnas(W& json, const Chart& c) {
  json.StartObject();
  for (int l = 0; l < kLagnaCount; ++l) {
    json.Key(kLagnaKeys[l]);
    json.StartObject();
    json.Key("sign");
    const LagnaPosition& lagna = c.lagnas.lagnas[static_cast<std::size_t>(l)];
    json.Int(lagna.sign);
    // Only the lagnas computed from a longitude have one.
    if (lagna.longitudeDeg) {
      json.Key("longitude");
      json.Double(*lagna.longitudeDeg);
    }
    json.EndObject();
  }
  json.EndObject();
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
    json.PlainString(run.darkRed ? "#800000" : "#000000");
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
void WriteChartJson(W& json, const Chart& c, bool pages, const BirthSweep* sweep, const VargaCharts* vargas) {
  json.StartObject();
  json.Key("format");
  json.Int(2);
  json.Key("birth");
  WriteBirth(json, c);
  json.Key("ayanamsa");
  json.Double(c.positions.ayanamsaDeg);
  json.Key("bodies");
  WriteBodies(json, c);
  json.Key("sunrise");
  WriteThreeDays(json, c.sun.risePrevious, c.sun.riseBirthDay, c.sun.riseNext);
  json.Key("sunset");
  WriteThreeDays(json, c.sun.setPrevious, c.sun.setBirthDay, c.sun.setNext);
  json.Key("reference_sunrise");
  json.PlainString(MinuteStamp(c.sun.referenceSunrise));
  json.Key("minutes_since_sunrise");
  json.Int(c.sun.minutesSinceSunrise);
  json.Key("seconds_since_sunrise");
  json.Int(c.sun.secondsSinceSunrise);
  if (c.sun.exact) WriteExactTimes(json, c);
  json.Key("sunrise_sun");
  json.StartObject();
  json.Key("longitude");
  json.Double(c.sun.sunAtSunriseDeg);
  json.Key("text");
  json.PlainString(CompactLongitudeText(c.sun.sunAtSunriseDeg));
  json.EndObject();
  json.Key("lagnas");
  WriteLagnas(json, c);
  json.Key("hora_house");
  json.Int(c.lagnas.horaHouse);
  json.Key("pranapada_house");
  json.Int(c.lagnas.pranapadaHouse);
  WriteBoxes(json, c);
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
  json.Key("settings");
  WriteSettingsJson(json, c.settings);
  if (sweep) {
    json.Key("sweep");
    WriteSweepJson(json, *sweep);
  }
  if (vargas) {
    json.Key("vargas");
    WriteVargasJson(json, *vargas);
  }
  json.EndObject();
}

template <typename W>
void WriteSettingsJson(W& json, const CalculationSettings& settings) {
  json.StartObject();
  for (const SettingEntry& e : SettingEntries(settings)) {
    json.Key(e.name);
    json.PlainString(e.key);
  }
  json.EndObject();
}

template void WriteChartJson(PrettyJsonWriter&, const Chart&, bool, const BirthSweep*, const VargaCharts*);
template void WriteChartJson(LineJsonWriter&, const Chart&, bool, const BirthSweep*, const VargaCharts*);
template void WriteSettingsJson(PrettyJsonWriter&, const CalculationSettings&);
template void WriteSettingsJson(LineJsonWriter&, const CalculationSettings&);

}  // namespace corvane
