# Runs a table generator (GEN) and checks its output against the committed table (TSV) byte
# for byte; used for the station table and the sunrise reference table.
execute_process(COMMAND "${GEN}" OUTPUT_FILE "${FRESH}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${GEN} failed with ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${TSV}" "${FRESH}" RESULT_VARIABLE diff)
file(REMOVE "${FRESH}")
if(NOT diff EQUAL 0)
  message(FATAL_ERROR "${TSV} differs from a fresh generator run")
endif()
