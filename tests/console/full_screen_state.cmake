# Full screen and the state the program keeps of it: writing the state while in full screen, and
# entering full screen a second time, leave the ribbon as full screen had it (hidden); quitting in
# full screen keeps the window's place outside it, where the next start opens.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(host ${WORK_DIR}/host)

set(frame_at "\"AfxMDIFrame\" \"Korvo CAD\" visible enabled")

# The part of `text` after the Nth `marker` up to the next one (or the end).
function(nth_part text marker n var)
  set(rest "${text}")
  string(LENGTH "${marker}" skip)
  foreach(i RANGE 1 ${n})
    string(FIND "${rest}" "${marker}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "fewer than ${n} \"${marker}\" in:\n${text}")
    endif()
    math(EXPR at "${at} + ${skip}")
    string(SUBSTRING "${rest}" ${at} -1 rest)
  endforeach()
  string(FIND "${rest}" "${marker}" at)
  if(NOT at EQUAL -1)
    string(SUBSTRING "${rest}" 0 ${at} rest)
  endif()
  set(${var} "${rest}" PARENT_SCOPE)
endfunction()

korvo_run(ribbon EXIT 0 OUTPUT out ARGS --quiet call,log INPUT
  "start\nidle\ncommand 1 1254\ndump state 1\ndump bars 1\ncommand 1 1254\ndump bars 1\ncommand 1 1254\ndump bars 1\ndump modes 1\nquit\n")
nth_part("${out}" "user command 1254" 1 written)
korvo_expect("${written}" "\ndump state 1\n.*\nbar 1 \"[^\"]*\" ribbon hidden\n" "writing the state keeps the ribbon hidden in full screen")
nth_part("${out}" "user command 1254" 2 left)
korvo_expect("${left}" "\nbar 1 \"[^\"]*\" ribbon visible\n" "the normal screen shows the ribbon")
nth_part("${out}" "user command 1254" 3 again)
korvo_expect("${again}" "\nbar 1 \"[^\"]*\" ribbon hidden\n" "full screen a second time keeps the ribbon hidden")
korvo_expect("${again}" "\ndump modes 1\nscreen 1\n" "in full screen")

# Quit in full screen; the next start over the same host opens where the window was before.
korvo_run(quit_full EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log INPUT
  "start\nidle\ndump windows\ncommand 1 1254\ndump windows\nquit\n")
korvo_expect("${out}" "${frame_at} \\(15,15\\)-\\(1905,1025\\)" "the window's place before full screen")
korvo_expect("${out}" "${frame_at} \\(0,0\\)-\\(1920,1080\\)" "full screen covers the monitor")
korvo_run(restart EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log INPUT
  "start\nidle\ndump windows\ndump state 1\ndump modes 1\ncommand 1 1254\ncommand 1 1254\ndump windows\nquit\n")
korvo_expect("${out}" "dump windows\n[^\n]*${frame_at} \\(15,15\\)-\\(1905,1025\\)" "the next start opens at the place outside full screen")
# The state applied at the start meets a window not yet shown: it opens in the normal screen.
korvo_expect("${out}" "\ndump modes 1\nscreen 0\n" "the next start is in the normal screen")
korvo_expect("${out}" "<MainWindow windowRect=\"15,15,1905,1025\" " "the state keeps that place")
after("${out}" "user command 1254" back)
after("${back}" "user command 1254" back)
korvo_expect("${back}" "${frame_at} \\(15,15\\)-\\(1905,1025\\)" "leaving full screen returns there")

# A state written in full screen and applied to the shown window mid-session (the kernel's reload)
# brings full screen back.
korvo_run(reload_full EXIT 0 OUTPUT out ARGS --quiet call,log INPUT
  "start\nidle\ncommand 1 1254\nkernel SaveState\ncommand 1 1254\ndump modes 1\nkernel LoadState\ndump modes 1\nquit\n")
korvo_expect("${out}" "\ndump modes 1\nscreen 0\n.*kernel LoadState: true\ndump modes 1\nscreen 1\n" "the reload switches to full screen")

# A maximised window quit in full screen: the state keeps the rectangle it restores to and that it
# is maximised, run after run, not the monitor-sized rectangle it covered.
set(max_host ${WORK_DIR}/maximised)
korvo_run(max_seed EXIT 0 ARGS --host ${max_host} INPUT "start\nidle\nquit\n")
file(GLOB_RECURSE states ${max_host}/*/state.xml)
list(GET states 0 state)
file(READ ${state} text)
string(REGEX REPLACE "windowRect=\"[^\"]*\" windowState=\"[a-z]+\"" "windowRect=\"100,100,900,700\" windowState=\"maximized\"" text "${text}")
file(WRITE ${state} "${text}")
foreach(run first second)
  korvo_run(max_${run} EXIT 0 OUTPUT out ARGS --host ${max_host} --quiet call,log INPUT
    "start\nidle\ndump windows\ncommand 1 1254\nkernel SaveState\nquit\n")
  korvo_expect("${out}" "dump windows\n[^\n]*${frame_at} \\(-4,-4\\)-\\(1924,1044\\)" "the window starts maximised (${run} run)")
  file(READ ${state} text)
  korvo_expect("${text}" "<MainWindow windowRect=\"100,100,900,700\" windowState=\"maximized\" fullscreen=\"true\" "
               "the state keeps the restored rectangle (${run} run)")
endforeach()
