#include "cli/json_writer.h"

#include <cmath>
#include <cstdio>

// Only the number formatter of nlohmann-json is used: its Grisu2 digits are the program's
// number text (RapidJSON's Grisu2 and std::to_chars pick other digits for some doubles).
#include <nlohmann/json.hpp>

#include "app/text_encoding.h"

namespace corvane {
namespace {

// Control characters whose \u escape RapidJSON writes with upper-case hex digits.
bool HasUpperCaseEscape(unsigned char c) { return (c >= 0x0A && c <= 0x0F && c != '\n' && c != '\f' && c != '\r') || (c >= 0x1A && c <= 0x1F); }

void AppendEscaped(std::string_view text, std::string& out) {
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\f': out += "\\f"; break;
      case '\r': out += "\\r"; break;
      default:
        if (c < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", c);
          out += escape;
        } else {
          out.push_back(ch);
        }
    }
  }
}

}  // namespace

bool SpecialStringText(std::string_view text, std::string& quoted) {
  bool special = false;
  for (const char c : text) special |= HasUpperCaseEscape(static_cast<unsigned char>(c));
  const bool malformed = FirstMalformedUtf8(text) != std::string_view::npos;
  if (!special && !malformed) return false;
  std::string repaired;
  if (malformed) AppendWithReplacementCharacters(text, repaired);
  quoted.assign("\"");
  AppendEscaped(malformed ? std::string_view(repaired) : text, quoted);
  quoted.push_back('"');
  return true;
}

std::size_t NumberText(double value, char* out) {
  if (!std::isfinite(value)) {
    std::copy_n("null", 4, out);
    return 4;
  }
  return static_cast<std::size_t>(nlohmann::detail::to_chars(out, out + 32, value) - out);
}

}  // namespace corvane
