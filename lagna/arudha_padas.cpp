#include "lagna/arudha_padas.h"

namespace corvane {

namespace {

// Kala of the 9th lord from Aries .. Pisces: Jupiter 10, Saturn 1, Mars 6, Venus 10,
// Mercury 8, Moon 16, Sun 30. Venus counts 10 in both of its rows.
constexpr std::array<int, 12> kNinthLordKala = {10, 1, 1, 10, 6, 10, 8, 16, 30, 8, 10, 6};

bool IsSign(int s) { return s >= 0 && s < 12; }

}  // namespace

int NinthLordKala(int signNumber) {
  if (signNumber < 1 || signNumber > 12) return 0;
  return kNinthLordKala[static_cast<std::size_t>(signNumber - 1)];
}

int ArudhaPadaSign(int houseSign, int lordSign) { return PadaSignNumber(houseSign, lordSign); }

std::optional<ArudhaPadas> ComputeArudhaPadas(const PerBody<int>& bodySigns, const std::array<BodyIndex, 12>& lords) {
  const int ascendant = bodySigns[kAscendantBody];
  if (!IsSign(ascendant)) return std::nullopt;
  // One pass over the signs, without a branch on each lord and without a count carried from
  // one sign to the next: a lord without a sign reads row 0 of the table and is noted, and the
  // padas are then dropped whole. (The vargas take twelve padas in each of sixteen charts.)
  ArudhaPadas out;
  bool everyLordPlaced = true;
  for (int sign = 0; sign < 12; ++sign) {
    const int lordSign = bodySigns[lords[static_cast<std::size_t>(sign)]];
    const bool placed = IsSign(lordSign);
    everyLordPlaced &= placed;
    const int house = sign >= ascendant ? sign - ascendant : sign - ascendant + 12;  // 0 for the 1st house
    out.padaSign[static_cast<std::size_t>(house)] =
        kPadaSigns[static_cast<std::size_t>(sign)][static_cast<std::size_t>(placed ? lordSign : 0)];
  }
  if (!everyLordPlaced) return std::nullopt;
  out.pakaSign = bodySigns[lords[static_cast<std::size_t>(ascendant)]];
  return out;
}

}  // namespace corvane
