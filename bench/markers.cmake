# SPDX-License-Identifier: MIT
# Marker moves on a 65,535-point page: the step with its readout text, and an
# arrow key through the window including its repaint.
# Run build/bench/bench/fernplot_markers_bench (it uses the offscreen platform).
add_executable(fernplot_markers_bench ${CMAKE_CURRENT_LIST_DIR}/markers_bench.cpp)
target_include_directories(fernplot_markers_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/ui)
target_link_libraries(fernplot_markers_bench PRIVATE fernplot_ui fernplot_test_support
                                                     fernplot_warnings benchmark::benchmark Qt6::Test)
