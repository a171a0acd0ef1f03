# render benchmarks
add_executable(bench_render_page ${CMAKE_CURRENT_SOURCE_DIR}/render_page.cpp)
target_link_libraries(bench_render_page PRIVATE fernplot_render fernplot_warnings benchmark::benchmark)
