#include "app/birth_validation.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "app/text_encoding.h"
#include "astro/swiss_ephemeris.h"

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
constexpr InputMessage kElementYears{"The year must be one of 1901 to 2050 with the element method",
                                     MessageIcon::Information, BirthField::None};
constexpr InputMessage kSwissYears{"The year must be one of 1800 to 2399 with the Swiss Ephemeris",
                                   MessageIcon::Information, BirthField::None};
constexpr InputMessage kTimeOutsideLists{"Please Enter Correct Time!", MessageIcon::Information, BirthField::None};

bool Within(int value, int first, int last) { return value >= first && value <= last; }

// The hyphen, the apostrophe and the right single quotation mark (the typographic
// apostrophe, 0x92): names take them between two letters (Anne-Marie, O'Brien).
bool IsNameJoiner(unsigned char b) { return b == '-' || b == '\'' || b == 0x92; }

// The name filter on Windows-1252 bytes. The code page places its letters in ASCII's two
// runs, in the Latin-1 block 0xC0..0xFF (less × and ÷), in five spots of 0x80..0x9F
// (ƒ ˆ Š Œ Ž and š œ ž Ÿ) and at ª µ º. A small letter's capital lies 0x20 below it, or
// 0x10 below it for š œ ž; ÿ's capital Ÿ sits at 0x9F. ß, µ, ƒ and the two ordinal
// indicators have no capital in the code page.
std::optional<unsigned char> NameByte(unsigned char b) {
  const bool asciiLetter = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
  const bool latinLetter = b >= 0xC0 && b != 0xD7 && b != 0xF7;
  const bool highLetter = b == 0x83 || b == 0x88 || b == 0x8A || b == 0x8C || b == 0x8E || b == 0x9A ||
                          b == 0x9C || b == 0x9E || b == 0x9F;
  const bool signLetter = b == 0xAA || b == 0xB5 || b == 0xBA;
  if (b == ' ' || b == 13 || b == 8 || IsNameJoiner(b)) return b;
  if (!asciiLetter && !latinLetter && !highLetter && !signLetter) return std::nullopt;
  if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE)) return static_cast<unsigned char>(b - 0x20);
  if (b == 0x9A || b == 0x9C || b == 0x9E) return static_cast<unsigned char>(b - 0x10);
  if (b == 0xFF) return static_cast<unsigned char>(0x9F);
  return b;
}

}  // namespace

BirthYearSpan BirthYearsOf(EngineKind engine) {
  if (engine == EngineKind::kSwiss) return {kPreciseFirstYear, kPreciseLastYear};
  return {1901, 2050};
}

static const InputMessage& YearsMessageOf(EngineKind engine) {
  return engine == EngineKind::kSwiss ? kSwissYears : kElementYears;
}

std::string_view YearOutsideMessage(EngineKind engine) { return YearsMessageOf(engine).text; }

std::optional<InputMessage> ValidateBirthData(const BirthData& d, EngineKind engine) {
  if (Trim(d.name).empty()) return kEnterName;
  if (!InRange(d.lonDegrees, 179)) return kLonDegrees;
  if (!InRange(d.lonMinutes, 59)) return kLonMinutes;
  if (!InRange(d.latDegrees, 89)) return kLatDegrees;
  if (!InRange(d.latMinutes, 59)) return kLatMinutes;
  const BirthYearSpan years = BirthYearsOf(engine);
  if (!Within(d.year, years.first, years.last)) return YearsMessageOf(engine);
  if (auto refusal = CalendarMessage(d)) return refusal;
  return std::nullopt;
}

std::optional<InputMessage> CalendarMessage(const BirthData& d) {
  const int month = d.monthIndex + 1;
  if (month == 2) {
    const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
    if (d.day > (leap ? 29 : 28)) return kFebruary;
  }
  if ((month == 4 || month == 6 || month == 9 || month == 11) && d.day == 31) return kThirtyDays;
  // The form's lists cannot hold these; birth data built elsewhere might.
  if (!Within(d.monthIndex, 0, 11) || !Within(d.day, 1, 31)) return kFebruary;
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

std::optional<char32_t> FilterKey(KeyFilter filter, char32_t key) {
  if (filter == KeyFilter::Coordinate) {
    if ((key >= '0' && key <= '9') || key == 8) return key;
    return std::nullopt;
  }
  const auto byte = Windows1252Byte(key);
  const auto passed = byte ? NameByte(*byte) : std::nullopt;
  if (!passed) return std::nullopt;
  return CharacterOfByte(*passed);
}

std::optional<std::string> FilterName(std::string_view utf8) {
  std::vector<std::string> unstorable;
  std::string bytes = Windows1252FromUtf8(utf8, &unstorable);
  if (!unstorable.empty()) return std::nullopt;
  for (char& c : bytes) {
    const auto passed = NameByte(static_cast<unsigned char>(c));
    if (!passed || *passed == 13 || *passed == 8) return std::nullopt;
    c = static_cast<char>(*passed);
  }
  return Utf8FromWindows1252(bytes);
}


std::string RefusedNameCharacter(std::string_view character) {
  std::vector<std::string> unstorable;
  const std::string bytes = Windows1252FromUtf8(character, &unstorable);
  if (!unstorable.empty()) return unstorable.front() + " cannot be stored in a chart file";
  const auto b = bytes.empty() ? 0 : static_cast<unsigned char>(bytes.front());
  if (b < 32 || b == 127) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(b));
    return std::string("The control character ") + code + " cannot be part of a name";
  }
  // The refusal opens with the words the name field has always shown for such a key.
  return "Please Enter only Letters: " + std::string(character) +
         " is not a letter; a name takes letters, blanks, hyphens and apostrophes";
}

std::optional<std::string> NameRefusal(std::string_view utf8) {
  std::vector<std::string> unstorable;
  const std::string bytes = Windows1252FromUtf8(utf8, &unstorable);
  if (!unstorable.empty()) return unstorable.front() + " cannot be stored in a chart file";
  auto letter = [&](std::size_t i) {
    if (i >= bytes.size()) return false;
    const auto b = static_cast<unsigned char>(bytes[i]);
    const auto passed = NameByte(b);
    return passed && b != ' ' && b != 13 && b != 8 && !IsNameJoiner(b);
  };
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const std::string shown = Utf8FromWindows1252(std::string(1, bytes[i]));
    if (!NameByte(b) || b == 13 || b == 8) return RefusedNameCharacter(shown);
    if (IsNameJoiner(b) && (i == 0 || !letter(i - 1) || !letter(i + 1)))
      return shown + " must stand between two letters, as in Anne-Marie or O'Brien";
  }
  return std::nullopt;
}

InputMessage RejectedKeyMessage(KeyFilter filter) {
  if (filter == KeyFilter::Coordinate)
    return {"Only Numbers Are Accepted", MessageIcon::Error, BirthField::None};
  return {"A name takes letters, blanks, hyphens and apostrophes", MessageIcon::Information, BirthField::None};
}

std::optional<InputMessage> CheckPlaceForSearch(const BirthData& d) {
  if (d.city.empty()) return InputMessage{"Please Enter City", MessageIcon::Information, BirthField::City};
  if (d.state.empty()) return InputMessage{"Please Enter State", MessageIcon::Information, BirthField::State};
  if (d.country.empty())
    return InputMessage{"Please Enter Country", MessageIcon::Information, BirthField::Country};
  return std::nullopt;
}

}  // namespace corvane
