# Runs a table generator (GEN) and checks its output against the committed table (TSV) byte
# for byte; FRESH is where the new output is written, and removed again.
get_filename_component(table "${TSV}" NAME)
get_filename_component(generator "${GEN}" NAME)
execute_process(COMMAND "${GEN}" OUTPUT_FILE "${FRESH}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${generator} failed with ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${TSV}" "${FRESH}" RESULT_VARIABLE diff)
file(REMOVE "${FRESH}")
if(NOT diff EQUAL 0)
  message(FATAL_ERROR "${table} differs from a fresh ${generator} run")
endif()
