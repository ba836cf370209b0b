#pragma once
#include "app/chart_state.h"

namespace corvane {

// Picks the sunrise from which the birth is counted: the previous day's sunrise for a birth
// before the birth day's sunrise, otherwise the birth day's sunrise (also after its sunset,
// so that the time since sunrise keeps growing through the night). Sets ReferenceSunrise,
// MinutesSinceSunrise (difference of minute counts), SecondsSinceSunrise and the
// SunriseMoment texts (day, full month name, four-digit year, hour, minute).
void ChooseReferenceSunrise(ChartState& chart);

}  // namespace corvane
