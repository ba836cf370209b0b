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

// ArudhaPadaSign by sign indices (0 Aries .. 11 Pisces), from a table made when the program is
// compiled; -1 when either is not a sign index.
int ArudhaPadaSignIndex(int houseSign, int lordSign);

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
