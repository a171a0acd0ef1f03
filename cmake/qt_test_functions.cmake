# SPDX-License-Identifier: MIT
# Writes the test functions of the Qt Test program PROGRAM, as the list
# `functions`, to OUTPUT. Run after each build by fernplot_discover_qt_tests.
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${PROGRAM} -functions RESULT_VARIABLE rc OUTPUT_VARIABLE listing
                ERROR_VARIABLE errors TIMEOUT 60)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} -functions failed (${rc}):\n${errors}")
endif()
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*\\(\\)" calls "${listing}")
set(functions)
foreach(call IN LISTS calls)
  string(REPLACE "()" "" name "${call}")
  list(APPEND functions ${name})
endforeach()
if(NOT functions)
  message(FATAL_ERROR "${PROGRAM} -functions listed no test function")
endif()
file(WRITE ${OUTPUT} "set(functions ${functions})\n")
