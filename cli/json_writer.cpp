#include "cli/json_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

// The digits of a number come from nlohmann-json's serializer (its public dump()): Grisu2
// digits, which the program has always printed. The shortest round-trip digits of {fmt} or
// std::to_chars, and RapidJSON's Grisu2, differ from them for some doubles (one number in
// about 1,600 of a chart's), so any of them would change the output.
#include <nlohmann/json.hpp>

#include "app/text_encoding.h"

namespace corvane {
namespace {

// The bytes a JSON string cannot hold as they are.
constexpr std::array<bool, 256> kEscaped = [] {
  std::array<bool, 256> escaped{};
  for (int c = 0; c < 0x20; ++c) escaped[c] = true;
  escaped['"'] = escaped['\\'] = true;
  return escaped;
}();

constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighBits = 0x8080808080808080u;

// True when one of the eight bytes of `word` needs an escape: a byte below 0x20, a quote or a
// backslash. These are the usual word-at-a-time tests for a byte below n and for a zero byte;
// a borrow can only mark a byte above one that truly matches, so "any" is exact.
constexpr bool AnyByteToEscape(std::uint64_t word) {
  const std::uint64_t quote = word ^ (kOnes * '"'), backslash = word ^ (kOnes * '\\');
  const std::uint64_t below20 = (word - kOnes * 0x20) & ~word;
  const std::uint64_t quotes = (quote - kOnes) & ~quote, backslashes = (backslash - kOnes) & ~backslash;
  return ((below20 | quotes | backslashes) & kHighBits) != 0;
}

// Writes the bytes from `first` to `last` one by one, escaping those that need it.
char* WriteEscapedBytes(const char* first, const char* last, char* out) {
  for (; first != last; ++first) {
    const char ch = *first;
    const auto c = static_cast<unsigned char>(ch);
    if (!kEscaped[c]) {
      *out++ = ch;
      continue;
    }
    *out++ = '\\';
    switch (c) {
      case '"': *out++ = '"'; break;
      case '\\': *out++ = '\\'; break;
      case '\b': *out++ = 'b'; break;
      case '\t': *out++ = 't'; break;
      case '\n': *out++ = 'n'; break;
      case '\f': *out++ = 'f'; break;
      case '\r': *out++ = 'r'; break;
      default: {
        constexpr char kHex[] = "0123456789abcdef";
        const char escape[] = {'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
        out = std::copy_n(escape, sizeof escape, out);
      }
    }
  }
  return out;
}

// Writes the escaped text at `out`, which has room for six characters per byte; returns the
// end. `multiByte` tells whether the text holds bytes of 0x80 and above.
char* WriteEscaped(std::string_view text, char* out, bool& multiByte) {
  const char* const data = text.data();
  const std::size_t size = text.size();
  std::uint64_t highBits = 0;
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + i, sizeof word);
    highBits |= word;
    if (!AnyByteToEscape(word)) {
      std::memcpy(out, &word, sizeof word);
      out += sizeof word;
      continue;
    }
    out = WriteEscapedBytes(data + i, data + i + 8, out);
  }
  // The last bytes one by one.
  for (std::size_t k = i; k < size; ++k) highBits |= static_cast<unsigned char>(data[k]);
  out = WriteEscapedBytes(data + i, data + size, out);
  multiByte = (highBits & kHighBits) != 0;
  return out;
}


// Writes the quoted text into the buffer; false (leaving the buffer as it was) when the text
// turns out to hold malformed UTF-8.
bool WriteQuoted(std::string_view text, TextStream& out, bool checkUtf8) {
  const std::size_t room = 6 * text.size() + 2;
  char* const start = out.Push(room);
  char* end = start;
  *end++ = '"';
  bool multiByte = false;
  end = WriteEscaped(text, end, multiByte);
  *end++ = '"';
  if (checkUtf8 && multiByte && FirstMalformedUtf8(text) != std::string_view::npos) {
    out.Pop(room);
    return false;
  }
  out.Pop(room - static_cast<std::size_t>(end - start));
  return true;
}

}  // namespace

void TextStream::Grow(std::size_t count) {
  const std::size_t capacity = std::max(2 * capacity_, size_ + count + 4096);
  auto chars = std::make_unique_for_overwrite<char[]>(capacity);
  std::copy_n(chars_.get(), size_, chars.get());
  chars_ = std::move(chars);
  capacity_ = capacity;
}

void AppendJsonString(std::string_view text, TextStream& out) {
  if (WriteQuoted(text, out, true)) return;
  std::string repaired;
  AppendWithReplacementCharacters(text, repaired);
  WriteQuoted(repaired, out, false);
}

std::size_t NumberText(double value, char* out) {
  if (!std::isfinite(value)) {
    std::copy_n("null", 4, out);
    return 4;
  }
  thread_local nlohmann::json number;
  number = value;
  const std::string text = number.dump();
  return static_cast<std::size_t>(std::copy_n(text.data(), std::min<std::size_t>(text.size(), 32), out) - out);
}

}  // namespace corvane
