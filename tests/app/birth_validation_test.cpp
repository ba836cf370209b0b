#include "app/birth_validation.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "app/birth_zone.h"
#include "app/text_encoding.h"
#include "astro/civil_time.h"
#include "app/zone_table.h"
#include "tests/app/sample_birth.h"

namespace corvane {
namespace {

using testing::DelhiBirth;

std::string FirstMessage(const BirthData& d) {
  const auto m = ValidateBirthData(d);
  return m ? std::string(m->text) : std::string();
}

std::string Changed(const std::function<void(BirthData&)>& change) {
  BirthData d = DelhiBirth();
  change(d);
  return FirstMessage(d);
}

const std::string kLonDegree = "Please Enter Value Between 0 And 179 in the Degree of Longitude";
const std::string kLonMinute = "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
const std::string kLatDegree = "Please Enter Value Between 0 And 89 in the Degree of Latitude";
const std::string kLatMinute = "Please Enter Value Between 0 And 59 in the  Minute of Latitude";
const std::string kDate = "Please Enter Correct Date Or Month!";

TEST(BirthValidation, ChecksRunInOrderAndStopAtTheFirstFailure) {
  EXPECT_FALSE(ValidateBirthData(DelhiBirth()).has_value());
  BirthData d = DelhiBirth();
  d.name = "   ";
  d.lonDegrees = "";
  const auto name = ValidateBirthData(d);
  ASSERT_TRUE(name.has_value());
  EXPECT_EQ(name->text, "Please Enter Name");
  EXPECT_EQ(name->icon, MessageIcon::Error);
  EXPECT_EQ(name->focus, BirthField::Name);
  d.name = "RAM";
  EXPECT_EQ(ValidateBirthData(d)->focus, BirthField::LonDegrees);
  d = DelhiBirth();
  d.latMinutes = " ";
  const auto lat = ValidateBirthData(d);
  EXPECT_EQ(lat->text, kLatMinute);
  EXPECT_EQ(lat->focus, BirthField::LatMinutes);
  // Longitude before latitude, degrees before minutes, the described checks before the lists'.
  EXPECT_EQ(Changed([](BirthData& b) { b.lonMinutes = "60", b.latDegrees = ""; }), kLonMinute);
  EXPECT_EQ(Changed([](BirthData& b) { b.latDegrees = "", b.latMinutes = "60"; }), kLatDegree);
  EXPECT_EQ(Changed([](BirthData& b) { b.monthIndex = 40, b.latMinutes = "60"; }), kLatMinute);
}

TEST(BirthValidation, CoordinateBoundsAndRefusedListValues) {
  const std::pair<std::function<void(BirthData&)>, std::string> cases[] = {
      {[](BirthData& b) { b.lonDegrees = "180"; }, kLonDegree},
      {[](BirthData& b) { b.lonDegrees = "179"; }, ""},
      {[](BirthData& b) { b.lonDegrees = "0"; }, ""},
      {[](BirthData& b) { b.latDegrees = "90"; }, kLatDegree},
      {[](BirthData& b) { b.latDegrees = " 89 "; }, ""},
      {[](BirthData& b) { b.latDegrees = "1a"; }, kLatDegree},  // only a damaged file brings this
      {[](BirthData& b) { b.monthIndex = 12; }, kDate},         // values outside the form's lists
      {[](BirthData& b) { b.monthIndex = -1; }, kDate},
      {[](BirthData& b) { b.day = 0; }, kDate},
      {[](BirthData& b) { b.day = 32; }, kDate},
      {[](BirthData& b) { b.year = 2051; }, "The year must be one of 1901 to 2050 with the element method"},
      {[](BirthData& b) { b.hour = 24; }, "Please Enter Correct Time!"},
      {[](BirthData& b) { b.second = -1; }, "Please Enter Correct Time!"},
  };
  for (const auto& [change, message] : cases) EXPECT_EQ(Changed(change), message);
  EXPECT_EQ(CoordinateValue(" 77\t"), 77);
  EXPECT_FALSE(CoordinateValue("7 7").has_value());
}

TEST(BirthValidation, FebruaryAndThirtyDayMonthsOverLeapAndCommonYears) {
  BirthData d = DelhiBirth();
  d.monthIndex = 1;
  for (int year : {1904, 1905, 1996, 2000, 2001, 2048, 2050}) {
    d.year = year;
    for (d.day = 28; d.day <= 31; ++d.day) {
      const auto m = ValidateBirthData(d);
      ASSERT_EQ(m.has_value(), d.day > (year % 4 == 0 ? 29 : 28)) << year << "-02-" << d.day;
      if (m) {
        EXPECT_EQ(m->text, kDate);
        EXPECT_EQ(m->icon, MessageIcon::Information);
        EXPECT_EQ(m->focus, BirthField::None);
      }
    }
  }
  d.day = 31;
  for (int month = 1; month <= 12; ++month) {
    if (month == 2) continue;
    d.monthIndex = month - 1;
    const bool thirty = month == 4 || month == 6 || month == 9 || month == 11;
    EXPECT_EQ(FirstMessage(d), thirty ? "Please Enter Correct Date Or Month !" : "") << month;
  }
}

TEST(KeyFilters, NameTakesLettersInCapitalsAndCoordinatesTakeDigits) {
  std::string typed;
  for (char c : std::string("ram k")) typed += static_cast<char>(FilterKey(KeyFilter::Name, c).value_or('?'));
  EXPECT_EQ(typed, "RAM K");
  for (char32_t key : {U'1', U'.', U'[', U'`', U'_', U'\t', U'\u00D7', U'\u00F7', U'\u20AC', U'\u0142'})
    EXPECT_FALSE(FilterKey(KeyFilter::Name, key).has_value()) << static_cast<unsigned>(key);
  EXPECT_EQ(FilterKey(KeyFilter::Name, 8), U'\b');
  EXPECT_EQ(FilterKey(KeyFilter::Name, 13), U'\r');
  for (char32_t key : {U'-', U'\'', U'\u2019'}) EXPECT_EQ(FilterKey(KeyFilter::Name, key), key);
  EXPECT_EQ(RejectedKeyMessage(KeyFilter::Name).text, "A name takes letters, blanks, hyphens and apostrophes");
  EXPECT_EQ(RejectedKeyMessage(KeyFilter::Name).icon, MessageIcon::Information);
  for (char32_t key = 0; key < 0x300; ++key)
    EXPECT_EQ(FilterKey(KeyFilter::Coordinate, key).has_value(), (key >= '0' && key <= '9') || key == 8) << static_cast<unsigned>(key);
  EXPECT_EQ(RejectedKeyMessage(KeyFilter::Coordinate).text, "Only Numbers Are Accepted");
  EXPECT_EQ(RejectedKeyMessage(KeyFilter::Coordinate).icon, MessageIcon::Error);
}

// Every character of Windows-1252 against the C library's Unicode data: a letter passes the
// name filter, turned into the capital that towupper gives when the code page holds it.
TEST(KeyFilters, NameFilterAgreesWithUnicodeOnEveryStorableCharacter) {
  const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
  if (utf8 == locale_t{}) GTEST_SKIP() << "no C.UTF-8 locale";
  int letters = 0;
  for (int byte = 0; byte < 256; ++byte) {
    const char32_t c = CharacterOfByte(static_cast<unsigned char>(byte));
    const auto passed = FilterKey(KeyFilter::Name, c);
    if (c == U' ' || c == 8 || c == 13 || c == U'-' || c == U'\'' || c == U'\u2019') {
      EXPECT_EQ(passed, c);
      continue;
    }
    const bool letter = iswalpha_l(static_cast<wint_t>(c), utf8) != 0;
    ASSERT_EQ(passed.has_value(), letter) << std::hex << byte;
    if (!letter) continue;
    ++letters;
    const auto upper = static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), utf8));
    EXPECT_EQ(*passed, Windows1252Byte(upper) ? upper : c) << std::hex << byte;
  }
  EXPECT_EQ(letters, 52 + 9 + 3 + 62);  // ASCII, the 0x80 block, ª µ º, the Latin-1 block
  freelocale(utf8);
}

