# A dialog end to end: the spin-step dialog of a parameter edit opened by the edit window's
# command and answered by the script step by step; a dialog nobody expected fails the run; an
# answer that is no answer is a mistake of its line.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(answered EXIT 0 OUTPUT out INPUT
  "start\nidle\nkernel EnableSyspanelControl 907 1\nexpect dialog 1598 answer click 1491 text 102 \"2.5\" ok\nedit-command 1 907 2145\nquit\n")
korvo_frame_handle("${out}" first)
korvo_expect("${out}" "\nuser command 2145 in edit 907 on frame 1\n.*\ndialog 1598 \"Spin buttons\" window 0x[0-9a-f]+ owner ${first} thread 1\n"
             "the edit window's command opens the dialog over its main frame")
korvo_expect("${out}" "\ndialog click 1491\ndialog text 102 \"2.5\"\ndialog ok\ndialog ended 1\n"
             "the script's answer, one step at a time, ends the dialog with OK")

korvo_run(unexpected EXIT 1 OUTPUT out ERROR err INPUT
  "start\nidle\nkernel EnableSyspanelControl 907 1\nedit-command 1 907 2145\nquit\n")
korvo_expect("${out}${err}" "unexpected dialog 1598 \"Spin buttons\"" "a dialog nobody expected fails the run")

korvo_run(disabled EXIT 0 OUTPUT out INPUT "start\nidle\nedit-command 1 907 2145\nedit-command 1 1001 2145\nquit\n")
korvo_expect("${out}" "\nedit-command: control 907 is disabled\n" "an edit the kernel has not enabled")
korvo_expect("${out}" "\nedit-command: control 1001 is no edit\n" "a button is no edit")
korvo_run(bad_answer EXIT 2 ERROR err INPUT "expect dialog 1598 answer click \"OK\"\n")
korvo_expect("${err}" "<stdin>:1: expect dialog: click needs a control id" "an answer that names no control")
