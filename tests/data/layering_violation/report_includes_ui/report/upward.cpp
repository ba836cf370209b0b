// Fixture of the layering check: this include is against the rule.
#include "ui/result_form.h"
