#include "app/display_texts.h"

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
  EXPECT_EQ(CompactLongitude(std::numeric_limits<double>::quiet_NaN()), "");
}

TEST(LongitudeText, CompactFormKeepsTheSignAtCharactersFourToSix) {
  const struct {
    double degrees;
    const char* compact;
  } rows[] = {{256.5, "16 Sag 30"}, {0.44393, "00 Ari 26"}, {5.1176, "05 Ari 07"}, {359.999, "29 Pis 59"},
              {-256.5, "16 Sag 30"}, {360.0, "00  00"},    {30.0, "00 Tau 00"},   {29.99999, "29 Ari 59"}};
  for (const auto& row : rows) EXPECT_EQ(CompactLongitude(row.degrees), row.compact) << row.degrees;
  constexpr std::string_view kSigns = "AriTauGemCanLeoVirLibScoSagCapAquPis";
  for (double x = 0.0; x < 360.0; x += 0.37) {
    const std::string c = CompactLongitude(x);
    ASSERT_EQ(c.size(), 9u) << x;
    EXPECT_EQ(c.substr(3, 3), kSigns.substr(static_cast<std::size_t>(x / 30.0) * 3, 3)) << x;
  }
}

TEST(MinuteText, PadsEveryField) {
  EXPECT_EQ(MinuteText({975, 6, 5, 7, 5, 59}), "0975-06-05 07:05");
  EXPECT_EQ(TrimBlanks("  RAM  "), "RAM");
  EXPECT_EQ(TrimBlanks("   "), "");
}

// Taurus rising, 7:33 birth 123 minutes after sunrise with the Sun at 15 Gemini: each box
// lists its marks; bare line breaks are the arudha padas of houses 2 to 11.
TEST(LagnaMarks, EveryBoxListsItsMarksInChartOrder) {
  LagnaInputs in;
  in.birthDeg = {75.0, 100.0, 92.0, 102.0, 28.0, 333.0, 319.0, 247.0, 67.0, 35.17};
  in.sunAtSunriseDeg = 75.0;
  in.moonNakshatraStartDeg = 93.31;
  in.minutesSinceSunrise = 123;
  in.secondsSinceSunrise = 123 * 60;
  const std::array<std::string, 12> expected = {
      "\r\n\r\n", "\r\n", "\r\nSL", "\r\nPL\r\nBL\r\nCL\r\nPpL", "\r\n\r\nHL", "\r\nAL\r\n\r\nVL", "",
      "\r\n\r\nGL\r\nSrL", "\r\n", "\r\n\r\nUL", "", "\r\n\r\n\r\nIL"};
  EXPECT_EQ(LagnaMarksBySign(ComputeLagnas(in)), expected);
}

}  // namespace
}  // namespace corvane
