#include "app/chart_calculation.h"

#include "app/display_texts.h"
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

void CopyInputs(const BirthData& d, ChartState& s) {
  s.BirthName = d.name;
  s.ZonePosition = d.zonePosition;
  if (const auto zone = Zone_Calculation(d.zonePosition)) {
    s.ZoneOffsetHours = zone->hours;
    s.ZoneOffsetMinutes = zone->minutes;
  }
  s.BirthMonth = d.monthIndex + 1;
  s.BirthDay = d.day;
  s.BirthYear = d.year;
  s.BirthHour = d.hour;
  s.BirthMinute = d.minute;
  s.BirthSecond = d.second;
  s.LongitudeDegrees = Number(d.lonDegrees);
  s.LongitudeMinutes = Number(d.lonMinutes);
  s.LatitudeDegrees = Number(d.latDegrees);
  s.LatitudeMinutes = Number(d.latMinutes);
  s.IsEast = d.east;
  s.IsSouth = d.south;
  s.IsDaylightSaving = d.daylightSaving;
  s.BirthCity = TrimBlanks(d.city);
  s.BirthState = TrimBlanks(d.state);
  s.BirthCountry = TrimBlanks(d.country);
}

// The clock of the birth: the exact offset of its zone when known (seconds and all),
// otherwise the zone list row and the daylight-saving tick.
ClockOffset ClockOffsetOf(const BirthData& d, ChartState& s) {
  if (d.extras.utcOffsetSeconds) {
    const int utMinusLocal = -*d.extras.utcOffsetSeconds;
    s.ZoneId = d.extras.zoneId.value_or(std::string());
    s.UtcOffsetSeconds = *d.extras.utcOffsetSeconds;
    return {utMinusLocal / 3600, utMinusLocal % 3600 / 60, utMinusLocal % 60, false};
  }
  const ClockOffset offset{s.ZoneOffsetHours, s.ZoneOffsetMinutes, 0, s.IsDaylightSaving};
  s.UtcOffsetSeconds = -offset.TotalSeconds();
  return offset;
}

GeoPoint PlaceOf(const ChartState& s) {
  double latitude = s.LatitudeDegrees + s.LatitudeMinutes / 60.0;
  double longitude = s.LongitudeDegrees + s.LongitudeMinutes / 60.0;
  return {s.IsSouth ? -latitude : latitude, s.IsEast ? longitude : -longitude};
}

PolarDate PolarMessage(const CivilDateTime& date) {
  const std::string when = std::string(kMonthNames[date.month - 1]) + " " + std::to_string(date.day) + ", " +
                           std::to_string(date.year);
  return {date, "The Sun does not rise or does not set at this place on " + when +
                    ", so the lagnas counted from sunrise cannot be computed for this birth."};
}

void NameBodies(const PerBody<bool>& retrograde, ChartState& s) {
  for (int b = 0; b < kBodyCount; ++b) {
    s.ChartBodyNames[b] = kPlainBodyNames[b];
    if (retrograde[b]) s.ChartBodyNames[b] += kRetrogradeMark;
  }
}

void CopyLagnas(const LagnaChart& lagnas, ChartState& s) {
  for (int l = 0; l < kLagnaCount; ++l) {
    const LagnaPosition& p = lagnas.lagnas[l];
    s.LagnaSigns[l] = p.sign;
    s.HasLongitude[l] = p.longitudeDeg.has_value();
    s.LagnaLongitudes[l] = p.longitudeDeg.value_or(0.0);
  }
  s.ArudhaPadaSigns = lagnas.padas.padaSign;
  s.HoraHouse = lagnas.horaHouse;
  s.PranapadaHouse = lagnas.pranapadaHouse;
  for (int b = 0; b < kBodyCount; ++b) s.PlanetSign[b] = lagnas.bodySigns[b] < 0 ? 0 : lagnas.bodySigns[b];
}