TEST(KeyFilters, WholeNamesAreCapitalisedOrRefused) {
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"jos\u00e9", "JOS\u00c9"},
      {"anjali rao", "ANJALI RAO"},
      {"\u00e5se \u00f8rsted", "\u00c5SE \u00d8RSTED"},
      {"stra\u00dfe", "STRA\u00dfE"},                   // ß has no capital in the code page
      {"\u00ffvonne \u0161\u0153\u017e", "\u0178VONNE \u0160\u0152\u017d"},
      {"NU\u00d1EZ", "NU\u00d1EZ"},
      {"", ""},
      {"m\u00fcller-l\u00fcdenscheidt", "M\u00dcLLER-L\u00dcDENSCHEIDT"},
      {"o'brien", "O'BRIEN"},
      {"\u0142ukasz", std::nullopt},                      // a letter the chart file cannot store
      {"ram\r", std::nullopt},
      {"ram\b", std::nullopt},
      {"jos\xe9", std::nullopt},                          // Windows-1252 bytes, not UTF-8
      {"r\u00e4m 2", std::nullopt},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(FilterName(text), expected) << text;
}

// Each engine takes the years it computes and names them when it refuses one; February
// follows the Gregorian rule (1800, 1900, 2100 are not leap years, 2000 is).
TEST(BirthValidation, YearsFollowTheEngine) {
  const std::string elements = "The year must be one of 1901 to 2050 with the element method";
  const std::string swiss = "The year must be one of 1800 to 2399 with the Swiss Ephemeris";
  struct Case { int year, month, day; EngineKind engine; std::string message; };
  const Case cases[] = {
      {1900, 12, 31, EngineKind::kElements, elements}, {1901, 1, 1, EngineKind::kElements, ""},
      {2050, 12, 31, EngineKind::kElements, ""},       {2051, 1, 1, EngineKind::kElements, elements},
      {1800, 1, 1, EngineKind::kElements, elements},   {1799, 12, 31, EngineKind::kSwiss, swiss},
      {1800, 1, 1, EngineKind::kSwiss, ""},            {2399, 12, 31, EngineKind::kSwiss, ""},
      {2400, 1, 1, EngineKind::kSwiss, swiss},         {1850, 6, 15, EngineKind::kSwiss, ""},
      {1800, 2, 29, EngineKind::kSwiss, kDate},        {1900, 2, 29, EngineKind::kSwiss, kDate},
      {2000, 2, 29, EngineKind::kSwiss, ""},           {2100, 2, 29, EngineKind::kSwiss, kDate},
      {2396, 2, 29, EngineKind::kSwiss, ""},           {2000, 2, 29, EngineKind::kElements, ""},
  };
  for (const Case& c : cases) {
    BirthData d = DelhiBirth();
    d.year = c.year, d.monthIndex = c.month - 1, d.day = c.day;
    const auto m = ValidateBirthData(d, c.engine);
    EXPECT_EQ(m ? std::string(m->text) : "", c.message) << c.year << "-" << c.month << "-" << c.day;
  }
  EXPECT_EQ(YearOutsideMessage(EngineKind::kSwiss), swiss);
  EXPECT_EQ(BirthYearsOf(EngineKind::kSwiss).first, 1800);
  EXPECT_EQ(BirthYearsOf(EngineKind::kElements).last, 2050);
}

