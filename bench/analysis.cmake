# SPDX-License-Identifier: MIT
# Figures of a sweep: all figures of a 65,535-point page, and the curve
# lookups a marker move makes. Run build/bench/bench/fernplot_analysis_bench.
add_executable(fernplot_analysis_bench ${CMAKE_CURRENT_LIST_DIR}/analysis_bench.cpp)
target_link_libraries(fernplot_analysis_bench PRIVATE fernplot_core fernplot_warnings
                                                      benchmark::benchmark)
