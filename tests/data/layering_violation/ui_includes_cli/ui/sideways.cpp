// Fixture of the layering check: this include is against the rule.
#include "cli/commands.h"
