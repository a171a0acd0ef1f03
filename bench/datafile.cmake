# SPDX-License-Identifier: MIT
# datafile benchmarks: folder search against bare header reads, full read of
# a 65,535-point file. Run build/bench/bench/fernplot_datafile_bench.
add_executable(fernplot_datafile_bench ${CMAKE_CURRENT_LIST_DIR}/datafile_bench.cpp)
target_link_libraries(fernplot_datafile_bench PRIVATE fernplot_core fernplot_test_support fernplot_warnings
                                                      benchmark::benchmark)
