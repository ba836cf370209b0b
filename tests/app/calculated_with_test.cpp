// The one line that says how a chart was computed: the engine and the ayanamsa always, every
// other choice only where it differs from the default (by the short title the settings table
// gives it), the exact preset as its name.
#include <gtest/gtest.h>

#include "app/calculated_with.h"

using namespace corvane;

TEST(CalculatedWith, NamesTheEngineTheAyanamsaAndWhatDiffers) {
  struct Case {
    const char* what;
    void (*change)(CalculationSettings&);
    const char* text;
  };
  const Case cases[] = {
      {"defaults", [](CalculationSettings&) {}, "Calculated with Element method, Lahiri"},
      {"swiss, exact", [](CalculationSettings& s) { s.engine = EngineKind::kSwiss, ApplyExactConventions(s); },
       "Calculated with Swiss Ephemeris, Lahiri, exact conventions"},
      {"raman, true node", [](CalculationSettings& s) { s.engine = EngineKind::kSwiss, s.ayanamsa = Ayanamsa::kRaman, s.node = NodeKind::kTrue; },
       "Calculated with Swiss Ephemeris, Raman, True node"},
      // One of the preset's choices alone is named by its short title.
      {"exact timing only", [](CalculationSettings& s) { s.timing = TimingPrecision::kExact; },
       "Calculated with Element method, Lahiri, Exact time"},
      // The preset but for one choice is not the preset: each of its other choices is named.
      {"three of four", [](CalculationSettings& s) { ApplyExactConventions(s), s.varnada = CalculationSettings{}.varnada; },
       "Calculated with Element method, Lahiri, Exact time, Sun at birth, Exact nakshatras, Surya at birth"},
      {"exact and moon indu", [](CalculationSettings& s) { ApplyExactConventions(s), s.indu = InduRule::kFromMoon; },
       "Calculated with Element method, Lahiri, Indu from Moon, exact conventions"},
  };
  for (const Case& c : cases) {
    CalculationSettings settings;
    c.change(settings);
    EXPECT_EQ(CalculatedWithText(settings), c.text) << c.what;
  }
}
