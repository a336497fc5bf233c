# The screen modes as a user meets them on the sample: full screen (1254) hides the bars, the
# panes and the status line and gives them back with the window's place; the clean screen (2814)
# entered from full screen is left with Esc for the normal screen and the earlier workbook state,
# while Esc leaves full screen alone; a key code presses too.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(frame_at "\"AfxMDIFrame\" \"Korvo CAD\" visible enabled")
korvo_run(full_screen EXIT 0 OUTPUT out ARGS --quiet call,log INPUT
  "start\nidle\ndump windows\ncommand 1 1254\ndump bars 1\ndump panes 1\ndump windows\ndump modes 1\npress 1 Esc\ndump modes 1\ncommand 1 1254\ndump bars 1\ndump panes 1\ndump windows\ndump modes 1\nquit\n")
korvo_expect("${out}" "${frame_at} \\(15,15\\)-\\(1905,1025\\)" "the frame's place")
after("${out}" "user command 1254" full)
korvo_expect("${full}" "\nbar 1 \"[^\"]*\" ribbon hidden\n" "full screen hides the ribbon")
korvo_expect("${full}" "\nbar 1000 \"Compact Panel\" toolbar hidden\n" "full screen hides the tool bars")
korvo_expect("${full}" "\n1004 closed \"Documents\"" "the panes close")
korvo_expect("${full}" "${frame_at} \\(0,0\\)-\\(1920,1080\\)" "the frame covers the monitor")
korvo_expect("${full}" "\"XTPStatusBar\" \"[^\n]*\" hidden" "the status line hides")
korvo_expect("${full}" "dump modes 1\nscreen 1\n" "the frame is in full screen")
korvo_expect("${full}" "saved-layout normal\n  <\\?xml" "the normal layout is kept")
korvo_expect("${full}" "user press Esc in frame 1\ndump modes 1\nscreen 1\n" "Esc leaves full screen alone")
after("${full}" "user press Esc" back)
after("${back}" "user command 1254" back)
korvo_expect("${back}" "\nbar 1 \"[^\"]*\" ribbon visible\n" "the ribbon comes back")
korvo_expect("${back}" "\n1004 docked \"Documents\"" "the panes come back")
korvo_expect("${back}" "${frame_at} \\(15,15\\)-\\(1905,1025\\)" "the window's place comes back")
korvo_expect("${back}" "\"XTPStatusBar\" \"[^\n]*\" visible" "the status line comes back")
korvo_expect("${back}" "dump modes 1\nscreen 0\n" "the normal screen")
korvo_expect("${back}" "saved-layout full-screen\n  <\\?xml" "the full-screen layout is kept for the next time")

# From the workbook off, through full screen into the clean screen, and out with Esc.
korvo_run(clean_screen EXIT 0 OUTPUT out ARGS --quiet call,log INPUT
  "start\nidle\ncommand 1 805\ncommand 1 1254\ncommand 1 2814\ndump bars 1\ndump modes 1\npress 1 Esc\ndump bars 1\ndump modes 1\npress 1 0x1B\ndump modes 1\nquit\n")
after("${out}" "user command 2814" clean)
korvo_expect("${clean}" "bar 1063 \"View\" toolbar hidden\n" "the clean screen hides the view bar")
korvo_expect("${clean}" "bar 1002 \"System Panel\" toolbar hidden\n" "the clean screen hides the system panel")
korvo_expect("${clean}" "dump modes 1\nscreen 2\nworkbook on\n" "the clean screen keeps the document tabs")
after("${clean}" "user press Esc" normal)
korvo_expect("${normal}" "\nbar 1 \"[^\"]*\" ribbon visible\n" "Esc brings the ribbon back")
korvo_expect("${normal}" "dump modes 1\nscreen 0\nworkbook off\n" "Esc returns to the normal screen with the workbook off again")
korvo_expect("${normal}" "user press 0x1B in frame 1\ndump modes 1\nscreen 0\n" "a key code presses")

# A key the console does not know is refused by name.
korvo_run(bad_key EXIT 2 ERROR err INPUT "start\nidle\npress 1 0xZZ\n")
korvo_expect("${err}" "unknown key \"0xZZ\"" "a bad key code")

# Leaving full screen, and leaving the clean screen, lays the frame out at once as it was before:
# the ribbon, the bars, the panes and the status line where they stood, the documents in the rest.
korvo_run(layouts EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT
  "start\nidle\ndump layout 1\ncommand 1 1254\ncommand 1 1254\ndump layout 1\ncommand 1 2814\npress 1 Esc\ndump layout 1\nquit\n")
# The frame's layout after the Nth `dump layout 1`, as a sorted list of its lines without window
# handles (a window made again has a new handle and another place among its siblings).
function(layout_lines text n var)
  set(rest "${text}")
  foreach(i RANGE 1 ${n})
    after("${rest}" "dump layout 1\n" rest)
    string(SUBSTRING "${rest}" 14 -1 rest)
  endforeach()
  string(FIND "${rest}" "\nuser " end)
  string(SUBSTRING "${rest}" 0 ${end} rest)
  string(REGEX REPLACE "0x[0-9a-f]+ " "" rest "${rest}")
  string(REPLACE ";" "," rest "${rest}")
  string(REPLACE "\n" ";" lines "${rest}")
  list(SORT lines)
  set(${var} "${lines}" PARENT_SCOPE)
endfunction()
layout_lines("${out}" 1 started)
foreach(part "\"XTPRibbon\"" "\"XTPStatusBar\"" "\"XTPDockingPaneTabbedContainer\" \"Documents\"")
  korvo_expect("${started}" "${part}" "the frame starts with the ribbon, the status line and the panes")
endforeach()
foreach(n 2 3)
  layout_lines("${out}" ${n} left)
  if(NOT left STREQUAL started)
    set(mode "full screen")
    if(n EQUAL 3)
      set(mode "the clean screen")
    endif()
    string(REPLACE ";" "\n" left "${left}")
    message(FATAL_ERROR "the frame left ${mode} laid out otherwise than it started:\n${left}\n${out}")
  endif()
endforeach()
