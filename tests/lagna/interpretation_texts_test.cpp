#include "lagna/texts/interpretation_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace corvane {
namespace {

using Table12 = std::array<std::string_view, 12>;

// The opening sentences every text must carry word for word, typed in independently of
// the tables under test.
constexpr Table12 kLooksOpenings = {
    "You may be slim and of medium complexion.",
    "You are attractive and beautiful.",
    "You are tall slim and good looking.",
    "You have a medium stature and may be a bit stout.",
    "You are tall  and have broad squarely built shoulders.",
    "You are tall and slim with sharp features.",
    "You are tall and thin.",
    "You have broad body shape.",
    "You may be medium to tall and well built.",
    "You have beautiful eyes.",
    "You have a fair complexion.",
    "You have the perfect body with the right nose, eyes and mouth.",
};

constexpr Table12 kNatureOpenings = {
    "You are very independent and dynamic.",
    "You have a powerful and commanding personality.",
    "You have an analytical mind.",
    "You are a patient person and very emotional.",
    "You are a leader and can never take orders.",
    "You are practical and polished.",
    "Justice means everything to you.",
    "Mysterious is the first word that comes to mind about this moon sign.",
    "You are very optimistic and spontaneous by nature.",
    "You want to achieve a lot in life.",
    "You are a thinker, philosopher and an idealist.",
    "You are very creative and soft by nature.",
};

constexpr Table12 kCareerOpenings = {
    "You are ambitious by nature.",
    "You love spending on luxurious things.",
    "You will do very well in jobs that need interaction with people.",
    "You have an artistic bent of mind.",
    "You can do well in professions that need you to be in the limelight.",
    "You are skilled in music and dance.",
    "You could make a career of the artistic kind.",
    "You may come in possession of sudden legacies and gifts.",
    "You always yearn to learn more in life.",
    "Material wealth means a lot to you.",
    "You will do very well in public related jobs and businesses.",
    "You are artistically inclined.",
};

constexpr Table12 kLoveOpenings = {
    "You are a romantic to the core by nature.",
    "You may not express your emotions but you are still a romantic at heart.",
    "You are blessed with a long life.",
    "Parents will mean a lot to you.",
    "You love living life king size.",
    "You are not romantic at all.",
    "Being peaceful and loving by nature, you have good love life.",
    "Your possessive nature may create problems in life.",
    "You may have some problem dealing with other people.",
    "Domestic life will have its share of problems mainly because of inability of household members to get along",
    "You are influenced more by your friends than your relatives.",
    "Your children will be very fortunate to be born to you.",
};

constexpr Table12 kHealthOpenings = {
    "You may be prone to blood circulation problems, head related illnesses and BP issues.",
    "You may not enjoy good health all the time.",
    "You may have some problems of the sexual nature.",
    "You may have stress and mental illnesses because of your highly emotional and sensitive nature.",
    "Heart problems may occur.",
    "Your intestine and liver may give you some problems.",
    "Kidney and liver are your weak parts.",
    "You may have problems from piles and colic.",
    "Your body gives out too much heat, which may create a few problems.",
    "You may be prone to gout and blood related problems.",
    "Your legs and eyes may be weak.",
    "Common cold will be your constant companion.",
};

constexpr Table12 kPranapadaOpenings = {
    "You may be physically very weak and sick.",
    "You will have abundant wealth in form of money, food, love, relationships etc.",
    "You will suffer from injuries and accidents.",
    "You will have a very happy and agreeable personality.",
    "You will be fortunate and enthusiastic in life.",
    "You will be put down by your relatives and enemies.",
    "You will have a lot of interest in the opposite sex.",
    "You will suffer from health problems.",
    "You will have a large and loving happy family.",
    "You will be bold and brave and a great entrepreneur.",
    "You will achieve a lot of fame and respect.",
    "You may have a very disagreeable nature.",
};

constexpr Table12 kHoraOpenings = {
    "If you have a good reputation and are famous then wealth and riches will come knocking on your doors.",
    "Family life will gain importance.",
    "Establish your creative pursuits and build a profitable career around it.",
    "Your heart is where your home is.",
    "You will spend more time with your children and people who support you.",
    "Survival of the fittest.",
    "You will crave for a partner and look forward to getting into a relationship.",
    "You will gain money from people who return their debts.",
    "Wisdom and knowledge will be of utmost importance.",
    "Build your professional career and look at it as the most important aspect if your life.",
    "You will need to understand the importance of friendships and know how to work in groups for mutual benefit.",
    "You will gain money from foreign places.",
};

constexpr Table12 kSignNames = {"Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo",
                                "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

struct TextTable {
  std::string name;
  const Table12& texts;
  const Table12& openings;
  std::size_t minLength, maxLength;  // Hora lengths exclude the trailing blanks and houses 1 and 12
  bool signTopic = true;
};

const std::vector<TextTable>& Tables() {
  static const std::vector<TextTable> tables = {
      {"Looks", kLooksTexts, kLooksOpenings, 81, 324},
      {"Nature", kNatureTexts, kNatureOpenings, 515, 883},
      {"Career", kCareerAndFinanceTexts, kCareerOpenings, 81, 324},
      {"Love", kLoveAndDomesticLifeTexts, kLoveOpenings, 81, 324},
      {"Health", kHealthTexts, kHealthOpenings, 81, 324},
      {"Pranapada", kPranapadaHouseTexts, kPranapadaOpenings, 100, 160, false},
      {"Hora", kHoraHouseTexts, kHoraOpenings, 100, 200, false},
  };
  return tables;
}

std::size_t TrailingBlanks(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && text[text.size() - 1 - n] == ' ') ++n;
  return n;
}

// Sentences end at '.', '!' or '?' followed by a blank or the end; pieces are trimmed.
std::vector<std::string> Sentences(std::string_view text) {
  std::vector<std::string> out;
  std::size_t from = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const bool stop = i == text.size() || ((text[i] == '.' || text[i] == '!' || text[i] == '?') &&
                                           (i + 1 == text.size() || text[i + 1] == ' '));
    if (!stop) continue;
    std::string_view s = text.substr(from, std::min(i + 1, text.size()) - from);
    from = i + 1;
    const auto first = s.find_first_not_of(' ');
    if (first != std::string_view::npos) out.emplace_back(s.substr(first, s.find_last_not_of(' ') - first + 1));
  }
  return out;
}

