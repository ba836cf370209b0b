// Fixture of the layering check: this include is against the rule.
#include "tests/astro/chart_fixtures.h"
