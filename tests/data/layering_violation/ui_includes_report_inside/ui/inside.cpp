// Fixture of the layering check: this include is against the rule.
#include "report/chart_drawing.h"
