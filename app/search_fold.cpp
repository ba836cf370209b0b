#include "app/search_fold.h"

#include <algorithm>
#include <array>

namespace corvane {
namespace {

// Folds of U+00C0..U+017F, sixteen a line; nullptr keeps the character (× and ÷).
constexpr char32_t kLatinFirst = 0x00C0;
constexpr std::array<const char*, 192> kLatinFolds = {
    "a", "a", "a", "a", "a",  "a",  "ae", "c",     "e", "e", "e", "e", "i", "i", "i",  "i",   // U+00C0
    "d", "n", "o", "o", "o",  "o",  "o",  nullptr, "o", "u", "u", "u", "u", "y", "th", "ss",  // U+00D0
    "a", "a", "a", "a", "a",  "a",  "ae", "c",     "e", "e", "e", "e", "i", "i", "i",  "i",   // U+00E0
    "d", "n", "o", "o", "o",  "o",  "o",  nullptr, "o", "u", "u", "u", "u", "y", "th", "y",   // U+00F0
    "a", "a", "a", "a", "a",  "a",  "c",  "c",     "c", "c", "c", "c", "c", "c", "d",  "d",   // U+0100
    "d", "d", "e", "e", "e",  "e",  "e",  "e",     "e", "e", "e", "e", "g", "g", "g",  "g",   // U+0110
    "g", "g", "g", "g", "h",  "h",  "h",  "h",     "i", "i", "i", "i", "i", "i", "i",  "i",   // U+0120
    "i", "i", "ij", "ij", "j", "j", "k",  "k",     "k", "l", "l", "l", "l", "l", "l",  "l",   // U+0130
    "l", "l", "l", "n", "n",  "n",  "n",  "n",     "n", "n", "n", "n", "o", "o", "o",  "o",   // U+0140
    "o", "o", "oe", "oe", "r", "r", "r",  "r",     "r", "r", "s", "s", "s", "s", "s",  "s",   // U+0150
    "s", "s", "t", "t", "t",  "t",  "t",  "t",     "u", "u", "u", "u", "u", "u", "u",  "u",   // U+0160
    "u", "u", "u", "u", "w",  "w",  "y",  "y",     "y", "z", "z", "z", "z", "z", "z",  "s",   // U+0170
};

struct ExtraFold {
  char32_t c;
  const char* fold;  // "" drops the character
};

// Letters and marks of U+0080..U+07FF outside that block, sorted by character.
constexpr std::array<ExtraFold, 24> kExtraFolds = {{
    {0x00B4, ""},  {0x00B7, ""},  {0x018F, "e"}, {0x01A0, "o"}, {0x01A1, "o"}, {0x01AF, "u"},
    {0x01B0, "u"}, {0x01CD, "a"}, {0x01CE, "a"}, {0x01CF, "i"}, {0x01D0, "i"}, {0x01D1, "o"},
    {0x01D2, "o"}, {0x01D3, "u"}, {0x01D4, "u"}, {0x0218, "s"}, {0x0219, "s"}, {0x021A, "t"},
    {0x021B, "t"}, {0x0259, "e"}, {0x02BB, ""},  {0x02BC, ""},  {0x0401, "\xD0\xB5"}, {0x0451, "\xD0\xB5"},
}};

void AppendTwoByte(std::string& out, char32_t c) {
  out.push_back(static_cast<char>(0xC0 | (c >> 6)));
  out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Builds the fold while collapsing separators: a space is written only between two pieces.
class Folder {
 public:
  explicit Folder(std::string& out) : out_(out), start_(out.size()) {}

  void Separator() { pendingSpace_ = out_.size() > start_; }
  void Text(std::string_view piece) {
    if (piece.empty()) return;
    if (pendingSpace_) out_.push_back(' ');
    pendingSpace_ = false;
    out_.append(piece);
  }
  void Letter(char c) {
    if (pendingSpace_) out_.push_back(' ');
    pendingSpace_ = false;
    out_.push_back(c);
  }
  void Character(char32_t c) {
    if (pendingSpace_) out_.push_back(' ');
    pendingSpace_ = false;
    AppendTwoByte(out_, c);
  }

  // One character of U+0080..U+07FF.
  void TwoByte(char32_t c, std::string_view original) {
    if (c >= kLatinFirst && c < kLatinFirst + kLatinFolds.size()) {
      const char* fold = kLatinFolds[c - kLatinFirst];
      Text(fold != nullptr ? std::string_view(fold) : original);
      return;
    }
    if (c == 0x00A0) return Separator();
    if (c >= 0x0300 && c <= 0x036F) return;  // combining marks
    const auto* extra = std::lower_bound(kExtraFolds.begin(), kExtraFolds.end(), c,
                                         [](const ExtraFold& e, char32_t v) { return e.c < v; });
    if (extra != kExtraFolds.end() && extra->c == c) return Text(extra->fold);
    if (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) return Character(c + 0x20);  // Greek
    if (c >= 0x0400 && c <= 0x040F) return Character(c + 0x50);                  // Cyrillic Ѐ..Џ
    if (c >= 0x0410 && c <= 0x042F) return Character(c + 0x20);                  // Cyrillic А..Я
    Text(original);
  }

 private:
  std::string& out_;
  std::size_t start_;
  bool pendingSpace_ = false;
};

}  // namespace

void AppendFoldedForSearch(std::string& out, std::string_view s) {
  Folder folder(out);
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      if (b >= 'A' && b <= 'Z') {
        folder.Letter(static_cast<char>(b - 'A' + 'a'));
      } else if ((b >= 'a' && b <= 'z') || (b >= '0' && b <= '9')) {
        folder.Letter(static_cast<char>(b));
      } else if (b != '\'' && b != '`' && b != '.') {
        folder.Separator();
      }
      ++i;
      continue;
    }
    if (b >= 0xC2 && b <= 0xDF && i + 1 < s.size() && IsContinuation(static_cast<unsigned char>(s[i + 1]))) {
      const char32_t c = (static_cast<char32_t>(b & 0x1F) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3F);
      folder.TwoByte(c, s.substr(i, 2));
      i += 2;
      continue;
    }
    // U+2010..U+2015 (dashes) separate words; U+2018 and U+2019 (quotes) are dropped.
    if (b == 0xE2 && i + 2 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0x80) {
      const auto third = static_cast<unsigned char>(s[i + 2]);
      if (third >= 0x90 && third <= 0x95) {
        folder.Separator();
        i += 3;
        continue;
      }
      if (third == 0x98 || third == 0x99) {
        i += 3;
        continue;
      }
    }
    // Anything else is copied: a lead byte with its continuation bytes, or a stray byte.
    std::size_t end = i + 1;
    while (end < s.size() && IsContinuation(static_cast<unsigned char>(s[end]))) ++end;
    folder.Text(s.substr(i, end - i));
    i = end;
  }
}

std::string FoldForSearch(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  AppendFoldedForSearch(out, utf8);
  return out;
}

}  // namespace corvane
