#pragma once
#include <ostream>
#include <string>

#include "app/convention_comparison.h"

namespace corvane {

// The comparison as a text table: a legend of the numbered columns, then one line per lagna
// (and the reference sunrise and Rahu) with '*' after an entry in another sign (or at another
// time) than in the column it is compared with and '~' after one in the same sign but a
// degree or more away, then the columns that have no chart and why.
void WriteCompareTable(const ConventionComparison& comparison, std::ostream& out);

// {"columns": [{"title", "change", "settings", "compared_with" (index or null),
// "error" (only without a chart)}], "rows": [{"key", "title", "cells": [{"text",
// "sign" (lagnas and Rahu), "longitude" (where there is one), "changed", "shifted"}]}]}, indented
// by two spaces, with a line end after it.
std::string CompareJson(const ConventionComparison& comparison);

}  // namespace corvane
