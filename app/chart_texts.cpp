#include "app/chart_texts.h"

#include "app/birth_validation.h"
#include "app/display_texts.h"
#include "app/month_names.h"
#include "app/zone_clock.h"
#include "app/zone_table.h"

namespace corvane {

namespace {

// Coordinate texts have passed validation, so they hold a whole number (perhaps with blanks).
int Number(std::string_view text) { return CoordinateValue(text).value_or(0); }

std::string CoordinateText(std::string_view degrees, std::string_view minutes, std::string_view hemisphere) {
  ShortText text;
  text.Number(Number(degrees)) << "\xC2\xB0 ";
  return std::string((text.Number(Number(minutes)) << "' " << hemisphere).View());
}

// The abbreviation the zone's clock showed at the birth with the offset used, or nothing.
std::string AbbreviationAt(const BirthData& b, const BirthClock& clock) {
  const LocalDateTime local{b.year, b.monthIndex + 1, b.day, b.hour, b.minute, b.second};
  const ZoneLookup lookup = LookUpLocalTime(clock.zoneId, local);
  if (const auto* reading = std::get_if<ZoneReading>(&lookup)) return reading->abbreviation;
  if (const auto* twice = std::get_if<RepeatedLocalTime>(&lookup)) {
    for (const ZoneReading* r : {&twice->earlier, &twice->later})
      if (r->utOffsetSeconds == clock.utcOffsetSeconds) return r->abbreviation;
  }
  return {};
}

void PutTime(const BirthData& b, ShortText& time) {
  time.Number(b.hour, 2) << ':';
  time.Number(b.minute, 2) << ':';
  time.Number(b.second, 2);
}

}  // namespace

std::string BirthTimeText(const BirthData& birth) {
  ShortText time;
  PutTime(birth, time);
  return std::string(time.View());
}

BirthFieldTexts BirthFieldTextsOf(const BirthData& b) {
  BirthFieldTexts t;
  t.date.Number(b.year, 4) << '-';
  t.date.Number(b.monthIndex + 1, 2) << '-';
  t.date.Number(b.day, 2);
  PutTime(b, t.time);
  t.lon.Number(Number(b.lonDegrees)) << ':';
  t.lon.Number(Number(b.lonMinutes), 2) << (b.east ? 'E' : 'W');
  t.lat.Number(Number(b.latDegrees)) << ':';
  t.lat.Number(Number(b.latMinutes), 2) << (b.south ? 'S' : 'N');
  return t;
}

std::string_view ZoneRowText(const BirthClock& clock) {
  const bool listed = clock.zonePosition >= 0 && clock.zonePosition < kZoneCount;
  return listed ? kZoneTable[static_cast<std::size_t>(clock.zonePosition)].text : std::string_view();
}

ChartTexts TextsOf(const Chart& chart) {
  const BirthData& b = chart.birth;
  ChartTexts t;
  t.name = b.name;
  ShortText date;
  (date << kMonthNames[static_cast<std::size_t>(b.monthIndex)] << '/').Number(b.day) << '/';
  t.date = date.Number(b.year).View();
  t.time = BirthTimeText(b);
  t.latitude = CoordinateText(b.latDegrees, b.latMinutes, b.south ? "S" : "N");
  t.longitude = CoordinateText(b.lonDegrees, b.lonMinutes, b.east ? "E" : "W");
  t.city = TrimBlanks(b.city);
  t.state = TrimBlanks(b.state);
  t.country = TrimBlanks(b.country);
  for (int body = 0; body < kBodyCount; ++body) {
    const auto i = static_cast<std::size_t>(body);
    t.bodyNames[i] = kPlainBodyNames[i];
    if (chart.retrograde[i]) t.bodyNames[i] += kRetrogradeMark;
    t.positions[i] = CompactLongitude(chart.positions.longitudeDeg[i]);
    if (const std::optional<int> sign = BodySign(chart, body)) {
      t.chartBoxes[static_cast<std::size_t>(*sign)] += "\r\n";
      t.chartBoxes[static_cast<std::size_t>(*sign)] += t.bodyNames[i];
    }
  }
  t.lagnaBoxes = LagnaMarksBySign(chart.lagnas);
  t.sunAtSunrise = CompactLongitude(chart.sun.sunAtSunriseDeg);
  return t;
}

std::string DoubledHourReading(const Chart& chart) {
  const BirthClock& clock = chart.clock;
  if (clock.fold == DoubledHour::kNone) return {};
  if (!clock.zoneId.empty())
    if (std::string abbreviation = AbbreviationAt(chart.birth, clock); !abbreviation.empty()) return abbreviation;
  return clock.fold == DoubledHour::kEarlier ? "earlier" : "later";
}

std::string BirthClockReading(const Chart& chart) {
  std::string text = BirthTimeText(chart.birth);
  if (const std::string reading = DoubledHourReading(chart); !reading.empty()) text += " " + reading;
  return text;
}

std::string ClockText(const Chart& chart) {
  const BirthClock& clock = chart.clock;
  const std::string offset = FormatUtOffset(clock.utcOffsetSeconds);
  switch (clock.source) {
    case ClockSource::kExactOffset: return "exact offset " + offset;
    case ClockSource::kZoneDatabase: {
      std::string text = clock.zoneId;
      if (const std::string abbreviation = AbbreviationAt(chart.birth, clock); !abbreviation.empty())
        text += ", " + abbreviation;
      text += ", " + offset;
      if (clock.fold == DoubledHour::kEarlier) text += " (earlier of the doubled hour)";
      if (clock.fold == DoubledHour::kLater) text += " (later of the doubled hour)";
      return text;
    }
    case ClockSource::kZoneRow: break;
  }
  std::string text(ZoneName(clock.zonePosition));
  if (clock.zonePosition >= 0 && clock.zonePosition < kZoneCount) {
    const std::string_view row = kZoneTable[static_cast<std::size_t>(clock.zonePosition)].text;
    const std::size_t first = row.find(','), second = row.find(',', first + 1);
    if (first != std::string_view::npos && second != std::string_view::npos)
      // Some rows carry blanks after their commas ("Indian Time, IST, +5.3"); the clock
      // text shows the abbreviation without them.
      text.append(", ").append(TrimBlanks(row.substr(first + 1, second - first - 1)));
  }
  text += ", " + offset;
  if (clock.daylightSaving) text += " with daylight saving";
  return text;
}

}  // namespace corvane
