# Starts PROGRAM with no display at all (no DISPLAY, no WAYLAND_DISPLAY, no chosen Qt platform)
# and checks that it ends with status 1 and one line on standard error that says there is no
# display and how to run the program without one, instead of Qt's abort and its lines about
# platform plugins.
execute_process(COMMAND ${PROGRAM}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
string(REGEX MATCHALL "\n" breaks "${err}")
list(LENGTH breaks lines)
if(NOT status STREQUAL "1")
  message(FATAL_ERROR "${PROGRAM} without a display: status ${status}, expected 1; printed \"${out}\" and \"${err}\"")
endif()
if(NOT lines EQUAL 1 OR NOT err MATCHES "^corvane: no display" OR NOT err MATCHES "xvfb-run -a corvane\n$")
  message(FATAL_ERROR "${PROGRAM} without a display: expected one line naming the missing display and "
                      "\"xvfb-run -a corvane\", got ${lines} lines: \"${err}\"")
endif()
if(NOT out STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} without a display printed on standard output: \"${out}\"")
endif()
