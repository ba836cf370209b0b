#include "cli/cli_input.h"

#include <charconv>

#include "app/birth_sweep.h"
#include "app/birth_validation.h"
#include "app/display_texts.h"
#include "app/whole_number.h"
#include "app/zone_table.h"
#include "cli/settings_options.h"

namespace corvane {
namespace {

CliInputError Usage(std::string message) { return {CliInputError::Kind::Usage, std::move(message)}; }
CliInputError Rejected(std::string_view message) { return {CliInputError::Kind::Rejected, std::string(message)}; }


// Splits "DDD:MMx" into its degree text, minute text and hemisphere letter.
struct CoordinateParts {
  std::string_view degrees, minutes;
  char hemisphere;
};
std::optional<CoordinateParts> SplitCoordinate(std::string_view text) {
  const auto colon = text.find(':');
  if (colon == std::string_view::npos || text.size() < colon + 2) return std::nullopt;
  return CoordinateParts{text.substr(0, colon), text.substr(colon + 1, text.size() - colon - 2), text.back()};
}

// The coordinate fields take digits only; anything else gets the key filter's message.
std::optional<CliInputError> CheckCoordinateKeys(std::string_view text) {
  for (const char c : text) {
    if (c == '\b' || !FilterKey(KeyFilter::Coordinate, static_cast<unsigned char>(c))) {
      return Rejected(RejectedKeyMessage(KeyFilter::Coordinate).text);
    }
  }
  return std::nullopt;
}

// `shape` is "DDD:MM" or "DD:MM": the fields of the form hold no more characters than that.
std::optional<CliInputError> SetCoordinate(std::string_view text, char positive, char negative,
                                           std::string_view what, std::string_view shape, EnteredCoordinate& coordinate) {
  const auto parts = SplitCoordinate(text);
  const char upper = parts ? static_cast<char>(parts->hemisphere & ~0x20) : 0;
  const std::size_t degreeWidth = shape.find(':');
  if (!parts || (upper != positive && upper != negative) || parts->degrees.size() > degreeWidth ||
      parts->minutes.size() > shape.size() - degreeWidth - 1) {
    const std::string form(shape);
    return Usage(std::string(what) + " must look like " + form + positive + " or " + form + negative + ", not \"" +
                 std::string(text) + "\"");
  }
  if (auto e = CheckCoordinateKeys(parts->degrees)) return e;
  if (auto e = CheckCoordinateKeys(parts->minutes)) return e;
  // Digits only, at most three: an empty part is nothing, refused with the form's message.
  coordinate.degrees = ParseDigits(parts->degrees, 3);
  coordinate.minutes = ParseDigits(parts->minutes, 3);
  coordinate.positive = upper == positive;
  return std::nullopt;
}

// --fold, --place, --tz and --sweep.
std::optional<CliInputError> ReadClockAndSweep(const OptionValue& valueOf, ChartRequest& request) {
  const auto has = [&](std::string_view option) { return valueOf(option).has_value(); };
  const auto value = [&](std::string_view option) { return valueOf(option).value_or(std::string_view()); };
  RepeatedTimeChoice fold = RepeatedTimeChoice::kAsk;
  if (has("--fold")) {
    const std::string_view text = value("--fold");
    if (text != "earlier" && text != "later")
      return CliInputError{CliInputError::Kind::Usage, "--fold takes earlier or later, not \"" + std::string(text) + "\"",
                           "--fold"};
    fold = text == "earlier" ? RepeatedTimeChoice::kEarlier : RepeatedTimeChoice::kLater;
  }
  RequestedPlace& place = request.place;
  if (has("--place")) {
    place.search = std::string(value("--place"));
    if (place.search.empty()) return CliInputError{CliInputError::Kind::Rejected, "No place matches \"\".", "--place"};
    place.given = {has("--lon"), has("--lat"), has("--city"), has("--state"), has("--country")};
  }
  // A zone id wins over the place's zone, and a zone row given as it is over the place's.
  RequestedClock& clock = request.clock;
  clock.fold = fold;
  if (has("--tz")) {
    clock.kind = ClockKind::kZoneId;
    clock.zoneId = std::string(value("--tz"));
  } else if (has("--place") && !has("--zone")) {
    clock.kind = ClockKind::kPlaceZone;
  } else {
    clock.kind = ClockKind::kZoneRow;
    clock.fold = RepeatedTimeChoice::kAsk;
  }
  if (has("--sweep")) {
    const std::string_view text = value("--sweep");
    const std::optional<int> minutes = SweepMinutesOf(text);
    if (!minutes)
      return CliInputError{CliInputError::Kind::Usage,
                           "--sweep needs a number of minutes from 1 to " + std::to_string(kMaxSweepMinutes) +
                               ", not \"" + std::string(text) + "\"",
                           "--sweep"};
    request.sweepMinutes = *minutes;
  }
  return std::nullopt;
}

}  // namespace

std::optional<CliInputError> SetBirthName(std::string_view text, ChartRequest& request) {
  // The outer blanks a chart file drops are dropped here too, so that a saved chart opens
  // to the chart that was printed.
  text = TrimBlanks(text);
  if (auto why = NameRefusal(text)) return Rejected(*why);
  auto name = FilterName(text);
  if (!name) return Rejected(RejectedKeyMessage(KeyFilter::Name).text);
  request.name = std::move(*name);
  return std::nullopt;
}

std::optional<CliInputError> SetBirthDate(std::string_view text, ChartRequest& request) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
    return Usage("the date must look like YYYY-MM-DD, not \"" + std::string(text) + "\"");
  }
  const auto year = ParseDigits(text.substr(0, 4), 4);
  const auto month = ParseDigits(text.substr(5, 2), 2);
  const auto day = ParseDigits(text.substr(8, 2), 2);
  if (!year || !month || !day) return Usage("the date must look like YYYY-MM-DD, not \"" + std::string(text) + "\"");
  // The engine's own years are checked with the chart; here the widest span of any engine.
  if (*year < kAnyEngineYears.first || *year > kAnyEngineYears.last)
    return Rejected("The year must be one of 1901 to 2050 with the element method, or 1800 to 2399 with the Swiss "
                    "Ephemeris (--engine swiss)");
  if (*month < 1 || *month > 12) return Rejected("The month must be one of 1 to 12");
  if (*day < 1 || *day > 31) return Rejected("The day must be one of 1 to 31");
  request.born.year = *year;
  request.born.month = *month;
  request.born.day = *day;
  return std::nullopt;
}

