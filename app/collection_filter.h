#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lagna/lagna_id.h"

namespace corvane {

// The entries whose signs the collection keeps for searching: the thirteen lagna entries
// (their JSON keys; "Asc" stands for the Ascendant too) and the nine bodies.
struct CollectionEntry {
  std::string_view key;     // as typed in a filter and shown in a heading: "HL", "Moon"
  std::string_view column;  // the database column of its sign
};
inline constexpr int kCollectionEntryCount = kLagnaCount + 9;
inline constexpr std::array<CollectionEntry, kCollectionEntryCount> kCollectionEntries = {{
    {"AL", "sign_al"},     {"BL", "sign_bl"},     {"HL", "sign_hl"},       {"GL", "sign_gl"},
    {"SrL", "sign_srl"},   {"IL", "sign_il"},     {"PL", "sign_pl"},       {"UL", "sign_ul"},
    {"PpL", "sign_ppl"},   {"VL", "sign_vl"},     {"CL", "sign_cl"},       {"SL", "sign_sl"},
    {"Asc", "sign_asc"},   {"Sun", "sign_sun"},   {"Moon", "sign_moon"},   {"Mercury", "sign_mercury"},
    {"Venus", "sign_venus"}, {"Mars", "sign_mars"}, {"Jupiter", "sign_jupiter"}, {"Saturn", "sign_saturn"},
    {"Rahu", "sign_rahu"}, {"Ketu", "sign_ketu"},
}};
inline constexpr int kCollectionAscendantEntry = kAscendantLagna;

// One sign condition: the entry (index into kCollectionEntries) stands in the sign (0..11).
struct SignCondition {
  int entry = 0;
  int sign = 0;
  bool operator==(const SignCondition&) const = default;
};

// What a listing keeps: charts whose folded name, place, note or tags contain the folded
// text, and whose entries stand in the signs of every condition.
struct CollectionFilter {
  std::string text;  // folded for search (FoldForSearch); empty keeps every chart
  std::vector<SignCondition> signs;
};

// Reads a typed filter. Every "ENTRY in SIGN" in it ("HL in Leo", "moon in cancer",
// "Asc in Ari"; the entry by its key or the Ascendant as "Ascendant", the sign by its English
// name or three-letter abbreviation, case ignored) becomes a sign condition, and the rest of
// the text, folded, is the text to match.
CollectionFilter ParseCollectionFilter(std::string_view typed);

// The entry a key names ("hl", "Ascendant", "moon"), case ignored; nothing for another word.
std::optional<int> CollectionEntryOfKey(std::string_view key);
// The sign an English name or abbreviation names ("Leo", "sco", "Scorpio"); nothing otherwise.
std::optional<int> SignOfName(std::string_view name);

}  // namespace corvane
