#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/birth_data.h"
#include "app/birth_validation.h"
#include "app/calculation_settings.h"
#include "app/birth_zone.h"
#include "cli/command_line.h"

namespace corvane {

// Why a command-line value was not taken: a malformed value is a usage error; a well-formed
// value that the input form would refuse carries the form's own message.
struct CliInputError {
  enum class Kind { Usage, Rejected };
  Kind kind;
  std::string message;
  std::string_view option = {};  // the option at fault ("--date"), when ReadBirthOptions names one
};

// Each setter checks one value as the input form would and writes it into `data`.

// Letters, blanks, and hyphens and apostrophes between letters, upper-cased as the name
// field's key filter does; a refusal names the character at fault.
std::optional<CliInputError> SetBirthName(std::string_view text, BirthData& data);
// YYYY-MM-DD; the year must be one some engine computes (1800..2399); the chosen engine's
// own years are checked with the chart.
std::optional<CliInputError> SetBirthDate(std::string_view text, BirthData& data);
// HH:MM or HH:MM:SS.
std::optional<CliInputError> SetBirthTime(std::string_view text, BirthData& data);
// Zone list position 0..70.
std::optional<CliInputError> SetZonePosition(std::string_view text, BirthData& data);
// DDD:MM followed by E or W; the digits go into the coordinate fields as typed.
std::optional<CliInputError> SetLongitude(std::string_view text, BirthData& data);
// DD:MM followed by N or S.
std::optional<CliInputError> SetLatitude(std::string_view text, BirthData& data);
// "0" or "1".
std::optional<CliInputError> SetDaylightSaving(std::string_view text, BirthData& data);

// Whether an option was given; the clock checks ask it, whoever holds the options.
using OptionPresence = std::function<bool(std::string_view option)>;

// Options of the clock that do not go together (--zone with --tz, --fold with --zone, --dst
// with a zone id): a usage error naming both, the first as the option at fault.
std::optional<CliInputError> CheckClockOptions(const OptionPresence& given);

// The birth data of the options --name, --date, --time, --zone, --lon, --lat (all required),
// --dst, --city, --state and --country.
std::optional<CliInputError> ReadBirthOptions(const Arguments& args, BirthData& data);

// The place and zone options: --place, --tz, --fold, and which of the fields a place fills
// were given as options. A --fold other than earlier or later is a usage error; an empty
// --place matches nothing. The request's texts point into `args`.
std::optional<CliInputError> ReadPlaceAndZoneOptions(const Arguments& args, PlaceAndZone& request);

// The option of the field a form message focuses ("--lon"); the date when it focuses none (the
// calendar's and the engine's years).
std::string_view OptionOfField(BirthField focus);

// A refusal of the chart calculation in the command line's words: the form's message, and
// where another engine takes the year, the option that chooses it (--engine swiss).
std::string CommandLineWording(const InputMessage& message, const BirthData& data, EngineKind engine);

// A doubled hour's refusal with the option that chooses a reading (--fold earlier|later).
std::string DoubledHourWording(std::string message);

}  // namespace corvane
