# The customise sheet's main-bar modes and tool-bar options pages from the console, in classic
# mode on the sample: new modes with their starting buttons, a name differing in case accepted and
# an exact one ignored, the original modes' delete disabled, a shortcut shown in the row and
# cleared at once; the icon size of every frame, the screen tips' details disabled with them and
# the full-menus delay held while menus are always full.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

string(CONCAT modes
  "start\nidle\ncommand 1 806\n"
  "expect dialog 21296 answer text 3533 \"Mine\" ok\nexpect box \"Give the new mode*\" answer yes\n"
  "expect dialog 21296 answer text 3533 \"mine\" ok\nexpect box \"Give the new mode*\" answer no\n"
  "expect dialog 21296 answer text 3533 \"Mine\" ok\n"
  "expect dialog 21299 answer text 106 \"Ctrl+M\" ok\n"
  "expect dialog 783 answer page 21295 click 1211 click 1211 click 1211 select 1033 \"#0\" dump "
  "select 1033 \"#9\" click 1225 dump click 1226 dump ok\n"
  "command 1 35001\ndump bars 1\nquit\n")
korvo_run(modes_page EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT "${modes}")
korvo_expect("${out}" "dialog control 4 button \"&Delete\" disabled\n" "an original mode cannot be deleted")
korvo_expect("${out}" "dialog   #[0-9]+ \"mine +Ctrl\\+M\" ticked selected\n" "the shortcut follows the name at about two thirds of the row")
korvo_expect("${out}" "dialog click 1226\n([^\n]*\n)*dialog   #[0-9]+ \"mine\" ticked selected\n" "clearing it shows the name alone at once")
korvo_expect("${out}" "\n  1075 [^\n]*category \"mine\"\n  1115 [^\n]*category \"mine\"\n  1117 [^\n]*category \"mine\"\n"
             "answered no: the short starting list")
korvo_expect("${out}" "\"Mine\" visible user accel none\n  mode [0-9]+ [^\n]* \"mine\" visible user accel none current\n"
             "a name differing only in case is a new mode, an exact one is ignored")

string(CONCAT options
  "start\nidle\nnew-frame\n"
  "expect dialog 783 answer check 100 on check 104 off dump select 1215 \"24 x 24\" ok\n"
  "command 1 35001\ndump bar-options 1\ndump bar-options 2\nhover 1 1001\nquit\n")
korvo_run(options_page EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT "${options}")
korvo_expect("${out}" "dialog control 100 button \"Always show full &menus\" checked\ndialog control 101 button \"Show full menus after a short &delay\" disabled checked\n"
             "with full menus always the delay is disabled and keeps its value")
korvo_expect("${out}" "dialog control 105 button [^\n]* disabled[^\n]*\ndialog control 1134 button [^\n]* disabled[^\n]*\ndialog control 1274 button [^\n]* disabled[^\n]*\n"
             "without screen tips their details are disabled")
korvo_expect("${out}" "dump bar-options 1\nicons [^\n]* large 24x24 on [^\n]*\nmenus full on after-delay on [^\n]*\nscreen-tips off kernel off "
             "the first frame takes 24-pixel icons and the tips are off")
korvo_expect("${out}" "dump bar-options 2\nicons [^\n]* large 24x24 on [^\n]*\n([^\n]*\n)*tab-bar 1000 large-icons off"
             "every frame takes them, the tabbed bar's own large icons off")
korvo_expect("${out}" "user hover 1001 on frame 1\nuser no tooltip: the bars show no screen tips\n" "without screen tips no tip shows")

# The command names in screen tips are the user's choice: switched on, they are on after a
# restart; switched off again, they stay off after the next.
set(names_host ${WORK_DIR}/names)
foreach(step "on;names on" "off;names off")
  list(GET step 0 choice)
  list(GET step 1 shown)
  korvo_run(names_${choice} EXIT 0 ARGS --host ${names_host} --quiet call,log,window INPUT
    "start\nidle\nexpect dialog 783 answer check 1134 ${choice} ok\ncommand 1 35001\nquit\n")
  korvo_run(names_${choice}_after EXIT 0 OUTPUT out ARGS --host ${names_host} --quiet call,log,window INPUT
    "start\nidle\ndump bar-options 1\nquit\n")
  korvo_expect("${out}" "\nscreen-tips on [^\n]* ${shown} " "command names switched ${choice} are ${choice} after a restart")
endforeach()
