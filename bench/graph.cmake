# SPDX-License-Identifier: MIT
# graph benchmarks: building a page of 65,535 points (from memory and from a
# file) with the deterministic stand-in measurer of the core tests.
# Run build/bench/bench/fernplot_graph_bench.
add_executable(fernplot_graph_bench ${CMAKE_CURRENT_LIST_DIR}/graph_build_bench.cpp)
target_include_directories(fernplot_graph_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/core)
target_link_libraries(fernplot_graph_bench PRIVATE fernplot_core fernplot_test_support fernplot_warnings
                                                   benchmark::benchmark)

# Switching a 65,535-point page between the gain-and-phase, Nyquist and
# Nichols views. Run build/bench/bench/fernplot_loop_view_bench.
add_executable(fernplot_loop_view_bench ${CMAKE_CURRENT_LIST_DIR}/loop_view_bench.cpp)
target_include_directories(fernplot_loop_view_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/core)
target_link_libraries(fernplot_loop_view_bench PRIVATE fernplot_core fernplot_test_support
                                                       fernplot_warnings benchmark::benchmark)
