#include "app/birth_validation.h"

#include <charconv>
#include <string>

namespace corvane {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// A coordinate text is acceptable when, trimmed, it is a whole number within [0, max].
// Text that is not a number (it cannot be typed, but may come from a file) fails as well.
bool InRange(std::string_view text, int max) {
  const auto value = CoordinateValue(text);
  return value && *value >= 0 && *value <= max;
}

constexpr InputMessage kEnterName{"Please Enter Name", MessageIcon::Error, BirthField::Name};
constexpr InputMessage kLonDegrees{"Please Enter Value Between 0 And 179 in the Degree of Longitude",
                                   MessageIcon::Error, BirthField::LonDegrees};
constexpr InputMessage kLonMinutes{"Please Enter Value Between 0 And 59 in the  Minute of Longitude",
                                   MessageIcon::Error, BirthField::LonMinutes};
constexpr InputMessage kLatDegrees{"Please Enter Value Between 0 And 89 in the Degree of Latitude",
                                   MessageIcon::Error, BirthField::LatDegrees};
constexpr InputMessage kLatMinutes{"Please Enter Value Between 0 And 59 in the  Minute of Latitude",
                                   MessageIcon::Error, BirthField::LatMinutes};
constexpr InputMessage kFebruary{"Please Enter Correct Date Or Month!", MessageIcon::Information,
                                 BirthField::None};
constexpr InputMessage kThirtyDays{"Please Enter Correct Date Or Month !", MessageIcon::Information,
                                   BirthField::None};
constexpr InputMessage kTimeOutsideLists{"Please Enter Correct Time!", MessageIcon::Information, BirthField::None};

bool Within(int value, int first, int last) { return value >= first && value <= last; }

}  // namespace

std::optional<InputMessage> ValidateBirthData(const BirthData& d) {
  if (Trim(d.name).empty()) return kEnterName;
  if (!InRange(d.lonDegrees, 179)) return kLonDegrees;
  if (!InRange(d.lonMinutes, 59)) return kLonMinutes;
  if (!InRange(d.latDegrees, 89)) return kLatDegrees;
  if (!InRange(d.latMinutes, 59)) return kLatMinutes;
  const int month = d.monthIndex + 1;
  if (month == 2) {
    // Over the offered years 1901..2050 divisibility by 4 is the whole Gregorian rule.
    const bool leap = d.year % 4 == 0;
    if (d.day > (leap ? 29 : 28)) return kFebruary;
  }
  if ((month == 4 || month == 6 || month == 9 || month == 11) && d.day == 31) return kThirtyDays;
  // The form's lists cannot hold these; birth data built elsewhere might.
  if (!Within(d.monthIndex, 0, 11) || !Within(d.day, 1, 31) || !Within(d.year, 1901, 2050)) return kFebruary;
  if (!Within(d.hour, 0, 23) || !Within(d.minute, 0, 59) || !Within(d.second, 0, 59)) return kTimeOutsideLists;
  return std::nullopt;
}

std::optional<int> CoordinateValue(std::string_view text) {
  const std::string_view t = Trim(text);
  if (t.empty()) return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
  return value;
}

std::optional<char> FilterKey(KeyFilter filter, int key) {
  if (filter == KeyFilter::Coordinate) {
    if ((key >= '0' && key <= '9') || key == 8) return static_cast<char>(key);
    return std::nullopt;
  }
  if (key >= 'a' && key <= 'z') return static_cast<char>(key - 32);
  if ((key >= 'A' && key <= 'Z') || key == ' ' || key == 13 || key == 8) return static_cast<char>(key);
  return std::nullopt;
}

InputMessage RejectedKeyMessage(KeyFilter filter) {
  if (filter == KeyFilter::Coordinate)
    return {"Only Numbers Are Accepted", MessageIcon::Error, BirthField::None};
  return {"Please Enter only Letters", MessageIcon::Information, BirthField::None};
}

std::optional<InputMessage> CheckPlaceForSearch(const BirthData& d) {
  if (d.city.empty()) return InputMessage{"Please Enter City", MessageIcon::Information, BirthField::City};
  if (d.state.empty()) return InputMessage{"Please Enter State", MessageIcon::Information, BirthField::State};
  if (d.country.empty())
    return InputMessage{"Please Enter Country", MessageIcon::Information, BirthField::Country};
  return std::nullopt;
}

}  // namespace corvane
