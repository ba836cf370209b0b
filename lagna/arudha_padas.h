#pragma once
#include <array>
#include <optional>

#include "astro/bodies.h"
#include "lagna/sign_lords.h"

namespace corvane {

// Kala (ray count) of the lord of the 9th sign from sign number 1..12; 0 outside that range.
int NinthLordKala(int signNumber);

// Sign number (1..12) of the arudha pada of the house in sign number `houseSign` whose lord
// stands in sign number `lordSign`. A lord in the house or in its 7th gives the 10th from
// the house; a pada falling in the 7th from the house moves to the 4th from the house.
int ArudhaPadaSign(int houseSign, int lordSign);

// Sign numbers 1..12 of the house and of its lord give the pada's sign number.
constexpr int PadaSignNumber(int houseSign, int lordSign) {
  // Count from the house to the lord, then as far again from the lord.
  int d = 2 * (lordSign - houseSign);
  while (d < 0) d += 12;
  if (d > 12) d -= 12;
  if (d == 0 || d == 12) d = 9;  // lord in the house or its 7th: the 10th from the house
  int pada = d + houseSign;
  while (pada > 12) pada -= 12;
  // A pada may not fall in the 7th from the house: it moves on to the 10th from there.
  if (houseSign - pada == 6 || houseSign - pada == -6) pada = (pada + 9 - 1) % 12 + 1;
  return pada;
}

// The pada's sign index for every house sign and lord sign index (0 = Aries), worked out when
// the program is compiled: the vargas take padas in each of sixteen charts.
inline constexpr auto kPadaSigns = [] {
  std::array<std::array<int, 12>, 12> table{};
  for (int house = 0; house < 12; ++house)
    for (int lord = 0; lord < 12; ++lord)
      table[static_cast<std::size_t>(house)][static_cast<std::size_t>(lord)] = PadaSignNumber(house + 1, lord + 1) - 1;
  return table;
}();

// ArudhaPadaSign by sign indices (0 Aries .. 11 Pisces); -1 when either is not a sign index.
inline int ArudhaPadaSignIndex(int houseSign, int lordSign) {
  if (houseSign < 0 || houseSign > 11 || lordSign < 0 || lordSign > 11) return -1;
  return kPadaSigns[static_cast<std::size_t>(houseSign)][static_cast<std::size_t>(lordSign)];
}

// The arudha padas of the twelve houses counted from the ascendant's sign.
struct ArudhaPadas {
  std::array<int, 12> padaSign{};  // sign index of the pada of house 1 (AL) .. 12 (UL)
  int pakaSign = 0;                // sign index of the ascendant's lord (the Paka lagna)
};

// The padas from the sign index of every body at birth (ascendant included) and the lord of
// each sign; nothing when the ascendant or one of the lords has no sign.
std::optional<ArudhaPadas> ComputeArudhaPadas(const PerBody<int>& bodySigns,
                                              const std::array<BodyIndex, 12>& lords = kSingleSignLords);

}  // namespace corvane
