#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/chart_state.h"
#include "lagna/pada_tables.h"
#include "lagna/sign_tables.h"
#include "lagna/texts/interpretation_texts.h"

namespace corvane {
namespace {

// Whole rows typed out from the traditional table, one column at a time.
TEST(SignTables, WholeRowsOfAriesVirgoAndAquarius) {
  const SignAttributes& aries = kSignAttributes[0];
  EXPECT_EQ(aries.VedicName, "Mesha");
  EXPECT_EQ(aries.EnglishName, "Aries");
  EXPECT_EQ(aries.Abbreviation, "Ari");
  EXPECT_EQ(aries.RullingPlanet, "Mars");
  EXPECT_EQ(aries.Symbol, "The Ram");
  EXPECT_EQ(aries.Nature, "Fire");
  EXPECT_EQ(aries.Color, "Red, Brown, Copper");
  EXPECT_EQ(aries.TypeOfSign, "Movable");
  EXPECT_EQ(aries.Gender, "Male");
  EXPECT_EQ(aries.BestPeriodOfActivity, "Night");
  EXPECT_EQ(aries.Barren, "Barren");
  EXPECT_EQ(aries.Caste, "Kshatriya");
  EXPECT_EQ(aries.Position, "Dwara");
  EXPECT_EQ(aries.ConstituentCharacter, "Mineral (Dhatu)");
  EXPECT_EQ(aries.LuckyDays, "Monday, Tuesday");
  EXPECT_EQ(aries.LuckyNumbers, "9, 1");
  EXPECT_EQ(aries.BestDirection, "East");
  EXPECT_EQ(aries.LuckyColors, "Red, Brown, Copper");
  EXPECT_EQ(aries.LuckyGemstone, "Coral");
  EXPECT_EQ(aries.PartOfTheBody, "Head");
  EXPECT_EQ(aries.Physique, "Short");
  EXPECT_EQ(aries.CompatibleWith, "Leo, Sagittarius, Gemini, Aquarius, Libra");
  EXPECT_EQ(aries.NotCompatibleWith, "Scorpio, Pisces, Cancer");

  const SignAttributes& virgo = kSignAttributes[5];
  EXPECT_EQ(virgo.VedicName, "Kanya");
  EXPECT_EQ(virgo.Symbol, "The Virgin");
  EXPECT_EQ(virgo.Color, "Multicolored");
  EXPECT_EQ(virgo.TypeOfSign, "Mixed");
  EXPECT_EQ(virgo.BestPeriodOfActivity, "Day");
  EXPECT_EQ(virgo.Position, "Garbha");
  EXPECT_EQ(virgo.LuckyDays, "Wednesday, Friday");
  EXPECT_EQ(virgo.LuckyNumbers, "2, 3, 5, 6");
  EXPECT_EQ(virgo.PartOfTheBody, "Abdomen");
  EXPECT_EQ(virgo.Physique, "Tall");
  EXPECT_EQ(virgo.CompatibleWith, "Scorpio, Capricorn, Pisces, Cancer");  // only four

  const SignAttributes& aquarius = kSignAttributes[10];
  EXPECT_EQ(aquarius.VedicName, "Kumbha");
  EXPECT_EQ(aquarius.Symbol, "The Water Carrier");
  EXPECT_EQ(aquarius.Color, "Deep Brown");
  EXPECT_EQ(aquarius.Barren, "Semi-Fruitful");
  EXPECT_EQ(aquarius.Caste, "Sudra");
  EXPECT_EQ(aquarius.LuckyDays, "Thursday, Friday, Saturday");
  EXPECT_EQ(aquarius.LuckyNumbers, "2, 3, 7, 9");
  EXPECT_EQ(aquarius.LuckyColors, "Blue, Black");
  EXPECT_EQ(aquarius.PartOfTheBody, "Calves");
  EXPECT_EQ(aquarius.CompatibleWith, "Aquarius, Libra, Gemini");  // names itself

  EXPECT_EQ(kSignAttributes[7].PartOfTheBody, "External Genitalia");
  EXPECT_EQ(kSignAttributes[8].Color, "Yellowish brown");
  EXPECT_EQ(kSignAttributes[11].Symbol, "The Double Fish");
}

TEST(SignTables, NamesAndLordsAgreeWithTheLookupLists) {
  const char* english[] = {"Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo",
                           "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
  for (int s = 0; s < 12; ++s) {
    SCOPED_TRACE(s);
    EXPECT_EQ(kSignAttributes[s].EnglishName, english[s]);
    EXPECT_EQ(kSignAttributes[s].Abbreviation, kSignAbbreviations[s]);
    EXPECT_EQ(kSignAttributes[s].RullingPlanet, kSignLords[s]);
  }
}

TEST(SignTables, RegularitiesAcrossSigns) {
  const std::map<std::string, std::string> gemOfLord = {
      {"Mars", "Coral"},   {"Venus", "Diamond"},       {"Mercury", "Emerald"},
      {"Moon", "Pearl"},   {"Sun", "Ruby"},            {"Jupiter", "Yellow Sapphire"},
      {"Saturn", "Blue Sapphire"}};
  const char* directions[] = {"East", "South", "West", "North"};
  const char* elements[] = {"Fire", "Earth", "Air", "Water"};
  const char* incompatible[] = {"Scorpio, Pisces, Cancer", "Gemini, Aquarius, Libra",
                                "Taurus, Virgo, Capricorn", "Aries, Leo, Sagittarius"};
  for (int s = 0; s < 12; ++s) {
    SCOPED_TRACE(s);
    const SignAttributes& sign = kSignAttributes[s];
    EXPECT_EQ(sign.LuckyGemstone, gemOfLord.at(std::string(sign.RullingPlanet)));
    EXPECT_EQ(sign.BestDirection, directions[s % 4]);
    EXPECT_EQ(sign.Nature, elements[s % 4]);
    EXPECT_EQ(sign.NotCompatibleWith, incompatible[s % 4]);
    if (s == 0) {
      EXPECT_EQ(sign.LuckyColors, sign.Color);
    } else {
      EXPECT_NE(sign.LuckyColors, sign.Color);
    }
    // Gender alternates from Aries, except that Gemini is female.
    EXPECT_EQ(sign.Gender, (s % 2 == 0 && s != 2) ? "Male" : "Female");
    // Sign nature alternates strictly, Gemini included.
    EXPECT_EQ(kSignNature[s], s % 2 == 0 ? "Malefic (Male)" : "Benefic (Female)");
  }
}

TEST(SignTables, FindSignRejectsIndicesOutsideTheZodiac) {
  EXPECT_EQ(FindSign(-1), nullptr);
  EXPECT_EQ(FindSign(12), nullptr);
  ASSERT_NE(FindSign(11), nullptr);
  EXPECT_EQ(FindSign(11)->EnglishName, "Pisces");
}

TEST(PadaTables, LabelsNamesAndSignifications) {
  EXPECT_EQ(kPadaLabels[0], "AL");
  EXPECT_EQ(kPadaLabels[9], "A10");
  EXPECT_EQ(kPadaLabels[11], "A12");
  EXPECT_EQ(kPadaAlternateNames[0], "Pada, Lagna Pada, Arudha Lagna");
  EXPECT_EQ(kPadaAlternateNames[7], "Marana or Mrityu Pada, Randhrapada");
  EXPECT_EQ(kPadaAlternateNames[10], "Labhapada");
  EXPECT_EQ(kPadaAlternateNames[11], "Vyaya Pada, Gauna Pada");

  EXPECT_EQ(PadaSignification(0), kArudhaLagnaSignification);
  EXPECT_EQ(PadaSignification(1), "This tells about your family and financial prosperity.");
  EXPECT_EQ(PadaSignification(3),
            "This shows how others perceive your home. This also shows the blessings and "
            "property you receive from your mother.");
  EXPECT_EQ(PadaSignification(11),
            "This signifies marriage and spouse related issues. This gives you more information "
            "about your spouse and his / her characteristics.");
  EXPECT_TRUE(PadaSignification(12).empty());
  EXPECT_TRUE(PadaSignification(-1).empty());
}

TEST(PadaTables, ViewsFollowThePadaSigns) {
  ChartState state;
  state.ArudhaPadaSigns[0] = 11;  // AL in Pisces
  state.ArudhaPadaSigns[11] = 4;  // UL in Leo
  FillPadaViews(state);

  EXPECT_EQ(state.PadaViews[0].label, "AL");
  EXPECT_EQ(state.PadaViews[0].alternateNames, "Pada, Lagna Pada, Arudha Lagna");
  EXPECT_EQ(state.PadaViews[0].signName, "Pisces");
  EXPECT_EQ(state.PadaViews[0].signNature, "Benefic (Female)");
  EXPECT_EQ(state.PadaViews[11].label, "A12");
  EXPECT_EQ(state.PadaViews[11].signName, "Leo");
  EXPECT_EQ(state.PadaViews[11].signNature, "Malefic (Male)");
  // Houses without a computed pada hold sign 0 and show Aries.
  EXPECT_EQ(state.PadaViews[5].label, "A6");
  EXPECT_EQ(state.PadaViews[5].signName, "Aries");

  // A corrupt sign index must not read outside the tables.
  state.ArudhaPadaSigns[3] = 40;
  FillPadaViews(state);
  EXPECT_EQ(state.PadaViews[3].label, "A4");
  EXPECT_TRUE(state.PadaViews[3].signName.empty());
  EXPECT_TRUE(state.PadaViews[3].signNature.empty());
}

}  // namespace
}  // namespace corvane
