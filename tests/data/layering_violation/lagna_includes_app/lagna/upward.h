// Fixture of the layering check: this include is against the rule.
#include "app/chart_state.h"
