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
  SuryaSun suryaSun = SuryaSun::kAtSunrise;

  bool operator==(const CalculationSettings&) const = default;
  EphemerisConventions conventions() const { return {ayanamsa, node, sunrise}; }
  // Copies the choices the lagnas are counted by into their inputs.
  void CountLagnasBy(LagnaInputs& in) const {
    in.indu = indu;
    in.pranapadaSun = pranapadaSun;
    in.varnada = varnada;
    in.lords = lords;
    in.suryaSun = suryaSun;
  }
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
inline constexpr std::array<SettingChoice<SuryaSun>, 2> kSuryaSunChoices = {{
    {SuryaSun::kAtSunrise, "sunrise", "Surya lagna from the Sun at sunrise"},
    {SuryaSun::kAtBirth, "birth", "Surya lagna from the Sun at birth"},
}};

// What --conventions may name: the exact preset, or the defaults of the choices it sets.
enum class ConventionPreset { kDefault, kExact };
inline constexpr std::array<SettingChoice<ConventionPreset>, 2> kConventionPresetChoices = {{
    {ConventionPreset::kDefault, "default", "The long-standing conventions"},
    {ConventionPreset::kExact, "exact", "Exact, classical readings"},
}};

// The choice holding a value; nothing for a value that is none of the choices (a value cast
// from a number), which no caller may take for the first choice.
template <typename T, std::size_t N>
std::optional<SettingChoice<T>> ChoiceOf(const std::array<SettingChoice<T>, N>& choices, T value) {
  for (const auto& choice : choices)
    if (choice.value == value) return choice;
  return std::nullopt;
}

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

// A column of the convention comparison that one setting adds: the settings of the column
// of `on` (another setting's key; empty for the default column) with this setting's choice
// `choiceKey`, compared with that column.
struct ComparisonSpec {
  std::string_view title;      // short heading; empty: the setting adds no column
  std::string_view change;     // what the column changes
  std::string_view choiceKey;
  std::string_view on;
};

// One setting: every name it goes by, its choices, and what the presets and the comparison
// do with it. Every reader and writer of settings goes through the rows of kSettingRows.
struct SettingRow {
  std::string_view key;          // JSON settings key, batch column, Python keyword, stored key
  std::string_view option;       // command-line option
  std::string_view help;         // the option's line in --help
  std::string_view dialogLabel;  // the Options window's label, with its & accelerator
  std::string_view exactKey;     // the choice --conventions exact makes; empty: left as chosen
  ComparisonSpec comparison;
  std::size_t choiceCount;
  std::string_view (*keyAt)(std::size_t index);
  std::string_view (*labelAt)(std::size_t index);
  // The index of the settings' choice; nothing for a value that is none of the choices.
  std::optional<std::size_t> (*chosenIn)(const CalculationSettings& settings);
  void (*choose)(CalculationSettings& settings, std::size_t index);

  // The index of the choice with a key or a label, letters compared without regard to case.
  std::optional<std::size_t> Find(std::string_view text) const;
  // "a, b or c", for messages.
  std::string Keys() const;
  // The choice of the default settings.
  std::size_t DefaultIndex() const;
};

// The typed side of a row: reads and writes `Member` through `Choices`.
template <auto Member, const auto& Choices>
struct SettingAccess {
  static std::string_view KeyAt(std::size_t i) { return Choices[i].key; }
  static std::string_view LabelAt(std::size_t i) { return Choices[i].label; }
  static std::optional<std::size_t> ChosenIn(const CalculationSettings& s) {
    for (std::size_t i = 0; i < Choices.size(); ++i)
      if (Choices[i].value == s.*Member) return i;
    return std::nullopt;
  }
  static void Choose(CalculationSettings& s, std::size_t i) { s.*Member = Choices[i].value; }
};

template <auto Member, const auto& Choices>
constexpr SettingRow MakeSettingRow(std::string_view key, std::string_view option, std::string_view help,
                                    std::string_view dialogLabel, std::string_view exactKey,
                                    ComparisonSpec comparison = {}) {
  using Access = SettingAccess<Member, Choices>;
  return {key,          option,          help,           dialogLabel,     exactKey,      comparison,
          Choices.size(), &Access::KeyAt, &Access::LabelAt, &Access::ChosenIn, &Access::Choose};
}

