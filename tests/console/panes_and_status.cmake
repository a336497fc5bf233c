# A frame's docking panes and status line from the console: the panes a first frame starts with
# and a second frame's closed ones, a pane's window named FRAME/PANE-ID, the status line's panes
# and taskbar state, and clicks on what is not there.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(panes EXIT 0 OUTPUT out INPUT
  "start\nidle\ndump status 1\ndump panes 1\ncommand 1/1022 57600\nclick 1 886\nnew-frame\ndump panes 2\nquit\n")
korvo_expect("${out}" "\npane 0 id 0 \">\"\npane 1 id 104 \"Ready\"\npane 2 id 105 \"\"\n" "the status line's first panes")
korvo_expect("${out}" "\npane 7 id 110 \"\" hidden\ntaskbar none 0/0\n" "the hidden task panes and the taskbar")
korvo_expect("${out}" "\n1006 docked \"Model tree\" icon 785 window 0x[0-9a-f]+\n" "the model tree open")
korvo_expect("${out}" "\n1004 docked \"Documents\" icon 783 group 1006 selected window 0x[0-9a-f]+ theme NativeWindows10\n"
             "the documents menu open and selected in the model tree's group")
string(REGEX MATCH "\n1022 docked \"Элементы модели\" icon 795 group 1006 window (0x[0-9a-f]+)\n" found "${out}")
if(NOT found)
  message(FATAL_ERROR "the model elements are not in the model tree's group:\n${out}")
endif()
set(elements "${CMAKE_MATCH_1}")
korvo_expect("${out}" "\n1008 closed \"Tasks\" icon 4172 group 1006 window " "the tasks pane closed in the first frame")
if(out MATCHES "\n[0-9]+ (docked|floating|hidden|closed) \"[a-z_]+\\.[a-z_.]+\"")
  message(FATAL_ERROR "a pane titled by its text key, not its translation:\n${out}")
endif()
korvo_expect("${out}" "user command 57600 to frame 1/1022\n" "a command to the pane's window, named as the script names it")
korvo_expect("${out}" "\nclick: no button or tool-bar control 886 in frame 1\n" "a click on a button not shown")
# The second frame starts with every pane closed.
string(REGEX MATCHALL "\n1006 [a-z]+ \"Model tree\"" trees "${out}")
list(GET trees 1 second)
if(NOT second STREQUAL "\n1006 closed \"Model tree\"")
  message(FATAL_ERROR "the second frame's model tree is not closed:\n${out}")
endif()

# A pane that does not exist in the frame is refused with its line.
korvo_run(no_pane EXIT 2 ERROR err INPUT "start\nidle\nclick 1/1010 5\n")
korvo_expect("${err}" "<stdin>:3: click: main frame 1 has no docking pane 1010 with a window" "a pane without a window")
