# A floating pane stands in a top-level window of its own that the main frame owns, not inside
# the frame: the backstage, which covers the frame, hides it while it is open and shows it again
# when it closes. So it is when the pane comes back floating from the saved layout: at the next
# start over the same host, and when the kernel reloads the state mid-session. A pane closed while
# it floated floats again when it is next shown.
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

# The layout saved with the floating pane makes it again as a floating window of its own.
set(host ${WORK_DIR}/host)
korvo_run(float_and_quit EXIT 0 ARGS --host ${host} --quiet call,log,window INPUT
  "start\nidle\nopen \"C:\\Users\\user\\Documents\\Samples\\Bracket.grb\"\ncommand 1 782\npane float 1/1003\nquit\n")
korvo_run(restarted EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window INPUT
  "start\nidle\ndump windows\nbackstage 1\ndump windows\nbackstage 1 close\nkernel SaveState\nkernel LoadState\ndump windows\nbackstage 1\ndump windows\nquit\n")
# What the frame's windows were at the first `dump windows` after `marker`.
function(windows_after text marker var)
  after("${text}" "${marker}" rest)
  after("${rest}" "\ndump windows\n" rest)
  string(FIND "${rest}" "\nuser " end)
  string(SUBSTRING "${rest}" 0 ${end} rest)
  set(${var} "${rest}" PARENT_SCOPE)
endfunction()
set(floating_pane "\n0x[0-9a-f]+ \"XTPDockingPaneTabbedContainer\" \"Bird's eye view\"")
windows_after("\n${out}" "\n" shown)
korvo_expect("${shown}" "${floating_pane} visible " "the next start makes the pane floating, shown")
windows_after("${out}" "user backstage of frame 1" covered)
korvo_expect("${covered}" "${floating_pane} hidden " "the backstage hides it")
after("${out}" "kernel LoadState" reloaded)
windows_after("${reloaded}" "kernel LoadState" shown)
korvo_expect("${shown}" "${floating_pane} visible " "after the kernel's reload the pane floats, shown")
windows_after("${reloaded}" "user backstage of frame 1" covered)
korvo_expect("${covered}" "${floating_pane} hidden " "the backstage hides it after the reload")

# A pane closed while it floated floats again when shown after a restart and the kernel's reload;
# one closed while docked comes back docked.
foreach(case "floating;pane float 1/1004" "docked;pane show 1/1004")
  list(GET case 0 placed)
  list(GET case 1 placing)
  set(case_host ${WORK_DIR}/closed_${placed})
  korvo_run(closed_${placed} EXIT 0 ARGS --host ${case_host} --quiet call,log,window INPUT
    "start\nidle\n${placing}\npane close 1/1004\nquit\n")
  korvo_run(closed_${placed}_after EXIT 0 OUTPUT out ARGS --host ${case_host} --quiet call,log,window INPUT
    "start\nidle\nkernel SaveState\nkernel LoadState\npane show 1/1004\ndump panes 1\nquit\n")
  korvo_expect("${out}" "\n1004 ${placed} " "a pane closed while ${placed} is ${placed} when shown again")
endforeach()
