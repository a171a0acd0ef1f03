# SPDX-License-Identifier: MIT
# render benchmarks
add_executable(bench_render_page ${CMAKE_CURRENT_SOURCE_DIR}/render_page.cpp)
target_link_libraries(bench_render_page PRIVATE fernplot_render fernplot_test_support fernplot_warnings benchmark::benchmark)
# Data file maker for compare_gnuplot.sh.
add_executable(bench_render_sweep_file ${CMAKE_CURRENT_SOURCE_DIR}/render_sweep_file.cpp)
target_link_libraries(bench_render_sweep_file PRIVATE fernplot_core fernplot_test_support fernplot_warnings)
# log10 per call as the exporter's steps leave the AVX registers.
add_executable(bench_log10_state ${CMAKE_CURRENT_SOURCE_DIR}/log10_state.cpp)
target_link_libraries(bench_log10_state PRIVATE fernplot_render fernplot_warnings)
