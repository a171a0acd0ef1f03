# SPDX-License-Identifier: MIT
# Runs PROGRAM without arguments and fails unless it exits with 2.
execute_process(COMMAND ${PROGRAM} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "expected exit 2, got ${rc}")
endif()
