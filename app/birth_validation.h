#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "app/birth_data.h"

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

// The first failing check of the birth data, in the fixed order name, longitude degrees and
// minutes, latitude degrees and minutes, February, thirty-day months; nothing when valid.
// Birth data that no list of the form can hold (a date or time outside the lists) is
// refused after those checks, so that nothing downstream indexes outside its tables.
std::optional<InputMessage> ValidateBirthData(const BirthData& data);

// The whole number a coordinate text holds, blanks around it ignored; nothing when the text
// is empty or not a whole number. Validation and the calculation read coordinates alike.
std::optional<int> CoordinateValue(std::string_view text);

// Key filters: the character to insert for a typed key, or nothing when the key is
// rejected (the caller then shows RejectedKeyMessage and leaves the field unchanged).
// Coordinates take the digits; names take every letter a chart file can store (the letters
// of Windows-1252, accented ones included) and the blank, and a letter becomes its capital
// wherever Windows-1252 holds that capital (e becomes E, é becomes É, ÿ becomes Ÿ; ß and µ
// stay as they are). Both filters also pass Enter (13) and Backspace (8) as editing keys.
enum class KeyFilter { Coordinate, Name };
std::optional<char32_t> FilterKey(KeyFilter filter, char32_t key);
InputMessage RejectedKeyMessage(KeyFilter filter);

// A whole name as typed, pasted or given on the command line (UTF-8): every character must
// pass the name filter and is capitalised by it; Enter and Backspace are editing keys, not
// part of a name. Nothing when any character is refused.
std::optional<std::string> FilterName(std::string_view utf8);

// The coordinate search needs all three place texts (blanks count as text).
std::optional<InputMessage> CheckPlaceForSearch(const BirthData& data);

}  // namespace corvane
