#pragma once
#include <array>
#include <string_view>


namespace corvane {

// Pada label, alternate names, sign name and sign nature of one house's arudha pada.
struct PadaView {
  std::string_view label, alternateNames, signName, signNature;
};

// Arudha pada tables, indexed by house 0 (1st) to 11 (12th).
inline constexpr std::array<std::string_view, 12> kPadaLabels = {
    "AL", "A2", "A3", "A4", "A5", "A6", "A7", "A8", "A9", "A10", "A11", "A12"};

inline constexpr std::array<std::string_view, 12> kPadaAlternateNames = {
    "Pada, Lagna Pada, Arudha Lagna",
    "Dhana Pada, Kosa Pada",
    "Vikrama Pada or Bhratripada",
    "Matripada, Sukhapada",
    "Mantra Pada, Putrapada",
    "Rogapada, Satrupada, Aripada",
    "Darapada, Kalatrapada",
    "Marana or Mrityu Pada, Randhrapada",
    "Pitripada, Dharmapada",
    "Karmapada, Rajyapada",
    "Labhapada",
    "Vyaya Pada, Gauna Pada"};

// What the pada of house 0..11 signifies; the 1st house's long text lives with the other prose.
// Returns an empty view for a house outside 0..11.
std::string_view PadaSignification(int house);

// The view of house h's pada when it falls in sign p. An unknown sign gives the labels
// with empty sign name and nature rather than reading outside the sign tables.
PadaView MakePadaView(int house, int padaSign);



}  // namespace corvane
