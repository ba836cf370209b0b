#pragma once
#include <array>
#include <optional>
#include <string_view>

namespace corvane {

// One row of the time zone list: the text shown and the signed hours and minutes that,
// added to local clock time, give universal time (east of Greenwich is negative).
struct ZoneRow {
  std::string_view text;
  int offsetHours;
  int offsetMinutes;
};

inline constexpr int kZoneCount = 71;
inline constexpr int kDefaultZonePosition = 29;

extern const std::array<ZoneRow, kZoneCount> kZoneTable;

struct ZoneOffset {
  int hours;
  int minutes;
};

// The offsets of a list position; nothing for a position outside the list.
std::optional<ZoneOffset> Zone_Calculation(int position);

}  // namespace corvane
