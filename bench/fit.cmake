# SPDX-License-Identifier: MIT
# Rational fitting of a sweep at a given and an automatic order. Run
# build/bench/bench/fernplot_fit_bench.
add_executable(fernplot_fit_bench ${CMAKE_CURRENT_LIST_DIR}/fit_bench.cpp)
target_link_libraries(fernplot_fit_bench PRIVATE fernplot_core fernplot_warnings
                                                 benchmark::benchmark)
