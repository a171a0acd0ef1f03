# SPDX-License-Identifier: MIT
# viewer benchmarks: pointer handling (readout + cross-hair) on a 65,535-point
# page at 200 %, and opening 100 files of 1,000 points.
# Run build/bench/bench/fernplot_viewer_bench (it uses the offscreen platform).
add_executable(fernplot_viewer_bench ${CMAKE_CURRENT_LIST_DIR}/viewer_bench.cpp)
target_include_directories(fernplot_viewer_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/ui)
target_link_libraries(fernplot_viewer_bench PRIVATE fernplot_ui fernplot_test_support fernplot_warnings Qt6::Test
                                                    benchmark::benchmark)

# The list dialog's search: time and memory per listed file (bench/scale.sh).
add_executable(bench_list_dialog ${CMAKE_CURRENT_LIST_DIR}/list_dialog.cpp)
target_link_libraries(bench_list_dialog PRIVATE fernplot_ui fernplot_test_support fernplot_warnings)

# Resident memory per open page and the time to page (bench/page_memory.sh).
add_executable(bench_page_memory ${CMAKE_CURRENT_LIST_DIR}/page_memory.cpp)
target_include_directories(bench_page_memory PRIVATE ${CMAKE_SOURCE_DIR}/tests/ui)
target_link_libraries(bench_page_memory PRIVATE fernplot_ui fernplot_test_support fernplot_warnings Qt6::Test)
