#pragma once

namespace corvane {

// The sidereal zodiacs an engine can measure from. Lahiri is the element method's own.
enum class Ayanamsa {
  kLahiri,
  kRaman,
  kKrishnamurti,
  kTrueChitrapaksha,
  kTruePushya,
  kYukteshwar,
  kFaganBradley,
};
inline constexpr int kAyanamsaCount = 7;

// Rahu as the mean or the true (osculating) ascending node of the Moon.
enum class NodeKind { kMean, kTrue };

// When the Sun counts as risen or set.
enum class SunriseDefinition {
  // Its upper limb on the horizon with the standard refraction of 34 minutes of arc (the
  // almanac definition: the centre 34' plus one semidiameter below the airless horizon).
  kUpperLimbRefracted,
  // Its centre on the airless horizon: no refraction, no semidiameter.
  kDiscCentre,
};

// How finely the birth moment and the sunrise enter a chart.
enum class TimingPrecision {
  // Positions at the birth minute; the time since sunrise from the sunrise rounded to the
  // minute (the program's long-standing reading).
  kMinute,
  // Positions at the birth second; the time since sunrise from the unrounded sunrise moment.
  kExact,
};

// Where each of the 27 nakshatras starts.
enum class NakshatraDivision {
  kTable,  // the tabulated starts, stepping by 13.33 degrees
  kExact,  // nakshatra k starts at k x 13 degrees 20 minutes
};

// The choices an engine computes with; each default is the program's long-standing one.
struct EphemerisConventions {
  Ayanamsa ayanamsa = Ayanamsa::kLahiri;
  NodeKind node = NodeKind::kMean;
  SunriseDefinition sunrise = SunriseDefinition::kUpperLimbRefracted;

  bool operator==(const EphemerisConventions&) const = default;
};

}  // namespace corvane