// Every setting, in the order of the JSON's "settings", the batch's setting columns, the
// Python keywords and the Options window. The default choice is the member's initial value
// in CalculationSettings.
inline constexpr std::array kSettingRows = {
    MakeSettingRow<&CalculationSettings::engine, kEngineChoices>(
        "engine", "--engine", "the built-in element method (default) or Swiss Ephemeris", "&Engine:", "",
        {"Precise", "Swiss Ephemeris instead of the element method", "swiss", ""}),
    MakeSettingRow<&CalculationSettings::ayanamsa, kAyanamsaChoices>(
        "ayanamsa", "--ayanamsa",
        "lahiri (default), raman, krishnamurti, true-chitrapaksha, true-pushya, yukteshwar, fagan-bradley",
        "&Ayanamsa:", ""),
    MakeSettingRow<&CalculationSettings::node, kNodeChoices>(
        "node", "--node", "Rahu as the mean (default) or the true node (true needs --engine swiss)", "&Nodes:", "",
        {"True node", "The true node instead of the mean node", "true", "engine"}),
    MakeSettingRow<&CalculationSettings::sunrise, kSunriseChoices>(
        "sunrise", "--sunrise", "upper limb with refraction (default), or the disc centre without refraction",
        "&Sunrise:", "", {"Centre sunrise", "Sunrise at the centre of the disc without refraction", "centre", "engine"}),
    MakeSettingRow<&CalculationSettings::indu, kInduChoices>(
        "indu", "--indu", "Indu lagna from the ascendant, Venus kala 10 (default), or the Moon, kala 12",
        "&Indu lagna:", "", {"Indu from Moon", "Indu lagna from the Moon with Venus kala 12", "moon", "sunrise"}),
    MakeSettingRow<&CalculationSettings::timing, kTimingChoices>(
        "timing", "--timing", "birth minute and sunrise to the minute (default), or birth second and unrounded sunrise",
        "&Timing:", "exact",
        {"Exact time", "The birth second and the unrounded sunrise instead of whole minutes", "exact", ""}),
    MakeSettingRow<&CalculationSettings::pranapadaSun, kPranapadaSunChoices>(
        "pranapada_sun", "--pranapada-sun", "Pranapada lagna from the Sun at sunrise (default) or at birth",
        "&Pranapada Sun:", "birth",
        {"Sun at birth", "The Pranapada lagna from the Sun at birth instead of at sunrise", "birth", ""}),
    MakeSettingRow<&CalculationSettings::varnada, kVarnadaChoices>(
        "varnada", "--varnada", "Varnada lagna counted in whole degrees (default) or whole signs", "&Varnada lagna:",
        "signs", {"Varnada signs", "The Varnada lagna counted in whole signs instead of degrees", "signs", ""}),
    MakeSettingRow<&CalculationSettings::lords, kLordsChoices>(
        "lords", "--lords",
        "Scorpio and Aquarius ruled by Mars and Saturn (default), or the stronger of Mars/Ketu, Saturn/Rahu",
        "Sign &lords:", "",
        {"Jaimini lords", "Scorpio and Aquarius ruled by the stronger of Mars/Ketu and Saturn/Rahu", "jaimini", ""}),
    MakeSettingRow<&CalculationSettings::nakshatra, kNakshatraChoices>(
        "nakshatra", "--nakshatra",
        "nakshatra starts from the table, 13.33 degrees apart (default), or exactly 13 deg 20 min apart",
        "Nakshatra s&tarts:", "exact",
        {"Exact nakshatras", "Nakshatra starts 13 degrees 20 minutes apart instead of the table", "exact", ""}),
    MakeSettingRow<&CalculationSettings::suryaSun, kSuryaSunChoices>(
        "surya_sun", "--surya-sun", "Surya lagna from the Sun at sunrise (default) or at birth, the sign it occupies",
        "Surya S&un:", "birth",
        {"Surya at birth", "The Surya lagna from the Sun at birth instead of at sunrise", "birth", ""}),
};
inline constexpr std::size_t kSettingCount = kSettingRows.size();

// The row of a JSON key, batch column or Python keyword; null for none.
const SettingRow* SettingRowOf(std::string_view key);

// Sets the preset's choices (the rows' exactKey for kExact, their defaults for kDefault);
// the other settings stay as chosen.
void ApplyConventionPreset(ConventionPreset preset, CalculationSettings& settings);
// The preset for exact, classical readings.
void ApplyExactConventions(CalculationSettings& settings);

// One setting of a chart as the JSON and the batch name it, with its chosen key and label.
struct SettingEntry {
  std::string_view name;   // "engine", "pranapada_sun", ...
  std::string_view key;    // the chosen value's command-line key
  std::string_view label;  // the chosen value's label
};
// Every setting, in the order of kSettingRows. Settings holding a value that is none of its
// choices are refused by SettingsConflict before any chart is made of them; here they throw
// std::invalid_argument naming the setting.
std::array<SettingEntry, kSettingCount> SettingEntries(const CalculationSettings& settings);

// "Swiss Ephemeris (precise), Lahiri, Mean node, ...": every setting's label, in the order of
// SettingEntries.
std::string SettingsSummary(const CalculationSettings& settings);

inline constexpr std::string_view kUnknownSettingChoiceMessage =
    "A setting holds a value that is none of its choices; the settings were not read by their keys.";
inline constexpr std::string_view kTrueNodeNeedsPreciseMessage =
    "The true node needs the precise engine: choose Swiss Ephemeris (--engine swiss) or the mean node.";

// Why charts cannot be calculated with these settings, or nothing.
struct SettingsProblem {
  enum class Kind {
    kConflict,     // the choices contradict each other
    kDataMissing,  // the precise data files are not installed
    kUnknownChoice,  // a setting holds a value that is none of its choices
  };
  Kind kind;
  std::string_view message;
};

// The contradiction or a value that is no choice alone: cheap, checked by every calculation.
std::optional<SettingsProblem> SettingsConflict(const CalculationSettings& settings);

// The contradiction, then whether the Swiss Ephemeris files the settings need are there (the
// precise engine, or a star-based ayanamsa with the element method). Reads files: meant for
// the start of a run or the closing of the options dialog.
std::optional<SettingsProblem> CheckSettings(const CalculationSettings& settings);

}  // namespace corvane