// Names people have pass; every other character is named with the reason it is refused.
TEST(KeyFilters, NameRefusalNamesTheCharacterAndWhy) {
  const std::string between = " must stand between two letters, as in Anne-Marie or O'Brien";
  const std::string notLetter = " is not a letter; a name takes letters, blanks, hyphens and apostrophes";
  const std::string enterLetters = "Please Enter only Letters: ";
  const std::pair<std::string, std::string> cases[] = {
      {"Anne-Marie Smith", ""},
      {"O'Brien", ""},
      {"D\u2019Souza", ""},  // the typographic apostrophe
      {"Jean-Fran\u00e7ois L\u00e9vy-O'Neil", ""},
      {"", ""},
      {"\u0141ucja", "\u0141 cannot be stored in a chart file"},
      {"Zo\u017cka", "\u017c cannot be stored in a chart file"},  // the code page has ž, not ż
      {"RAM2", enterLetters + "2" + notLetter},
      {"Ram_Kumar", enterLetters + "_" + notLetter},
      {"Anne--Marie", "-" + between},
      {"-Anne", "-" + between},
      {"Anne-", "-" + between},
      {"O' Brien", "'" + between},
      {"Ram\tKumar", "The control character U+0009 cannot be part of a name"},
  };
  for (const auto& [name, message] : cases) EXPECT_EQ(NameRefusal(name).value_or(""), message) << name;
  EXPECT_EQ(RefusedNameCharacter("\u00f7"), enterLetters + "\u00f7" + notLetter);
}

