#include "lagna/texts/interpretation_texts.h"

namespace corvane {

const std::array<std::string_view, 12> kLooksTexts = {
    // Aries
    "You may be slim and of medium complexion.",
    // Taurus
    "You are attractive and beautiful.",
    // Gemini
    "You are tall slim and good looking.",
    // Cancer
    "You have a medium stature and may be a bit stout.",
    // Leo
    "You are tall  and have broad squarely built shoulders.",
    // Virgo
    "You are tall and slim with sharp features.",
    // Libra
    "You are tall and thin.",
    // Scorpio
    "You have broad body shape.",
    // Sagittarius
    "You may be medium to tall and well built.",
    // Capricorn
    "You have beautiful eyes.",
    // Aquarius
    "You have a fair complexion.",
    // Pisces
    "You have the perfect body with the right nose, eyes and mouth.",
};

const std::array<std::string_view, 12> kNatureTexts = {
    // Aries
    "You are very independent and dynamic.",
    // Taurus
    "You have a powerful and commanding personality.",
    // Gemini
    "You have an analytical mind.",
    // Cancer
    "You are a patient person and very emotional.",
    // Leo
    "You are a leader and can never take orders.",
    // Virgo
    "You are practical and polished.",
    // Libra
    "Justice means everything to you.",
    // Scorpio
    "Mysterious is the first word that comes to mind about this moon sign.",
    // Sagittarius
    "You are very optimistic and spontaneous by nature.",
    // Capricorn
    "You want to achieve a lot in life.",
    // Aquarius
    "You are a thinker, philosopher and an idealist.",
    // Pisces
    "You are very creative and soft by nature.",
};

const std::array<std::string_view, 12> kCareerAndFinanceTexts = {
    // Aries
    "You are ambitious by nature.",
    // Taurus
    "You love spending on luxurious things.",
    // Gemini
    "You will do very well in jobs that need interaction with people.",
    // Cancer
    "You have an artistic bent of mind.",
    // Leo
    "You can do well in professions that need you to be in the limelight.",
    // Virgo
    "You are skilled in music and dance.",
    // Libra
    "You could make a career of the artistic kind.",
    // Scorpio
    "You may come in possession of sudden legacies and gifts.",
    // Sagittarius
    "You always yearn to learn more in life.",
    // Capricorn
    "Material wealth means a lot to you.",
    // Aquarius
    "You will do very well in public related jobs and businesses.",
    // Pisces
    "You are artistically inclined.",
};

const std::array<std::string_view, 12> kLoveAndDomesticLifeTexts = {
    // Aries
    "You are a romantic to the core by nature.",
    // Taurus
    "You may not express your emotions but you are still a romantic at heart.",
    // Gemini
    "You are blessed with a long life.",
    // Cancer
    "Parents will mean a lot to you.",
    // Leo
    "You love living life king size.",
    // Virgo
    "You are not romantic at all.",
    // Libra
    "Being peaceful and loving by nature, you have good love life.",
    // Scorpio
    "Your possessive nature may create problems in life.",
    // Sagittarius
    "You may have some problem dealing with other people.",
    // Capricorn
    "Domestic life will have its share of problems mainly because of inability of "
    "household members to get along",
    // Aquarius
    "You are influenced more by your friends than your relatives.",
    // Pisces
    "Your children will be very fortunate to be born to you.",
};

const std::array<std::string_view, 12> kHealthTexts = {
    // Aries
    "You may be prone to blood circulation problems, head related illnesses and BP "
    "issues.",
    // Taurus
    "You may not enjoy good health all the time.",
    // Gemini
    "You may have some problems of the sexual nature.",
    // Cancer
    "You may have stress and mental illnesses because of your highly emotional and "
    "sensitive nature.",
    // Leo
    "Heart problems may occur.",
    // Virgo
    "Your intestine and liver may give you some problems.",
    // Libra
    "Kidney and liver are your weak parts.",
    // Scorpio
    "You may have problems from piles and colic.",
    // Sagittarius
    "Your body gives out too much heat, which may create a few problems.",
    // Capricorn
    "You may be prone to gout and blood related problems.",
    // Aquarius
    "Your legs and eyes may be weak.",
    // Pisces
    "Common cold will be your constant companion.",
};

const std::array<std::string_view, 12> kPranapadaHouseTexts = {
    // 1st house
    "You may be physically very weak and sick.",
    // 2nd house
    "You will have abundant wealth in form of money, food, love, relationships etc.",
    // 3rd house
    "You will suffer from injuries and accidents.",
    // 4th house
    "You will have a very happy and agreeable personality.",
    // 5th house
    "You will be fortunate and enthusiastic in life.",
    // 6th house
    "You will be put down by your relatives and enemies.",
    // 7th house
    "You will have a lot of interest in the opposite sex.",
    // 8th house
    "You will suffer from health problems.",
    // 9th house
    "You will have a large and loving happy family.",
    // 10th house
    "You will be bold and brave and a great entrepreneur.",
    // 11th house
    "You will achieve a lot of fame and respect. You will be well-liked, wise, wealthy "
    "and well renowned.",
    // 12th house
    "You may have a very disagreeable nature.",
};

const std::array<std::string_view, 12> kHoraHouseTexts = {
    // 1st house
    "If you have a good reputation and are famous then wealth and riches will come "
    "knocking on your doors. ",
    // 2nd house
    "Family life will gain importance.",
    // 3rd house
    "Establish your creative pursuits and build a profitable career around it.",
    // 4th house
    "Your heart is where your home is.",
    // 5th house
    "You will spend more time with your children and people who support you.",
    // 6th house
    "Survival of the fittest.",
    // 7th house
    "You will crave for a partner and look forward to getting into a relationship.",
    // 8th house
    "You will gain money from people who return their debts.",
    // 9th house
    "Wisdom and knowledge will be of utmost importance.",
    // 10th house
    "Build your professional career and look at it as the most important aspect if your "
    "life.",
    // 11th house
    "You will need to understand the importance of friendships and know how to work in "
    "groups for mutual benefit.",
    // 12th house
    "You will gain money from foreign places.",
};

const std::array<std::string_view, 10> kPlanetTexts = {
    // Sun
    "He can be good or evil depending upon the planets in configuration with him.",
    // Moon
    "The moon is the planet most connected to our feelings",
    // Mercury
    "Mercury governs the way that you communicate with those around you.",
    // Venus
    "Venus is the planet that is about how people express socially, romantically and "
    "artistically.",
    // Mars
    "This is where your assertiveness and power will lie.",
    // Jupiter
    "Where the house placement of Jupiter is where you are likely to think "
    "optimistically and positively about things.",
    // Saturn
    "This is where people are likely to encounter heavy obstacles. It is the planet of "
    "restrictions and limitations.",
    // Rahu
    "The North Node of the Moon reflects",
    // Ketu
    "The South Node of the Moon reflects",
    // Ascendant: no text
    "",
};

const std::string_view kArudhaLagnaSignification =
    "Arudha literally means mount. This signifies the image of a sign falling on another "
    "sign. Arudha of the first house is known as Arudha Lagna. Arudha Lagna shows how "
    "one manifests oneself in this world of Maya (Illusion). This shows how you are "
    "perceived  by others.";

}  // namespace corvane
