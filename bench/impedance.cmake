# SPDX-License-Identifier: MIT
# Equivalent-circuit fits and the Kramers–Kronig test. Run
# build/bench/bench/fernplot_impedance_bench.
add_executable(fernplot_impedance_bench ${CMAKE_CURRENT_LIST_DIR}/impedance_bench.cpp)
target_link_libraries(fernplot_impedance_bench PRIVATE fernplot_core fernplot_warnings
                                                       benchmark::benchmark)
# The same local fits through Ceres Solver, the measurement the choice of
# solver rests on (bench/impedance_solvers.md); built only where Ceres is
# installed, as the program itself does not need it.
find_package(Ceres QUIET)
if(Ceres_FOUND)
  add_executable(fernplot_impedance_solver_bench ${CMAKE_CURRENT_LIST_DIR}/impedance_solver_bench.cpp)
  target_link_libraries(fernplot_impedance_solver_bench PRIVATE fernplot_core fernplot_warnings
                                                                benchmark::benchmark Ceres::ceres)
endif()
