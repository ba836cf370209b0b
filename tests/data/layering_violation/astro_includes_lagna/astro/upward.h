// Fixture of the layering check: this include is against the rule.
#include "lagna/page_fields.h"
