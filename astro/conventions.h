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

// The choices an engine computes with; each default is the program's long-standing one.
struct EphemerisConventions {
  Ayanamsa ayanamsa = Ayanamsa::kLahiri;
  NodeKind node = NodeKind::kMean;
  SunriseDefinition sunrise = SunriseDefinition::kUpperLimbRefracted;

  bool operator==(const EphemerisConventions&) const = default;
};

}  // namespace corvane
