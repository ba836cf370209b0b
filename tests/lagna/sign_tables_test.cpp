#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "lagna/pada_tables.h"
#include "lagna/sign_tables.h"
#include "lagna/texts/interpretation_texts.h"

namespace corvane {
namespace {

std::vector<std::string_view> Row(const SignAttributes& s) {
  return {s.VedicName, s.EnglishName, s.Abbreviation, s.RullingPlanet, s.Symbol, s.Nature, s.Color,
          s.TypeOfSign, s.Gender, s.BestPeriodOfActivity, s.Barren, s.Caste, s.Position,
          s.ConstituentCharacter, s.LuckyDays, s.LuckyNumbers, s.BestDirection, s.LuckyColors,
          s.LuckyGemstone, s.PartOfTheBody, s.Physique, s.CompatibleWith, s.NotCompatibleWith};
}

// Whole rows typed out from the traditional table.
TEST(SignTables, WholeRows) {
  EXPECT_EQ(Row(kSignAttributes[0]),
            (std::vector<std::string_view>{
                "Mesha", "Aries", "Ari", "Mars", "The Ram", "Fire", "Red, Brown, Copper", "Movable", "Male", "Night",
                "Barren", "Kshatriya", "Dwara", "Mineral (Dhatu)", "Monday, Tuesday", "9, 1", "East",
                "Red, Brown, Copper", "Coral", "Head", "Short", "Leo, Sagittarius, Gemini, Aquarius, Libra",
                "Scorpio, Pisces, Cancer"}));
  const SignAttributes& virgo = kSignAttributes[5];
  EXPECT_EQ((std::vector<std::string_view>{virgo.VedicName, virgo.Symbol, virgo.Color, virgo.TypeOfSign,
                                           virgo.BestPeriodOfActivity, virgo.Position, virgo.LuckyDays,
                                           virgo.LuckyNumbers, virgo.PartOfTheBody, virgo.Physique,
                                           virgo.CompatibleWith}),
            (std::vector<std::string_view>{"Kanya", "The Virgin", "Multicolored", "Mixed", "Day", "Garbha",
                                           "Wednesday, Friday", "2, 3, 5, 6", "Abdomen", "Tall",
                                           "Scorpio, Capricorn, Pisces, Cancer"}));  // only four
  const SignAttributes& aquarius = kSignAttributes[10];
  EXPECT_EQ((std::vector<std::string_view>{aquarius.VedicName, aquarius.Symbol, aquarius.Color, aquarius.Barren,
                                           aquarius.Caste, aquarius.LuckyDays, aquarius.LuckyNumbers,
                                           aquarius.LuckyColors, aquarius.PartOfTheBody, aquarius.CompatibleWith}),
            (std::vector<std::string_view>{"Kumbha", "The Water Carrier", "Deep Brown", "Semi-Fruitful", "Sudra",
                                           "Thursday, Friday, Saturday", "2, 3, 7, 9", "Blue, Black", "Calves",
                                           "Aquarius, Libra, Gemini"}));  // names itself
  EXPECT_EQ(kSignAttributes[7].PartOfTheBody, "External Genitalia");
  EXPECT_EQ(kSignAttributes[8].Color, "Yellowish brown");
  EXPECT_EQ(kSignAttributes[11].Symbol, "The Double Fish");
}

TEST(SignTables, RegularitiesAcrossSigns) {
  const std::map<std::string_view, std::string_view> gemOfLord = {
      {"Mars", "Coral"}, {"Venus", "Diamond"}, {"Mercury", "Emerald"}, {"Moon", "Pearl"},
      {"Sun", "Ruby"},   {"Jupiter", "Yellow Sapphire"}, {"Saturn", "Blue Sapphire"}};
  const char* english[] = {"Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo",
                           "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
  const char* directions[] = {"East", "South", "West", "North"};
  const char* elements[] = {"Fire", "Earth", "Air", "Water"};
  const char* incompatible[] = {"Scorpio, Pisces, Cancer", "Gemini, Aquarius, Libra", "Taurus, Virgo, Capricorn",
                                "Aries, Leo, Sagittarius"};
  const char* lords[] = {"Mars",  "Venus", "Mercury", "Moon",   "Sun",    "Mercury",
                         "Venus", "Mars",  "Jupiter", "Saturn", "Saturn", "Jupiter"};
  for (int s = 0; s < 12; ++s) {
    SCOPED_TRACE(s);
    const SignAttributes& sign = kSignAttributes[s];
    EXPECT_EQ(sign.EnglishName, english[s]);
    EXPECT_EQ(sign.Abbreviation, std::string(english[s]).substr(0, 3));
    EXPECT_EQ(sign.RullingPlanet, lords[s]);
    EXPECT_EQ(sign.LuckyGemstone, gemOfLord.at(sign.RullingPlanet));
    EXPECT_EQ(sign.BestDirection, directions[s % 4]);
    EXPECT_EQ(sign.Nature, elements[s % 4]);
    EXPECT_EQ(sign.NotCompatibleWith, incompatible[s % 4]);
    EXPECT_EQ(sign.LuckyColors == sign.Color, s == 0);
    EXPECT_EQ(sign.Gender, (s % 2 == 0 && s != 2) ? "Male" : "Female");  // Gemini is female
    EXPECT_EQ(kSignNature[s], s % 2 == 0 ? "Malefic (Male)" : "Benefic (Female)");  // Gemini included
  }
  EXPECT_EQ(FindSign(-1), nullptr);
  EXPECT_EQ(FindSign(12), nullptr);
  EXPECT_EQ(FindSign(11)->EnglishName, "Pisces");
}

TEST(PadaTables, LabelsNamesSignificationsAndViews) {
  EXPECT_EQ(kPadaLabels[0], "AL");
  EXPECT_EQ(kPadaLabels[9], "A10");
  EXPECT_EQ(kPadaAlternateNames[0], "Pada, Lagna Pada, Arudha Lagna");
  EXPECT_EQ(kPadaAlternateNames[7], "Marana or Mrityu Pada, Randhrapada");
  EXPECT_EQ(kPadaAlternateNames[10], "Labhapada");
  EXPECT_EQ(PadaSignification(0), kArudhaLagnaSignification);
  EXPECT_EQ(PadaSignification(1), "This tells about your family and financial prosperity.");
  EXPECT_EQ(PadaSignification(3),
            "This shows how others perceive your home. This also shows the blessings and property you receive "
            "from your mother.");
  EXPECT_TRUE(PadaSignification(12).empty());
  EXPECT_TRUE(PadaSignification(-1).empty());

  const PadaView al = MakePadaView(0, 11);  // AL in Pisces
  EXPECT_EQ((std::vector<std::string_view>{al.label, al.alternateNames, al.signName, al.signNature}),
            (std::vector<std::string_view>{"AL", "Pada, Lagna Pada, Arudha Lagna", "Pisces", "Benefic (Female)"}));
  EXPECT_EQ(MakePadaView(11, 4).signName, "Leo");  // UL in Leo
  EXPECT_EQ(MakePadaView(11, 4).signNature, "Malefic (Male)");
  const PadaView corrupt = MakePadaView(3, 40);  // must not read outside the tables
  EXPECT_EQ(corrupt.label, "A4");
  EXPECT_TRUE(corrupt.signName.empty() && corrupt.signNature.empty());
}

}  // namespace
}  // namespace corvane
