# Runs PROGRAM --version and checks that it exits 0 having printed exactly EXPECTED and a newline.
# The test runs without DISPLAY and without a chosen Qt platform, so a program that created its
# QApplication first would abort or wait for a window instead of answering.
execute_process(COMMAND ${PROGRAM} --version
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
if(NOT status STREQUAL "0" OR NOT out STREQUAL "${EXPECTED}\n")
  message(FATAL_ERROR "${PROGRAM} --version: status ${status}, printed \"${out}\", expected \"${EXPECTED}\"; ${err}")
endif()
