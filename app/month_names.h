#pragma once
#include <array>
#include <string_view>

namespace corvane {

// The English month names the program shows, January first.
inline constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

}  // namespace corvane
