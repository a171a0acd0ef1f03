# SPDX-License-Identifier: MIT
# Test sources for the figures of a sweep; the sample files are read in place.
target_sources(fernplot_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/analysis_sweep_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analysis_difference_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analysis_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analysis_loop_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analysis_loop_views_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analysis_delay_aperture_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analysis_mask_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analysis_lot_statistics_test.cpp)
target_compile_definitions(fernplot_core_tests PRIVATE
  FERNPLOT_SAMPLES_DIR="${PROJECT_SOURCE_DIR}/samples")
target_sources(fernplot_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/analysis_fit_test.cpp
                                           ${CMAKE_CURRENT_LIST_DIR}/analysis_fit_choice_test.cpp)
