#include "app/search_fold.h"

#include <gtest/gtest.h>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <memory>
#include <string>

namespace corvane {
namespace {

std::string Utf8Of(char32_t c) {
  std::string s;
  icu::UnicodeString(static_cast<UChar32>(c)).toUTF8String(s);
  return s;
}

// ICU's own Latin-to-ASCII transliteration is the reference for the letter table: folding a
// letter must give what folding ICU's ASCII spelling of it gives.
TEST(SearchFold, LatinLettersAgreeWithIcuLatinToAscii) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Transliterator> toAscii(
      icu::Transliterator::createInstance("Latin-ASCII", UTRANS_FORWARD, status));
  ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);
  int checked = 0;
  for (char32_t c = 0x00C0; c <= 0x017F; ++c) {
    if (c == 0x00D7 || c == 0x00F7) continue;  // × and ÷ are no letters
    if (c == 0x0138) continue;                 // ĸ: ICU writes the q of the new Greenlandic spelling
    icu::UnicodeString text(static_cast<UChar32>(c));
    toAscii->transliterate(text);
    std::string ascii;
    text.toUTF8String(ascii);
    EXPECT_EQ(FoldForSearch(Utf8Of(c)), FoldForSearch(ascii)) << "U+" << std::hex << static_cast<int>(c);
    ++checked;
  }
  EXPECT_EQ(checked, 189);
  EXPECT_EQ(FoldForSearch("ĸ"), "k");
}

// Greek and Cyrillic capitals fold to ICU's small letter.
TEST(SearchFold, GreekAndCyrillicCapitalsAgreeWithIcuLowercase) {
  for (const auto& [first, last] : {std::pair<char32_t, char32_t>{0x0391, 0x03A9}, {0x0400, 0x042F}}) {
    for (char32_t c = first; c <= last; ++c) {
      if (c == 0x03A2 || c == 0x0401) continue;  // unassigned; Ё, which folds to е
      EXPECT_EQ(FoldForSearch(Utf8Of(c)), Utf8Of(static_cast<char32_t>(u_tolower(static_cast<UChar32>(c)))))
          << "U+" << std::hex << static_cast<int>(c);
    }
  }
}

TEST(SearchFold, PlaceNames) {
  struct Case {
    const char* text;
    const char* folded;
  };
  const Case cases[] = {
      {"München", "munchen"},
      {"MÜNCHEN", "munchen"},
      {"Mu\xCC\x88nchen", "munchen"},  // u followed by a combining diaeresis
      {"Straße", "strasse"},
      {"Ærøskøbing", "aeroskobing"},
      {"Łódź", "lodz"},
      {"İstanbul", "istanbul"},
      {"Þórshöfn", "thorshofn"},
      {"Timișoara", "timisoara"},
      {"Târgu Mureș", "targu mures"},
      {"Gəncə", "gence"},
      {"Œuvre", "oeuvre"},
      {"Castell·lí", "castellli"},  // the middle dot of l·l goes, both l stay
      {"Saint-Étienne", "saint etienne"},
      {"’s-Hertogenbosch", "s hertogenbosch"},
      {"St. John's", "st johns"},
      {"L’Aquila", "laquila"},
      {"Hawaiʻi", "hawaii"},
      {"  Rio   de\tJaneiro  ", "rio de janeiro"},
      {"Frankfurt (Oder)", "frankfurt oder"},
      {"Москва", "москва"},
      {"Ёлкино", "елкино"},
      {"ΑΘΗΝΑ", "αθηνα"},
      {"東京", "東京"},
      {"Hà Nội", "ha nội"},  // Latin Extended Additional is kept
      {"a\xFF" "b", "a\xFF" "b"},  // a stray byte is kept
      {"", ""},
      {" - ", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FoldForSearch(c.text), c.folded) << c.text;
}

TEST(SearchFold, AppendKeepsWhatIsThere) {
  std::string out = "x ";
  AppendFoldedForSearch(out, " Zürich ");
  EXPECT_EQ(out, "x zurich");
}

}  // namespace
}  // namespace corvane
