// Fixture of the layering check: includes each layer may make.
#include "astro/ut_instant.h"
