#pragma once
#include <array>

namespace corvane {

// The square chart: a 4 x 4 grid whose twelve outer boxes hold the signs at fixed places,
// clockwise from the top row's second box (Aries) round to its first (Pisces); the four middle
// boxes are one empty centre. The window, the printed reading and the text report draw it.
struct SignBoxPlace {
  int row, column;
};
inline constexpr std::array<SignBoxPlace, 12> kSignBoxPlaces = {{
    {0, 1}, {0, 2}, {0, 3}, {1, 3}, {2, 3}, {3, 3}, {3, 2}, {3, 1}, {3, 0}, {2, 0}, {1, 0}, {0, 0},
}};

// The sign whose box is at a row and column of the grid, or -1 for the middle.
constexpr int SignAtBox(int row, int column) {
  for (int sign = 0; sign < 12; ++sign) {
    if (kSignBoxPlaces[sign].row == row && kSignBoxPlaces[sign].column == column) return sign;
  }
  return -1;
}

}  // namespace corvane
