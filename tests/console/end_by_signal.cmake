# A run without --host ended by Ctrl-C, SIGTERM or SIGHUP closes the program as the end of its
# input would, removes its temporary host folder, and then ends by that signal.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
foreach(signal INT:2 TERM:15 HUP:1)
  string(REPLACE ":" ";" signal "${signal}")
  list(GET signal 1 number)
  list(GET signal 0 signal)
  execute_process(COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/support/end_by_signal.sh ${KORVO} ${WORK_DIR} ${signal} ${number}
                  TIMEOUT 120 RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "SIG${signal}: ${code}\n${out}\n${err}")
  endif()
endforeach()

# A reader that goes away early ends the run the same way, not by SIGPIPE.
file(MAKE_DIRECTORY ${WORK_DIR}/tmp-PIPE)
execute_process(COMMAND sh -c "TMPDIR=\"$1\" \"$0\" --script \"$2\" | head -n 1" ${KORVO} ${WORK_DIR}/tmp-PIPE
                        ${SOURCE_DIR}/sample/tour.korvo
                TIMEOUT 60 RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(GLOB left ${WORK_DIR}/tmp-PIPE/*)
if(NOT code EQUAL 0 OR left)
  message(FATAL_ERROR "a closed pipe: exit ${code}, left behind: ${left}\n${err}")
endif()
