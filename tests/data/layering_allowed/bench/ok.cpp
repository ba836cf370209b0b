#include "app/chart_calculation.h"
#include "bench/bench_birth.h"
