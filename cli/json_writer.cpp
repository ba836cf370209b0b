#include "cli/json_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

#include <charconv>
#include <system_error>

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

// Numbers are written as plain decimals while the point falls from 3 places before the first
// digit (0.0001) to 15 places after it (999999999999999.0), and with an exponent outside that
// (1e-05, 1e+15): the layout the program's JSON has always had.
constexpr int kMinPlainPoint = -4, kMaxPlainPoint = 15;

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

bool IsPlainJsonText(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) { return kEscaped[static_cast<unsigned char>(c)]; }) &&
         FirstMalformedUtf8(text) == std::string_view::npos;
}

std::size_t NumberText(double value, char* out) {
  if (!std::isfinite(value)) {
    std::copy_n("null", 4, out);
    return 4;
  }
  char* end = out;
  if (std::signbit(value)) {
    *end++ = '-';
    value = -value;
  }
  if (value == 0) return static_cast<std::size_t>(std::copy_n("0.0", 3, end) - out);
  // The shortest digits that read back as the same double, as "d.ddde+XX": 17 digits, the
  // point, "e", the sign and three exponent digits at most.
  char scientific[24];
  const std::to_chars_result written =
      std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific);
  const char* const e = std::find(scientific, written.ptr, 'e');
  char digits[17];
  int count = 0;
  for (const char* c = scientific; c != e; ++c)
    if (*c != '.') digits[count++] = *c;
  int exponent = 0;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), written.ptr, exponent);
  // The point goes after `point` digits.
  const int point = exponent + 1;
  if (count <= point && point <= kMaxPlainPoint) {  // 1234500.0
    end = std::copy_n(digits, count, end);
    end = std::fill_n(end, point - count, '0');
    end = std::copy_n(".0", 2, end);
  } else if (0 < point && point <= kMaxPlainPoint) {  // 12.345
    end = std::copy_n(digits, point, end);
    *end++ = '.';
    end = std::copy_n(digits + point, count - point, end);
  } else if (kMinPlainPoint < point && point <= 0) {  // 0.00012345
    end = std::copy_n("0.", 2, end);
    end = std::fill_n(end, -point, '0');
    end = std::copy_n(digits, count, end);
  } else {  // 1.2345e-05, 1e+15
    *end++ = digits[0];
    if (count > 1) {
      *end++ = '.';
      end = std::copy_n(digits + 1, count - 1, end);
    }
    *end++ = 'e';
    *end++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude >= 100) *end++ = static_cast<char>('0' + magnitude / 100);
    *end++ = static_cast<char>('0' + magnitude / 10 % 10);
    *end++ = static_cast<char>('0' + magnitude % 10);
  }
  return static_cast<std::size_t>(end - out);
}

}  // namespace corvane
