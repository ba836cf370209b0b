#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "app/birth_data.h"
#include "app/calculation_settings.h"

namespace corvane {

enum class MessageIcon { Information, Error };

// The input field a failed check sends the focus to; None leaves the focus where it is.
enum class BirthField { None, Name, LonDegrees, LonMinutes, LatDegrees, LatMinutes, City, State, Country };

// What the user is told about rejected input: the text, its icon and where the focus goes.
struct InputMessage {
  std::string_view text;
  MessageIcon icon;
  BirthField focus;
};

// The years of birth an engine computes: the element method's tables cover 1901 to 2050,
// the Swiss Ephemeris files 1800 to 2399. kAnyEngineYears spans both: what a date option or
// a chart file may hold before an engine is chosen.
struct BirthYearSpan {
  int first, last;
};
BirthYearSpan BirthYearsOf(EngineKind engine);
inline constexpr BirthYearSpan kAnyEngineYears{1800, 2399};
// "The year must be one of 1901 to 2050 with the element method"; the same for the Swiss
// Ephemeris with its years.
std::string_view YearOutsideMessage(EngineKind engine);

// The first failing check of the birth data, in the fixed order name, longitude degrees and
// minutes, latitude degrees and minutes, the year for the engine, February (by the
// Gregorian leap rule), thirty-day months; nothing when valid. Birth data that no list of
// the form can hold (a date or time outside the lists) is refused after those checks, so
// that nothing downstream indexes outside its tables.
std::optional<InputMessage> ValidateBirthData(const BirthData& data, EngineKind engine = EngineKind::kElements);
// The form's refusal of a day its month does not have, or a time outside the lists; the same
// words whichever clock the birth then takes (a zone row or a zone id).
std::optional<InputMessage> CalendarMessage(const BirthData& data);

// The whole number a coordinate text holds, blanks around it ignored; nothing when the text
// is empty or not a whole number. Validation and the calculation read coordinates alike.
std::optional<int> CoordinateValue(std::string_view text);

// Key filters: the character to insert for a typed key, or nothing when the key is
// rejected (the caller then shows RejectedKeyMessage and leaves the field unchanged).
// Coordinates take the digits; names take every letter a chart file can store (the letters
// of Windows-1252, accented ones included), the blank, the hyphen and the apostrophes ' and
// ’ (whose place between letters NameRefusal checks), and a letter becomes its capital
// wherever Windows-1252 holds that capital (e becomes E, é becomes É, ÿ becomes Ÿ; ß and µ
// stay as they are). Both filters also pass Enter (13) and Backspace (8) as editing keys.
enum class KeyFilter { Coordinate, Name };
std::optional<char32_t> FilterKey(KeyFilter filter, char32_t key);
InputMessage RejectedKeyMessage(KeyFilter filter);

// A whole name as typed, pasted or given on the command line (UTF-8): every character must
// pass the name filter and is capitalised by it; Enter and Backspace are editing keys, not
// part of a name. Nothing when any character is refused.
std::optional<std::string> FilterName(std::string_view utf8);

// Why a whole name is refused, naming the first character at fault and the reason:
// "Ł cannot be stored in a chart file", "Please Enter only Letters: 2 is not a letter; ...", "- must stand between two
// letters, ...". Nothing when every character is a letter, a blank, or a hyphen or an
// apostrophe between two letters; an empty name is left to ValidateBirthData.
std::optional<std::string> NameRefusal(std::string_view utf8);
// Why one typed character (UTF-8) is refused by the name filter.
std::string RefusedNameCharacter(std::string_view character);

// The coordinate search needs all three place texts (blanks count as text).
std::optional<InputMessage> CheckPlaceForSearch(const BirthData& data);

}  // namespace corvane
