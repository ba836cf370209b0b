#include "app/collection_filter.h"

#include <algorithm>
#include <cctype>

#include "app/search_fold.h"
#include "lagna/sign_tables.h"

namespace corvane {
namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The words of a text, split at blanks.
std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

}  // namespace

std::optional<int> CollectionEntryOfKey(std::string_view key) {
  if (SameLetters(key, "Ascendant")) return kCollectionAscendantEntry;
  for (int i = 0; i < kCollectionEntryCount; ++i)
    if (SameLetters(key, kCollectionEntries[static_cast<std::size_t>(i)].key)) return i;
  return std::nullopt;
}

std::optional<int> SignOfName(std::string_view name) {
  for (int sign = 0; sign < 12; ++sign) {
    const SignAttributes& s = kSignAttributes[static_cast<std::size_t>(sign)];
    if (SameLetters(name, s.EnglishName) || SameLetters(name, s.Abbreviation)) return sign;
  }
  return std::nullopt;
}

CollectionFilter ParseCollectionFilter(std::string_view typed) {
  CollectionFilter filter;
  const std::vector<std::string_view> words = Words(typed);
  std::string rest;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i + 2 < words.size() && SameLetters(words[i + 1], "in")) {
      const auto entry = CollectionEntryOfKey(words[i]);
      const auto sign = SignOfName(words[i + 2]);
      if (entry && sign) {
        const SignCondition condition{*entry, *sign};
        if (std::find(filter.signs.begin(), filter.signs.end(), condition) == filter.signs.end())
          filter.signs.push_back(condition);
        i += 2;
        continue;
      }
    }
    if (!rest.empty()) rest += ' ';
    rest += words[i];
  }
  filter.text = FoldForSearch(rest);
  return filter;
}

}  // namespace corvane
