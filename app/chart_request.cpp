#include "app/chart_request.h"

#include <utility>

#include "app/birth_validation.h"
#include "app/chart_calculation.h"

namespace corvane {

namespace {

// The text of a coordinate part as the chart's birth keeps it: the number's digits, or empty.
std::string PartText(const std::optional<int>& part) { return part ? std::to_string(*part) : std::string(); }

std::optional<int> PartOf(std::string_view text) { return CoordinateValue(text); }

DoubledHour FoldOf(RepeatedTimeChoice choice) {
  return choice == RepeatedTimeChoice::kEarlier ? DoubledHour::kEarlier
         : choice == RepeatedTimeChoice::kLater ? DoubledHour::kLater
                                                : DoubledHour::kNone;
}

// A refused check of the birth fields as a problem; the checks that focus no field are those of
// the calendar, the engine's years and the time lists.
Problem InvalidBirth(const InputMessage& message) {
  std::string field = FieldOf(message.focus);
  if (field.empty()) field = message.text.find("Time") != std::string_view::npos ? "time" : "date";
  return {ProblemCode::kInvalidBirth, std::move(field), std::string(message.text)};
}

// The clock a request asks for, set into the birth once its fields have passed their checks.
std::optional<Problem> SetClock(const ChartRequest& request, const std::string& placeZone, BirthData& data) {
  const RequestedClock& clock = request.clock;
  switch (clock.kind) {
    case ClockKind::kZoneRow:
    case ClockKind::kExactOffset:
      return std::nullopt;  // EnteredBirth set them
    case ClockKind::kZoneId:
      return SetBirthZone(clock.zoneId, clock.fold, data);
    case ClockKind::kPlaceZone:
      if (placeZone.empty()) return Problem{ProblemCode::kUnknownZone, "place", "No place was searched for its zone."};
      data.placeFilled.emplace_back("zone");
      return SetBirthZone(placeZone, clock.fold, data);
  }
  return std::nullopt;
}

}  // namespace

std::string FieldOf(BirthField field) {
  switch (field) {
    case BirthField::Name: return "name";
    case BirthField::LonDegrees: return "lon_degrees";
    case BirthField::LonMinutes: return "lon_minutes";
    case BirthField::LatDegrees: return "lat_degrees";
    case BirthField::LatMinutes: return "lat_minutes";
    case BirthField::City: return "city";
    case BirthField::State: return "state";
    case BirthField::Country: return "country";
    case BirthField::None: break;
  }
  return {};
}

BirthData EnteredBirth(const ChartRequest& request) {
  BirthData d;
  d.name = request.name;
  d.year = request.born.year;
  d.monthIndex = request.born.month - 1;
  d.day = request.born.day;
  d.hour = request.born.hour;
  d.minute = request.born.minute;
  d.second = request.born.second;
  const RequestedPlace& place = request.place;
  d.city = place.city;
  d.state = place.state;
  d.country = place.country;
  d.lonDegrees = PartText(place.longitude.degrees);
  d.lonMinutes = PartText(place.longitude.minutes);
  d.east = place.longitude.positive;
  d.latDegrees = PartText(place.latitude.degrees);
  d.latMinutes = PartText(place.latitude.minutes);
  d.south = !place.latitude.positive;
  d.place = place.found;
  d.placeFilled = place.filled;
  const RequestedClock& clock = request.clock;
  if (clock.kind == ClockKind::kZoneRow || clock.kind == ClockKind::kExactOffset) {
    d.zonePosition = clock.zonePosition;
    d.daylightSaving = clock.daylightSaving;
  }
  // A zone id beside a row or an exact offset is the record of where they came from (a chart
  // file keeps it); it does not change the clock.
  if (clock.kind == ClockKind::kZoneRow || clock.kind == ClockKind::kExactOffset) {
    if (clock.kind == ClockKind::kExactOffset) d.extras.utcOffsetSeconds = clock.utcOffsetSeconds;
    if (!clock.zoneId.empty()) d.extras.zoneId = clock.zoneId;
    d.extras.fold = FoldOf(clock.fold);
  }
  return d;
}

Result<BirthData> ResolveBirth(const ChartRequest& request, std::vector<PlaceResult>* found, std::size_t alsoListed) {
  const CalculationSettings& settings = request.settings;

  // The place first: it fills the coordinates that the checks then judge.
  BirthData data = EnteredBirth(request);
  std::string placeZone;
  if (!request.place.search.empty()) {
    Result<std::string> zone = FillFromPlace(request.place.search, request.place.given, data, found, alsoListed);
    if (!zone) return zone.problem();
    placeZone = zone.value();
  }
  // The fields before the clock, so that no doubled hour is asked about for a birth that is
  // then refused.
  if (const auto message = ValidateBirthData(data, settings.engine)) return InvalidBirth(*message);
  if (auto problem = SetClock(request, placeZone, data)) return std::move(*problem);
  return data;
}

Result<ChartReading> ResolveChart(const ChartRequest& request, std::vector<PlaceResult>* found, std::size_t alsoListed) {
  const CalculationSettings& settings = request.settings;
  if (const auto conflict = SettingsConflict(settings))
    return Problem{ProblemCode::kSettingsConflict, "node", std::string(conflict->message)};
  const Result<BirthData> birth = ResolveBirth(request, found, alsoListed);
  if (!birth) return birth.problem();
  const CalculationResult result = CalculateChart(*birth, settings);
  if (const auto* message = std::get_if<InputMessage>(&result.outcome))
    return Problem{ProblemCode::kEngine, FieldOf(message->focus), std::string(message->text)};
  if (const auto* polar = std::get_if<PolarDate>(&result.outcome))
    return Problem{ProblemCode::kPolarDate, "date", polar->message};
  ChartReading reading;
  reading.chart = std::get<std::shared_ptr<const Chart>>(result.outcome);
  if (request.sweepMinutes > 0)
    reading.sweep = std::make_shared<const BirthSweep>(SweepOfChart(*reading.chart, request.sweepMinutes));
  return reading;
}

Result<BirthClock> ResolveClock(const ChartRequest& request) {
  if (request.clock.kind == ClockKind::kPlaceZone)
    return Problem{ProblemCode::kUnknownZone, "place", "No place was searched for its zone."};
  BirthData data = EnteredBirth(request);
  if (auto problem = SetClock(request, {}, data)) return std::move(*problem);
  return ClockOf(data);
}

std::optional<RepeatedLocalTime> DoubledHourOf(const ChartRequest& request) {
  if (request.clock.kind != ClockKind::kZoneId) return std::nullopt;
  const CivilDateTime& t = request.born;
  const ZoneLookup lookup =
      LookUpLocalTime(request.clock.zoneId, {t.year, t.month, t.day, t.hour, t.minute, t.second});
  if (const auto* twice = std::get_if<RepeatedLocalTime>(&lookup)) return *twice;
  return std::nullopt;
}

ChartRequest RequestOf(const BirthData& birth, const CalculationSettings& settings) {
  ChartRequest r;
  r.name = birth.name;
  r.born = {birth.year, birth.monthIndex + 1, birth.day, birth.hour, birth.minute, birth.second};
  RequestedPlace& place = r.place;
  place.longitude = {PartOf(birth.lonDegrees), PartOf(birth.lonMinutes), birth.east};
  place.latitude = {PartOf(birth.latDegrees), PartOf(birth.latMinutes), !birth.south};
  place.city = birth.city;
  place.state = birth.state;
  place.country = birth.country;
  place.found = birth.place;
  place.filled = birth.placeFilled;
  RequestedClock& clock = r.clock;
  clock.zonePosition = birth.zonePosition;
  clock.daylightSaving = birth.daylightSaving;
  clock.zoneId = birth.extras.zoneId.value_or(std::string());
  clock.fold = ReadingChoiceOf(birth.extras.fold);
  if (birth.extras.utcOffsetSeconds) {
    clock.kind = ClockKind::kExactOffset;
    clock.utcOffsetSeconds = *birth.extras.utcOffsetSeconds;
  }
  r.settings = settings;
  return r;
}

ChartRequest RequestOf(const Chart& chart) {
  const ChartBirth& b = chart.birth;
  ChartRequest r;
  r.name = b.name;
  r.born = {b.year, b.monthIndex + 1, b.day, b.hour, b.minute, b.second};
  RequestedPlace& place = r.place;
  place.longitude = {b.longitude.degrees, b.longitude.minutes, b.longitude.positive};
  place.latitude = {b.latitude.degrees, b.latitude.minutes, b.latitude.positive};
  place.city = b.city;
  place.state = b.state;
  place.country = b.country;
  place.found = b.place;
  place.filled = b.placeFilled;
  RequestedClock& clock = r.clock;
  clock.zonePosition = chart.clock.zonePosition;
  clock.daylightSaving = chart.clock.daylightSaving;
  const bool row = chart.clock.source == ClockSource::kZoneRow;
  clock.zoneId = row ? chart.clock.recordedZoneId : chart.clock.zoneId;
  clock.fold = ReadingChoiceOf(row ? chart.clock.recordedFold : chart.clock.fold);
  // A clock read from the time zone database is asked for again as the offset it gave.
  if (!row) {
    clock.kind = ClockKind::kExactOffset;
    clock.utcOffsetSeconds = chart.clock.utcOffsetSeconds;
  }
  r.settings = chart.settings;
  return r;
}

RepeatedTimeChoice ReadingChoiceOf(DoubledHour fold) {
  return fold == DoubledHour::kEarlier ? RepeatedTimeChoice::kEarlier
         : fold == DoubledHour::kLater ? RepeatedTimeChoice::kLater
                                       : RepeatedTimeChoice::kAsk;
}

BirthData BirthDataOf(const Chart& chart) { return EnteredBirth(RequestOf(chart)); }

}  // namespace corvane
