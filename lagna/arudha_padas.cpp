#include "lagna/arudha_padas.h"

#include <array>

#include "astro/longitude_text.h"
#include "lagna/special_lagnas.h"

namespace corvane {

namespace {

// Kala of the 9th lord from Aries .. Pisces: Jupiter 10, Saturn 1, Mars 6, Venus 10,
// Mercury 8, Moon 16, Sun 30. Venus counts 10 in both of its rows.
constexpr std::array<int, 12> kNinthLordKala = {10, 1, 1, 10, 6, 10, 8, 16, 30, 8, 10, 6};

// Brings a sign number into 1..12.
int WrapSignNumber(int n) {
  while (n > 12) n -= 12;
  while (n < 1) n += 12;
  return n;
}

// Values carried from one house to the next within one run of the twelve houses.
struct ArudhaWork {
  int houseCount = 0;        // N, the house being worked on
  int ascendantSign = 0;     // sign number of the ascendant
  int pakaSign = 0;          // sign number of the ascendant's lord (house 1)
};

// One house: finds where its lord stands and places the pada. Returns the pada's sign
// number, or 0 when the lord's position carries no sign.
int CalculateArudha(ChartState& chart, ArudhaWork& work, std::string_view lordName) {
  ++work.houseCount;
  const std::string_view lord = WithoutRetrogradeMark(lordName);
  int lordSign = 0;
  for (int b = 0; b < kBodyCount; ++b) {
    const int index = SignOfCompact(chart.ChartBodyPositions[static_cast<std::size_t>(b)]);
    if (index < 0) continue;
    if (WithoutRetrogradeMark(chart.ChartBodyNames[static_cast<std::size_t>(b)]) == lord) lordSign = index + 1;
  }
  if (lordSign == 0) return 0;

  const int houseSign = WrapSignNumber(work.ascendantSign + work.houseCount - 1);
  if (work.houseCount == 1) work.pakaSign = lordSign;
  return ArudhaPadaSign(houseSign, lordSign);
}

}  // namespace

int NinthLordKala(int signNumber) {
  if (signNumber < 1 || signNumber > 12) return 0;
  return kNinthLordKala[static_cast<std::size_t>(signNumber - 1)];
}

std::string_view WithoutRetrogradeMark(std::string_view name) {
  // The mark only ever follows the name, so stripping it is a view into the name itself:
  // the arudha loop compares 120 names per chart without building a string.
  auto trim = [](std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    return s;
  };
  name = trim(name);
  if (name.ends_with(" (R)")) name.remove_suffix(4);
  return trim(name);
}

int ArudhaPadaSign(int houseSign, int lordSign) {
  // Count from the house to the lord, then as far again from the lord.
  int d = 2 * (lordSign - houseSign);
  while (d < 0) d += 12;
  if (d > 12) d -= 12;
  if (d == 0 || d == 12) d = 9;  // lord in the house or its 7th: the 10th from the house
  int pada = d + houseSign;
  while (pada > 12) pada -= 12;
  // A pada may not fall in the 7th from the house: it moves on to the 10th from there.
  if (houseSign - pada == 6 || houseSign - pada == -6) pada = WrapSignNumber(pada + 9);
  return pada;
}

bool CalculateArudhaPadas(ChartState& chart) {
  const int ascendantIndex = SignOfCompact(chart.ChartBodyPositions[kAscendantBody]);
  if (ascendantIndex < 0) return false;

  // Every lord is one of the seven planets; without a readable sign for one of them the
  // pada of its houses cannot be placed, so nothing is written at all.
  for (const char* lord : kSignLords) {
    bool found = false;
    for (int b = 0; b < kBodyCount; ++b)
      found = found || (WithoutRetrogradeMark(chart.ChartBodyNames[static_cast<std::size_t>(b)]) == lord &&
                        SignOfCompact(chart.ChartBodyPositions[static_cast<std::size_t>(b)]) >= 0);
    if (!found) return false;
  }

  ArudhaWork work;
  work.ascendantSign = ascendantIndex + 1;
  chart.LagnaSigns[kAscendantLagna] = ascendantIndex;

  for (int step = 0; step < 12; ++step) {
    const int sign = (ascendantIndex + step) % 12;
    const int pada = CalculateArudha(chart, work, kSignLords[static_cast<std::size_t>(sign)]);
    const int padaIndex = pada - 1;
    if (work.houseCount == 1) {
      AppendLagnaMark(chart, padaIndex, "AL");
      chart.LagnaSigns[kAL] = padaIndex;
      chart.ArudhaPadaSigns[0] = padaIndex;
      AppendLagnaMark(chart, work.pakaSign - 1, "PL");
      chart.LagnaSigns[kPL] = work.pakaSign - 1;
    } else if (work.houseCount == 12) {
      AppendLagnaMark(chart, padaIndex, "UL");
      chart.LagnaSigns[kUL] = padaIndex;
      chart.ArudhaPadaSigns[11] = padaIndex;
    } else {
      AppendLagnaMark(chart, padaIndex, "");
    }
  }
  return true;
}

}  // namespace corvane