std::optional<CliInputError> SetBirthTime(std::string_view text, ChartRequest& request) {
  const auto bad = [&] { return Usage("the time must look like HH:MM or HH:MM:SS, not \"" + std::string(text) + "\""); };
  const auto first = text.find(':');
  if (first == std::string_view::npos) return bad();
  const auto second = text.find(':', first + 1);
  const auto hour = ParseDigits(text.substr(0, first), 2);
  const auto minute = ParseDigits(text.substr(first + 1, second == std::string_view::npos ? std::string_view::npos
                                                                                       : second - first - 1), 2);
  std::optional<int> seconds = 0;
  if (second != std::string_view::npos) seconds = ParseDigits(text.substr(second + 1), 2);
  if (!hour || !minute || !seconds) return bad();
  if (*hour > 23) return Rejected("The hour must be one of 0 to 23");
  if (*minute > 59) return Rejected("The minute must be one of 0 to 59");
  if (*seconds > 59) return Rejected("The second must be one of 0 to 59");
  request.born.hour = *hour;
  request.born.minute = *minute;
  request.born.second = *seconds;
  return std::nullopt;
}

std::optional<CliInputError> SetZonePosition(std::string_view text, ChartRequest& request) {
  const auto zone = ParseDigits(text, 3);
  if (!zone) return Usage("the zone must be a list position, not \"" + std::string(text) + "\"");
  if (*zone >= kZoneCount) return Rejected("The zone must be a position from 0 to 70 of the zone list");
  request.clock.zonePosition = *zone;
  return std::nullopt;
}

std::optional<CliInputError> SetLongitude(std::string_view text, ChartRequest& request) {
  return SetCoordinate(text, 'E', 'W', "the longitude", "DDD:MM", request.place.longitude);
}

std::optional<CliInputError> SetLatitude(std::string_view text, ChartRequest& request) {
  return SetCoordinate(text, 'N', 'S', "the latitude", "DD:MM", request.place.latitude);
}

std::optional<CliInputError> SetDaylightSaving(std::string_view text, ChartRequest& request) {
  if (text != "0" && text != "1") return Usage("dst must be 0 or 1, not \"" + std::string(text) + "\"");
  request.clock.daylightSaving = text == "1";
  return std::nullopt;
}

