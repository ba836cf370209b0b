#include "lagna/arudha_padas.h"

namespace corvane {

namespace {

// Kala of the 9th lord from Aries .. Pisces: Jupiter 10, Saturn 1, Mars 6, Venus 10,
// Mercury 8, Moon 16, Sun 30. Venus counts 10 in both of its rows.
constexpr std::array<int, 12> kNinthLordKala = {10, 1, 1, 10, 6, 10, 8, 16, 30, 8, 10, 6};

// Brings a sign number into 1..12.
constexpr int WrapSignNumber(int n) {
  while (n > 12) n -= 12;
  while (n < 1) n += 12;
  return n;
}

bool IsSign(int s) { return s >= 0 && s < 12; }

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
  if (houseSign - pada == 6 || houseSign - pada == -6) pada = WrapSignNumber(pada + 9);
  return pada;
}

// The pada's sign index for every house sign and lord sign index (0 = Aries), worked out when
// the program is compiled: the vargas take twelve padas in each of sixteen charts.
constexpr auto kPadaSigns = [] {
  std::array<std::array<int, 12>, 12> table{};
  for (int house = 0; house < 12; ++house)
    for (int lord = 0; lord < 12; ++lord)
      table[static_cast<std::size_t>(house)][static_cast<std::size_t>(lord)] = PadaSignNumber(house + 1, lord + 1) - 1;
  return table;
}();

}  // namespace

int NinthLordKala(int signNumber) {
  if (signNumber < 1 || signNumber > 12) return 0;
  return kNinthLordKala[static_cast<std::size_t>(signNumber - 1)];
}

int ArudhaPadaSign(int houseSign, int lordSign) { return PadaSignNumber(houseSign, lordSign); }

int ArudhaPadaSignIndex(int houseSign, int lordSign) {
  if (!IsSign(houseSign) || !IsSign(lordSign)) return -1;
  return kPadaSigns[static_cast<std::size_t>(houseSign)][static_cast<std::size_t>(lordSign)];
}

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
