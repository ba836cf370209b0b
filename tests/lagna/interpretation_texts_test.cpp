#include "lagna/texts/interpretation_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <string>
#include <string_view>
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

constexpr std::array<std::string_view, 12> kSignNames = {
    "Aries", "Taurus", "Gemini",  "Cancer",      "Leo",      "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

struct TopicTable {
  const char* name;
  const Table12& texts;
  const Table12& openings;
  std::size_t min_length;
  std::size_t max_length;
};

std::vector<TopicTable> TopicTables() {
  return {
      {"Looks", kLooksTexts, kLooksOpenings, 81, 324},
      {"Nature", kNatureTexts, kNatureOpenings, 515, 883},
      {"CareerAndFinance", kCareerAndFinanceTexts, kCareerOpenings, 81, 324},
      {"LoveAndDomesticLife", kLoveAndDomesticLifeTexts, kLoveOpenings, 81, 324},
      {"Health", kHealthTexts, kHealthOpenings, 81, 324},
  };
}

// Splits prose into sentences at a full stop, question or exclamation mark that is followed
// by a blank or ends the text; the pieces are trimmed of surrounding blanks.
std::vector<std::string> Sentences(std::string_view text) {
  std::vector<std::string> out;
  std::string current;
  for (std::size_t i = 0; i < text.size(); ++i) {
    current += text[i];
    const bool stop = text[i] == '.' || text[i] == '!' || text[i] == '?';
    if (stop && (i + 1 == text.size() || text[i + 1] == ' ')) {
      out.push_back(current);
      current.clear();
    }
  }
  out.push_back(current);
  std::vector<std::string> trimmed;
  for (std::string& s : out) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) continue;
    trimmed.push_back(s.substr(first, s.find_last_not_of(' ') - first + 1));
  }
  return trimmed;
}

// Fails for every sentence that two texts of one table add after their given openings.
void ExpectNoRepeatedSentence(const char* table, const Table12& texts, const Table12& openings) {
  std::map<std::string, std::size_t> seen;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (!texts[i].starts_with(openings[i])) continue;  // reported by the opening check
    for (const std::string& sentence : Sentences(texts[i].substr(openings[i].size()))) {
      const auto [it, inserted] = seen.emplace(sentence, i);
      EXPECT_TRUE(inserted) << table << ": \"" << sentence << "\" appears at " << it->second
                            << " and " << i;
    }
  }
}

std::size_t TrailingBlanks(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && text[text.size() - 1 - n] == ' ') ++n;
  return n;
}

bool ContainsWord(std::string_view text, std::string_view word) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (auto pos = lower.find(word); pos != std::string::npos; pos = lower.find(word, pos + 1)) {
    const bool starts = pos == 0 || !std::isalpha(static_cast<unsigned char>(lower[pos - 1]));
    const std::size_t end = pos + word.size();
    const bool ends = end == lower.size() || !std::isalpha(static_cast<unsigned char>(lower[end]));
    if (starts && ends) return true;
  }
  return false;
}

TEST(TopicTexts, OpenWithTheirGivenSentences) {
  for (const TopicTable& t : TopicTables()) {
    for (std::size_t s = 0; s < 12; ++s) {
      EXPECT_TRUE(t.texts[s].starts_with(t.openings[s]))
          << t.name << " " << kSignNames[s] << ": " << t.texts[s];
      // Every text goes on past its opening.
      EXPECT_GT(t.texts[s].size(), t.openings[s].size()) << t.name << " " << kSignNames[s];
    }
  }
  // The doubled blank and the missing full stop of two openings are part of the text.
  EXPECT_TRUE(kLooksTexts[4].starts_with("You are tall  and have broad"));
  EXPECT_FALSE(kLoveAndDomesticLifeTexts[9].starts_with(
      "Domestic life will have its share of problems mainly because of inability of household "
      "members to get along."));
}

TEST(TopicTexts, LengthsStayWithinTheirRanges) {
  for (const TopicTable& t : TopicTables()) {
    for (std::size_t s = 0; s < 12; ++s) {
      EXPECT_GE(t.texts[s].size(), t.min_length) << t.name << " " << kSignNames[s];
      EXPECT_LE(t.texts[s].size(), t.max_length) << t.name << " " << kSignNames[s];
    }
  }
}

TEST(TopicTexts, EachSignReadsDifferently) {
  for (const TopicTable& t : TopicTables()) {
    for (std::size_t a = 0; a < 12; ++a) {
      for (std::size_t b = a + 1; b < 12; ++b) {
        EXPECT_NE(t.texts[a], t.texts[b]) << t.name << " " << kSignNames[a] << " "
                                          << kSignNames[b];
      }
    }
    ExpectNoRepeatedSentence(t.name, t.texts, t.openings);
  }
}

