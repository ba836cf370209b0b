#pragma once
#include <optional>
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
enum class KeyFilter { Coordinate, Name };
std::optional<char> FilterKey(KeyFilter filter, int keyCode);
InputMessage RejectedKeyMessage(KeyFilter filter);

// The coordinate search needs all three place texts (blanks count as text).
std::optional<InputMessage> CheckPlaceForSearch(const BirthData& data);

}  // namespace corvane
