#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/chart_request.h"
#include "cli/command_line.h"
#include "cli/settings_options.h"

namespace corvane {

// Why a command-line value was not taken: a malformed value is a usage error; a well-formed
// value that the input form would refuse carries the form's own message.
struct CliInputError {
  enum class Kind { Usage, Rejected };
  Kind kind;
  std::string message;
  std::string_view option = {};  // the option at fault ("--date"), when ReadBirthOptions names one
};

// Each setter checks one value as the input form would and writes it into the request.

// Letters, blanks, and hyphens and apostrophes between letters, upper-cased as the name
// field's key filter does; a refusal names the character at fault.
std::optional<CliInputError> SetBirthName(std::string_view text, ChartRequest& request);
// YYYY-MM-DD; the year must be one some engine computes (1800..2399); the chosen engine's
// own years are checked with the chart.
std::optional<CliInputError> SetBirthDate(std::string_view text, ChartRequest& request);
// HH:MM or HH:MM:SS.
std::optional<CliInputError> SetBirthTime(std::string_view text, ChartRequest& request);
// Zone list position 0..70.
std::optional<CliInputError> SetZonePosition(std::string_view text, ChartRequest& request);
// DDD:MM followed by E or W; the degrees and minutes as numbers.
std::optional<CliInputError> SetLongitude(std::string_view text, ChartRequest& request);
// DD:MM followed by N or S.
std::optional<CliInputError> SetLatitude(std::string_view text, ChartRequest& request);
// "0" or "1".
std::optional<CliInputError> SetDaylightSaving(std::string_view text, ChartRequest& request);

// The request of the chart options: --name, --date, --time, --zone, --lon, --lat (all
// required unless --tz or --place gives them), --dst, --city, --state, --country, --place,
// --tz, --fold and --sweep; the settings are the caller's. A --fold other than earlier or
// later is a usage error; an empty --place matches nothing.
std::optional<CliInputError> ReadBirthOptions(const OptionValue& valueOf, ChartRequest& request);

// Whether an option was given; the clock checks ask it, whoever holds the options.
using OptionPresence = std::function<bool(std::string_view option)>;

// Options of the clock that do not go together (--zone with --tz, --fold with --zone, --dst
// with a zone id): a usage error naming both, the first as the option at fault.
std::optional<CliInputError> CheckClockOptions(const OptionPresence& given);


// The values of a command line's options, looked up by option.
OptionValue ValuesOf(const Arguments& args);

// The same from a command line's arguments.
std::optional<CliInputError> ReadBirthOptions(const Arguments& args, ChartRequest& request);

// The option of the field a form message focuses ("--lon"); the date when it focuses none (the
// calendar's and the engine's years).
std::string_view OptionOfField(BirthField focus);

// The option a problem of a request is about ("--lon"); "--date" when it names no field (the
// calendar's and the engines' years).
std::string_view OptionOfProblem(const Problem& problem, const ChartRequest& request);

// A refusal of the request in the command line's words: the message, with the option that
// settles it where there is one (--fold earlier|later for a doubled hour, --engine swiss for a
// year only that engine takes).
std::string CommandLineWording(const Problem& problem, const ChartRequest& request);

// A doubled hour's refusal with the option that chooses a reading (--fold earlier|later).
std::string DoubledHourWording(std::string message);

}  // namespace corvane
