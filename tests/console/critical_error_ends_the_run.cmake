# A critical error on a worker thread ends the program's process: nothing of the program runs
# after it (no window it had open closes and writes its state, no static object goes), and the
# run ends with the program's own exit code and nothing reported by a sanitizer. The same panes
# closed by a user's quit do write their state.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

string(CONCAT opened
  "documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"\nstart\nidle\n"
  "open \"C:\\Users\\user\\Documents\\Samples\\Bracket.grb\"\ndocuments-pane expand \"Libraries\"\n"
  "documents-pane expand \"Samples\"\ndocuments-pane select \"Cover plate.grb\"\nrow 1/1004 1 select\n")

set(host ${WORK_DIR}/ended)
korvo_run(ended EXIT 1 ARGS --host ${host} OUTPUT out ERROR err INPUT
  "${opened}kernel --worker OnCriticalError \"heap corrupted\"\ndump frames\nquit\n")
korvo_expect("${out}" "\nprocess terminate 1\n(.*\n)?kernel OnCriticalError: the process ended\n(.*\n)?program exit 1\n"
             "the critical error ends the process")
korvo_expect("${out}" "\nprogram exit 1\nnot run from line 10 on: the program's process has ended\n$"
             "no line runs after the process ended, and the transcript says so")
if(err MATCHES "Sanitizer|runtime error|terminate called")
  message(FATAL_ERROR "the ended run went on running the program's code:\n${err}")
endif()
file(GLOB_RECURSE kept "${host}/*FormFactorPreview")
if(kept)
  message(FATAL_ERROR "a pane of the ended process closed and wrote its state: ${kept}")
endif()

set(host ${WORK_DIR}/quit)
korvo_run(quit EXIT 0 ARGS --host ${host} OUTPUT out INPUT "${opened}quit\n")
file(GLOB_RECURSE kept "${host}/*FormFactorPreview")
if(NOT kept)
  message(FATAL_ERROR "a user's quit closes the pane, which keeps its state:\n${out}")
endif()
