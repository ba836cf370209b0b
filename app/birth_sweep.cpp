#include "app/birth_sweep.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <set>
#include <variant>

#include "app/birth_zone.h"
#include "app/whole_number.h"
#include "app/chart_calculation.h"
#include "app/zone_clock.h"
#include "astro/moon.h"

namespace corvane {

namespace {

// What one moment of the window gives: the values of every row, or the kind of gap.
struct Sample {
  std::optional<SweepGapKind> gap;
  std::array<int, kLagnaCount> signs{};
  int nakshatra = 0;
  bool operator==(const Sample&) const = default;
};

// The birth's clock reading moved to `local`; for a birth with a zone id, its offset looked up
// at that reading. Nothing when the clocks skipped the reading or the zone refuses it.
enum class Moved { kOk, kSkipped, kRefused };

Moved MoveClock(const BirthData& birth, const CivilDateTime& local, BirthData& moved, bool fullZoneFields,
                std::string* message = nullptr) {
  moved = birth;
  moved.year = local.year;
  moved.monthIndex = local.month - 1;
  moved.day = local.day;
  moved.hour = local.hour;
  moved.minute = local.minute;
  moved.second = local.second;
  if (!birth.extras.zoneId || !birth.extras.utcOffsetSeconds) return Moved::kOk;
  const std::string& zoneId = *birth.extras.zoneId;
  const ZoneLookup lookup =
      LookUpLocalTime(zoneId, {local.year, local.month, local.day, local.hour, local.minute, local.second});
  if (const auto* skipped = std::get_if<SkippedLocalTime>(&lookup)) {
    if (message) *message = FormatSkippedTime(zoneId, *skipped) + ".";
    return Moved::kSkipped;
  }
  if (const auto* error = std::get_if<ZoneLookupError>(&lookup)) {
    if (message) *message = error->message;
    return Moved::kRefused;
  }
  RepeatedTimeChoice fold = RepeatedTimeChoice::kEarlier;
  int offset = 0;
  if (const auto* reading = std::get_if<ZoneReading>(&lookup)) {
    offset = reading->utOffsetSeconds;
  } else {
    // A reading that happened twice follows the birth's own offset.
    const auto& twice = std::get<RepeatedLocalTime>(lookup);
    const bool later = twice.later.utOffsetSeconds == *birth.extras.utcOffsetSeconds &&
                       twice.earlier.utOffsetSeconds != *birth.extras.utcOffsetSeconds;
    fold = later ? RepeatedTimeChoice::kLater : RepeatedTimeChoice::kEarlier;
    offset = later ? twice.later.utOffsetSeconds : twice.earlier.utOffsetSeconds;
  }
  if (fullZoneFields) return SetBirthZone(zoneId, fold, moved) ? Moved::kRefused : Moved::kOk;
  moved.extras.utcOffsetSeconds = offset;
  moved.extras.fold = std::holds_alternative<ZoneReading>(lookup)        ? DoubledHour::kNone
                      : fold == RepeatedTimeChoice::kLater ? DoubledHour::kLater
                                                           : DoubledHour::kEarlier;
  return Moved::kOk;
}

// Samples of the window, each a whole calculation of the chart. The one place that reads the
// calculated chart record.
class Sampler {
 public:
  Sampler(const BirthData& birth, const CalculationSettings& settings, const CivilDateTime& start)
      : birth_(birth), settings_(settings), start_(SerialSeconds(start)) {}

  CivilDateTime At(std::int64_t t) const { return FromSerialSeconds(start_ + t); }

  Sample Take(std::int64_t t, std::string* message = nullptr) const {
    Sample sample;
    BirthData moved;
    switch (MoveClock(birth_, At(t), moved, false, message)) {
      case Moved::kSkipped:
        sample.gap = SweepGapKind::kSkippedClock;
        return sample;
      case Moved::kRefused:
        sample.gap = SweepGapKind::kRefused;
        return sample;
      case Moved::kOk:
        break;
    }
    const CalculationResult result = CalculateChart(moved, settings_);
    if (const auto* polar = std::get_if<PolarDate>(&result.outcome)) {
      sample.gap = SweepGapKind::kPolar;
      if (message) *message = polar->message;
      return sample;
    }
    if (const auto* refusal = std::get_if<InputMessage>(&result.outcome)) {
      sample.gap = SweepGapKind::kRefused;
      if (message) *message = refusal->text;
      return sample;
    }
    const Chart& chart = result.chart();
    for (int l = 0; l < kLagnaCount; ++l) sample.signs[l] = chart.lagnas.lagnas[l].sign;
    // The nakshatra as the chart's lagnas take it: the tabulated start of the Moon's, in
    // steps of 13°20'.
    const double start = NakshatraStartOf(chart.positions.longitudeDeg[kMoon]);
    sample.nakshatra = static_cast<int>(std::lround(start * 27.0 / 360.0)) % 27;
    return sample;
  }