bool HasWord(std::string_view text, std::string_view word) {
  auto letter = [&](std::size_t i) { return i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])); };
  for (auto pos = text.find(word); pos != std::string_view::npos; pos = text.find(word, pos + 1))
    if ((pos == 0 || !letter(pos - 1)) && !letter(pos + word.size())) return true;
  return false;
}

// Every text opens with its given sentence, goes on past it in the reader's voice, keeps its
// length range and adds no sentence that another text of its table also adds.
TEST(InterpretationTexts, OpeningsLengthsVoiceAndNoRepeatedFiller) {
  for (const TextTable& t : Tables()) {
    std::map<std::string, std::size_t> added;
    for (std::size_t i = 0; i < 12; ++i) {
      SCOPED_TRACE(t.name + " " + std::to_string(i + 1));
      const std::string_view text = t.texts[i];
      ASSERT_TRUE(text.starts_with(t.openings[i])) << text;
      const bool singleSentence = t.name == "Hora" && (i == 0 || i == 11);
      const std::string_view body = text.substr(0, text.size() - TrailingBlanks(text));
      const std::string_view rest = text.substr(t.openings[i].size());
      EXPECT_TRUE(body.ends_with("."));
      if (!singleSentence) {
        EXPECT_GE(body.size(), t.minLength);
        EXPECT_LE(body.size(), t.maxLength);
        EXPECT_GE(Sentences(body).size(), 2u);
      }
      if (t.signTopic) {  // the sign topics speak to the reader after their openings
        EXPECT_TRUE(HasWord(rest, "you") || HasWord(rest, "your") || HasWord(rest, "You") || HasWord(rest, "Your"));
      }
      if (t.name == "Pranapada") { EXPECT_LE(Sentences(body).size(), 3u); }
      for (const std::string& sentence : Sentences(rest)) {
        const auto [at, fresh] = added.emplace(sentence, i);
        EXPECT_TRUE(fresh) << '"' << sentence << "\" also in " << at->second + 1;
      }
    }
  }
  // The doubled blank and the missing full stop of two openings belong to the texts.
  EXPECT_TRUE(kLooksTexts[4].starts_with("You are tall  and have broad"));
  EXPECT_FALSE(kLoveAndDomesticLifeTexts[9].starts_with(std::string(kLoveOpenings[9]) + "."));
  // A Nature text never calls itself another sign's moon sign (a copied paragraph would).
  for (std::size_t s = 0; s < 12; ++s)
    for (std::size_t other = 0; other < 12; ++other)
      EXPECT_TRUE(other == s || !HasWord(kNatureTexts[s], std::string(kSignNames[other]) + " moon sign"))
          << s << " " << other;
}

