// The square chart's grid, against the chart as it is drawn by hand: Pisces, Aries, Taurus,
// Gemini along the top; Cancer, Leo down the right; Virgo, Libra, Scorpio, Sagittarius along the
// bottom from the right; Capricorn, Aquarius up the left; the middle four boxes empty.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/sign_grid.h"

namespace corvane {
namespace {

TEST(SignGrid, SignsStandClockwiseRoundAnEmptyMiddle) {
  constexpr int kDrawn[4][4] = {{11, 0, 1, 2}, {10, -1, -1, 3}, {9, -1, -1, 4}, {8, 7, 6, 5}};
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      EXPECT_EQ(SignAtBox(row, column), kDrawn[row][column]) << row << "," << column;
      const int sign = kDrawn[row][column];
      if (sign < 0) continue;
      EXPECT_EQ(kSignBoxPlaces[sign].row, row) << sign;
      EXPECT_EQ(kSignBoxPlaces[sign].column, column) << sign;
    }
  }
  // Each next sign is a neighbouring box: the walk goes round the edge without a jump.
  for (int sign = 0; sign < 12; ++sign) {
    const SignBoxPlace a = kSignBoxPlaces[sign], b = kSignBoxPlaces[(sign + 1) % 12];
    EXPECT_EQ(std::abs(a.row - b.row) + std::abs(a.column - b.column), 1) << sign;
  }
  EXPECT_EQ(SignAtBox(4, 0), -1);
}

}  // namespace
}  // namespace corvane
