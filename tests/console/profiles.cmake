# The settings profiles page from the console: the Profiles command opens the options sheet, New
# makes a profile whose label is edited in place, a tree item is selected by its caption path and
# ticked, Rename and Delete act on it, and the profiles land in the registry.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(profiles "\\[Software\\\\Velmora\\\\Korvo CAD 18.0\\\\Profiles")
string(CONCAT script
  "start\nidle\n"
  "expect dialog 21101 answer click 1659 text 2473 \"Office\" select 2473 \"Office|Main window\" check 2473 off click 1659 ok\n"
  "command 1 1061\n"
  "dump registry\n"
  "quit\n")
korvo_run(new_and_rename EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT "${script}")
korvo_expect("${out}" "\ndialog 21101 \"Options\" window [^\n]*\ndialog click 1659\ndialog text 2473 \"Office\"\n"
             "the sheet is expected by its page's template and New edits the new label")
korvo_expect("${out}" "\ndialog check 2473 off\ndialog click 1659\ndialog ok\ndialog ended 1\n"
             "an item is unticked and OK closes the sheet")
korvo_expect("${out}" "${profiles}\\\\Office\\\\MainFrame\\\\~Summary\\]" "the renamed profile holds the ticked items")
korvo_expect("${out}" "${profiles}\\\\Profile 1\\]" "the second New takes the first free number")

korvo_run(bad_check EXIT 2 ERROR err INPUT "expect dialog 21101 answer check 2473 maybe\n")
korvo_expect("${err}" "<stdin>:1: expect dialog: check 2473 needs on or off" "a check needs on or off")

string(CONCAT refused
  "start\nidle\n"
  "expect dialog 21101 answer select 2473 \"Nowhere\" ok\n"
  "command 1 1061\nquit\n")
korvo_run(missing_item EXIT 1 OUTPUT out ERROR err INPUT "${refused}")
korvo_expect("${err}" "tree 2473 has no item \"Nowhere\"" "a caption path nobody shows is a failure naming it")
