# The kernel's callbacks from a worker thread that reach the UI thread's windows, with either
# clock: what they send runs on the UI thread while the console waits for the worker, as the
# program's loop would run it, so each answers as on the UI thread and nothing fails. A worker
# that ends the process (a critical error) ends the run with the program's own exit code.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(bracket "C:\\Users\\user\\Documents\\Samples\\Bracket.grb")

set(calls
  "SetSyspanelControls 907 0 0 909 0 0"
  "EnableSyspanelControl 907 1"
  "set_syspanel_doublevar 1 907 2.5 0"
  "UnpackSyspanelDoubleVar 907"
  "UnpackSyspanelIntVar 907"
  "GetSyspanelControlIntValue 907"
  "set_syspanel_int 1 907 3"
  "SetSyspanelButtonStatus 907 1 0"
  "DisableSyspanelControls"
  "ShowMessageBar 5 \"Title\" \"Text\""
  "CloseMessageBar 5"
  "ShowAnalysisPane"
  "LoadState"
  "CreateMainFrame")
# The same calls on the UI thread give the answers the worker's must give.
function(callback_script out prefix)
  set(script "start\nidle\nopen \"${bracket}\"\n")
  foreach(call IN LISTS calls)
    string(APPEND script "${prefix} ${call}\n")
  endforeach()
  string(APPEND script "dump frames\nquit\n")
  set(${out} "${script}" PARENT_SCOPE)
endfunction()
# A window's handle depends on how many windows were made before it, which differs between the
# threads (a worker's windows go with it): the answer's kind is what must agree.
function(answers out text)
  string(REGEX MATCHALL "\nkernel [^\n]*" lines "${text}")
  string(REGEX REPLACE "window 0x[0-9a-f]+" "window 0x(handle)" lines "${lines}")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

callback_script(ui_script "kernel")
korvo_run(ui EXIT 0 OUTPUT out INPUT "${ui_script}")
answers(expected "${out}")
list(LENGTH calls count)
list(LENGTH expected answered)
if(NOT answered EQUAL count)
  message(FATAL_ERROR "the UI thread's calls: ${answered} answers of ${count}\n${out}")
endif()

callback_script(worker_script "kernel --worker")
foreach(clock manual real)
  set(args)
  if(clock STREQUAL "real")
    set(args --real-time)
  endif()
  korvo_run(workers_${clock} EXIT 0 ARGS ${args} OUTPUT out ERROR err INPUT "${worker_script}")
  answers(got "${out}")
  if(NOT got STREQUAL expected)
    message(FATAL_ERROR "${clock}: the worker's answers differ from the UI thread's:\n${got}\n--- expected\n${expected}")
  endif()
  korvo_expect("${out}" "\nkernel ShowMessageBar: object\n" "${clock}: a message bar")
  if(err MATCHES "failed" OR out MATCHES "\nfailure ")
    message(FATAL_ERROR "${clock}: a failure:\n${err}")
  endif()
endforeach()

korvo_run(critical EXIT 1 OUTPUT out ERROR err INPUT
  "start\nidle\nopen \"${bracket}\"\nkernel --worker OnCriticalError \"X\"\ndump frames\n")
korvo_expect("${out}" "\nprocess terminate 1\n.*kernel OnCriticalError: the process ended\n.*program exit 1\n"
             "a critical error on a worker ends the process")
