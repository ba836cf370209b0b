#include "app/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace corvane {
namespace {

// Characters of the bytes 0x80 to 0x9F; the undefined five keep their own value.
constexpr std::array<char32_t, 32> kHighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

constexpr char32_t kReplacement = 0xFFFD;

// Reads one character at `pos` and advances past it; malformed input yields U+FFFD and
// advances by one byte so that decoding always moves on.
char32_t NextCharacter(std::string_view s, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int length = 0;
  char32_t c = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return kReplacement;
  }
  if (pos + length > s.size()) {
    ++pos;
    return kReplacement;
  }
  for (int i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(s[pos + i]);
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return kReplacement;
    }
    c = (c << 6) | (b & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += length;
  return c;
}

// The character starting at `pos`: its length when it is well formed (complete), else the
// length of its maximal subpart (not complete).
std::size_t Utf8Step(std::string_view s, std::size_t pos, bool& complete) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  complete = true;
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // no overlong forms
    if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
  } else {
    complete = false;
    return 1;
  }
  std::size_t n = 1;
  for (; n < length && pos + n < s.size(); ++n) {
    const auto b = static_cast<unsigned char>(s[pos + n]);
    if (b < (n == 1 ? low : 0x80) || b > (n == 1 ? high : 0xBF)) break;
  }
  complete = n == length;
  return n;
}

}  // namespace

std::size_t FirstMalformedUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    // Runs of ASCII are the common case.
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      ++pos;
      continue;
    }
    bool complete = true;
    const std::size_t step = Utf8Step(text, pos, complete);
    if (!complete) return pos;
    pos += step;
  }
  return std::string_view::npos;
}

void AppendWithReplacementCharacters(std::string_view text, std::string& out) {
  for (std::size_t pos = 0; pos < text.size();) {
    bool complete = true;
    const std::size_t step = Utf8Step(text, pos, complete);
    if (complete) {
      out.append(text.substr(pos, step));
    } else {
      AppendUtf8(out, kReplacement);
    }
    pos += step;
  }
}

char32_t CharacterOfByte(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kHighControlBlock[b - 0x80];
  return b;
}

std::optional<unsigned char> Windows1252Byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  const auto* it = std::find(kHighControlBlock.begin(), kHighControlBlock.end(), c);
  if (it == kHighControlBlock.end()) return std::nullopt;
  return static_cast<unsigned char>(0x80 + (it - kHighControlBlock.begin()));
}

std::string Utf8FromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (const char b : bytes) AppendUtf8(out, CharacterOfByte(static_cast<unsigned char>(b)));
  return out;
}

std::string Windows1252FromUtf8(std::string_view utf8, std::vector<std::string>* unstorable) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    const char32_t c = NextCharacter(utf8, pos);
    // A literal U+FFFD is as unstorable as a malformed byte; both are reported as U+FFFD.
    const auto byte = c == kReplacement ? std::nullopt : Windows1252Byte(c);
    if (byte) {
      out.push_back(static_cast<char>(*byte));
      continue;
    }
    if (unstorable != nullptr) {
      std::string shown;
      if (c == kReplacement) {
        AppendUtf8(shown, kReplacement);
      } else {
        shown.assign(utf8.substr(start, pos - start));
      }
      if (std::find(unstorable->begin(), unstorable->end(), shown) == unstorable->end()) {
        unstorable->push_back(std::move(shown));
      }
    }
  }
  return out;
}

}  // namespace corvane
