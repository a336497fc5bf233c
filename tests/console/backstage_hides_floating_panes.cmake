# A floating pane stands in a top-level window of its own that the main frame owns, not inside
# the frame: the backstage, which covers the frame, hides it while it is open and shows it again
# when it closes.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(floating EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT
  "start\nidle\nopen \"C:\\Users\\user\\Documents\\Samples\\Bracket.grb\"\ncommand 1 782\npane float 1/1003\ndump windows\nbackstage 1\ndump windows\nbackstage 1 close\ndump windows\nquit\n")
set(floating_pane "\n0x[0-9a-f]+ \"XTPDockingPaneTabbedContainer\" \"Bird's eye view\"")
after("${out}" "user float pane 1003" floated)
korvo_expect("${floated}" "^[^\n]*\ndump windows${floating_pane} visible [^\n]*\n"
             "the floating pane is a top-level window, shown")
after("${out}" "user backstage of frame 1" opened)
korvo_expect("${opened}" "^[^\n]*\ndump windows${floating_pane} hidden " "the open backstage hides it")
after("${out}" "user backstage close of frame 1" closed)
korvo_expect("${closed}" "^[^\n]*\ndump windows${floating_pane} visible " "closing the backstage shows it again")
