# A drawing closed beside a picture, the start page or a tutorial page, as a user does it: by its
# tab's close button, File Close or the tab menu's close. The main frame keeps nothing of it, so
# full screen, opening it again and moving the window left to a new main window go on from a
# frame without a view; a message bar bound to the drawing goes with it.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(host ${WORK_DIR}/host)

# The tutorials package, for a tutorial tab.
file(WRITE ${host}/registry/HKEY_LOCAL_MACHINE.reg
     "; registry hive HKEY_LOCAL_MACHINE\n[SOFTWARE\\WOW6432Node\\Velmora\\Korvo Tutorials 18\\Rus]\n\"SetupDirectory\"=\"C:\\\\Tutorials\\\\\"\n")
file(WRITE "${host}/C/Tutorials/index.htm" "<html><head><title>Start here</title></head></html>")

set(sample "C:\\\\Users\\\\user\\\\Documents\\\\Samples")
set(bracket "${sample}\\\\Bracket.grb")

set(beside_picture "open \"${sample}\\\\Gear.png\"\n")
set(beside_start_page "command 1 1068\n")
set(beside_tutorial "link \"?kvcommand=contents:index.htm\"\n")
set(close_by_tab "doc-tab 1 \"Bracket.grb\" close\n")
set(close_by_file "command 1 57602\n")
set(close_by_menu "expect menu choose 604\ndoc-tab 1 \"Bracket.grb\" context-menu\n")

foreach(beside picture start_page tutorial)
  foreach(closer tab file menu)
    set(name ${beside}_${closer})
    set(close "${close_by_${closer}}")
    string(CONCAT script
      "start\nidle\n${beside_${beside}}open \"${bracket}\"\n${close}dump documents\ndump modes 1\n"
      "command 1 1254\ncommand 1 1254\nopen \"${bracket}\"\n${close}command 1 2826\ndump frames\ndump modes 2\n"
      "command 2 1254\ndump modes 2\nquit\n")
    korvo_run(${name} EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log INPUT "${script}")
    if(out MATCHES "\ndump documents\n[^\n]*Bracket.grb")
      message(FATAL_ERROR "${name}: the drawing did not close:\n${out}")
    endif()
    after("${out}" "\ndump modes 1\n" modes)
    korvo_expect("${modes}" "\nview-types 0x[0-9a-f]*[13579bdf][0-9a-f]\n" "${name}: the frame holds no view of the closed drawing")
    korvo_expect("${out}" "\ndump frames\n1 [^\n]*\n2 [^\n]* active\n" "${name}: the window moved to a new main window, which is active")
    after("${out}" "user command 1254 to frame 2" full)
    korvo_expect("${full}" "\ndump modes 2\nscreen 1\n" "${name}: the new frame goes to full screen")
  endforeach()
endforeach()

# A message bar bound to a drawing (a save that lost its geometry) goes when the drawing closes,
# not over the other drawing; a bar of no document stays.
string(CONCAT script
  "start\nidle\nopen \"${bracket}\"\nopen \"${sample}\\\\Cover plate.grb\"\nmodel FailGeometrySave 1\nactivate \"${bracket}\"\ncommand 1 1029\n"
  "kernel ShowMessageBar 7 \"Everyone\" \"of no document\"\ndump modes 1\ncommand 1 57602\ndump modes 1\nactivate \"${sample}\\\\Cover plate.grb\"\ndump modes 1\nquit\n")
korvo_run(bound_bar EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log INPUT "${script}")
after("${out}" "user command 1029" saved)
korvo_expect("${saved}" "\nmessage-bar 308 \"[^\n]*\"\n" "the geometry-save bar of the drawing")
after("${out}" "user command 57602" closed)
if(closed MATCHES "message-bar 308")
  message(FATAL_ERROR "the closed drawing's message bar stayed:\n${closed}")
endif()
korvo_expect("${closed}" "\nmessage-bar 7 \"" "the bar of no document stays")

# The model elements and the assembly structure let go of a document as it closes, though no
# other document activates after it; a drawing they do not show closes without touching them.
string(CONCAT script
  "start\nidle\ncommand 1 796\nopen \"${bracket}\"\nopen \"${sample}\\\\Cover plate.grb\"\ndump panes 1\n"
  "doc-tab 1 \"Bracket.grb\" close\ndump panes 1\ncommand 1 57602\ndump panes 1\nquit\n")
korvo_run(lists_let_go EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log INPUT "${script}")
foreach(pane 1022 1023)
  korvo_expect("${out}" "dump panes 1\n([^\n]*\n)*${pane} [^\n]*\n    shows \"Cover plate.grb\"\n([^\n]*\n)*user [^\n]*close[^\n]*\n([^\n]*\n)*dump panes 1\n([^\n]*\n)*${pane} [^\n]*\n    shows \"Cover plate.grb\"\n"
               "pane ${pane} shows the active drawing, also after the other one closed")
  after("${out}" "user command 57602" closed)
  korvo_expect("${closed}" "\n${pane} [^\n]*\n    shows null\n" "pane ${pane} lets go of the closed drawing")
endforeach()
