#include "cli/cli_input.h"

#include <charconv>

#include "app/birth_validation.h"
#include "app/display_texts.h"
#include "app/whole_number.h"
#include "app/zone_table.h"

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
                                           std::string_view what, std::string_view shape, std::string& degrees, std::string& minutes,
                                           bool& isPositive) {
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
  degrees.assign(parts->degrees);
  minutes.assign(parts->minutes);
  isPositive = upper == positive;
  return std::nullopt;
}

}  // namespace

std::optional<CliInputError> SetBirthName(std::string_view text, BirthData& data) {
  // The outer blanks a chart file drops are dropped here too, so that a saved chart opens
  // to the chart that was printed.
  text = TrimBlanks(text);
  if (auto why = NameRefusal(text)) return Rejected(*why);
  auto name = FilterName(text);
  if (!name) return Rejected(RejectedKeyMessage(KeyFilter::Name).text);
  data.name = std::move(*name);
  return std::nullopt;
}

std::optional<CliInputError> SetBirthDate(std::string_view text, BirthData& data) {
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
  data.year = *year;
  data.monthIndex = *month - 1;
  data.day = *day;
  return std::nullopt;
}

std::optional<CliInputError> SetBirthTime(std::string_view text, BirthData& data) {
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
  data.hour = *hour;
  data.minute = *minute;
  data.second = *seconds;
  return std::nullopt;
}

std::optional<CliInputError> SetZonePosition(std::string_view text, BirthData& data) {
  const auto zone = ParseDigits(text, 3);
  if (!zone) return Usage("the zone must be a list position, not \"" + std::string(text) + "\"");
  if (*zone >= kZoneCount) return Rejected("The zone must be a position from 0 to 70 of the zone list");
  data.zonePosition = *zone;
  return std::nullopt;
}

std::optional<CliInputError> SetLongitude(std::string_view text, BirthData& data) {
  return SetCoordinate(text, 'E', 'W', "the longitude", "DDD:MM", data.lonDegrees, data.lonMinutes, data.east);
}

std::optional<CliInputError> SetLatitude(std::string_view text, BirthData& data) {
  bool north = true;
  auto error = SetCoordinate(text, 'N', 'S', "the latitude", "DD:MM", data.latDegrees, data.latMinutes, north);
  if (!error) data.south = !north;
  return error;
}

std::optional<CliInputError> SetDaylightSaving(std::string_view text, BirthData& data) {
  if (text != "0" && text != "1") return Usage("dst must be 0 or 1, not \"" + std::string(text) + "\"");
  data.daylightSaving = text == "1";
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

std::optional<CliInputError> ReadBirthOptions(const Arguments& args, BirthData& data) {
  if (auto conflict = CheckClockOptions([&args](std::string_view option) { return args.Has(option); })) return conflict;
  // A zone id or a searched place gives the clock; a searched place also the coordinates.
  const bool place = args.Has("--place"), zoneGiven = place || args.Has("--tz");
  using Setter = std::optional<CliInputError> (*)(std::string_view, BirthData&);
  struct Field {
    std::string_view option;
    Setter set;
    bool optional;
  };
  const Field fields[] = {{"--name", SetBirthName, false},         {"--date", SetBirthDate, false},
                          {"--time", SetBirthTime, false},         {"--zone", SetZonePosition, zoneGiven},
                          {"--lon", SetLongitude, place},          {"--lat", SetLatitude, place}};
  for (const Field& field : fields) {
    if (!field.optional && !args.Has(field.option)) {
      // The clock has three sources; the message names them all.
      const std::string what = field.option == "--zone" ? "one of --zone N, --tz ID or --place TEXT"
                                                        : std::string(field.option);
      return CliInputError{CliInputError::Kind::Usage, what + " is required", field.option};
    }
  }
  for (const Field& field : fields) {
    if (!args.Has(field.option)) continue;
    if (auto e = field.set(args.Value(field.option), data)) {
      e->option = field.option;
      return e;
    }
  }
  data.daylightSaving = args.Has("--dst");
  data.city = args.Value("--city");
  data.state = args.Value("--state");
  data.country = args.Value("--country");
  return std::nullopt;
}

std::optional<CliInputError> ReadPlaceAndZoneOptions(const Arguments& args, PlaceAndZone& request) {
  request = {};
  if (args.Has("--fold")) {
    const std::string_view fold = args.Value("--fold");
    if (fold != "earlier" && fold != "later")
      return CliInputError{CliInputError::Kind::Usage,
                           "--fold takes earlier or later, not \"" + std::string(fold) + "\"", "--fold"};
    request.fold = fold == "earlier" ? RepeatedTimeChoice::kEarlier : RepeatedTimeChoice::kLater;
  }
  if (args.Has("--place")) {
    request.place = args.Value("--place");
    if (request.place.empty()) return CliInputError{CliInputError::Kind::Rejected, "No place matches \"\".", "--place"};
  }
  if (args.Has("--tz")) request.zoneId = args.Value("--tz");
  request.given = {args.Has("--lon"), args.Has("--lat"), args.Has("--city"), args.Has("--state"), args.Has("--country"),
                   args.Has("--zone")};
  return std::nullopt;
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

std::string CommandLineWording(const InputMessage& message, const BirthData& data, EngineKind engine) {
  std::string text(message.text);
  const BirthYearSpan swiss = BirthYearsOf(EngineKind::kSwiss);
  if (engine != EngineKind::kSwiss && text == YearOutsideMessage(engine) && data.year >= swiss.first &&
      data.year <= swiss.last) {
    text += "; --engine swiss takes " + std::to_string(swiss.first) + " to " + std::to_string(swiss.last);
  }
  return text;
}

std::string DoubledHourWording(std::string message) {
  return message + "; choose one with --fold earlier|later";
}

}  // namespace corvane