// The input form offers the days of the calendar's month; over every offered month the last
// of them passes validation and the day after it fails.
TEST(BirthValidation, TheCalendarsLastDayIsTheLastValidDay) {
  BirthData d = DelhiBirth();
  for (d.year = 1901; d.year <= 2050; ++d.year) {
    for (d.monthIndex = 0; d.monthIndex < 12; ++d.monthIndex) {
      d.day = DaysInMonth(d.year, d.monthIndex + 1);
      ASSERT_FALSE(ValidateBirthData(d).has_value()) << d.year << " " << d.monthIndex;
      if (d.day == 31) continue;
      ++d.day;
      ASSERT_TRUE(ValidateBirthData(d).has_value()) << d.year << " " << d.monthIndex;
    }
  }
}

TEST(PlaceSearch, NeedsCityStateAndCountryInThatOrder) {
  BirthData d;
  d.city = "Pune";
  d.country = "India";
  const auto m = CheckPlaceForSearch(d);
  ASSERT_TRUE(m.has_value());
  EXPECT_EQ(m->text, "Please Enter State");
  EXPECT_EQ(m->focus, BirthField::State);
  d.state = " ";  // blanks count as text
  EXPECT_FALSE(CheckPlaceForSearch(d).has_value());
}

TEST(ZoneTable, RowsGiveSignedOffsetsThatAgreeWithTheirLabels) {
  // Offsets as ISO 8601 writes them: +05:30 is 19800 seconds, -03:30 is -12600.
  struct Case { int position, seconds; const char* text; const char* abbreviation; };
  for (const Case& c : {Case{29, 0, "Greenwich Mean Time,GMT,0.0", "GMT"}, Case{34, 19800, "Indian Time, IST, +5.3", "IST"},
                        Case{36, -43200, "Int'l Date Line West,IDLW,-12.0", "IDLW"},
                        Case{46, 46800, "New Zealand Std Summer Time,NZST,+13.0", "NZST"},
                        Case{50, -12600, "Newfoundland Standard Time,NST,-3.5", "NST"},
                        Case{61, 0, "Universal Time, UT, 0.0", "UT"}}) {
    EXPECT_EQ(ZoneRowOffsetSeconds(c.position), c.seconds) << c.position;
    EXPECT_EQ(RowOffsetSeconds(c.position, true), c.seconds + 3600) << c.position;
    EXPECT_EQ(kZoneTable[static_cast<std::size_t>(c.position)].text, c.text);
    EXPECT_EQ(ZoneAbbreviation(c.position), c.abbreviation) << c.position;
  }
  EXPECT_FALSE(ZoneRowOffsetSeconds(-1).has_value());
  EXPECT_FALSE(ZoneRowOffsetSeconds(71).has_value());
  EXPECT_EQ(ZoneAbbreviation(71), "");
  // Every row's offset is the one in its label (row 34's "+5.3" means 5:30).
  for (int i = 0; i < kZoneCount; ++i) {
    const std::string text(kZoneTable[static_cast<std::size_t>(i)].text);
    const double label = i == 34 ? 5.5 : std::stod(text.substr(text.rfind(',') + 1));
    EXPECT_DOUBLE_EQ(*ZoneRowOffsetSeconds(i) / 3600.0, label) << text;
    EXPECT_FALSE(ZoneAbbreviation(i).empty()) << text;
    EXPECT_EQ(ZoneAbbreviation(i).find(' '), std::string_view::npos) << text;
  }
}