 private:
  const BirthData& birth_;
  const CalculationSettings& settings_;
  std::int64_t start_;
};

struct Change {
  std::int64_t at;  // seconds from the window's start; the new sample holds from here
  Sample sample;
};

// Halves [a, b] until every difference between its ends is pinned to the second.
void Refine(const Sampler& sampler, std::int64_t a, const Sample& sa, std::int64_t b, const Sample& sb,
            std::vector<Change>& changes) {
  if (sa == sb) return;
  if (b - a <= 1) {
    changes.push_back({b, sb});
    return;
  }
  const std::int64_t m = a + (b - a) / 2;
  const Sample sm = sampler.Take(m);
  Refine(sampler, a, sa, m, sm, changes);
  Refine(sampler, m, sm, b, sb, changes);
}

void Extend(std::vector<SweepInterval>& row, const CivilDateTime& from, const CivilDateTime& to, int value) {
  if (!row.empty() && row.back().to == from && row.back().value == value) {
    row.back().to = to;
    return;
  }
  row.push_back({from, to, value});
}

}  // namespace

BirthSweep SweepBirthTime(const BirthData& birth, const CalculationSettings& settings, int minutes) {
  BirthSweep sweep;
  sweep.minutes = std::clamp(minutes, 1, kMaxSweepMinutes);
  sweep.given = {birth.year, birth.monthIndex + 1, birth.day, birth.hour, birth.minute, birth.second};
  sweep.start = AddMinutes(sweep.given, -sweep.minutes);
  sweep.end = AddMinutes(sweep.given, sweep.minutes);
  const Sampler sampler(birth, settings, sweep.start);
  const std::int64_t total = std::int64_t{2} * sweep.minutes * 60;

  // A step a minute: no lagna crosses a whole sign in less (the fastest moves 5° a minute),
  // so the values between two equal steps are taken to hold throughout.
  std::vector<Change> changes;
  Sample previous = sampler.Take(0);
  changes.push_back({0, previous});
  for (std::int64_t t = 60; t <= total; t += 60) {
    const std::int64_t at = std::min(t, total - 1);
    const Sample next = sampler.Take(at);
    Refine(sampler, t - 60, previous, at, next, changes);
    previous = next;
  }

  for (std::size_t i = 0; i < changes.size(); ++i) {
    const CivilDateTime from = sampler.At(changes[i].at);
    const CivilDateTime to = sampler.At(i + 1 < changes.size() ? changes[i + 1].at : total);
    const Sample& s = changes[i].sample;
    if (s.gap) {
      if (!sweep.gaps.empty() && sweep.gaps.back().to == from && sweep.gaps.back().kind == *s.gap) {
        sweep.gaps.back().to = to;
      } else {
        SweepGap gap{from, to, *s.gap, {}};
        sampler.Take(changes[i].at, &gap.message);
        sweep.gaps.push_back(std::move(gap));
      }
      continue;
    }
    for (int l = 0; l < kLagnaCount; ++l) Extend(sweep.lagnas[l], from, to, s.signs[l]);
    Extend(sweep.nakshatra, from, to, s.nakshatra);
  }
  return sweep;
}

BirthSweep SweepOfChart(const Chart& chart, int minutes) {
  return SweepBirthTime(chart.birth, chart.settings, minutes);
}

const BirthSweep& PrintedSweep(const Chart& chart, const BirthSweep* asked, std::optional<BirthSweep>& made) {
  if (asked != nullptr) return *asked;
  return made.emplace(SweepOfChart(chart, kDefaultPrintedSweepMinutes));
}

std::shared_ptr<const Chart> ChartAtTime(const Chart& chart, const CivilDateTime& local) {
  BirthData moved;
  if (!MoveBirthTo(chart.birth, local, moved)) return nullptr;
  CalculationResult result = CalculateChart(moved, chart.settings);
  if (!result.ok()) return nullptr;
  return std::get<0>(std::move(result.outcome));
}

bool MoveBirthTo(const BirthData& birth, const CivilDateTime& local, BirthData& moved) {
  return MoveClock(birth, local, moved, true) == Moved::kOk;
}

int DistinctValues(const std::vector<SweepInterval>& row) {
  std::set<int> values;
  for (const SweepInterval& interval : row) values.insert(interval.value);
  return static_cast<int>(values.size());
}

std::string SweepSummary(const BirthSweep& sweep) {
  std::string keep, vary;
  int varying = 0;
  for (int l = 0; l < kLagnaCount; ++l) {
    const int count = DistinctValues(sweep.lagnas[l]);
    if (count <= 1) {
      if (!keep.empty()) keep += ", ";
      keep += kLagnaKeys[l];
      continue;
    }
    vary += "; ";
    vary += kLagnaKeys[l];
    vary += varying == 0 ? " has " + std::to_string(count) + " possible signs" : " " + std::to_string(count);
    ++varying;
  }
  std::string out = "Within \xC2\xB1" + std::to_string(sweep.minutes) + " min: ";
  if (varying == 0) return out + "every lagna keeps its sign.";
  if (keep.empty()) return out + "no lagna keeps its sign" + vary + ".";
  return out + keep + (keep.find(',') == std::string::npos ? " keeps its sign" : " keep their signs") + vary + ".";
}

std::string SweepDateTimeText(const CivilDateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

std::string SweepClockText(const CivilDateTime& t, const CivilDateTime& given) {
  if (t.year != given.year || t.month != given.month || t.day != given.day) return SweepDateTimeText(t);
  return SweepDateTimeText(t).substr(11);
}

std::string_view SweepGapLabel(SweepGapKind kind) {
  switch (kind) {
    case SweepGapKind::kSkippedClock: return "clocks skipped";
    case SweepGapKind::kPolar: return "no sunrise or sunset";
    case SweepGapKind::kRefused: return "no chart";
  }
  return "no chart";
}

std::string_view SweepGapKey(SweepGapKind kind) {
  switch (kind) {
    case SweepGapKind::kSkippedClock: return "skipped";
    case SweepGapKind::kPolar: return "polar";
    case SweepGapKind::kRefused: return "refused";
  }
  return "refused";
}

std::optional<int> SweepMinutesOf(std::string_view text) {
  const std::optional<int> minutes = ParseDigits(text, 9);
  if (!minutes || *minutes < 1 || *minutes > kMaxSweepMinutes) return std::nullopt;
  return minutes;
}

}  // namespace corvane
