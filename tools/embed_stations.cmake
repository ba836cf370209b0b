# Turns astro/tables/stations.tsv (planet, start row, end row per line) into a C++ source,
# so the program carries the station table without reading any file at run time.
file(STRINGS "${IN}" lines)
set(body "")
set(count 0)
foreach(line IN LISTS lines)
  if(line STREQUAL "")
    continue()
  endif()
  string(REPLACE "\t" ";" fields "${line}")
  list(LENGTH fields n)
  if(NOT n EQUAL 3)
    message(FATAL_ERROR "stations.tsv: malformed line '${line}'")
  endif()
  list(GET fields 0 planet)
  list(GET fields 1 start)
  list(GET fields 2 end)
  string(APPEND body "    {\"${planet}\", \"${start}\", \"${end}\"},\n")
  math(EXPR count "${count} + 1")
endforeach()
if(count EQUAL 0)
  set(body "    {\"\", \"\", \"\"},\n")
endif()
file(WRITE "${OUT}.tmp"
"// Generated from astro/tables/stations.tsv; do not edit.
#include \"astro/tables/station_rows.h\"

namespace corvane {

const StationRow kStationRows[] = {
${body}};
const std::size_t kStationRowCount = ${count};

}  // namespace corvane
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
