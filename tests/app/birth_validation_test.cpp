#include "app/birth_validation.h"

#include <gtest/gtest.h>

#include <string>

#include "app/zone_table.h"

namespace corvane {
namespace {

BirthData ValidDelhi() {
  BirthData d;
  d.name = "RAM";
  d.monthIndex = 5;
  d.day = 5;
  d.year = 1975;
  d.lonDegrees = "77";
  d.lonMinutes = "13";
  d.latDegrees = "28";
  d.latMinutes = "36";
  return d;
}

std::string FirstMessage(const BirthData& d) {
  const auto m = ValidateBirthData(d);
  return m ? std::string(m->text) : std::string();
}

TEST(BirthValidation, ChecksRunInOrderAndStopAtTheFirstFailure) {
  BirthData d = ValidDelhi();
  EXPECT_FALSE(ValidateBirthData(d).has_value());

  d.name = "   ";
  d.lonDegrees = "";
  const auto m = ValidateBirthData(d);
  ASSERT_TRUE(m.has_value());
  EXPECT_EQ(m->text, "Please Enter Name");
  EXPECT_EQ(m->icon, MessageIcon::Error);
  EXPECT_EQ(m->focus, BirthField::Name);

  d.name = "RAM";
  const auto lon = ValidateBirthData(d);
  ASSERT_TRUE(lon.has_value());
  EXPECT_EQ(lon->focus, BirthField::LonDegrees);

  // Longitude is judged before latitude, degrees before minutes.
  d = ValidDelhi();
  d.lonMinutes = "60";
  d.latDegrees = "";
  EXPECT_EQ(FirstMessage(d), "Please Enter Value Between 0 And 59 in the  Minute of Longitude");
  d.lonMinutes = "59";
  EXPECT_EQ(FirstMessage(d), "Please Enter Value Between 0 And 89 in the Degree of Latitude");
  d.latDegrees = "89";
  d.latMinutes = " ";
  const auto lat = ValidateBirthData(d);
  ASSERT_TRUE(lat.has_value());
  EXPECT_EQ(lat->text, "Please Enter Value Between 0 And 59 in the  Minute of Latitude");
  EXPECT_EQ(lat->focus, BirthField::LatMinutes);
}

TEST(BirthValidation, CoordinateBounds) {
  BirthData d = ValidDelhi();
  d.lonDegrees = "180";
  EXPECT_EQ(FirstMessage(d), "Please Enter Value Between 0 And 179 in the Degree of Longitude");
  d.lonDegrees = "179";
  EXPECT_EQ(FirstMessage(d), "");
  d.lonDegrees = "0";
  EXPECT_EQ(FirstMessage(d), "");
  d.latDegrees = "90";
  EXPECT_EQ(FirstMessage(d), "Please Enter Value Between 0 And 89 in the Degree of Latitude");
  d.latDegrees = " 89 ";
  EXPECT_EQ(FirstMessage(d), "");
  // Text that is not a whole number (only a damaged file can bring it) is rejected too.
  d.latDegrees = "1a";
  EXPECT_EQ(FirstMessage(d), "Please Enter Value Between 0 And 89 in the Degree of Latitude");
}

TEST(BirthValidation, FebruaryAndThirtyDayMonthsOverLeapAndCommonYears) {
  BirthData d = ValidDelhi();
  d.monthIndex = 1;
  for (int year : {1904, 1905, 1996, 2000, 2001, 2048, 2050}) {
    const bool leap = year % 4 == 0;
    d.year = year;
    for (int day = 28; day <= 31; ++day) {
      d.day = day;
      const auto m = ValidateBirthData(d);
      const bool ok = day <= (leap ? 29 : 28);
      EXPECT_EQ(!m.has_value(), ok) << year << "-02-" << day;
      if (m) {
        EXPECT_EQ(m->text, "Please Enter Correct Date Or Month!");
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

// Only birth data built outside the form's lists can get here; the described checks come first.
TEST(BirthValidation, DatesAndTimesOutsideTheListsAreRefused) {
  const auto refused = [](void (*change)(BirthData&)) {
    BirthData d = ValidDelhi();
    change(d);
    return FirstMessage(d);
  };
  const std::string date = "Please Enter Correct Date Or Month!";
  EXPECT_EQ(refused([](BirthData& d) { d.monthIndex = 12; }), date);
  EXPECT_EQ(refused([](BirthData& d) { d.monthIndex = -1; }), date);
  EXPECT_EQ(refused([](BirthData& d) { d.day = 0; }), date);
  EXPECT_EQ(refused([](BirthData& d) { d.day = 32; }), date);
  EXPECT_EQ(refused([](BirthData& d) { d.year = 2051; }), date);
  EXPECT_EQ(refused([](BirthData& d) { d.hour = 24; }), "Please Enter Correct Time!");
  EXPECT_EQ(refused([](BirthData& d) { d.second = -1; }), "Please Enter Correct Time!");
  EXPECT_EQ(refused([](BirthData& d) { d.monthIndex = 40, d.latMinutes = "60"; }),
            "Please Enter Value Between 0 And 59 in the  Minute of Latitude");
  EXPECT_EQ(CoordinateValue(" 77\t"), 77);
  EXPECT_FALSE(CoordinateValue("7 7").has_value());
}

TEST(KeyFilters, NameTakesLettersInCapitalsAndCoordinatesTakeDigits) {
  std::string typed;
  for (char c : std::string("ram k")) typed += FilterKey(KeyFilter::Name, c).value_or('?');
  EXPECT_EQ(typed, "RAM K");
  for (int key : {int('-'), int('1'), int('.'), int('['), int('`'), int('_'), 200})
    EXPECT_FALSE(FilterKey(KeyFilter::Name, key).has_value()) << key;
  EXPECT_EQ(FilterKey(KeyFilter::Name, 8), '\b');
  EXPECT_EQ(RejectedKeyMessage(KeyFilter::Name).text, "Please Enter only Letters");
  EXPECT_EQ(RejectedKeyMessage(KeyFilter::Name).icon, MessageIcon::Information);

  for (int key = 0; key < 256; ++key) {
    const bool pass = (key >= '0' && key <= '9') || key == 8;
    EXPECT_EQ(FilterKey(KeyFilter::Coordinate, key).has_value(), pass) << key;
  }
  EXPECT_EQ(RejectedKeyMessage(KeyFilter::Coordinate).text, "Only Numbers Are Accepted");
  EXPECT_EQ(RejectedKeyMessage(KeyFilter::Coordinate).icon, MessageIcon::Error);
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

TEST(ZoneTable, RowsGiveSignedOffsets) {
  struct Case { int position; int hours; int minutes; const char* text; };
  const Case cases[] = {
      {29, 0, 0, "Greenwich Mean Time,GMT,0.0"},
      {34, -5, -30, "Indian Time, IST, +5.3"},
      {36, 12, 0, "Int'l Date Line West,IDLW,-12.0"},
      {46, -13, 0, "New Zealand Std Summer Time,NZST,+13.0"},
      {50, 3, 30, "Newfoundland Standard Time,NST,-3.5"},
      {61, 0, 0, "Universal Time, UT, 0.0"},
  };
  for (const Case& c : cases) {
    const auto z = Zone_Calculation(c.position);
    ASSERT_TRUE(z.has_value());
    EXPECT_EQ(z->hours, c.hours) << c.position;
    EXPECT_EQ(z->minutes, c.minutes) << c.position;
    EXPECT_EQ(kZoneTable[static_cast<std::size_t>(c.position)].text, c.text);
  }
  EXPECT_FALSE(Zone_Calculation(-1).has_value());
  EXPECT_FALSE(Zone_Calculation(71).has_value());
}

// Every row's values are minus the offset written in its label (row 34's "+5.3" means 5:30).
TEST(ZoneTable, ValuesAgreeWithTheLabels) {
  for (int i = 0; i < kZoneCount; ++i) {
    const std::string text(kZoneTable[static_cast<std::size_t>(i)].text);
    double label = std::stod(text.substr(text.rfind(',') + 1));
    if (i == 34) label = 5.5;
    const auto z = *Zone_Calculation(i);
    EXPECT_DOUBLE_EQ(-(z.hours + z.minutes / 60.0), label) << text;
    EXPECT_TRUE(z.minutes == 0 || (z.minutes > 0) == (z.hours > 0)) << text;
  }
}

}  // namespace
}  // namespace corvane
