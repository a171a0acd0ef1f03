# SPDX-License-Identifier: MIT
# Registers every test function of a Qt Test program as its own CTest test,
# PREFIX.function, run as `program function`: like gtest_discover_tests, the
# functions are listed (`program -functions`) after each build, so a new
# test function needs no CMake change. Tests share ENVIRONMENT and TIMEOUT.
#   fernplot_discover_qt_tests(TARGET PREFIX [TIMEOUT seconds] [ENVIRONMENT var=value...])
set(_fernplot_qt_list_script ${CMAKE_CURRENT_LIST_DIR}/qt_test_functions.cmake)

function(fernplot_discover_qt_tests target prefix)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "TIMEOUT" "ENVIRONMENT")
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_functions.cmake)
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_tests.cmake)
  add_custom_command(
    TARGET ${target} POST_BUILD BYPRODUCTS ${list_file}
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DOUTPUT=${list_file}
            -P ${_fernplot_qt_list_script}
    VERBATIM)
  string(REPLACE ";" "\\;" environment "${arg_ENVIRONMENT}")
  file(GENERATE OUTPUT ${include_file} CONTENT "\
if(EXISTS \"${list_file}\")
  include(\"${list_file}\")
  foreach(function IN LISTS functions)
    add_test(\"${prefix}.\${function}\" \"$<TARGET_FILE:${target}>\" \${function})
    set_tests_properties(\"${prefix}.\${function}\" PROPERTIES
                         ENVIRONMENT \"${environment}\" TIMEOUT ${arg_TIMEOUT})
  endforeach()
else()
  add_test(${prefix}_NOT_BUILT ${prefix}_NOT_BUILT)
endif()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
