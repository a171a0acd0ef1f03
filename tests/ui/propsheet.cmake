# SPDX-License-Identifier: MIT
# Property sheet widget tests: each drives the real sheet under the offscreen
# platform, with message boxes and the colour chooser captured.
foreach(suite entry axis sheet pages)
  set(target fernplot_propsheet_${suite}_tests)
  add_executable(${target} ${CMAKE_CURRENT_SOURCE_DIR}/propsheet_${suite}.cpp
                           ${CMAKE_CURRENT_SOURCE_DIR}/propsheet_support.h)
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE fernplot_propsheet Qt6::Test fernplot_warnings)
  fernplot_discover_qt_tests(${target} propsheet_${suite} ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endforeach()

# fontconfig names families in the user's language ("IPA Pゴシック" under
# Japanese): the mapped Windows faces must still be listed and found.
add_test(NAME propsheet_pages.mappedWindowFacesUnderJapaneseNames
         COMMAND fernplot_propsheet_pages_tests mappedWindowFacesAreListedAndShown)
set_tests_properties(propsheet_pages.mappedWindowFacesUnderJapaneseNames
                     PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;FC_LANG=ja"
                                SKIP_REGULAR_EXPRESSION "SKIP   :")

# A window to look at by hand under Xvfb; built on request, never installed.
add_executable(fernplot_propsheet_preview EXCLUDE_FROM_ALL
               ${CMAKE_CURRENT_SOURCE_DIR}/propsheet_preview.cpp)
target_link_libraries(fernplot_propsheet_preview PRIVATE fernplot_propsheet fernplot_render
                                                         fernplot_warnings)
