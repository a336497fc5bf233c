# The mouse in a frame's client area: a click into an inactive main frame brings it forward, a
# right click on a document tab opens the tab's menu for `expect menu`, a point outside the
# client area is refused, and a scroll word is no mouse action.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(bracket "C:\\Users\\user\\Documents\\Samples\\Bracket.grb")

string(CONCAT script
  "start\nidle\nopen \"${bracket}\"\nnew-frame\nmouse 1 1000,600 click\ndump frames\n"
  "expect menu choose 603\nmouse 1 348,189 rclick\nmouse 1 5000,600 click\nmouse 1 348,189 move\nquit\n")
korvo_run(clicks EXIT 0 OUTPUT out INPUT "${script}")
korvo_expect("${out}" "user mouse click on frame 1 at 1000,600\n" "the click is the user's")
korvo_expect("${out}" "dump frames\n1 0x[0-9a-f]+ [^\n]* active\n2 0x[0-9a-f]+ [^\n]* inactive\n" "the click brought frame 1 forward")
korvo_expect("${out}" "user mouse rclick on frame 1 at 348,189\nmenu 0x[0-9a-f]+ [0-9]+ items\nmenu   600 \"Close\"\n"
             "a right click on the tab opens its menu")
korvo_expect("${out}" "menu answer choose 603 \\(expected\\)\n" "the expectation answers it")
korvo_expect("${out}" "\nmouse: the point 5000,600 is outside the client area of frame 1\n" "outside the client area")

korvo_run(scroll_word EXIT 2 ERROR err INPUT "start\nidle\nmouse 1 10,10 line-up\nquit\n")
korvo_expect("${err}" "<stdin>:3: mouse: \"line-up\" is a scroll action, not a mouse action" "a scroll action refused")
korvo_run(unknown_word EXIT 2 ERROR err INPUT "start\nidle\nmouse 1 10,10 press\nquit\n")
korvo_expect("${err}" "<stdin>:3: mouse: unknown mouse action \"press\"" "an unknown action refused")
