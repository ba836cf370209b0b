#include "lagna/sign_tables.h"
#include "app/chart_state.h"
