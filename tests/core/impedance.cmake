# SPDX-License-Identifier: MIT
# Test sources for equivalent-circuit fitting and the Kramers–Kronig test.
target_sources(fernplot_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/impedance_support.h
  ${CMAKE_CURRENT_LIST_DIR}/impedance_circuit_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/impedance_fit_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/impedance_kk_test.cpp)
