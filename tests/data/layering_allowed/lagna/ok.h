#include "astro/ut_instant.h"
#include "lagna/sign_tables.h"
