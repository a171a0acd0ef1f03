# SPDX-License-Identifier: MIT
# Test sources for the readers and writers of other programs' sweep files.
target_sources(
  fernplot_core_tests
  PRIVATE ${CMAKE_CURRENT_LIST_DIR}/import_touchstone_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/import_text_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/import_writers_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/import_impedance_test.cpp
          ${PROJECT_SOURCE_DIR}/tools/impedance_samples.cpp)
target_include_directories(fernplot_core_tests PRIVATE ${PROJECT_SOURCE_DIR}/tools)
