#include "lagna/placement_readings.h"

#include <array>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "lagna/pada_tables.h"
#include "lagna/sign_tables.h"
#include "lagna/texts/interpretation_texts.h"

namespace corvane {

namespace {

constexpr std::string_view kLine = "\r\n";
constexpr std::string_view kBlankLine = "\r\n\r\n";

constexpr std::array<std::string_view, 9> kPlanetNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu"};

// Appends runs to a reading, overwriting the runs already there so that their strings keep
// their capacity; Finish() drops whatever the previous reading had beyond the new one.
class RunWriter {
 public:
  explicit RunWriter(RichReading& reading) : reading_(reading) { reading_.pointSize = 11; }

  void Add(bool bold, bool darkRed, bool heading, std::initializer_list<std::string_view> parts) {
    if (used_ == reading_.runs.size()) {
      reading_.runs.emplace_back();
      if (!spareTexts_.empty()) {
        reading_.runs.back().text = std::move(spareTexts_.back());
        spareTexts_.pop_back();
      }
    }
    TextRun& run = reading_.runs[used_++];
    run.bold = bold;
    run.darkRed = darkRed;
    run.heading = heading;
    run.text.clear();
    for (std::string_view part : parts) run.text.append(part);
  }

  // Drops the runs left from an earlier reading, keeping their texts' storage for the next
  // reading written on this thread: a batch writes the readings of every chart again into
  // the same objects, and some charts fire more rules than others.
  void Finish() {
    for (std::size_t i = used_; i < reading_.runs.size(); ++i) spareTexts_.push_back(std::move(reading_.runs[i].text));
    reading_.runs.resize(used_);
  }

