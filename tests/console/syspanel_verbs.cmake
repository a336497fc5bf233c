# The system-panel verbs end to end: the frame's panel as the shell sees it, typing refused where
# a user could not type (a disabled parameter edit, a button), and a frame that is not open.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(panel EXIT 0 OUTPUT out INPUT
  "start\nidle\nnew-frame\ndump panel 2\ntype 1 907 \"5\"\ntype 1 1001 \"5\"\ntype 1 4711 \"5\"\ndump ribbon 1\nquit\n")
korvo_expect("${out}" "\nbar visible[^\n]*\nuser type \"5\" into 907 on frame 1\ntype: control 907 is disabled\n"
             "an empty panel and a parameter edit the kernel has not enabled")
korvo_expect("${out}" "\ntype: control 1001 is no edit\n" "a button is no edit")
korvo_expect("${out}" "\ntype: no button or tool-bar control 4711 in frame 1\n" "no such control")
korvo_expect("${out}" "\n  group \"Parameters\"\n    904 popup \"Colour\" disabled manual\n    911 popup \"Layer\" disabled manual\n    907 edit \"Level\" disabled manual\n"
             "the ribbon's parameter group holds the panel's twins, left to the kernel")

korvo_run(filters EXIT 0 OUTPUT out INPUT
  "start\nidle\nkernel SetSyspanelControls 907 0 0 2702 0 0 2750 0 0\ndump panel 1\nquit\n")
korvo_expect("${out}" "\n  2702 filter group - \"Lines\" enabled visible [^\n]*\n  2750 filter group - \"\" enabled visible [^\n]*\n"
             "a command's list: a built-in filter button with its own tooltip and a new one")

korvo_run(no_frame EXIT 2 ERROR err INPUT "start\nidle\ndump panel 2\n")
korvo_expect("${err}" "<stdin>:3: dump panel: there is no main frame 2" "a frame that is not open")
korvo_run(before_start EXIT 2 ERROR err INPUT "type 1 907 \"5\"\n")
korvo_expect("${err}" "<stdin>:1: type" "typing before start")

# The parameter controls after a restart: the frame loads the state the first run saved, and the
# controls stay as the kernel left them (disabled, no document open), as on the first run.
set(host ${WORK_DIR}/host)
foreach(run first second)
  korvo_run(restart_${run} EXIT 0 OUTPUT out ARGS --host ${host} INPUT "start\nidle\ndump ribbon 1\nquit\n")
  korvo_expect("${out}" "\n  group \"Parameters\"\n    904 popup \"Colour\" disabled manual\n    911 popup \"Layer\" disabled manual\n    907 edit \"Level\" disabled manual\n"
               "the parameter controls are disabled with no document open (${run} run)")
endforeach()
