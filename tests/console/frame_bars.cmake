# A main frame's parts end to end: the window tree shows each frame with its command bars, status
# line and docking-pane manager; dump bars lists a frame's bars and controls; a frame that is not
# open is a mistake; closing two frames ends the program cleanly.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# Each of `patterns` matches exactly twice in `text`: once for each of the two frames.
function(expect_once_per_frame text)
  foreach(pattern ${ARGN})
    string(REGEX MATCHALL "${pattern}" found "${text}")
    list(LENGTH found count)
    if(NOT count EQUAL 2)
      message(FATAL_ERROR "\"${pattern}\" matches ${count} times, not once per frame:\n${text}")
    endif()
  endforeach()
endfunction()

korvo_run(parts EXIT 0 OUTPUT out INPUT "start\nidle\nnew-frame\ndump windows\ndump bars 1\nquit\n")
set(window "\n  0x[0-9a-f]+ \"")
expect_once_per_frame("${out}" "${window}MDICLIENT" "${window}XTPStatusBar\" \"\" visible enabled [^\n]* id 59393"
                      "${window}XTPDockingPaneManager" "${window}XTPMenuBar\" \"Главное меню\" hidden"
                      "${window}XTPRibbon\" \"Лента\" visible" "${window}XTPToolBar\" \"View\" visible")
# Ribbon mode (the default): the menu bar is hidden, the ribbon shown.
korvo_expect("${out}" "\nbar 1 \"Главное меню\" menu hidden\n  57600 popup \"File\" visible enabled unchecked\n"
             "the menu bar and its first control")
korvo_expect("${out}" "\nbar 1065 \"FullScreen\" toolbar hidden\n  1254 button \"Full screen\" visible (enabled|disabled) unchecked\n"
             "a hidden tool bar and its first button, captioned by its command string")
# Every tool-bar button has a caption (its command string's).
string(REGEX MATCH "\nbar 1000 [^\n]*\n(  [^\n]*\n)*" compact "${out}")
if(NOT compact MATCHES "\n  1001 button \"Open\" " OR compact MATCHES " button \"\" ")
  message(FATAL_ERROR "a tool-bar button without its caption:\n${compact}")
endif()
korvo_frame_handle("${out}" first)
korvo_expect("${out}" "window destroyed 0x[0-9a-f]+ \"AfxMDIFrame\"[^\n]*\n.*window destroyed ${first} \"AfxMDIFrame\"[^\n]*\n.*program exit 0\n$"
             "both frames destroyed once")

korvo_run(no_frame EXIT 2 ERROR err INPUT "start\nidle\ndump bars 2\n")
korvo_expect("${err}" "<stdin>:3: dump bars: there is no main frame 2 \\(1 open\\)" "a frame that is not open")
korvo_run(before_start EXIT 2 ERROR err INPUT "dump bars 1\n")
korvo_expect("${err}" "<stdin>:1: " "dump bars before start")

# The switch to classic menus (command 806) reaches every frame: each shows its menu bar and tool
# bars and hides its ribbon; switching back shows the ribbons again.
korvo_run(classic EXIT 0 OUTPUT out INPUT "start\nidle\nnew-frame\ncommand 1 806\ndump bars 1\ndump bars 2\ncommand 2 806\ndump ribbon 1\nquit\n")
expect_once_per_frame("${out}" "\nbar 1 \"Главное меню\" menu visible\n" "\nbar 1 \"Лента\" ribbon hidden\n"
                      "\nbar 1063 \"View\" toolbar visible\n")
korvo_expect("${out}" "\nribbon visible\ntab 0 " "the ribbon back after the second switch")

# The classic menus hold their items: the Window menu opened from the menu bar runs its choice.
korvo_run(menus EXIT 0 OUTPUT out INPUT
  "start\nidle\ncommand 1 806\nexpect menu choose \"Tile vertically\"\nclick 1 57648\nexpect menu dismiss\nclick 1 57600\nquit\n")
korvo_frame_handle("${out}" first)
korvo_expect("${out}" "\nmenu ${first} 5 items\nmenu   1059 \"New window\"\nmenu   ---- 1062 \"Tile horizontally\"\n"
             "the Window menu's items")
korvo_expect("${out}" "menu answer choose \"Tile vertically\" \\(expected\\)\ncall KVCommand::Run\\(1092, \"WindowTileVertical\"\\)\n"
             "its choice runs")
korvo_expect("${out}" "\nmenu   1001 \"Open...\"\n(menu [^\n]*\n)*menu   ---- 57665 \"Exit\"\n" "the File menu's items")
