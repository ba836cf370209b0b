#pragma once
#include <array>
#include <string_view>

namespace corvane {

// The prose of the interpretation pages. Sign tables are indexed 0 (Aries) to 11 (Pisces),
// house tables 0 (1st house) to 11 (12th house), planet texts by body index (9, the
// ascendant, is empty).
extern const std::array<std::string_view, 12> kLooksTexts;
extern const std::array<std::string_view, 12> kNatureTexts;
extern const std::array<std::string_view, 12> kCareerAndFinanceTexts;
extern const std::array<std::string_view, 12> kLoveAndDomesticLifeTexts;
extern const std::array<std::string_view, 12> kHealthTexts;

extern const std::array<std::string_view, 12> kPranapadaHouseTexts;
extern const std::array<std::string_view, 12> kHoraHouseTexts;

extern const std::array<std::string_view, 10> kPlanetTexts;

// The signification of the first house's pada (the Arudha lagna).
extern const std::string_view kArudhaLagnaSignification;

}  // namespace corvane
