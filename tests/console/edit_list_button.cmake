# The parameter edit's list button and its kernel dialogs end to end: the ribbon's font-size edit
# offers the standard font sizes once the kernel enables it, a pick replaces its text, an edit
# without a list shows no button, and a dialog expectation nobody used fails the run.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(pick EXIT 0 OUTPUT out INPUT
  "start\nidle\nlist-button 1 915\nkernel EnableSyspanelControl 915 1\nexpect menu choose 10\nlist-button 1 915\nkernel EnableSyspanelControl 907 1\nlist-button 1 907\nlist-button 1 4711\nquit\n")
korvo_expect("${out}" "\nlist-button: control 915 is disabled\n" "a disabled edit's button cannot be clicked")
korvo_expect("${out}" "\ncall UIModuleProxy::TrackPopupMenu\\(128, \\([0-9]+,[0-9]+\\), 0x[0-9a-f]+\\)\n"
             "the UI module tracks the menu for the edit window, below its button")
korvo_expect("${out}" "\nmenu 0x[0-9a-f]+ 16 items\nmenu   1 \"1.8\"\n" "the sample's standard font sizes")
korvo_expect("${out}" "\nmenu   16 \"36\"\nmenu answer choose 10 \\(expected\\)\n" "the pick answers the menu")
korvo_expect("${out}" "\nlist-button: control 907 shows no list button\n" "an edit without a list")
korvo_expect("${out}" "\nlist-button: no button or tool-bar control 4711 in frame 1\n" "no such edit")

korvo_run(unused EXIT 1 ERROR err INPUT "start\nidle\nexpect variable choose \"h1\"\nexpect text-module cancel\nquit\n")
korvo_expect("${err}" "expectation never used: variable \"h1\"" "an insert-variable answer nobody asked for")

korvo_run(before_start EXIT 2 ERROR err INPUT "list-button 1 915\n")
korvo_expect("${err}" "<stdin>:1: list-button" "clicking before start")
