# SPDX-License-Identifier: MIT
# fernplot-export itself links no Qt library (listing and the text formats
# start without loading one), and neither it nor the drawing program it hands
# drawn formats to prints anything on a clean run, even without
# XDG_RUNTIME_DIR.
#   cmake -DPROGRAM=... -DSAMPLE=... -DOUT=... -P exporter_startup.cmake
execute_process(COMMAND readelf -d ${PROGRAM} OUTPUT_VARIABLE dynamic RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "readelf failed on ${PROGRAM}")
endif()
if(dynamic MATCHES "libQt")
  message(FATAL_ERROR "fernplot-export links Qt:\n${dynamic}")
endif()
# Factory settings: an empty settings file.
file(WRITE ${OUT}-factory.CFG "")
foreach(formats csv,json,figures png,svg,pdf,drawing)
  file(REMOVE_RECURSE ${OUT})
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_RUNTIME_DIR --unset=QT_QPA_PLATFORM
                          ${PROGRAM} -o ${OUT} -s ${OUT}-factory.CFG -f ${formats} ${SAMPLE}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT err STREQUAL "" OR NOT out STREQUAL "")
    message(FATAL_ERROR "-f ${formats}: exit ${rc}, stdout '${out}', stderr '${err}'")
  endif()
endforeach()
