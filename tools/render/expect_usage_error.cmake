# Runs astrelle-render with bad arguments (ARGS, separated by "|") and checks that it stops
# with exit code 2 and a message naming itself, rather than crashing or writing a file.
string(REPLACE "|" ";" args "${ARGS}")
execute_process(COMMAND ${RENDER} ${args} RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
if(NOT rc EQUAL 2)
    message(FATAL_ERROR "expected exit code 2, got '${rc}'")
endif()
if(NOT err MATCHES "^astrelle-render: ")
    message(FATAL_ERROR "expected a message from astrelle-render, got '${err}'")
endif()
