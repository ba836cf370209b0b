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
#include "app/chart_request.h"
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

// Whether a birth whose clock offset is `offset` took the later of two readings of its time
// (the earlier one when neither reading has that offset).
bool TakesLaterReading(const RepeatedLocalTime& twice, int offset) {
  return twice.later.utOffsetSeconds == offset && twice.earlier.utOffsetSeconds != offset;
}

Moved MoveClock(const BirthData& birth, const CivilDateTime& local, BirthData& moved, bool fullZoneFields,
                bool otherReading = false, std::string* message = nullptr) {
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
    const bool later = TakesLaterReading(twice, *birth.extras.utcOffsetSeconds) != otherReading;
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
  Sampler(const BirthData& birth, const CalculationSettings& settings, const CivilDateTime& start,
          bool otherReading = false)
      : birth_(birth), settings_(settings), start_(SerialSeconds(start)), otherReading_(otherReading) {}

  CivilDateTime At(std::int64_t t) const { return FromSerialSeconds(start_ + t); }

  Sample Take(std::int64_t t, std::string* message = nullptr) const {
    Sample sample;
    BirthData moved;
    switch (MoveClock(birth_, At(t), moved, false, otherReading_, message)) {
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
  bool otherReading_;
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

// The rows and gaps of `total` seconds from the sampler's start.
void SweepRows(const Sampler& sampler, std::int64_t total, std::array<std::vector<SweepInterval>, kLagnaCount>& lagnas,
               std::vector<SweepInterval>& nakshatra, std::vector<SweepGap>& gaps) {
  // A step a minute: no lagna crosses a whole sign in less (the fastest moves 5° a minute),
  // so the values between two equal steps are taken to hold throughout.
  std::vector<Change> changes;
  Sample previous = sampler.Take(0);
  changes.push_back({0, previous});
  for (std::int64_t t = 60; t < total + 60; t += 60) {
    const std::int64_t at = std::min(t, total - 1);
    if (at <= t - 60) break;
    const Sample next = sampler.Take(at);
    Refine(sampler, t - 60, previous, at, next, changes);
    previous = next;
  }

  for (std::size_t i = 0; i < changes.size(); ++i) {
    const CivilDateTime from = sampler.At(changes[i].at);
    const CivilDateTime to = sampler.At(i + 1 < changes.size() ? changes[i + 1].at : total);
    const Sample& s = changes[i].sample;
    if (s.gap) {
      if (!gaps.empty() && gaps.back().to == from && gaps.back().kind == *s.gap) {
        gaps.back().to = to;
      } else {
        SweepGap gap{from, to, *s.gap, {}};
        sampler.Take(changes[i].at, &gap.message);
        gaps.push_back(std::move(gap));
      }
      continue;
    }
    for (int l = 0; l < kLagnaCount; ++l) Extend(lagnas[l], from, to, s.signs[l]);
    Extend(nakshatra, from, to, s.nakshatra);
  }
}

// The two readings of a clock reading that happened twice in the birth's zone, if it did.
std::optional<RepeatedLocalTime> TwiceAt(const std::string& zoneId, const CivilDateTime& t) {
  const ZoneLookup lookup = LookUpLocalTime(zoneId, {t.year, t.month, t.day, t.hour, t.minute, t.second});
  if (const auto* twice = std::get_if<RepeatedLocalTime>(&lookup)) return *twice;
  return std::nullopt;
}

// The first second of [a, b] whose being doubled differs from a's, found by halving; `a` and
// `b` differ.
std::int64_t DoubledEdge(const std::string& zoneId, const CivilDateTime& start, std::int64_t a, std::int64_t b) {
  const bool atA = TwiceAt(zoneId, AddSeconds(start, a)).has_value();
  while (b - a > 1) {
    const std::int64_t m = a + (b - a) / 2;
    (TwiceAt(zoneId, AddSeconds(start, m)).has_value() == atA ? a : b) = m;
  }
  return b;
}

// The doubled readings of the window swept with the reading the rows do not take.
std::optional<SweepRepeat> RepeatOf(const BirthData& birth, const CalculationSettings& settings,
                                    const BirthSweep& sweep) {
  if (!birth.extras.zoneId || !birth.extras.utcOffsetSeconds) return std::nullopt;
  const std::string& zoneId = *birth.extras.zoneId;
  const std::int64_t total = SerialSeconds(sweep.end) - SerialSeconds(sweep.start);
  // Clocks are set back by whole minutes at least and on the minute, so a minute's step finds
  // the stretch; its edges are then pinned to the second.
  std::optional<std::int64_t> first, last;
  std::optional<RepeatedLocalTime> twice;
  for (std::int64_t t = 0; t < total; t += 60) {
    const auto at = TwiceAt(zoneId, AddSeconds(sweep.start, t));
    if (!at) {
      if (first) break;
      continue;
    }
    if (!first) first = t, twice = at;
    last = t;
  }
  if (!first) return std::nullopt;
  SweepRepeat repeat;
  repeat.from = AddSeconds(sweep.start, *first == 0 ? 0 : DoubledEdge(zoneId, sweep.start, *first - 60, *first));
  repeat.to = AddSeconds(sweep.start, *last + 60 >= total ? total : DoubledEdge(zoneId, sweep.start, *last, *last + 60));
  repeat.repeatIsLater = !TakesLaterReading(*twice, *birth.extras.utcOffsetSeconds);
  repeat.earlierAbbreviation = twice->earlier.abbreviation;
  repeat.laterAbbreviation = twice->later.abbreviation;
  const Sampler sampler(birth, settings, repeat.from, true);
  SweepRows(sampler, SerialSeconds(repeat.to) - SerialSeconds(repeat.from), repeat.lagnas, repeat.nakshatra,
            repeat.gaps);
  return repeat;
}

}  // namespace

BirthSweep SweepBirthTime(const BirthData& birth, const CalculationSettings& settings, int minutes) {
  BirthSweep sweep;
  sweep.minutes = std::clamp(minutes, 1, kMaxSweepMinutes);
  sweep.given = {birth.year, birth.monthIndex + 1, birth.day, birth.hour, birth.minute, birth.second};
  sweep.start = AddMinutes(sweep.given, -sweep.minutes);
  sweep.end = AddMinutes(sweep.given, sweep.minutes);
  const Sampler sampler(birth, settings, sweep.start);
  SweepRows(sampler, std::int64_t{2} * sweep.minutes * 60, sweep.lagnas, sweep.nakshatra, sweep.gaps);
  sweep.repeat = RepeatOf(birth, settings, sweep);
  return sweep;
}

std::vector<SweepAxisPiece> SweepAxis(const BirthSweep& sweep) {
  if (!sweep.repeat) return {{sweep.start, sweep.end, false}};
  const SweepRepeat& r = *sweep.repeat;
  if (r.repeatIsLater) return {{sweep.start, r.to, false}, {r.from, r.to, true}, {r.to, sweep.end, false}};
  return {{sweep.start, r.from, false}, {r.from, r.to, true}, {r.from, sweep.end, false}};
}

std::int64_t SweepAxisSeconds(const std::vector<SweepAxisPiece>& axis) {
  std::int64_t total = 0;
  for (const SweepAxisPiece& piece : axis) total += SerialSeconds(piece.to) - SerialSeconds(piece.from);
  return total;
}

std::int64_t SweepAxisSecondOf(const std::vector<SweepAxisPiece>& axis, const SweepMoment& moment) {
  std::int64_t offset = 0;
  for (const SweepAxisPiece& piece : axis) {
    if (piece.repeat == moment.repeat && piece.from <= moment.time && moment.time < piece.to)
      return offset + SerialSeconds(moment.time) - SerialSeconds(piece.from);
    offset += SerialSeconds(piece.to) - SerialSeconds(piece.from);
  }
  if (moment.repeat) return SweepAxisSecondOf(axis, {moment.time, false});
  return axis.empty() || moment.time < axis.front().from ? 0 : offset;
}

SweepMoment SweepMomentAt(const std::vector<SweepAxisPiece>& axis, std::int64_t second) {
  std::int64_t left = std::max<std::int64_t>(0, second);
  for (const SweepAxisPiece& piece : axis) {
    const std::int64_t length = SerialSeconds(piece.to) - SerialSeconds(piece.from);
    if (left < length) return {AddSeconds(piece.from, left), piece.repeat};
    left -= length;
  }
  return {axis.empty() ? CivilDateTime{} : axis.back().to, false};
}

std::string SweepAbbreviationOf(const BirthSweep& sweep, const SweepMoment& moment) {
  if (!sweep.repeat) return {};
  const SweepRepeat& r = *sweep.repeat;
  if (moment.time < r.from) return r.earlierAbbreviation;
  if (moment.time >= r.to) return r.laterAbbreviation;
  const bool later = moment.repeat == r.repeatIsLater;
  return later ? r.laterAbbreviation : r.earlierAbbreviation;
}

BirthSweep SweepOfChart(const Chart& chart, int minutes) {
  return SweepBirthTime(BirthDataOf(chart), chart.settings, minutes);
}

const BirthSweep& PrintedSweep(const Chart& chart, const BirthSweep* asked, std::optional<BirthSweep>& made) {
  if (asked != nullptr) return *asked;
  return made.emplace(SweepOfChart(chart, kDefaultPrintedSweepMinutes));
}

std::shared_ptr<const Chart> ChartAtTime(const Chart& chart, const CivilDateTime& local, bool otherReading) {
  BirthData moved;
  if (!MoveBirthTo(BirthDataOf(chart), local, moved, otherReading)) return nullptr;
  CalculationResult result = CalculateChart(moved, chart.settings);
  if (!result.ok()) return nullptr;
  return std::get<0>(std::move(result.outcome));
}

bool MoveBirthTo(const BirthData& birth, const CivilDateTime& local, BirthData& moved, bool otherReading) {
  return MoveClock(birth, local, moved, true, otherReading) == Moved::kOk;
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
