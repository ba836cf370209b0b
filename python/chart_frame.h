#pragma once
#include <pybind11/pybind11.h>

#include <string>
#include <vector>

#include "app/calculation_settings.h"

namespace corvane::python {

// One column of the charts' table as Python receives it: its name, its kind ("text": an
// object array of str or None; "float": float64 with NaN where there is no value; "int" and
// "bool": the values and a mask that is true where there is none; "stamp": int64 nanoseconds
// since 1970 on the local clock, the smallest int64 where there is none) and its arrays.
struct FrameColumn {
  std::string name;
  std::string kind;
  pybind11::object values, mask;
};

// The batch input of the charts: the names of the columns given, each a batch column name
// in the order the batch header takes (the first seven always), and their values, one object
// array per column (None for a column that is not given: dst then counts as 0, the others as
// empty). A cell is a str, or an int, float or bool written as the batch CSV would hold it;
// None and NaN are empty.
struct FrameInput {
  std::vector<std::string> names;
  std::vector<pybind11::object> values;
  std::size_t rows = 0;
};

// The chart of every row, calculated on `jobs` worker threads with the GIL released, as the
// columns of a table: the birth, each body's longitude and sign, each lagna's sign and
// longitude, the houses of the Hora and Pranapada lagnas, sunrise and sunset of the birth
// day, the settings, and the error that refused a row (empty when it has a chart).
// `progress`, unless None, is called with (rows, refused) as each chunk of rows is done.
// Throws std::invalid_argument for columns a batch cannot have.
// With `vargas` (varga numbers, indices of kVargaKeys) also "<Entry>_D9" for each entry
// (VargaEntryName) and each varga asked for: its sign index, missing without a place.
std::vector<FrameColumn> ChartFrame(const FrameInput& input, const CalculationSettings& settings, unsigned jobs,
                                    const std::vector<int>& vargas = {},
                                    const pybind11::object& progress = pybind11::none());

}  // namespace corvane::python
