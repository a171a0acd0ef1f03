# SPDX-License-Identifier: MIT
# Readers of other programs' sweep files on 50 MB inputs (Touchstone, the
# simulator's text export in UTF-8 and UTF-16, a CSV); the figure to watch is
# bytes_per_second. Run build/bench/bench/fernplot_import_bench.
add_executable(fernplot_import_bench ${CMAKE_CURRENT_LIST_DIR}/import_bench.cpp)
target_link_libraries(fernplot_import_bench PRIVATE fernplot_core fernplot_warnings
                                                    benchmark::benchmark)
