#include "app/chart_texts.h"

#include "app/chart_calculation.h"
#include "app/display_texts.h"
#include "app/month_names.h"
#include "app/zone_clock.h"
#include "app/zone_table.h"

namespace corvane {

namespace {

std::string CoordinateText(const PlaceCoordinate& coordinate, std::string_view positive, std::string_view negative) {
  ShortText text;
  text.Number(coordinate.degrees) << "\xC2\xB0 ";
  return std::string((text.Number(coordinate.minutes) << "' " << (coordinate.positive ? positive : negative)).View());
}

void PutTime(const ChartBirth& b, ShortText& time) {
  time.Number(b.hour, 2) << ':';
  time.Number(b.minute, 2) << ':';
  time.Number(b.second, 2);
}

}  // namespace

std::string BirthTimeText(const ChartBirth& birth) {
  ShortText time;
  PutTime(birth, time);
  return std::string(time.View());
}

BirthFieldTexts BirthFieldTextsOf(const ChartBirth& b) {
  BirthFieldTexts t;
  t.date.Number(b.year, 4) << '-';
  t.date.Number(b.monthIndex + 1, 2) << '-';
  t.date.Number(b.day, 2);
  PutTime(b, t.time);
  t.lon.Number(b.longitude.degrees) << ':';
  t.lon.Number(b.longitude.minutes, 2) << (b.longitude.positive ? 'E' : 'W');
  t.lat.Number(b.latitude.degrees) << ':';
  t.lat.Number(b.latitude.minutes, 2) << (b.latitude.positive ? 'N' : 'S');
  return t;
}

BirthFieldTexts BirthFieldTextsOf(const BirthData& birth) { return BirthFieldTextsOf(ChartBirthOf(birth)); }

std::string_view ZoneRowText(const BirthClock& clock) {
  const bool listed = clock.zonePosition >= 0 && clock.zonePosition < kZoneCount;
  return listed ? kZoneTable[static_cast<std::size_t>(clock.zonePosition)].text : std::string_view();
}

ChartTexts TextsOf(const Chart& chart) {
  const ChartBirth& b = chart.birth;
  ChartTexts t;
  t.name = b.name;
  ShortText date;
  (date << kMonthNames[static_cast<std::size_t>(b.monthIndex)] << '/').Number(b.day) << '/';
  t.date = date.Number(b.year).View();
  t.time = BirthTimeText(b);
  t.latitude = CoordinateText(b.latitude, "N", "S");
  t.longitude = CoordinateText(b.longitude, "E", "W");
  t.city = b.city;
  t.state = b.state;
  t.country = b.country;
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
  if (clock.source == ClockSource::kZoneDatabase && !clock.abbreviation.empty()) return clock.abbreviation;
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
      if (!clock.abbreviation.empty()) text += ", " + clock.abbreviation;
      text += ", " + offset;
      if (clock.fold == DoubledHour::kEarlier) text += " (earlier of the doubled hour)";
      if (clock.fold == DoubledHour::kLater) text += " (later of the doubled hour)";
      return text;
    }
    case ClockSource::kZoneRow: break;
  }
  std::string text(ZoneName(clock.zonePosition));
  if (!clock.abbreviation.empty()) text.append(", ").append(clock.abbreviation);
  text += ", " + offset;
  if (clock.daylightSaving) text += " with daylight saving";
  return text;
}

}  // namespace corvane
