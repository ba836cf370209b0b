#pragma once
#include <cstddef>
#include <optional>
#include <string_view>

namespace corvane {

// A whole decimal number written with 1 to `maxDigits` (at most 9) digits and nothing else: no
// sign, no blank; leading zeros are allowed. Nothing for any other text.
std::optional<int> ParseDigits(std::string_view text, std::size_t maxDigits);

}  // namespace corvane
