#include "app/chart_calculation.h"

#include "app/birth_zone.h"
#include "app/display_texts.h"
#include "app/ephemeris_messages.h"
#include "app/month_names.h"
#include "app/recycling_allocator.h"
#include "app/zone_clock.h"
#include "app/zone_table.h"
#include "astro/element_ephemeris.h"
#include "astro/moon.h"
#include "astro/swiss_ephemeris.h"
#include "lagna/placement_readings.h"
#include "lagna/reference_sunrise.h"
#include "lagna/special_lagnas.h"

namespace corvane {

namespace {

// Coordinate texts have passed validation, so they hold a whole number (perhaps with blanks),
// read exactly as validation read it.
int Number(std::string_view text) { return CoordinateValue(text).value_or(0); }

}  // namespace

ChartBirth ChartBirthOf(const BirthData& d) {
  ChartBirth b;
  b.name = d.name;
  b.monthIndex = d.monthIndex;
  b.day = d.day;
  b.year = d.year;
  b.hour = d.hour;
  b.minute = d.minute;
  b.second = d.second;
  b.city = TrimBlanks(d.city);
  b.state = TrimBlanks(d.state);
  b.country = TrimBlanks(d.country);
  b.longitude = {Number(d.lonDegrees), Number(d.lonMinutes), d.east};
  b.latitude = {Number(d.latDegrees), Number(d.latMinutes), !d.south};
  b.place = d.place;
  b.placeFilled = d.placeFilled;
  return b;
}

namespace {

// The abbreviation a database zone's clock showed at the birth with the offset used, or nothing.
std::string AbbreviationAt(const BirthData& b, std::string_view zoneId, int utcOffsetSeconds) {
  const LocalDateTime local{b.year, b.monthIndex + 1, b.day, b.hour, b.minute, b.second};
  const ZoneLookup lookup = LookUpLocalTime(zoneId, local);
  if (const auto* reading = std::get_if<ZoneReading>(&lookup)) return reading->abbreviation;
  if (const auto* twice = std::get_if<RepeatedLocalTime>(&lookup)) {
    for (const ZoneReading* r : {&twice->earlier, &twice->later})
      if (r->utOffsetSeconds == utcOffsetSeconds) return r->abbreviation;
  }
  return {};
}

PolarDate PolarMessage(const CivilDateTime& date) {
  const std::string when = std::string(kMonthNames[date.month - 1]) + " " + std::to_string(date.day) + ", " +
                           std::to_string(date.year);
  return {date, "The Sun does not rise or does not set at this place on " + when +
                    ", so the lagnas counted from sunrise cannot be computed for this birth."};
}

// Everything after validation; the engine may throw EphemerisError.
CalculationResult Calculate(const BirthData& data, const Ephemeris& engine, const CalculationSettings& settings) {
  // A batch makes a chart per record on each thread: its storage is reused.
  auto chart = std::allocate_shared<Chart>(RecyclingAllocator<Chart>());
  Chart& c = *chart;
  c.birth = ChartBirthOf(data);
  c.clock = ClockOf(data);
  c.settings = settings;

  // One clock offset and one place for every step; positions are taken at the birth minute,
  // or at the birth second under exact timing.
  const bool exact = settings.timing == TimingPrecision::kExact;
  const GeoPoint place{c.birth.latitude.Degrees(), c.birth.longitude.Degrees()};
  const int offset = c.clock.utcOffsetSeconds;
  const CivilDateTime birth{data.year, data.monthIndex + 1, data.day, data.hour, data.minute, data.second};
  const UtInstant birthMinute =
      ToUniversalTime({birth.year, birth.month, birth.day, birth.hour, birth.minute, exact ? birth.second : 0}, offset);

  c.positions = engine.Positions(birthMinute, place);
  c.retrograde = engine.Retrograde(birthMinute);

  // Sunrise and sunset of the birth date and its neighbours; the birth date is named first
  // when it is itself without sunrise or sunset.
  const CivilDateTime birthDate{birth.year, birth.month, birth.day, 0, 0, 0};
  const CivilDateTime before = AddDays(birthDate, -1), after = AddDays(birthDate, 1);
  const RiseSet today = engine.SunRiseSet(birthDate.year, birthDate.month, birthDate.day, place, offset);
  const RiseSet previous = engine.SunRiseSet(before.year, before.month, before.day, place, offset);
  const RiseSet next = engine.SunRiseSet(after.year, after.month, after.day, place, offset);
  if (!today.ok()) return {PolarMessage(birthDate)};
  if (!previous.ok()) return {PolarMessage(before)};
  if (!next.ok()) return {PolarMessage(after)};
  SunDays& sun = c.sun;
  sun.riseBirthDay = today.rise;
  sun.setBirthDay = today.set;
  sun.risePrevious = previous.rise;
  sun.setPrevious = previous.set;
  sun.riseNext = next.rise;
  sun.setNext = next.set;

  ReferenceSunrise reference = ChooseReferenceSunrise(birth, today.rise, previous.rise);
  UtInstant sunriseMoment = ToUniversalTime(reference.sunrise, offset);
  if (exact) {
    // The unrounded sunrise decides the day counted from, and the Sun is taken at it.
    const ExactReferenceSunrise precise = ChooseExactReferenceSunrise(birth, today.riseSeconds, previous.riseSeconds);
    reference = CountFromSunrise(birth, precise.previousDay ? previous.rise : today.rise);
    sunriseMoment = ToUniversalTime(precise.previousDay ? before : birthDate, offset);
    sunriseMoment.hoursFromDate += precise.clockSeconds / 3600.0;
    sun.exact = SunDays::Exact{previous.riseSeconds, previous.setSeconds, today.riseSeconds,   today.setSeconds,
                               next.riseSeconds,     next.setSeconds,     precise.clockSeconds, precise.secondsSince};
  }
  sun.referenceSunrise = reference.sunrise;
  sun.minutesSinceSunrise = reference.minutesSince;
  sun.secondsSinceSunrise = reference.secondsSince;
  sun.sunAtSunriseDeg = engine.SunLongitudeDeg(sunriseMoment, birthMinute);

  LagnaInputs inputs;
  inputs.birthDeg = c.positions.longitudeDeg;
  inputs.moonNakshatraStartDeg = NakshatraStartOf(c.positions.longitudeDeg[kMoon], settings.nakshatra);
  inputs.sunAtSunriseDeg = sun.sunAtSunriseDeg;
  inputs.minutesSinceSunrise = sun.minutesSinceSunrise;
  inputs.secondsSinceSunrise = sun.secondsSinceSunrise;
  settings.CountLagnasBy(inputs);
  if (sun.exact) inputs.exactSecondsSinceSunrise = sun.exact->secondsSinceSunrise;
  c.lagnas = ComputeLagnas(inputs);
  return {std::shared_ptr<const Chart>(std::move(chart))};
}

}  // namespace

BirthClock ClockOf(const BirthData& data) {
  BirthClock clock;
  clock.zonePosition = data.zonePosition;
  clock.daylightSaving = data.daylightSaving;
  if (data.extras.utcOffsetSeconds) {
    // The row shown and saved is the one that fits the clock used, never one left over.
    const ZoneRowChoice row = ZoneRowOfClock(data);
    clock.zonePosition = row.position;
    clock.daylightSaving = row.daylightSaving;
    clock.utcOffsetSeconds = *data.extras.utcOffsetSeconds;
    clock.zoneId = data.extras.zoneId.value_or(std::string());
    clock.fold = data.extras.fold;
    clock.source = clock.zoneId.empty() ? ClockSource::kExactOffset : ClockSource::kZoneDatabase;
    if (!clock.zoneId.empty()) clock.abbreviation = AbbreviationAt(data, clock.zoneId, clock.utcOffsetSeconds);
    return clock;
  }
  clock.utcOffsetSeconds = RowOffsetSeconds(data.zonePosition, data.daylightSaving);
  clock.abbreviation = ZoneAbbreviation(data.zonePosition);
  clock.recordedZoneId = data.extras.zoneId.value_or(std::string());
  clock.recordedFold = data.extras.fold;
  return clock;
}

const Ephemeris& DefaultEphemeris() {
  static const ElementEphemeris engine;
  return engine;
}

CalculationResult CalculateChart(const BirthData& data, const CalculationSettings& settings) {
  if (const auto conflict = SettingsConflict(settings))
    return {InputMessage{conflict->message, MessageIcon::Error, BirthField::None}};
  if (settings.engine == EngineKind::kSwiss) return CalculateChart(data, SwissEphemeris(settings.conventions()), settings);
  if (settings.ayanamsa == Ayanamsa::kLahiri && settings.sunrise == SunriseDefinition::kUpperLimbRefracted)
    return CalculateChart(data, DefaultEphemeris(), settings);
  return CalculateChart(data, ElementEphemeris(settings.ayanamsa, settings.sunrise), settings);
}

CalculationResult CalculateChart(const BirthData& data, const Ephemeris& engine, const CalculationSettings& settings) {
  if (const auto message = ValidateBirthData(data, settings.engine)) return {*message};
  try {
    return Calculate(data, engine, settings);
  } catch (const EphemerisError& e) {
    return {InputMessage{EphemerisFailureMessage(e.failure()), MessageIcon::Error, BirthField::None}};
  }
}

namespace {

PageInputs PageInputsOf(const Chart& chart) {
  PageInputs in;
  for (int l = 0; l < kLagnaCount; ++l) in.lagnaSigns[static_cast<std::size_t>(l)] = chart.lagnas.lagnas[static_cast<std::size_t>(l)].sign;
  for (int b = 0; b < kBodyCount; ++b) in.bodySigns[static_cast<std::size_t>(b)] = BodySign(chart, b).value_or(-1);
  in.arudhaPadaSign = chart.lagnas.padas.padaSign[0];
  in.upapadaSign = chart.lagnas.padas.padaSign[11];
  in.horaHouse = chart.lagnas.horaHouse;
  in.pranapadaHouse = chart.lagnas.pranapadaHouse;
  return in;
}

}  // namespace

LagnaPageFields PageFieldsOf(const Chart& chart) { return BuildPageFields(PageInputsOf(chart)); }

void ReadingsOf(const Chart& chart, RichReading& arudha, RichReading& upapada) {
  const PageInputs in = PageInputsOf(chart);
  ArudhaReading(in.bodySigns, in.arudhaPadaSign, arudha);
  UpapadaReading(in.bodySigns, in.upapadaSign, upapada);
}

}  // namespace corvane
