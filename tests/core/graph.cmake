# SPDX-License-Identifier: MIT
# Test sources for graph building.
target_sources(fernplot_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/graph_stand_in.h
  ${CMAKE_CURRENT_LIST_DIR}/graph_format_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_axis_math_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_axis_map_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_drawing_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_info_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_layout_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_axes_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_pages_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_overlays_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_right_axis_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_page_view_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_loop_view_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_session_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_model_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_shown_limits_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_free_space_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_clip_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_loop_labels_test.cpp)