TEST(TopicTexts, SpeakToTheReaderAndEndInAFullStop) {
  for (const TopicTable& t : TopicTables()) {
    for (std::size_t s = 0; s < 12; ++s) {
      const std::string_view rest = t.texts[s].substr(std::min(t.openings[s].size(),
                                                               t.texts[s].size()));
      EXPECT_TRUE(ContainsWord(rest, "you") || ContainsWord(rest, "your"))
          << t.name << " " << kSignNames[s];
      EXPECT_TRUE(t.texts[s].ends_with(".")) << t.name << " " << kSignNames[s];
    }
  }
}

TEST(TopicTexts, NatureTextsNameTheirSignAsAMoonSign) {
  for (std::size_t s = 0; s < 12; ++s) {
    const std::string_view text = kNatureTexts[s];
    EXPECT_NE(text.find("moon sign"), std::string_view::npos) << kSignNames[s];
    // Wherever the sign's own name appears as a word, it is followed by "moon sign".
    const std::string_view name = kSignNames[s];
    for (auto pos = text.find(name); pos != std::string_view::npos;
         pos = text.find(name, pos + 1)) {
      const std::size_t end = pos + name.size();
      if (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end]))) continue;
      EXPECT_TRUE(text.substr(end).starts_with(" moon sign")) << kSignNames[s];
    }
    // No text names another sign as its moon sign.
    for (std::size_t other = 0; other < 12; ++other) {
      if (other == s) continue;
      const std::string wrong = std::string(kSignNames[other]) + " moon sign";
      EXPECT_EQ(text.find(wrong), std::string_view::npos) << kSignNames[s] << " names " << wrong;
    }
  }
}

TEST(PranapadaHouseTexts, OpenWithTheirSentencesInTwoOrThreeSentences) {
  for (std::size_t h = 0; h < 12; ++h) {
    const std::string_view text = kPranapadaHouseTexts[h];
    EXPECT_TRUE(text.starts_with(kPranapadaOpenings[h])) << "house " << h + 1 << ": " << text;
    EXPECT_GE(text.size(), 100u) << "house " << h + 1;
    EXPECT_LE(text.size(), 160u) << "house " << h + 1;
    const std::size_t sentences = Sentences(text).size();
    EXPECT_GE(sentences, 2u) << "house " << h + 1;
    EXPECT_LE(sentences, 3u) << "house " << h + 1;
    EXPECT_EQ(TrailingBlanks(text), 0u) << "house " << h + 1;
  }
  EXPECT_EQ(kPranapadaHouseTexts[10],
            "You will achieve a lot of fame and respect. You will be well-liked, wise, wealthy "
            "and well renowned.");
  for (std::size_t a = 0; a < 12; ++a) {
    for (std::size_t b = a + 1; b < 12; ++b) {
      EXPECT_NE(kPranapadaHouseTexts[a], kPranapadaHouseTexts[b]);
    }
  }
  ExpectNoRepeatedSentence("Pranapada", kPranapadaHouseTexts, kPranapadaOpenings);
}

TEST(HoraHouseTexts, OpenWithTheirSentences) {
  for (std::size_t h = 0; h < 12; ++h) {
    EXPECT_TRUE(kHoraHouseTexts[h].starts_with(kHoraOpenings[h]))
        << "house " << h + 1 << ": " << kHoraHouseTexts[h];
  }
  for (std::size_t a = 0; a < 12; ++a) {
    for (std::size_t b = a + 1; b < 12; ++b) {
      EXPECT_NE(kHoraHouseTexts[a], kHoraHouseTexts[b]);
    }
  }
  ExpectNoRepeatedSentence("Hora", kHoraHouseTexts, kHoraOpenings);
}

TEST(HoraHouseTexts, FirstAndLastHousesAreTheirSentencesAlone) {
  EXPECT_EQ(kHoraHouseTexts[0],
            "If you have a good reputation and are famous then wealth and riches will come "
            "knocking on your doors. ");
  EXPECT_EQ(kHoraHouseTexts[11], "You will gain money from foreign places.");
}

TEST(HoraHouseTexts, KeepTheirTrailingBlanksAndLengths) {
  constexpr std::array<std::size_t, 12> kTrailing = {1, 0, 0, 0, 0, 0, 0, 4, 2, 4, 4, 0};
  for (std::size_t h = 0; h < 12; ++h) {
    const std::string_view text = kHoraHouseTexts[h];
    EXPECT_EQ(TrailingBlanks(text), kTrailing[h]) << "house " << h + 1;
    const std::string_view body = text.substr(0, text.size() - TrailingBlanks(text));
    EXPECT_TRUE(body.ends_with(".")) << "house " << h + 1;
    if (h == 0 || h == 11) continue;  // single given sentences
    EXPECT_GE(body.size(), 100u) << "house " << h + 1;
    EXPECT_LE(body.size(), 200u) << "house " << h + 1;
    EXPECT_GE(Sentences(body).size(), 2u) << "house " << h + 1;
  }
}

