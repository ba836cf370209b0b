#pragma once
#include <string>
#include <string_view>

namespace corvane {

// The search form of a UTF-8 text, so that "München", "MÜNCHEN" and "munchen" compare equal:
// - Latin letters of ASCII, Latin-1 Supplement and Latin Extended-A lose case and diacritics;
//   a few become two letters (ß ss, æ ae, œ oe, þ th, ĳ ij). Also the Romanian ș ț, the
//   Vietnamese ơ ư, the pinyin ǎ ǐ ǒ ǔ and the Azerbaijani ə. Combining marks are dropped.
// - Basic Greek and Cyrillic capitals become small letters (Ё and ё become е).
// - Apostrophes (' ’ ‘ ʻ ʼ ` ´), full stops and the middle dot are dropped, so "St. John's"
//   folds to "st johns"; other ASCII punctuation, dashes and no-break spaces separate words.
//   Runs of separators become one space, with none at either end.
// - Every other character (other scripts, Latin Extended Additional, symbols) and any byte
//   that is not valid UTF-8 is kept as it is, so two texts typed alike still compare equal.
std::string FoldForSearch(std::string_view utf8);

// Appends the fold of `utf8` to `out`; a separator between the old end of `out` and the
// new text is up to the caller.
void AppendFoldedForSearch(std::string& out, std::string_view utf8);

}  // namespace corvane
