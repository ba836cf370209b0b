#pragma once
#include "app/chart_state.h"
