#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "astro/conventions.h"
#include "lagna/sign_lords.h"
#include "lagna/special_lagnas.h"

namespace corvane {

enum class EngineKind { kElements, kSwiss };

// Every choice a calculation is made with. Each default is the program's long-standing
// behaviour, so default settings give the charts the program has always given.
struct CalculationSettings {
  EngineKind engine = EngineKind::kElements;
  Ayanamsa ayanamsa = Ayanamsa::kLahiri;
  NodeKind node = NodeKind::kMean;
  SunriseDefinition sunrise = SunriseDefinition::kUpperLimbRefracted;
  InduRule indu = InduRule::kFromAscendant;
  TimingPrecision timing = TimingPrecision::kMinute;
  PranapadaSun pranapadaSun = PranapadaSun::kAtSunrise;
  VarnadaCount varnada = VarnadaCount::kDegrees;
  SignLords lords = SignLords::kSingle;
  NakshatraDivision nakshatra = NakshatraDivision::kTable;

  bool operator==(const CalculationSettings&) const = default;
  EphemerisConventions conventions() const { return {ayanamsa, node, sunrise}; }
};

// One value of a setting: the key the command line and the settings file use, and the label
// the program shows.
template <typename T>
struct SettingChoice {
  T value;
  std::string_view key;
  std::string_view label;
};

inline constexpr std::array<SettingChoice<EngineKind>, 2> kEngineChoices = {{
    {EngineKind::kElements, "elements", "Element method (built in)"},
    {EngineKind::kSwiss, "swiss", "Swiss Ephemeris (precise)"},
}};
inline constexpr std::array<SettingChoice<Ayanamsa>, kAyanamsaCount> kAyanamsaChoices = {{
    {Ayanamsa::kLahiri, "lahiri", "Lahiri"},
    {Ayanamsa::kRaman, "raman", "Raman"},
    {Ayanamsa::kKrishnamurti, "krishnamurti", "Krishnamurti"},
    {Ayanamsa::kTrueChitrapaksha, "true-chitrapaksha", "True Chitrapaksha"},
    {Ayanamsa::kTruePushya, "true-pushya", "True Pushya"},
    {Ayanamsa::kYukteshwar, "yukteshwar", "Yukteshwar"},
    {Ayanamsa::kFaganBradley, "fagan-bradley", "Fagan/Bradley"},
}};
inline constexpr std::array<SettingChoice<NodeKind>, 2> kNodeChoices = {{
    {NodeKind::kMean, "mean", "Mean node"},
    {NodeKind::kTrue, "true", "True node"},
}};
inline constexpr std::array<SettingChoice<SunriseDefinition>, 2> kSunriseChoices = {{
    {SunriseDefinition::kUpperLimbRefracted, "limb", "Upper limb with refraction"},
    {SunriseDefinition::kDiscCentre, "centre", "Centre of the disc without refraction"},
}};
inline constexpr std::array<SettingChoice<InduRule>, 2> kInduChoices = {{
    {InduRule::kFromAscendant, "ascendant", "From the ascendant, Venus kala 10"},
    {InduRule::kFromMoon, "moon", "From the Moon, Venus kala 12"},
}};

inline constexpr std::array<SettingChoice<TimingPrecision>, 2> kTimingChoices = {{
    {TimingPrecision::kMinute, "minute", "Birth minute, sunrise to the minute"},
    {TimingPrecision::kExact, "exact", "Birth second, unrounded sunrise"},
}};
inline constexpr std::array<SettingChoice<PranapadaSun>, 2> kPranapadaSunChoices = {{
    {PranapadaSun::kAtSunrise, "sunrise", "Pranapada from the Sun at sunrise"},
    {PranapadaSun::kAtBirth, "birth", "Pranapada from the Sun at birth"},
}};
inline constexpr std::array<SettingChoice<VarnadaCount>, 2> kVarnadaChoices = {{
    {VarnadaCount::kDegrees, "degrees", "Varnada counted in degrees"},
    {VarnadaCount::kSigns, "signs", "Varnada counted in signs"},
}};
inline constexpr std::array<SettingChoice<SignLords>, 2> kLordsChoices = {{
    {SignLords::kSingle, "single", "One lord per sign"},
    {SignLords::kJaimini, "jaimini", "Scorpio and Aquarius: the stronger of two lords (Jaimini)"},
}};
inline constexpr std::array<SettingChoice<NakshatraDivision>, 2> kNakshatraChoices = {{
    {NakshatraDivision::kTable, "table", "Tabulated nakshatra starts (13.33\xC2\xB0 steps)"},
    {NakshatraDivision::kExact, "exact", "Exact nakshatra starts (13\xC2\xB0 20' steps)"},
}};

// The preset for exact, classical readings: the birth second and the unrounded sunrise, the
// Sun at birth for the Pranapada lagna, the Varnada lagna counted in signs and the exact
// nakshatra starts. The engine, the ayanamsa, the node, the sunrise, the Indu rule and the
// lords stay as chosen.
void ApplyExactConventions(CalculationSettings& settings);

// What --conventions may name: the exact preset, or the defaults of the same four choices.
enum class ConventionPreset { kDefault, kExact };
inline constexpr std::array<SettingChoice<ConventionPreset>, 2> kConventionPresetChoices = {{
    {ConventionPreset::kDefault, "default", "The long-standing conventions"},
    {ConventionPreset::kExact, "exact", "Exact, classical readings"},
}};
void ApplyConventionPreset(ConventionPreset preset, CalculationSettings& settings);

// One setting of a chart as the JSON and the batch name it, with its chosen key and label.
struct SettingEntry {
  std::string_view name;   // "engine", "pranapada_sun", ...
  std::string_view key;    // the chosen value's command-line key
  std::string_view label;  // the chosen value's label
};
inline constexpr std::size_t kSettingCount = 10;
// Every setting, in the order the JSON lists them.
std::array<SettingEntry, kSettingCount> SettingEntries(const CalculationSettings& settings);

// The choice with a key or a label, letters compared without regard to case.
template <typename T, std::size_t N>
std::optional<T> ChoiceByKey(const std::array<SettingChoice<T>, N>& choices, std::string_view text) {
  auto same = [](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
      if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
  };
  for (const auto& choice : choices)
    if (same(choice.key, text) || same(choice.label, text)) return choice.value;
  return std::nullopt;
}

template <typename T, std::size_t N>
const SettingChoice<T>& ChoiceOf(const std::array<SettingChoice<T>, N>& choices, T value) {
  for (const auto& choice : choices)
    if (choice.value == value) return choice;
  return choices[0];
}

// "a, b or c": the keys of a setting, for messages.
template <typename T, std::size_t N>
std::string ChoiceKeys(const std::array<SettingChoice<T>, N>& choices) {
  std::string out;
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) out += i + 1 == N ? " or " : ", ";
    out += choices[i].key;
  }
  return out;
}

// "Swiss Ephemeris (precise), Lahiri, Mean node, ...": every setting's label, in the order of
// SettingEntries.
std::string SettingsSummary(const CalculationSettings& settings);

inline constexpr std::string_view kTrueNodeNeedsPreciseMessage =
    "The true node needs the precise engine: choose Swiss Ephemeris (--engine swiss) or the mean node.";

// Why charts cannot be calculated with these settings, or nothing.
struct SettingsProblem {
  enum class Kind {
    kConflict,     // the choices contradict each other
    kDataMissing,  // the precise data files are not installed
  };
  Kind kind;
  std::string_view message;
};

// The contradiction alone: cheap, checked by every calculation.
std::optional<SettingsProblem> SettingsConflict(const CalculationSettings& settings);

// The contradiction, then whether the Swiss Ephemeris files the settings need are there (the
// precise engine, or a star-based ayanamsa with the element method). Reads files: meant for
// the start of a run or the closing of the options dialog.
std::optional<SettingsProblem> CheckSettings(const CalculationSettings& settings);

}  // namespace corvane
