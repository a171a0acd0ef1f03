# SPDX-License-Identifier: MIT
# Viewer widget tests under the offscreen platform; the dialogs the window
# would show are answered by ScriptedDialogs (viewer_support.h).
foreach(suite frame view dialog app figures overlays language english reading loop model circuit report mask)
  set(target fernplot_viewer_${suite}_tests)
  add_executable(${target} ${CMAKE_CURRENT_SOURCE_DIR}/viewer_${suite}_test.cpp
                           ${CMAKE_CURRENT_SOURCE_DIR}/viewer_support.h)
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE fernplot_ui fernplot_test_support Qt6::Test fernplot_warnings)
  fernplot_discover_qt_tests(${target} viewer_${suite} ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endforeach()

add_test(NAME viewer_arguments.namesAfterDashDashAreFiles
         COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:fernplot>
                 -DSAMPLE=${PROJECT_SOURCE_DIR}/samples/RC_LPF.DAT
                 -DOUT=${CMAKE_CURRENT_BINARY_DIR}/viewer-arguments
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/viewer_arguments.cmake)
