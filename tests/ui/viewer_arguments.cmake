# SPDX-License-Identifier: MIT
# The real viewer started as a shell starts it: names after "--" are files,
# also when they look like Qt's options (-qwindowtitle would otherwise take
# the next name as a window title). The files it opened are read back from
# its recent-file list once it was ended by SIGTERM.
#   cmake -DPROGRAM=... -DSAMPLE=... -DOUT=... -P viewer_arguments.cmake
file(REMOVE_RECURSE ${OUT})
# A copy of the program: its settings file is written beside it.
file(COPY ${PROGRAM} DESTINATION ${OUT}/bin)
get_filename_component(name ${PROGRAM} NAME)
foreach(data -qwindowtitle A.DAT B.DAT)
  configure_file(${SAMPLE} ${OUT}/${data} COPYONLY)
endforeach()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=${OUT}/config
          timeout -s TERM 6 ${OUT}/bin/${name} --lang en -- -qwindowtitle A.DAT B.DAT
  WORKING_DIRECTORY ${OUT}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(ini ${OUT}/config/FERNPLOT/viewer.ini)
if(NOT EXISTS ${ini})
  message(FATAL_ERROR "no ${ini}: exit ${rc}, stderr '${err}'")
endif()
file(READ ${ini} recent)
foreach(data -qwindowtitle A.DAT B.DAT)
  string(FIND "${recent}" "${data}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${data} was not opened:\n${recent}")
  endif()
endforeach()
