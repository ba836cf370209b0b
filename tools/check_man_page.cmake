# Fails when groff has a warning for a manual page. Run with -DPAGE=<file.1>.
find_program(GROFF groff REQUIRED)
execute_process(COMMAND ${GROFF} -ww -z -man ${PAGE} RESULT_VARIABLE status ERROR_VARIABLE warnings)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff -ww -z -man ${PAGE}:\n${warnings}")
endif()
