#pragma once

namespace corvane::testing_support {

// Sign indices by name, for readable cases.
namespace signs {
constexpr int Ari = 0, Tau = 1, Gem = 2, Can = 3, Leo = 4, Vir = 5, Lib = 6, Sco = 7, Sag = 8, Cap = 9, Aqu = 10,
              Pis = 11;
}  // namespace signs

// Middle of sign index s (0 Aries .. 11 Pisces).
inline double In(int s) { return s * 30.0 + 15.0; }

}  // namespace corvane::testing_support
