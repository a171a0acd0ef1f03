# SPDX-License-Identifier: MIT
# Production test: a 65,535-point sweep judged against a 10-rule mask, and
# the lot statistics of 801-point sweeps. Run
# build/bench/bench/fernplot_production_bench; bench/production.sh times the
# whole exporter on a lot of 1,000 sweeps.
add_executable(fernplot_production_bench ${CMAKE_CURRENT_LIST_DIR}/production_bench.cpp)
target_link_libraries(fernplot_production_bench PRIVATE fernplot_core fernplot_warnings
                                                        benchmark::benchmark)
