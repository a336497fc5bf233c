# The tip the mouse rests on goes away as soon as the user presses a key or a mouse button.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(key_and_click EXIT 0 OUTPUT out ARGS --quiet call,log INPUT
  "start\nidle\nkernel EnableSyspanelControl 907 1\nhover 1 1001\nkey 1 907 Esc\nhover 1 1001\nactivate 1\nquit\n")
korvo_expect("${out}" "\nuser key Esc in 907 on frame 1\nwindow hidden (0x[0-9a-f]+) \"XTPToolTip\" \"\"\n" "a key")
korvo_expect("${out}" "\nuser hover 1001 on frame 1\nwindow shown 0x[0-9a-f]+ \"XTPToolTip\" \"\"\n" "the tip shown again")
korvo_expect("${out}" "\nuser activate frame 1\nwindow hidden 0x[0-9a-f]+ \"XTPToolTip\" \"\"\n" "a click")
