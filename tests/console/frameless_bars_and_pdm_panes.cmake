# The frameless tool bars take the frame's icon size and shortcuts and the view bar is written
# into the state; the kernel's notice that a view changed updates what follows the view; the PDM
# explorer panes come with the connection and keep their captions over a restart while the PDM
# system is away.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(bracket "C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Bracket.grb")

string(CONCAT script
  "start\nidle\ndump bar-options 1\ndump modes 1\ndump state 1\n"
  "open \"${bracket}\"\ndump modes 1\nmodel ViewTraits 1 2 0 1 0\ndump modes 1\nquit\n")
korvo_run(frameless EXIT 0 OUTPUT out ARGS --quiet log INPUT "${script}")
korvo_expect("${out}" "\nframeless icons [0-9]+x[0-9]+ large [0-9]+x[0-9]+ (on|off) shortcuts [1-9][0-9]*\n"
             "the frameless bars share the frame's keyboard shortcuts")
korvo_expect("${out}" "\nframeless 3 view [^\n]* icons 24x24\n" "the view bar takes the frame's icon size")
korvo_expect("${out}" "<framelessToolBar id=\"3\"" "the state holds the frameless view bar")
korvo_expect("${out}" "name=\"ribbonTabsPopup\"" "the state names the ribbon-tabs popup")
# What the notice did: between the modes dumped after the opening and the operation's answer.
string(FIND "${out}" "model ViewTraits: done" answered)
string(SUBSTRING "${out}" 0 ${answered} before_answer)
string(FIND "${before_answer}" "dump modes 1" opened_dump REVERSE)
string(SUBSTRING "${before_answer}" ${opened_dump} -1 changed)
korvo_expect("${changed}" "\ncall CKVCom_Is3D::SetActiveDocument\\(" "a model's view hands its document to the 3D kernel")
string(REGEX MATCHALL "view-types 0x[0-9A-Fa-f]+" masks "${out}")
list(LENGTH masks count)
if(NOT count EQUAL 3)
  message(FATAL_ERROR "three dumps of the modes were expected:\n${out}")
endif()
list(GET masks 1 opened)
list(GET masks 2 changed)
if("${opened}" STREQUAL "${changed}")
  message(FATAL_ERROR "the view-type bits did not follow the changed view (${opened}):\n${out}")
endif()

# No PDM pane while the system is away; the connection makes them. Quit with the system away
# again, and the next start shows them with their captions.
set(host ${WORK_DIR}/host)
korvo_run(connected EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "start\nidle\ndump panes 1\nmodel ConnectPdm\nidle\ndump panes 1\nmodel DisconnectPdm\nidle\nquit\n")
string(FIND "${out}" "KVPDMWorkMix::Connect" connecting)
string(SUBSTRING "${out}" 0 ${connecting} away)
if(away MATCHES "\n10(12|13|14|15|27|33|40) ")
  message(FATAL_ERROR "a PDM explorer pane exists while the PDM system is away:\n${away}")
endif()
after("${out}" "model ConnectPdm" rest)
korvo_expect("${rest}" "\n1012 [a-z]+ \"[^\"]+\"" "the connection makes the archives pane")
korvo_run(restarted EXIT 0 OUTPUT out ARGS --host ${host} INPUT "start\nidle\ndump panes 1\nquit\n")
foreach(pane 1012 1013 1014 1015 1027 1033 1040)
  korvo_expect("${out}" "\n${pane} [a-z]+ \"[^\"]+\"" "pane ${pane} keeps its caption over the restart")
endforeach()

# The panes the saved layout keeps come back without windows while the PDM system is away: one
# shown then stays empty, and connecting gives every one of them its explorer window, the shown
# one its explorer at once. A third start, connected through the environment, shows them whole.
korvo_run(restarted_connect EXIT 0 OUTPUT out ARGS --host ${host} --quiet log INPUT
  "start\nidle\npane show 1/1013\ndump panes 1\nmodel ConnectPdm\nidle\ndump panes 1\ncommand 1 787\ndump panes 1\nquit\n")
after("${out}" "user show pane 1013" away)
string(FIND "${away}" "call KVPDMWorkMix::Connect" connecting)
string(SUBSTRING "${away}" 0 ${connecting} away)
korvo_expect("${away}" "\n1013 docked \"[^\"]+\" [^\n]*window none\n" "shown while the system is away, the pane is empty")
if(away MATCHES "\n1013 [^\n]* window 0x")
  message(FATAL_ERROR "a PDM pane shown while the system is away has a window:\n${away}")
endif()
after("${out}" "call KVPDMWorkMix::Connect" rest)
korvo_expect("${rest}" "call KVPDMPaneObject::CreateExplorer\\(0\\)\n" "connecting makes the explorer of the shown desktop pane")
step("${rest}" "dump panes 1" connected)
korvo_expect("${connected}" "\n1013 docked [^\n]* window 0x" "the shown desktop pane holds its window once connected")
after("${rest}" "user command 787 to frame 1" archives)
korvo_expect("${archives}" "dump panes 1\n([^\n]*\n)*1012 docked [^\n]* selected window 0x"
             "the archives pane the layout kept shows its explorer window when asked for")
korvo_expect("${rest}" "call KVPDMPaneObject::CreateExplorerEx\\(2, 0\\)\n" "and its explorer is made")
korvo_run(third_start EXIT 0 OUTPUT out ARGS --host ${host} --env "KORVOCAD_VARNELINSTANCE=Velmora\\Varnel" --quiet log INPUT
  "start\nidle\ncommand 1 787\ndump panes 1\nquit\n")
korvo_expect("${out}" "call KVPDMPaneObject::CreateExplorerEx\\(2, 0\\)\n" "connected at start-up the archives explorer is made")
step("${out}" "dump panes 1" third)
korvo_expect("${third}" "\n1012 docked [^\n]* window 0x" "and its pane holds its window")
