#include "app/whole_number.h"

#include <charconv>

namespace corvane {

std::optional<int> ParseDigits(std::string_view text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits || maxDigits > 9) return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.front() == '-' || text.front() == '+') {
    return std::nullopt;
  }
  return value;
}

}  // namespace corvane
