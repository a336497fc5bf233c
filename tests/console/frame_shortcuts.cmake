# The frame's shortcuts end to end on the sample: Ctrl+O pressed in the frame opens the file
# chooser; pressed in a parameter edit it stays the edit's; while a running command keeps the keys
# it stays the command's, and once the command ends it is a shortcut again. A chooser nobody
# expects fails a strict run, so a key that wrongly became a command shows as a failure.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(drawing "open \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Bracket.grb\"\n")
korvo_run(shortcuts EXIT 0 OUTPUT out ARGS --quiet log,call,window INPUT
  "start\nidle\n${drawing}expect file cancel\npress 1 Ctrl+O\nmodel RunCommand 1 1\nmodel KeepKeys 1\npress 1 Ctrl+O\nmodel RunCommand 1 0\nexpect file cancel\npress 1 Ctrl+O\nkernel EnableSyspanelControl 907 1\nkey 1 907 Ctrl+O\nquit\n")
korvo_expect("${out}" "file choose [^\n]*\nuser press Ctrl\\+O in frame 1\nfile open \"\" filter \"Drawings \\(\\*\\.grb\\)" "the frame's key opens the chooser")
korvo_expect("${out}" "model KeepKeys: done\nuser press Ctrl\\+O in [^\n]*\nmodel RunCommand: done\n" "the running command keeps the key")
korvo_expect("${out}" "model RunCommand: done\nuser press Ctrl\\+O in frame 1\nfile open" "a shortcut again once the command ended")
korvo_expect("${out}" "user key Ctrl\\+O in 907 on frame 1\nuser close" "the edit keeps its key")

korvo_run(bad_keep EXIT 2 ERROR err INPUT "start\nidle\nmodel KeepKeys yes\n")
korvo_expect("${err}" "KeepKeys" "a flag that is no number is refused")
