# The panel gives back the numbers it was given: its getters commit the text an edit shows, and
# that text reads back as the very number (no rounding to a few digits), after a refused entry
# too, in the system panel and in a command's manipulator edits alike. A manipulator edit made
# read-only and then writable again can be typed into.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(samples "C:\\Users\\user\\Documents\\Samples")

string(CONCAT script
  "start\nidle\nopen \"${samples}\\Bracket.grb\"\nkernel SetSyspanelControls 907 0 0 909 0 0\nkernel EnableSyspanelControl 907 1\n"
  "kernel set_syspanel_doublevar 1 907 1234567.89 -1\nkernel UnpackSyspanelDoubleVar 907\n"
  "kernel set_syspanel_doublevar 1 909 0.123456789 -1\nkernel UnpackSyspanelDoubleVar 909\n"
  "kernel set_syspanel_doublevar 1 907 2147483648.9 -1\nexpect box \"*neither a number*\" answer ok\ntype 1 907 \"1e400\"\n"
  "kernel UnpackSyspanelDoubleVar 907\n"
  "dump panel 1\n"
  "kernel --manip 1 1 AddEdit \"len\"\nkernel --manip 1 1 SetEditValue \"len\" 1234567.89\nkernel --manip 1 1 GetEditValue \"len\"\n"
  "quit\n")
korvo_run(values EXIT 0 OUTPUT out INPUT "${script}")
korvo_expect("${out}" "\nkernel UnpackSyspanelDoubleVar: 1234567.89\n" "a number of nine digits comes back whole")
korvo_expect("${out}" "\nkernel UnpackSyspanelDoubleVar: 0.123456789\n" "a fraction of nine digits comes back whole")
korvo_expect("${out}" "\nkernel UnpackSyspanelDoubleVar: 2147483648.9\n" "a refused entry leaves the stored number as it was")
korvo_expect("${out}" "\n  907 edit group - \"2147483648.9\" " "the edit shows the whole number")
korvo_expect("${out}" "\nkernel GetEditValue: 1234567.89 var -1\n" "a manipulator edit gives back its number whole")

string(CONCAT read_only_script
  "start\nidle\nopen \"${samples}\\Bracket.grb\"\nkernel --manip 1 1 AddEdit \"len\"\n"
  "kernel --manip 1 1 SetEditReadOnly \"len\" 1\nidle\ntype 1 3001 \"6\"\n"
  "kernel --manip 1 1 SetEditReadOnly \"len\" 0\nidle\nkernel --manip 1 1 IsControlEnabled \"len\"\ntype 1 3001 \"7\"\n"
  "dump panel 1\nquit\n")
korvo_run(read_only EXIT 0 OUTPUT out INPUT "${read_only_script}")
korvo_expect("${out}" "user type \"6\" into 3001 on frame 1\ntype: control 3001 is read-only\n" "read-only, the edit takes nothing")
korvo_expect("${out}" "\nkernel IsControlEnabled: true\nuser type \"7\" into 3001 on frame 1\n(call [^\n]*\n)*dump panel 1\n"
             "writable again, the edit takes what is typed")
korvo_expect("${out}" "\n  3001 edit group 1 \"7\" " "what was typed shows in the edit")