// Daylight, summer and war time were each one hour ahead of their zone's standard time, so
// those rows already hold the hour that the daylight-saving tick adds.
TEST(ZoneTable, DaylightSummerAndWarTimeRowsAlreadyHoldTheExtraHour) {
  auto position = [](std::string_view abbreviation) {
    for (int i = 0; i < kZoneCount; ++i) {
      std::string_view text = kZoneTable[static_cast<std::size_t>(i)].text;
      text.remove_prefix(text.find(',') + 1);
      text = text.substr(0, text.find(','));
      while (text.front() == ' ') text.remove_prefix(1);
      if (text == abbreviation) return i;
    }
    ADD_FAILURE() << abbreviation;
    return 0;
  };
  auto minutesEast = [](int p) { return *ZoneRowOffsetSeconds(p) / 60; };
  // Each pair: the zone with the extra hour, and its standard time.
  const std::pair<const char*, const char*> pairs[] = {
      {"AHDT", "AHST"}, {"AHWT", "AHST"}, {"AWT", "AST"},   {"ACDT", "ACST"}, {"AEDT", "AEST"}, {"AWDT", "AWST"},
      {"BST", "GMT"},   {"BDST", "BST"},  {"CDT", "CST"},   {"CWT", "CST"},   {"CED", "CET"},   {"EDT", "EST"},
      {"EWT", "EST"},   {"EED", "EET"},   {"HDT", "HST"},   {"HWT", "HST"},   {"MED", "MET"},   {"MDT", "MST"},
      {"MWT", "MST"},   {"NZST", "NZT"},  {"NZS", "NZ"},    {"PDT", "PST"},   {"PWT", "PST"},   {"SAD", "SAST"},
      {"SDT", "SAT"},   {"YDT", "YST"},   {"YWT", "YST"}};
  std::set<int> expected = {position("BWT")};  // British war time: double summer time, +2
  for (const auto& [ahead, standard] : pairs) {
    EXPECT_EQ(minutesEast(position(ahead)), minutesEast(position(standard)) + 60) << ahead;
    if (std::string_view(standard) != "BST") {
      EXPECT_FALSE(ZoneIncludesDaylightSaving(position(standard))) << standard;
    }
    expected.insert(position(ahead));
  }
  std::set<int> flagged;
  for (int i = 0; i < kZoneCount; ++i)
    if (ZoneIncludesDaylightSaving(i)) flagged.insert(i);
  EXPECT_EQ(flagged, expected);
  EXPECT_FALSE(ZoneIncludesDaylightSaving(-1));
  EXPECT_FALSE(ZoneIncludesDaylightSaving(kZoneCount));

  EXPECT_EQ(DaylightSavingCountedTwice(position("EDT"), true),
            "The zone Eastern Daylight Time already includes daylight saving time. Ticking Daylight Saving Time as "
            "well counts that hour twice.");
  EXPECT_EQ(DaylightSavingCountedTwice(position("EDT"), false), std::nullopt);
  EXPECT_EQ(DaylightSavingCountedTwice(position("EST"), true), std::nullopt);
  EXPECT_EQ(DaylightSavingCountedTwice(position("IST"), true), std::nullopt);
}

}  // namespace
}  // namespace corvane
