#pragma once
#include <array>
#include <string_view>

namespace corvane {

// The traditional attributes of one sign, as the interpretation pages show them.
// Member names are the attribute parts of the page controls (lblVedicName..., lblRullingPlanet...).
struct SignAttributes {
  std::string_view VedicName, EnglishName, Abbreviation, RullingPlanet, Symbol;
  // Classification; Nature is the element (the topic text of the same name lives elsewhere).
  std::string_view Nature, Color, TypeOfSign, Gender, BestPeriodOfActivity, Barren, Caste, Position;
  // Fortune and body.
  std::string_view ConstituentCharacter, LuckyDays, LuckyNumbers, BestDirection, LuckyColors,
      LuckyGemstone, PartOfTheBody, Physique;
  // Comma-separated English sign names, kept as traditionally listed (not symmetric).
  std::string_view CompatibleWith, NotCompatibleWith;
};

// Indexed by sign index 0 (Aries) to 11 (Pisces). Pure constants: nothing loads or refills them.
inline constexpr std::array<SignAttributes, 12> kSignAttributes = {{
    {.VedicName = "Mesha", .EnglishName = "Aries", .Abbreviation = "Ari", .RullingPlanet = "Mars",
     .Symbol = "The Ram", .Nature = "Fire", .Color = "Red, Brown, Copper", .TypeOfSign = "Movable",
     .Gender = "Male", .BestPeriodOfActivity = "Night", .Barren = "Barren", .Caste = "Kshatriya",
     .Position = "Dwara", .ConstituentCharacter = "Mineral (Dhatu)", .LuckyDays = "Monday, Tuesday",
     .LuckyNumbers = "9, 1", .BestDirection = "East", .LuckyColors = "Red, Brown, Copper",
     .LuckyGemstone = "Coral", .PartOfTheBody = "Head", .Physique = "Short",
     .CompatibleWith = "Leo, Sagittarius, Gemini, Aquarius, Libra",
     .NotCompatibleWith = "Scorpio, Pisces, Cancer"},
    {.VedicName = "Vrishabha", .EnglishName = "Taurus", .Abbreviation = "Tau", .RullingPlanet = "Venus",
     .Symbol = "The Bull", .Nature = "Earth", .Color = "White", .TypeOfSign = "Fixed",
     .Gender = "Female", .BestPeriodOfActivity = "Night", .Barren = "Semi-Fruitful", .Caste = "Vaisya",
     .Position = "Bahya", .ConstituentCharacter = "Vegetable (Moola)", .LuckyDays = "Thursday, Friday",
     .LuckyNumbers = "2, 8", .BestDirection = "South", .LuckyColors = "Pink, Green",
     .LuckyGemstone = "Diamond", .PartOfTheBody = "Face", .Physique = "Short",
     .CompatibleWith = "Cancer, Virgo, Scorpio, Capricorn, Pisces",
     .NotCompatibleWith = "Gemini, Aquarius, Libra"},
    {.VedicName = "Mithuna", .EnglishName = "Gemini", .Abbreviation = "Gem", .RullingPlanet = "Mercury",
     .Symbol = "The Twins", .Nature = "Air", .Color = "Green", .TypeOfSign = "Mixed",
     .Gender = "Female", .BestPeriodOfActivity = "Night", .Barren = "Barren", .Caste = "Sudra",
     .Position = "Garbha", .ConstituentCharacter = "Animal (Jeeva)", .LuckyDays = "Monday, Wednesday",
     .LuckyNumbers = "3, 7", .BestDirection = "West", .LuckyColors = "Yellow, Purple, Blue",
     .LuckyGemstone = "Emerald", .PartOfTheBody = "Shoulders", .Physique = "Even",
     .CompatibleWith = "Aries, Leo, Libra, Sagittarius, Aquarius",
     .NotCompatibleWith = "Taurus, Virgo, Capricorn"},
    {.VedicName = "Kataka", .EnglishName = "Cancer", .Abbreviation = "Can", .RullingPlanet = "Moon",
     .Symbol = "The Crab", .Nature = "Water", .Color = "Pink", .TypeOfSign = "Movable",
     .Gender = "Female", .BestPeriodOfActivity = "Night", .Barren = "Fruitful", .Caste = "Brahmana",
     .Position = "Dwara", .ConstituentCharacter = "Mineral (Dhatu)", .LuckyDays = "Monday, Thursday",
     .LuckyNumbers = "2, 7, 9", .BestDirection = "North", .LuckyColors = "White, Red, Yellow",
     .LuckyGemstone = "Pearl", .PartOfTheBody = "Chest", .Physique = "Even",
     .CompatibleWith = "Virgo, Scorpio, Capricorn, Pisces, Taurus",
     .NotCompatibleWith = "Aries, Leo, Sagittarius"},
    {.VedicName = "Simha", .EnglishName = "Leo", .Abbreviation = "Leo", .RullingPlanet = "Sun",
     .Symbol = "The Lion", .Nature = "Fire", .Color = "White", .TypeOfSign = "Fixed",
     .Gender = "Male", .BestPeriodOfActivity = "Day", .Barren = "Barren", .Caste = "Kshatriya",
     .Position = "Bahya", .ConstituentCharacter = "Vegetable (Moola)", .LuckyDays = "Sunday, Monday",
     .LuckyNumbers = "1, 4, 5, 9", .BestDirection = "East", .LuckyColors = "Orange, Red, Green",
     .LuckyGemstone = "Ruby", .PartOfTheBody = "Heart & Stomach", .Physique = "Tall",
     .CompatibleWith = "Libra, Sagittarius, Aquarius, Aries, Gemini",
     .NotCompatibleWith = "Scorpio, Pisces, Cancer"},
    {.VedicName = "Kanya", .EnglishName = "Virgo", .Abbreviation = "Vir", .RullingPlanet = "Mercury",
     .Symbol = "The Virgin", .Nature = "Earth", .Color = "Multicolored", .TypeOfSign = "Mixed",
     .Gender = "Female", .BestPeriodOfActivity = "Day", .Barren = "Barren", .Caste = "Vaisya",
     .Position = "Garbha", .ConstituentCharacter = "Animal (Jeeva)", .LuckyDays = "Wednesday, Friday",
     .LuckyNumbers = "2, 3, 5, 6", .BestDirection = "South", .LuckyColors = "Green",
     .LuckyGemstone = "Emerald", .PartOfTheBody = "Abdomen", .Physique = "Tall",
     .CompatibleWith = "Scorpio, Capricorn, Pisces, Cancer",
     .NotCompatibleWith = "Gemini, Aquarius, Libra"},
    {.VedicName = "Thula", .EnglishName = "Libra", .Abbreviation = "Lib", .RullingPlanet = "Venus",
     .Symbol = "The Balance", .Nature = "Air", .Color = "Black", .TypeOfSign = "Movable",
     .Gender = "Male", .BestPeriodOfActivity = "Day", .Barren = "Semi-Fruitful", .Caste = "Sudra",
     .Position = "Dwara", .ConstituentCharacter = "Mineral (Dhatu)",
     .LuckyDays = "Friday, Wednesday, Thursday", .LuckyNumbers = "1, 2, 4", .BestDirection = "West",
     .LuckyColors = "White, Green, Yellow", .LuckyGemstone = "Diamond",
     .PartOfTheBody = "Lower Abdomen & Groin", .Physique = "Tall",
     .CompatibleWith = "Sagittarius, Aquarius, Aries, Gemini, Leo",
     .NotCompatibleWith = "Taurus, Virgo, Capricorn"},
    {.VedicName = "Vrischika", .EnglishName = "Scorpio", .Abbreviation = "Sco", .RullingPlanet = "Mars",
     .Symbol = "The Scorpion", .Nature = "Water", .Color = "Reddish Brown", .TypeOfSign = "Fixed",
     .Gender = "Female", .BestPeriodOfActivity = "Day", .Barren = "Fruitful", .Caste = "Brahmana",
     .Position = "Bahya", .ConstituentCharacter = "Vegetable (Moola)",
     .LuckyDays = "Monday, Tuesday, Thursday", .LuckyNumbers = "3, 7, 9", .BestDirection = "North",
     .LuckyColors = "Brown, Red, Yellow, White", .LuckyGemstone = "Coral",
     .PartOfTheBody = "External Genitalia", .Physique = "Tall",
     .CompatibleWith = "Capricorn, Pisces, Taurus, Cancer, Virgo",
     .NotCompatibleWith = "Aries, Leo, Sagittarius"},
    {.VedicName = "Dhanus", .EnglishName = "Sagittarius", .Abbreviation = "Sag",
     .RullingPlanet = "Jupiter", .Symbol = "The Archer", .Nature = "Fire", .Color = "Yellowish brown",
     .TypeOfSign = "Mixed", .Gender = "Male", .BestPeriodOfActivity = "Night",
     .Barren = "Semi-Fruitful", .Caste = "Kshatriya", .Position = "Garbha",
     .ConstituentCharacter = "Animal (Jeeva)", .LuckyDays = "Sunday, Thursday",
     .LuckyNumbers = "3, 5, 6, 8", .BestDirection = "East", .LuckyColors = "Yellow, Gray, Brown",
     .LuckyGemstone = "Yellow Sapphire", .PartOfTheBody = "Thighs", .Physique = "Even",
     .CompatibleWith = "Aquarius, Aries, Gemini, Leo, Libra",
     .NotCompatibleWith = "Scorpio, Pisces, Cancer"},
    {.VedicName = "Makara", .EnglishName = "Capricorn", .Abbreviation = "Cap", .RullingPlanet = "Saturn",
     .Symbol = "The Crocodile", .Nature = "Earth", .Color = "Multicolored", .TypeOfSign = "Movable",
     .Gender = "Female", .BestPeriodOfActivity = "Night", .Barren = "Barren", .Caste = "Vaisya",
     .Position = "Dwara", .ConstituentCharacter = "Mineral (Dhatu)", .LuckyDays = "Saturday, Wednesday",
     .LuckyNumbers = "6, 8, 9", .BestDirection = "South", .LuckyColors = "Black, Blue",
     .LuckyGemstone = "Blue Sapphire", .PartOfTheBody = "Knees", .Physique = "Even",
     .CompatibleWith = "Pisces, Taurus, Cancer, Virgo, Scorpio",
     .NotCompatibleWith = "Gemini, Aquarius, Libra"},
    {.VedicName = "Kumbha", .EnglishName = "Aquarius", .Abbreviation = "Aqu", .RullingPlanet = "Saturn",
     .Symbol = "The Water Carrier", .Nature = "Air", .Color = "Deep Brown", .TypeOfSign = "Fixed",
     .Gender = "Male", .BestPeriodOfActivity = "Day", .Barren = "Semi-Fruitful", .Caste = "Sudra",
     .Position = "Bahya", .ConstituentCharacter = "Vegetable (Moola)",
     .LuckyDays = "Thursday, Friday, Saturday", .LuckyNumbers = "2, 3, 7, 9", .BestDirection = "West",
     .LuckyColors = "Blue, Black", .LuckyGemstone = "Blue Sapphire", .PartOfTheBody = "Calves",
     .Physique = "Short", .CompatibleWith = "Aquarius, Libra, Gemini",
     .NotCompatibleWith = "Taurus, Virgo, Capricorn"},
    {.VedicName = "Meena", .EnglishName = "Pisces", .Abbreviation = "Pis", .RullingPlanet = "Jupiter",
     .Symbol = "The Double Fish", .Nature = "Water", .Color = "Blue", .TypeOfSign = "Mixed",
     .Gender = "Female", .BestPeriodOfActivity = "Day", .Barren = "Fruitful", .Caste = "Brahmana",
     .Position = "Garbha", .ConstituentCharacter = "Animal (Jeeva)",
     .LuckyDays = "Thursday, Monday, Tuesday", .LuckyNumbers = "1, 3, 4", .BestDirection = "North",
     .LuckyColors = "Pink, Cream", .LuckyGemstone = "Yellow Sapphire", .PartOfTheBody = "Feet",
     .Physique = "Short", .CompatibleWith = "Taurus, Cancer, Virgo, Scorpio, Capricorn",
     .NotCompatibleWith = "Aries, Leo, Sagittarius"},
}};

// Male/female nature of a sign: strictly alternating from Aries (unlike Gender, where
// Gemini breaks the pattern).
inline constexpr std::array<std::string_view, 12> kSignNature = {
    "Malefic (Male)", "Benefic (Female)", "Malefic (Male)", "Benefic (Female)",
    "Malefic (Male)", "Benefic (Female)", "Malefic (Male)", "Benefic (Female)",
    "Malefic (Male)", "Benefic (Female)", "Malefic (Male)", "Benefic (Female)"};

constexpr bool IsSignIndex(int s) { return s >= 0 && s < 12; }

// The attributes of sign s, or nullptr when s is not a sign index.
constexpr const SignAttributes* FindSign(int s) { return IsSignIndex(s) ? &kSignAttributes[s] : nullptr; }


}  // namespace corvane