 private:
  RichReading& reading_;
  std::size_t used_ = 0;
  static thread_local std::vector<std::string> spareTexts_;
};

thread_local std::vector<std::string> RunWriter::spareTexts_;

// The emphasised introduction of one pada: captions in black, values in dark red.
void WriteIntroduction(RunWriter& out, int house, int padaSign, std::string_view about,
                       std::string_view presentIn) {
  const PadaView view = MakePadaView(house, padaSign);
  out.Add(true, false, false, {about, kLine});
  out.Add(true, false, false, {PadaSignification(house), kBlankLine});
  out.Add(true, false, false, {presentIn, kLine});
  out.Add(true, true, false, {view.signName, kBlankLine});
  out.Add(true, false, false, {"Alternate Names", kLine});
  out.Add(true, true, false, {view.alternateNames, kBlankLine});
  out.Add(true, false, false, {"This Lagna is", kLine});
  out.Add(true, true, false, {view.signNature, kBlankLine});
}

// One group of Arudha rules: a house counted from AL and the planets tested there, in order.
struct PlacementGroup {
  int house;
  std::array<BodyIndex, 5> planets;
  int planetCount;
  std::string_view headingTail;  // follows the planet's name
  std::string_view line;         // first explanation line; empty: the planet's own text
  std::array<std::string_view, 9> planetLines{};  // a second line for particular planets
};

constexpr std::string_view kHealthLine =
    "You may suffer from health problems during the dasha of this planet.";
constexpr std::string_view kRichesLine = "You will be blessed with riches and good luck.";
constexpr std::string_view kCourageLine = "This will make you courageous and financially successful.";
constexpr std::string_view kTimidLine = "This will make you timid and restrained.";

constexpr std::array<BodyIndex, 5> kMalefics = {kRahu, kKetu, kSun, kSaturn, kMars};
constexpr std::array<BodyIndex, 5> kBenefics = {kMoon, kMercury, kJupiter, kVenus};

// A body-indexed table of second lines from (planet, line) pairs.
constexpr std::array<std::string_view, 9> SecondLines(
    std::initializer_list<std::pair<BodyIndex, std::string_view>> lines) {
  std::array<std::string_view, 9> table{};
  for (const auto& [planet, line] : lines) table[planet] = line;
  return table;
}

constexpr std::array<PlacementGroup, 12> kArudhaGroups = {{
    {1, kBenefics, 4, " (Benefic) present in your Arudha Lagna contributes towards your wellbeing", {}},
    {2, kMalefics, 5, " (Malefic) present in 2nd House From Arudha Lagna", kHealthLine,
     SecondLines({{kSaturn, "your reputation my be hurt because of your lying nature."},
                  {kMars, "your reputation my be hurt because of a sexual scandal."}})},
    {8, kMalefics, 5, " (Malefic) present in 8th House From Arudha Lagna", kHealthLine},
    {2, kBenefics, 4, " (Benefic) present in 2nd House From Arudha Lagna", kRichesLine,
     SecondLines({{kMoon, "you may become rich."},
                  {kMercury, "you will be a king and will be the leader of a country."},
                  {kJupiter, "you will attain power and prosperity."},
                  {kVenus, "you will be a poet or scholar with good oratory skills."}})},
    {8, kBenefics, 4, " (Benefic) present in 8th House From Arudha Lagna", kRichesLine},
    {3, kMalefics, 5, " (Malefic) present in 3rd House From Arudha Lagna", kCourageLine},
    {6, kMalefics, 5, " (Malefic) present in 6th House From Arudha Lagna", kCourageLine},
    {3, kBenefics, 4, " (Benefic) present in 3rd House From Arudha Lagna", kTimidLine},
    {6, kBenefics, 4, " (Benefic) present in 6th House From Arudha Lagna", kTimidLine},
    {11, kMalefics, 5, " (Malefic) present in 11th House From Arudha Lagna",
     "This will make you rich but the money may or may not come from legal sources."},
    {11, kBenefics, 4, " (Benefic) present in 11th House From Arudha Lagna",
     "This will make you rich and the money will come from legal sources"},
    {7, kMalefics, 2, " (Malefic) present in 7th House From Arudha Lagna",
     "You will have health ailments related to stomach or be affected by fire."},
}};

// One Upapada rule: it holds when every planet named stands in the given house from UL.
struct Combination {
  std::array<BodyIndex, 3> planets;
  int planetCount;
  int house;
  std::string_view heading;
  std::string_view explanation;
};

constexpr std::array<Combination, 14> kUpapadaCombinations = {{
    {{kSaturn, kRahu}, 2, 2, "Saturn and Rahu present in on 2nd house from Upapada Lagna",
     "You may desert your spouse. Or your wife may face death."},
    {{kSaturn, kRahu, kSun}, 3, 2, "Saturn ,Rahu and Sun present in on 2nd house from Upapada Lagna",
     "You may problems in bones  and face pain from bone related illnesses like arthritis, "
     "osteoporosis etc."},
    {{kVenus, kKetu}, 2, 2, "Venus and Ketu present in on 2nd house from Upapada Lagna",
     "You may have problems of the immune system"},
    {{kMercury, kKetu}, 2, 2, "Mercury and Ketu present in on 2nd house from Upapada Lagna",
     "You may have weight related problems"},
    {{kJupiter, kSaturn}, 2, 2, "Jupiter and Saturn present in on 2nd house from Upapada Lagna",
     "You may have eye and ear problems"},
    {{kMars, kMercury}, 2, 2, "Mars and Mercury present in on 2nd house from Upapada Lagna",
     "You may have dental problems"},
    {{kJupiter, kRahu}, 2, 2, "Jupiter and Rahu present in on 2nd house from Upapada Lagna",
     "You may have dental problems"},
    {{kMoon}, 1, 9, "Moon is present in on 9th house from Upapada Lagna", "You may have one son."},
    {{kSaturn, kMoon, kMercury}, 3, 9,
     "Saturn , Moon and Mercury is present in on 9th house from Upapada Lagna",
     "You may not have any children."},
    {{kSun, kJupiter}, 2, 9, "Sun and Jupiter is present in on 9th house from Upapada Lagna",
     "You may have a male child."},
    {{kSun, kRahu}, 2, 9, "Sun and Rahu is present in on 9th house from Upapada Lagna",
     "You may have a male child."},
    {{kMars, kSaturn}, 2, 9, "Mars and Saturn is present in on 9th house from Upapada Lagna",
     "You may have a child from previous marriage or adopt a child."},
    {{kMoon}, 1, 1, "Moon is present in same house as  Upapada Lagna",
     "You may have some problems from your mother-in-law or father-in-law."},
    {{kSun}, 1, 1, "Sun is present in same house as  Upapada Lagna",
     "You may have some problems from your mother-in-law or father-in-law."},
}};

}  // namespace

int HouseFromPada(int planetSign, int padaSign) {
  if (!IsSignIndex(planetSign) || !IsSignIndex(padaSign)) return 0;
  return (planetSign - padaSign + 12) % 12 + 1;
}

void ArudhaReading(const PerBody<int>& bodySigns, int pada, RichReading& reading) {
  RunWriter out(reading);
  WriteIntroduction(out, 0, pada, "About Your AL", "AL Present In");

  for (const PlacementGroup& group : kArudhaGroups) {
    for (int i = 0; i < group.planetCount; ++i) {
      const BodyIndex planet = group.planets[i];
      if (HouseFromPada(bodySigns[planet], pada) != group.house) continue;
      const std::string_view name = kPlanetNames[planet];
      if (group.line.empty() && planet == kMoon) {
        // The Moon's reading in AL itself is laid out the other way round: a black heading
        // set off by a blank line, then its text in red.
        out.Add(true, false, true, {name, group.headingTail, kBlankLine});
        out.Add(true, true, false, {kPlanetTexts[planet], kLine});
        continue;
      }
      out.Add(true, true, true, {name, group.headingTail, kLine});
      out.Add(false, false, false,
              {group.line.empty() ? kPlanetTexts[planet] : group.line, kBlankLine});
      if (!group.planetLines[planet].empty())
        out.Add(false, false, false, {group.planetLines[planet], kBlankLine});
    }
  }
  out.Finish();
}

void UpapadaReading(const PerBody<int>& bodySigns, int pada, RichReading& reading) {
  RunWriter out(reading);
  WriteIntroduction(out, 11, pada, "About Your A12", "A12 Present In");

  for (const Combination& rule : kUpapadaCombinations) {
    bool holds = true;
    for (int i = 0; i < rule.planetCount && holds; ++i)
      holds = HouseFromPada(bodySigns[rule.planets[i]], pada) == rule.house;
    if (!holds) continue;
    out.Add(true, false, true, {rule.heading, kBlankLine});
    out.Add(true, true, false, {rule.explanation, kLine});
  }
  out.Finish();
}

std::vector<std::string> FiredReadingHeadings(const RichReading& reading) {
  std::vector<std::string> headings;
  for (const TextRun& run : reading.runs) {
    if (!run.heading) continue;
    std::string_view text = run.text;
    while (text.ends_with(kLine)) text.remove_suffix(kLine.size());
    headings.emplace_back(text);
  }
  return headings;
}

}  // namespace corvane
