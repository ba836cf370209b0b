#pragma once
#include "app/chart.h"
