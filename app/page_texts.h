#pragma once
#include <array>
#include <string_view>

#include "astro/bodies.h"
#include "lagna/lagna_id.h"
#include "lagna/page_fields.h"

namespace corvane {

// The fixed texts of the result window and the interpretation pages, for every view that
// shows a chart (the windows, the printed reading).

// The fixed parts of one lagna's interpretation page, by lagna index.
struct LagnaPageText {
  std::string_view caption;      // "More About Arudha Lagna"
  std::string_view listCaption;  // the entry in the result window's list, "AL-Arudha Lagna"
  std::string_view lagnaName;    // "Arudha Lagna"; names the lagna in "... Present In Sign"
  std::string_view significanceHeading;  // empty: the page has no significance text
  std::string_view significance;
};

inline constexpr std::array<LagnaPageText, kLagnaCount> kLagnaPageTexts = {{
    {"More About Arudha Lagna", "AL-Arudha Lagna", "Arudha Lagna", "", ""},
    {"More About Bhava Lagna", "BL-Bhava Lagna", "Bhava Lagna", "", ""},
    {"More About Hora Lagna", "HL-Hora Lagna", "Hora Lagna", "Significance",
     "Hora Lagna signifies the importance of self in terms of money, wealth and prosperity."},
    {"More About Ghati Lagna", "GL-Ghati Lagna", "Ghati Lagna", "Significance of Ghati Lagna",
     "Ghati Lagna signifies the importance of self in terms of fame, power, authority and status"},
    {"More About Sree Lagna", "SrL-Sree Lagna", "Sree Lagna", "Significance",
     "Sree Lagna is responsible for prosperity and marital relationships."},
    {"More About Indu Lagna", "IL-Indu Lagna", "Indu Lagna", "Significance of Indu Lagna",
     "Indu Lagna signifies the amount of money and wealth you will acquire in your lifetime"},
    {"More About Paka Lagna", "PL-Paka Lagna", "Paka Lagna", "Significance of Paka Lagna",
     "Placement of Paka Lagna in different houses implies application of intelligence in that "
     "particular field"},
    {"More About Upapada Lagna", "UL-Upapada Lagna", "Upapada Lagna", "", ""},
    {"More About Pranapada Lagna", "PpL-Pranapada Lagna", "Pranapada Lagna", "Significance",
     "Pranapada Lagna signifies the energy that you have in life."},
    {"More About Varnada Lagna", "VL-Varnada Lagna", "Varnada Lagna", "Significance",
     "Varnada Lagna is responsible for your behaviour in social company"},
    {"More About Chandra Lagna", "CL-Chandra Lagna", "Chandra Lagna", "", ""},
    {"More About Surya Lagna", "SL-Surya Lagna", "Surya Lagna", "", ""},
    {"More About Ascendant", "Ascendant ", "Ascendant", "", ""},
}};

inline constexpr std::string_view kHoraHouseCaption = "Hora Lagna Present In House Significance";
inline constexpr std::string_view kPranapadaHouseCaption = "Pranapada Lagna Present House Significance";
inline constexpr std::string_view kArudhaReadingHeading = "Arudha Lagna Interpretation";
inline constexpr std::string_view kUpapadaReadingHeading = "Upapada Lagna Interpretation";

// One cell of the attribute grid: its caption and field. The cell of kPresentInSign takes
// its caption from the page: "<lagna name> Present In Sign".
struct AttributeCell {
  std::string_view caption;
  PageField field;
  bool empty = false;  // a blank cell that keeps the columns in place
};

// The attribute grid, row by row, three cells a row.
inline constexpr std::array<std::array<AttributeCell, 3>, 8> kAttributeGrid = {{
    {{{"Vedic Name", PageField::kVedicName}, {"", PageField::kCount, true}, {"", PageField::kPresentInSign}}},
    {{{"Ruling Planet", PageField::kRulingPlanet},
      {"Compatible With", PageField::kCompatibleWith},
      {"Not Compatible With", PageField::kNotCompatibleWith}}},
    {{{"Symbol", PageField::kSymbol}, {"Nature", PageField::kElement}, {"Color", PageField::kColor}}},
    {{{"Type Of Sign", PageField::kTypeOfSign},
      {"Gender", PageField::kGender},
      {"Best Period Of Activity", PageField::kBestPeriodOfActivity}}},
    {{{"Barren", PageField::kBarren}, {"Caste", PageField::kCaste}, {"Position", PageField::kPosition}}},
    {{{"Constituent Character", PageField::kConstituentCharacter},
      {"Lucky Days", PageField::kLuckyDays},
      {"Lucky Numbers", PageField::kLuckyNumbers}}},
    {{{"Best Direction", PageField::kBestDirection},
      {"Lucky Colors", PageField::kLuckyColors},
      {"Lucky Gemstone", PageField::kLuckyGemstone}}},
    {{{"Part Of The Body", PageField::kPartOfTheBody},
      {"Physique", PageField::kPhysique},
      {"English Name", PageField::kEnglishName}}},
}};

// The five topic texts under their captions, in page order.
struct TopicText {
  std::string_view caption;
  PageField field;
};
inline constexpr std::array<TopicText, 5> kTopicTexts = {{
    {"Looks", PageField::kLooks},
    {"Nature", PageField::kNature},
    {"Career And Finance", PageField::kCareerAndFinance},
    {"Love And Domestic Life", PageField::kLoveAndDomesticLife},
    {"Health", PageField::kHealth},
}};

// Row captions of the position table, by body.
inline constexpr std::array<std::string_view, kBodyCount> kPositionCaptions = {
    "Surya/Sun",    "Chandra/Moon", "Budha/Mercury",  "Shukra/Venus",    "Mangala/Mars",
    "Guru/Jupiter", "Shani/Saturn", "Rahu/North Node", "Ketu/South node", "Asc/Lagna"};

}  // namespace corvane
