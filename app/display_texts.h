#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "astro/bodies.h"
#include "astro/civil_time.h"
#include "lagna/special_lagnas.h"

namespace corvane {

inline constexpr std::array<std::string_view, kBodyCount> kPlainBodyNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"};
inline constexpr std::array<std::string_view, 12> kSignAbbreviations = {
    "Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};

// What the chart appends to the name of a retrograde planet.
inline constexpr std::string_view kRetrogradeMark = " (R) ";

// A short text built in place, for texts made many times over (a batch makes dozens per
// chart); longer input than its room is cut off.
class ShortText {
 public:
  ShortText& operator<<(std::string_view text);
  ShortText& operator<<(char c) { return *this << std::string_view(&c, 1); }
  // A whole number in decimal, zero-padded to `width` characters as printf's %0*d pads.
  ShortText& Number(long long value, int width = 0) {
    // Most numbers of the texts are minutes, hours, days and degrees.
    if (value >= 0 && value < 100 && width <= 2 && size_ + 2 <= sizeof chars_) {
      if (value >= 10 || width == 2) chars_[size_++] = static_cast<char>('0' + value / 10);
      chars_[size_++] = static_cast<char>('0' + value % 10);
      return *this;
    }
    return AnyNumber(value, width);
  }
  std::string_view View() const { return {chars_, size_}; }
  operator std::string_view() const { return View(); }

 private:
  ShortText& AnyNumber(long long value, int width);

  char chars_[48];
  std::size_t size_ = 0;
};

// The text without leading and trailing blanks (spaces only).
std::string_view TrimBlanks(std::string_view s);

// The entries of a chart box text (ChartBoxTexts, LagnaBoxTexts): its lines, split at CR LF,
// CR or LF, without their blanks, leaving out the empty ones. Views into `text`.
std::vector<std::string_view> BoxEntries(std::string_view text);

// "16° 30' 0\" Sag": degrees, minutes and seconds within the sign (all truncated) and the
// sign abbreviation. A negative argument is written as its absolute value; at 360 and beyond
// the sign part is empty; a value that is not finite gives an empty text.
std::string FormatLongitude(double degrees);
ShortText LongitudeText(double degrees);  // the same text in place

// "16 Sag 30": two-digit whole degrees within the sign, the sign, two-digit whole minutes.
// Follows FormatLongitude for negative, huge and non-finite values.
std::string CompactLongitude(double degrees);
ShortText CompactLongitudeText(double degrees);  // the same text in place

// "1975-06-05 07:05": a date and clock time to the minute.
std::string MinuteText(const CivilDateTime& t);
ShortText MinuteStamp(const CivilDateTime& t);  // the same text in place

// The lagna marks of each sign box, a line each, in the order the chart lists them: AL, PL,
// a bare line for each arudha pada of houses 2 to 11, UL, then GL, HL, BL, IL, VL, CL, SL,
// SrL and PpL. An entry that was not placed has no mark.
std::array<std::string, 12> LagnaMarksBySign(const LagnaChart& lagnas);

// Calls mark(sign, text) for each line of LagnaMarksBySign, in that order (an arudha pada's
// text is empty).
template <typename Mark>
void ForEachLagnaMark(const LagnaChart& lagnas, Mark&& mark) {
  auto markOf = [&](LagnaId id) {
    if (lagnas.lagnas[id].placed) mark(lagnas.lagnas[id].sign, kLagnaKeys[id]);
  };
  if (lagnas.lagnas[kAL].placed) {
    markOf(kAL);
    markOf(kPL);
    for (int house = 1; house < 11; ++house) mark(lagnas.padas.padaSign[static_cast<std::size_t>(house)], "");
    markOf(kUL);
  }
  for (LagnaId id : {kGL, kHL, kBL, kIL, kVL, kCL, kSL, kSrL, kPpL}) markOf(id);
}

}  // namespace corvane