TEST(PlanetTexts, FixedTextsAreExact) {
  EXPECT_EQ(kPlanetTexts[2], "Mercury governs the way that you communicate with those around you.");
  EXPECT_EQ(kPlanetTexts[3],
            "Venus is the planet that is about how people express socially, romantically and "
            "artistically.");
  EXPECT_EQ(kPlanetTexts[5],
            "Where the house placement of Jupiter is where you are likely to think "
            "optimistically and positively about things.");
  EXPECT_EQ(kPlanetTexts[6],
            "This is where people are likely to encounter heavy obstacles. It is the planet of "
            "restrictions and limitations.");
  EXPECT_TRUE(kPlanetTexts[9].empty());
}

TEST(PlanetTexts, WrittenTextsHaveTheirOpeningsAndExactLengths) {
  constexpr std::string_view kSunSentence =
      "He can be good or evil depending upon the planets in configuration with him.";
  const std::string_view sun = kPlanetTexts[0];
  EXPECT_EQ(sun.size(), 758u);
  EXPECT_TRUE(sun.starts_with(kSunSentence));
  EXPECT_TRUE(sun.ends_with(kSunSentence));
  EXPECT_GT(sun.size(), 2 * kSunSentence.size());  // a body between the two

  struct Expected {
    std::size_t body;
    std::string_view opening;
    std::size_t length;
  };
  constexpr std::array<Expected, 4> kExpected = {{
      {1, "The moon is the planet most connected to our feelings", 223},
      {4, "This is where your assertiveness and power will lie.", 167},
      {7, "The North Node of the Moon reflects", 222},
      {8, "The South Node of the Moon reflects", 241},
  }};
  for (const Expected& e : kExpected) {
    EXPECT_TRUE(kPlanetTexts[e.body].starts_with(e.opening)) << "body " << e.body;
    EXPECT_EQ(kPlanetTexts[e.body].size(), e.length) << "body " << e.body;
    EXPECT_TRUE(kPlanetTexts[e.body].ends_with(".")) << "body " << e.body;
  }
}

TEST(ArudhaLagnaSignification, IsTheFixedTextWithItsDoubledBlank) {
  EXPECT_EQ(kArudhaLagnaSignification,
            "Arudha literally means mount. This signifies the image of a sign falling on another "
            "sign. Arudha of the first house is known as Arudha Lagna. Arudha Lagna shows how one "
            "manifests oneself in this world of Maya (Illusion). This shows how you are "
            "perceived  by others.");
  EXPECT_EQ(kArudhaLagnaSignification.size(), 265u);
}

// All prose is printable ASCII on one line. Doubled blanks appear only where the texts
// carry them (Leo's looks and the Arudha signification); blanks at the end only in the
// Hora house texts, and no text starts with a blank.
TEST(AllTexts, ArePrintableAsciiWithoutStrayBlanks) {
  std::vector<std::pair<std::string, std::string_view>> all;
  for (const TopicTable& t : TopicTables()) {
    for (std::size_t s = 0; s < 12; ++s) {
      all.emplace_back(std::string(t.name) + " " + std::string(kSignNames[s]), t.texts[s]);
    }
  }
  for (std::size_t h = 0; h < 12; ++h) {
    all.emplace_back("Pranapada " + std::to_string(h + 1), kPranapadaHouseTexts[h]);
    all.emplace_back("Hora " + std::to_string(h + 1), kHoraHouseTexts[h]);
  }
  for (std::size_t b = 0; b < kPlanetTexts.size(); ++b) {
    all.emplace_back("Planet " + std::to_string(b), kPlanetTexts[b]);
  }
  all.emplace_back("Arudha", kArudhaLagnaSignification);

  for (const auto& [label, text] : all) {
    for (const char c : text) {
      EXPECT_TRUE(c >= 0x20 && c < 0x7F) << label << " has byte " << static_cast<int>(c);
    }
    if (text.empty()) continue;
    EXPECT_NE(text.front(), ' ') << label;
    EXPECT_EQ(text.find('"'), std::string_view::npos) << label;
    const std::string_view body = text.substr(0, text.size() - TrailingBlanks(text));
    const bool doubled_expected = label == "Looks Leo" || label == "Arudha";
    EXPECT_EQ(body.find("  ") != std::string_view::npos, doubled_expected) << label;
    if (!label.starts_with("Hora")) {
      EXPECT_EQ(TrailingBlanks(text), 0u) << label;
    }
  }
}

}  // namespace
}  // namespace corvane
