# Opening a drawing that is already open brings its window forward in the MDI client, as the
# framework's child frame activates itself there: its tab is the selected one and the main
# frame's title names it.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(samples "C:\\Users\\user\\Documents\\Samples")

korvo_run(reopen EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"${samples}\\Bracket.grb\"\nopen \"${samples}\\Cover plate.grb\"\ndump frames\nopen \"${samples}\\Bracket.grb\"\ndump tabs 1\ndump frames\nquit\n")
korvo_expect("${out}" "\n1 0x[0-9a-f]+ \"Cover plate.grb - Korvo CAD\" active\n" "the second drawing is active")
korvo_expect("${out}" "\n  1 0x[0-9a-f]+ \"Bracket.grb\" selected [^\n]*\n  2 0x[0-9a-f]+ \"Cover plate.grb\" \\(" "the reopened drawing's tab is selected")
korvo_expect("${out}" "\n1 0x[0-9a-f]+ \"Bracket.grb - Korvo CAD\" active\n" "the title names the reopened drawing")
