# SPDX-License-Identifier: MIT
# Test sources for text, datafile and props.
target_sources(
  fernplot_core_tests
  PRIVATE ${CMAKE_CURRENT_LIST_DIR}/text_encoding_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/datafile_reader_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/datafile_header_golden_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/datafile_scan_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/datafile_csv_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/props_settings_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/props_margin_settings_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/props_loop_settings_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/props_settings_values_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/props_defaults_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/props_property_table_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/unprivileged.h)