TEST(InterpretationTexts, HouseTextsGivenInFullAndTheirTrailingBlanks) {
  EXPECT_EQ(kPranapadaHouseTexts[10],
            "You will achieve a lot of fame and respect. You will be well-liked, wise, wealthy and well renowned.");
  EXPECT_EQ(kHoraHouseTexts[0], std::string(kHoraOpenings[0]) + " ");
  EXPECT_EQ(kHoraHouseTexts[11], kHoraOpenings[11]);
  constexpr std::array<std::size_t, 12> kTrailing = {1, 0, 0, 0, 0, 0, 0, 4, 2, 4, 4, 0};
  for (std::size_t h = 0; h < 12; ++h) EXPECT_EQ(TrailingBlanks(kHoraHouseTexts[h]), kTrailing[h]) << h + 1;
}

TEST(InterpretationTexts, PlanetSignificationsAndTheArudhaText) {
  EXPECT_EQ(kPlanetTexts[2], "Mercury governs the way that you communicate with those around you.");
  EXPECT_EQ(kPlanetTexts[3],
            "Venus is the planet that is about how people express socially, romantically and artistically.");
  EXPECT_EQ(kPlanetTexts[5],
            "Where the house placement of Jupiter is where you are likely to think optimistically and "
            "positively about things.");
  EXPECT_EQ(kPlanetTexts[6],
            "This is where people are likely to encounter heavy obstacles. It is the planet of restrictions "
            "and limitations.");
  EXPECT_TRUE(kPlanetTexts[9].empty());
  constexpr std::string_view kSunSentence =
      "He can be good or evil depending upon the planets in configuration with him.";
  EXPECT_EQ(kPlanetTexts[0].size(), 758u);
  EXPECT_TRUE(kPlanetTexts[0].starts_with(kSunSentence) && kPlanetTexts[0].ends_with(kSunSentence));
  const std::tuple<std::size_t, std::string_view, std::size_t> written[] = {
      {1, "The moon is the planet most connected to our feelings", 223},
      {4, "This is where your assertiveness and power will lie.", 167},
      {7, "The North Node of the Moon reflects", 222}, {8, "The South Node of the Moon reflects", 241}};
  for (const auto& [body, opening, length] : written) {
    EXPECT_TRUE(kPlanetTexts[body].starts_with(opening)) << body;
    EXPECT_EQ(kPlanetTexts[body].size(), length) << body;
  }
  EXPECT_EQ(kArudhaLagnaSignification,
            "Arudha literally means mount. This signifies the image of a sign falling on another sign. Arudha "
            "of the first house is known as Arudha Lagna. Arudha Lagna shows how one manifests oneself in this "
            "world of Maya (Illusion). This shows how you are perceived  by others.");
}

// All prose is printable ASCII on one line, starts with no blank, and has doubled blanks only
// in Leo's looks and the Arudha text and trailing blanks only in the Hora house texts.
TEST(InterpretationTexts, PrintableWithoutStrayBlanks) {
  std::vector<std::pair<std::string, std::string_view>> all = {{"Arudha", kArudhaLagnaSignification}};
  for (const TextTable& t : Tables())
    for (std::size_t i = 0; i < 12; ++i) all.emplace_back(t.name + " " + std::to_string(i), t.texts[i]);
  for (const std::string_view text : kPlanetTexts) all.emplace_back("Planet", text);
  for (const auto& [label, text] : all) {
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F && c != '"'; }))
        << label;
    EXPECT_FALSE(text.starts_with(' ')) << label;
    const std::string_view body = text.substr(0, text.size() - TrailingBlanks(text));
    EXPECT_EQ(body.find("  ") != std::string_view::npos, label == "Looks 4" || label == "Arudha") << label;
    EXPECT_TRUE(label.starts_with("Hora") || TrailingBlanks(text) == 0) << label;
  }
}

}  // namespace
}  // namespace corvane
