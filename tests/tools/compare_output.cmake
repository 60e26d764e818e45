# Runs orvane-check and fails unless its standard output is byte for byte the expected file, its
# exit status the expected one and its standard error empty. The output is kept in ACTUAL for a diff.
string(REPLACE "|" ";" arguments "${ARGUMENTS}")
execute_process(COMMAND ${CHECKER} ${arguments} WORKING_DIRECTORY ${DIRECTORY}
  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
file(WRITE ${ACTUAL} "${output}")
file(READ ${EXPECTED} expected)
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "the output differs from the expected file:\n  diff -u ${EXPECTED} ${ACTUAL}")
endif()
if(NOT status STREQUAL EXIT)
  message(FATAL_ERROR "exit status ${status}, expected ${EXIT}; standard error:\n${errors}")
endif()
if(NOT errors STREQUAL "")
  message(FATAL_ERROR "unexpected standard error:\n${errors}")
endif()
