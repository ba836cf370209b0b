#pragma once
#include "lagna/page_fields.h"