std::optional<CliInputError> CheckClockOptions(const OptionPresence& given) {
  struct Conflict {
    std::string_view first, second;
    bool (*applies)(const OptionPresence&);
    std::string_view why;
  };
  static constexpr Conflict kConflicts[] = {
      {"--zone", "--tz", [](const OptionPresence& has) { return has("--zone") && has("--tz"); },
       "a clock comes from one of them: --zone N [--dst] or --tz ID [--fold earlier|later]"},
      {"--dst", "--tz", [](const OptionPresence& has) { return has("--dst") && has("--tz"); },
       "a zone id's clock already knows its daylight saving"},
      {"--fold", "--zone", [](const OptionPresence& has) { return has("--fold") && has("--zone"); },
       "a zone list row's clock has no doubled hour; --fold goes with --tz ID or --place TEXT"},
      {"--dst", "--place", [](const OptionPresence& has) { return has("--dst") && has("--place") && !has("--zone"); },
       "the place's zone id already knows its daylight saving; --dst goes with --zone N"},
  };
  for (const Conflict& c : kConflicts) {
    if (c.applies(given))
      return CliInputError{CliInputError::Kind::Usage,
                           std::string(c.first) + " cannot be combined with " + std::string(c.second) + ": " +
                               std::string(c.why),
                           c.first};
  }
  return std::nullopt;
}

std::optional<CliInputError> ReadBirthOptions(const OptionValue& valueOf, ChartRequest& request) {
  const auto has = [&](std::string_view option) { return valueOf(option).has_value(); };
  const auto value = [&](std::string_view option) { return valueOf(option).value_or(std::string_view()); };
  if (auto conflict = CheckClockOptions(has)) return conflict;
  // A zone id or a searched place gives the clock; a searched place also the coordinates.
  const bool place = has("--place"), zoneGiven = place || has("--tz");
  using Setter = std::optional<CliInputError> (*)(std::string_view, ChartRequest&);
  struct Field {
    std::string_view option;
    Setter set;
    bool optional;
  };
  const Field fields[] = {{"--name", SetBirthName, false},         {"--date", SetBirthDate, false},
                          {"--time", SetBirthTime, false},         {"--zone", SetZonePosition, zoneGiven},
                          {"--lon", SetLongitude, place},          {"--lat", SetLatitude, place}};
  for (const Field& field : fields) {
    if (!field.optional && !has(field.option)) {
      // The clock has three sources; the message names them all.
      const std::string what = field.option == "--zone" ? "one of --zone N, --tz ID or --place TEXT"
                                                        : std::string(field.option);
      return CliInputError{CliInputError::Kind::Usage, what + " is required", field.option};
    }
  }
  for (const Field& field : fields) {
    if (!has(field.option)) continue;
    if (auto e = field.set(value(field.option), request)) {
      e->option = field.option;
      return e;
    }
  }
  request.clock.daylightSaving = has("--dst");
  request.place.city = std::string(value("--city"));
  request.place.state = std::string(value("--state"));
  request.place.country = std::string(value("--country"));
  return ReadClockAndSweep(valueOf, request);
}

OptionValue ValuesOf(const Arguments& args) {
  return [&args](std::string_view option) -> std::optional<std::string_view> {
    if (!args.Has(option)) return std::nullopt;
    return args.Value(option);
  };
}

std::optional<CliInputError> ReadBirthOptions(const Arguments& args, ChartRequest& request) {
  return ReadBirthOptions(ValuesOf(args), request);
}

std::string_view OptionOfField(BirthField focus) {
  switch (focus) {
    case BirthField::Name: return "--name";
    case BirthField::LonDegrees:
    case BirthField::LonMinutes: return "--lon";
    case BirthField::LatDegrees:
    case BirthField::LatMinutes: return "--lat";
    case BirthField::City: return "--city";
    case BirthField::State: return "--state";
    case BirthField::Country: return "--country";
    case BirthField::None: break;
  }
  return "--date";
}

std::string_view OptionOfProblem(const Problem& problem, const ChartRequest& request) {
  const std::string_view field = problem.field;
  if (field == "name") return "--name";
  if (field.starts_with("lon")) return "--lon";
  if (field.starts_with("lat")) return "--lat";
  if (field == "city") return "--city";
  if (field == "state") return "--state";
  if (field == "country") return "--country";
  if (field == "time") return "--time";
  if (field == "place") return "--place";
  if (field == "tz" || field == "fold")
    return request.clock.kind == ClockKind::kZoneId || request.place.search.empty() ? "--tz" : "--place";
  return "--date";
}

std::string CommandLineWording(const Problem& problem, const ChartRequest& request) {
  if (problem.code == ProblemCode::kDoubledTime) return DoubledHourWording(problem.message);
  std::string text = problem.message;
  const BirthYearSpan swiss = BirthYearsOf(EngineKind::kSwiss);
  const EngineKind engine = request.settings.engine;
  const int year = request.born.year;
  if (engine != EngineKind::kSwiss && text == YearOutsideMessage(engine) && year >= swiss.first && year <= swiss.last)
    text += "; --engine swiss takes " + std::to_string(swiss.first) + " to " + std::to_string(swiss.last);
  return text;
}

std::string DoubledHourWording(std::string message) {
  return message + "; choose one with --fold earlier|later";
}

}  // namespace corvane
