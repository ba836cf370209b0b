#include "app/calculation_settings.h"

#include <stdexcept>

#include "app/ephemeris_messages.h"
#include "astro/swiss_ephemeris.h"

namespace corvane {

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

}  // namespace

std::optional<std::size_t> SettingRow::Find(std::string_view text) const {
  for (std::size_t i = 0; i < choiceCount; ++i)
    if (SameLetters(keyAt(i), text) || SameLetters(labelAt(i), text)) return i;
  return std::nullopt;
}

std::string SettingRow::Keys() const {
  std::string out;
  for (std::size_t i = 0; i < choiceCount; ++i) {
    if (i > 0) out += i + 1 == choiceCount ? " or " : ", ";
    out += keyAt(i);
  }
  return out;
}

std::size_t SettingRow::DefaultIndex() const {
  // Every member's initial value is one of its choices; the table test holds them to it.
  return chosenIn(CalculationSettings{}).value_or(0);
}

const SettingRow* SettingRowOf(std::string_view key) {
  for (const SettingRow& row : kSettingRows)
    if (row.key == key) return &row;
  return nullptr;
}

std::array<SettingEntry, kSettingCount> SettingEntries(const CalculationSettings& s) {
  std::array<SettingEntry, kSettingCount> out{};
  for (std::size_t r = 0; r < kSettingCount; ++r) {
    const SettingRow& row = kSettingRows[r];
    const std::optional<std::size_t> chosen = row.chosenIn(s);
    if (!chosen) throw std::invalid_argument("the " + std::string(row.key) + " setting holds none of its choices");
    out[r] = {row.key, row.keyAt(*chosen), row.labelAt(*chosen)};
  }
  return out;
}

std::string SettingsSummary(const CalculationSettings& s) {
  std::string out;
  for (const SettingEntry& e : SettingEntries(s)) {
    if (!out.empty()) out += ", ";
    out += e.label;
  }
  return out;
}

void ApplyConventionPreset(ConventionPreset preset, CalculationSettings& s) {
  for (const SettingRow& row : kSettingRows) {
    if (row.exactKey.empty()) continue;
    const std::optional<std::size_t> exact = row.Find(row.exactKey);
    row.choose(s, preset == ConventionPreset::kExact && exact ? *exact : row.DefaultIndex());
  }
}

void ApplyExactConventions(CalculationSettings& s) { ApplyConventionPreset(ConventionPreset::kExact, s); }

std::optional<SettingsProblem> SettingsConflict(const CalculationSettings& s) {
  for (const SettingRow& row : kSettingRows)
    if (!row.chosenIn(s))
      return SettingsProblem{SettingsProblem::Kind::kUnknownChoice, kUnknownSettingChoiceMessage};
  // The element method has only the mean node.
  if (s.engine == EngineKind::kElements && s.node == NodeKind::kTrue)
    return SettingsProblem{SettingsProblem::Kind::kConflict, kTrueNodeNeedsPreciseMessage};
  return std::nullopt;
}

std::optional<SettingsProblem> CheckSettings(const CalculationSettings& s) {
  if (auto conflict = SettingsConflict(s)) return conflict;
  const bool starBased = s.ayanamsa == Ayanamsa::kTrueChitrapaksha || s.ayanamsa == Ayanamsa::kTruePushya;
  if (s.engine == EngineKind::kSwiss || starBased) {
    if (const auto problem = SwissDataProblem()) return SettingsProblem{SettingsProblem::Kind::kDataMissing, EphemerisFailureMessage(*problem)};
  }
  return std::nullopt;
}

}  // namespace corvane
