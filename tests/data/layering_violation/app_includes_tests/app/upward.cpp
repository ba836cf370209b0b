// Fixture of the layering check: this include is against the rule.
#include "tests/app/sample_birth.h"
