// Fixture of the layering check: this include is against the rule.
#include "report/report_options.h"
