#include "astro/longitude_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvane {
namespace {

TEST(LongitudeText, LongFormTruncatesAndNamesTheSign) {
  EXPECT_EQ(FormatLongitude(256.5), "16\xC2\xB0 30' 0\" Sag");
  EXPECT_EQ(FormatLongitude(5.1176), "5\xC2\xB0 7' 3\" Ari");
  EXPECT_EQ(FormatLongitude(0.44393), "0\xC2\xB0 26' 38\" Ari");
  EXPECT_EQ(FormatLongitude(359.999), "29\xC2\xB0 59' 56\" Pis");
  EXPECT_EQ(FormatLongitude(-256.5), FormatLongitude(256.5));
  EXPECT_EQ(FormatLongitude(360.0), "0\xC2\xB0 0' 0\" ");
  // Out of range or not a number: no endless reduction, no undefined conversion.
  EXPECT_EQ(FormatLongitude(1e12), "10\xC2\xB0 0' 0\" ");
  EXPECT_EQ(FormatLongitude(std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_EQ(FormatLongitude(-std::numeric_limits<double>::infinity()), "");
  EXPECT_EQ(CompactLongitude(""), "");
}

TEST(LongitudeText, CompactFormKeepsTheSignAtCharactersFourToSix) {
  EXPECT_EQ(CompactLongitude(FormatLongitude(256.5)), "16 Sag 30");
  EXPECT_EQ(CompactLongitude(FormatLongitude(0.44393)), "00 Ari 26");
  EXPECT_EQ(CompactLongitude(FormatLongitude(5.1176)), "05 Ari 07");
  for (double x = 0.0; x < 360.0; x += 0.37) {
    const std::string c = CompactLongitude(FormatLongitude(x));
    ASSERT_EQ(c.size(), 9u) << x;
    EXPECT_EQ(SignOfCompact(c), static_cast<int>(x / 30.0)) << x;
  }
  EXPECT_EQ(SignOfCompact("00  00"), -1);
}

}  // namespace
}  // namespace corvane