// The result window's texts: birth details, positions, and the bodies of each sign box in
// body order.
void WriteResultTexts(const BirthData& d, const LagnaChart& lagnas, ChartState& s) {
  ResultTexts& r = s.Results;
  r.NameText = s.BirthName;
  // Built in place: a batch makes these texts for every chart.
  ShortText date, time, latitude, longitude;
  (date << kMonthNames[s.BirthMonth - 1] << '/').Number(s.BirthDay) << '/';
  r.DateText = date.Number(s.BirthYear).View();
  time.Number(s.BirthHour) << ':';
  r.TimeText = time.Number(s.BirthMinute).View();
  latitude.Number(s.LatitudeDegrees) << "\xC2\xB0 ";
  r.LatitudeText = (latitude.Number(s.LatitudeMinutes) << "'" << (s.IsSouth ? " S" : " N")).View();
  longitude.Number(s.LongitudeDegrees) << "\xC2\xB0 ";
  r.LongitudeText = (longitude.Number(s.LongitudeMinutes) << "'" << (s.IsEast ? " E" : " W")).View();
  r.CityText = d.city;
  r.StateText = d.state;
  r.CountryText = d.country;
  for (int b = 0; b < kBodyCount; ++b) {
    r.PositionTexts[b] = CompactLongitude(s.BirthLongitudes[b]);
    if (const int sign = lagnas.bodySigns[b]; sign >= 0) {
      r.ChartBoxTexts[sign] += "\r\n";
      r.ChartBoxTexts[sign] += s.ChartBodyNames[b];
    }
  }
  s.SunriseSunText = CompactLongitude(s.SunriseSunLongitude);
  r.LagnaBoxTexts = LagnaMarksBySign(lagnas);
}

// Everything after validation; the engine may throw EphemerisError.
CalculationResult Calculate(const BirthData& data, const Ephemeris& engine, const CalculationSettings& settings) {
  auto chart = std::make_shared<ChartState>();
  ChartState& s = *chart;
  CopyInputs(data, s);
  s.Input = data;
  s.Settings = settings;

  // One clock offset and one place for every step; positions are taken at the birth minute.
  const GeoPoint place = PlaceOf(s);
  const ClockOffset offset = ClockOffsetOf(data, s);
  const CivilDateTime birth{s.BirthYear, s.BirthMonth, s.BirthDay, s.BirthHour, s.BirthMinute, s.BirthSecond};
  const UtInstant birthMinute = ToUniversalTime({birth.year, birth.month, birth.day, birth.hour, birth.minute, 0}, offset);

  const SiderealPositions positions = engine.Positions(birthMinute, place);
  s.BirthLongitudes = positions.longitudeDeg;
  s.AyanamsaOffset = positions.ayanamsaDeg;
  s.MoonNakshatraStart = NakshatraStartOf(positions.longitudeDeg[kMoon]);
  NameBodies(engine.Retrograde(birthMinute), s);

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
  s.SunriseBirthDay = today.rise;
  s.SunsetBirthDay = today.set;
  s.SunrisePrevious = previous.rise;
  s.SunsetPrevious = previous.set;
  s.SunriseNext = next.rise;
  s.SunsetNext = next.set;

  const ReferenceSunrise reference = ChooseReferenceSunrise(birth, today.rise, previous.rise);
  s.ReferenceSunrise = reference.sunrise;
  s.MinutesSinceSunrise = reference.minutesSince;
  s.SecondsSinceSunrise = reference.secondsSince;
  s.SunriseSunLongitude = engine.SunLongitudeDeg(ToUniversalTime(reference.sunrise, offset), birthMinute);

  const LagnaChart lagnas = ComputeLagnas({positions.longitudeDeg, s.MoonNakshatraStart, s.SunriseSunLongitude,
                                           s.MinutesSinceSunrise, s.SecondsSinceSunrise, settings.indu});
  CopyLagnas(lagnas, s);
  WriteResultTexts(data, lagnas, s);
  return {std::shared_ptr<const ChartState>(std::move(chart))};
}

}  // namespace

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
    return {InputMessage{e.message(), MessageIcon::Error, BirthField::None}};
  }
}

namespace {

PageInputs PageInputsOf(const ChartState& chart) {
  PageInputs in;
  in.lagnaSigns = chart.LagnaSigns;
  in.bodySigns = chart.PlanetSign;
  in.arudhaPadaSign = chart.ArudhaPadaSigns[0];
  in.upapadaSign = chart.ArudhaPadaSigns[11];
  in.horaHouse = chart.HoraHouse;
  in.pranapadaHouse = chart.PranapadaHouse;
  return in;
}

}  // namespace

LagnaPageFields PageFieldsOf(const ChartState& chart) { return BuildPageFields(PageInputsOf(chart)); }

void ReadingsOf(const ChartState& chart, RichReading& arudha, RichReading& upapada) {
  const PageInputs in = PageInputsOf(chart);
  ArudhaReading(in.bodySigns, in.arudhaPadaSign, arudha);
  UpapadaReading(in.bodySigns, in.upapadaSign, upapada);
}

}  // namespace corvane
