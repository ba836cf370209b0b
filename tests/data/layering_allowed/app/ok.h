#include "lagna/sign_tables.h"
#include "app/chart.h"
