# The edit-window verbs end to end: a parameter edit the kernel enabled takes typed text, a key
# its commands never enable, its spin buttons and its context menu; an edit the kernel has not
# enabled refuses them; and the verbs' arguments are checked.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(edit EXIT 0 OUTPUT out INPUT
  "start\nidle\nspin 1 907 1\nkernel EnableSyspanelControl 907 1\ntype 1 907 \"12\"\nkey 1 907 F9\nspin 1 907 2\nexpect menu choose 57642\ncontext-menu 1 907\ndump ribbon 1\nquit\n")
korvo_expect("${out}" "\nspin: control 907 is disabled\n" "an edit the kernel has not enabled")
korvo_expect("${out}" "2810 \"Spin buttons\" checked" "the context menu offers the spin buttons, checked while they show")
korvo_expect("${out}" "57634 \"Copy\" disabled" "nothing selected: nothing to copy")
korvo_expect("${out}" "answer choose 57642" "the menu is answered as expected")
korvo_expect("${out}" "907 edit \"Level\"" "the level edit is on the ribbon")

korvo_run(bad_key EXIT 2 ERROR err INPUT "start\nidle\nkey 1 907 Hyper+Q\n")
korvo_expect("${err}" "<stdin>:3: key: unknown key \"Hyper\\+Q\"" "an unknown key")
korvo_run(bad_count EXIT 2 ERROR err INPUT "start\nidle\nspin 1 907 zero\n")
korvo_expect("${err}" "<stdin>:3: spin: \"zero\" is not a spin count" "a spin count that is no number")
