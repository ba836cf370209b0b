#include "astro/bodies.h"
