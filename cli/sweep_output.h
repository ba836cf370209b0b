#pragma once
#include <ostream>

#include "app/birth_sweep.h"

namespace corvane {

// The value of the "sweep" key (docs/json.md): the window's minutes, each lagna's intervals
// under its key, the Moon's nakshatras and the gaps. Instantiated for PrettyJsonWriter and
// LineJsonWriter.
template <typename Writer>
void WriteSweepJson(Writer& json, const BirthSweep& sweep);

// The sweep as text: a heading, one row per lagna with its intervals
// ("06:41:00–07:06:00 Gemini"), the nakshatras, the gaps and the summary line.
void WriteSweepText(const BirthSweep& sweep, std::ostream& out);

}  // namespace corvane
