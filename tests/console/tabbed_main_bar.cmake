# The tabbed main bar of classic mode end to end: its modes in dump bars, a tool bar made from a
# mode appears once (the second attempt is refused by the toolkit's message), and a second run
# over the same host folder finds the tool bar again and each mode once.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(host ${WORK_DIR}/host)

string(CONCAT script
  "start\nidle\ncommand 1 806\nexpect box \"*starting commands*\" answer no\ntab-bar 1 \"Sketch\"\n"
  "expect box \"*starting commands*\" answer yes\nexpect box \"A tool bar named \\\"Sketch\\\" exists already.\" answer ok\n"
  "tab-bar 1 \"Sketch\"\ntab-bar 1 \"Nowhere\"\ndump bars 1\nquit\n")
korvo_run(first EXIT 0 OUTPUT out ARGS --host ${host} INPUT "${script}")
korvo_expect("${out}" "\n  mode 2 D773CF70-44FC-4055-ACC1-FA1AB0FDB95A \"2D\" visible original accel Ctrl\\+2 current\n"
             "a mode with its record")
korvo_expect("${out}" "\n  mode 1 [0-9A-F-]+ \"Startup\" hidden original accel none\n" "a hidden mode")
korvo_expect("${out}" "\ntab-bar: the tabbed main bar has no tab \"Nowhere\"\n" "a tab the bar does not have")
string(REGEX MATCHALL "\nbar 59392 \"Sketch\" toolbar visible\n" made "${out}")
list(LENGTH made count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "the tool bar made from the mode is listed ${count} times:\n${out}")
endif()
# Answered "no": the starting commands up to undo and redo stay behind, the mode switch never goes.
string(REGEX MATCH "\nbar 59392 [^\n]*\n(  [^\n]*\n)*" sketch "${out}")
if(sketch MATCHES "\n  (1075|1001|1115|1117) " OR NOT sketch MATCHES "\n  2882 ")
  message(FATAL_ERROR "the tool bar holds the wrong controls:\n${sketch}")
endif()

korvo_run(second EXIT 0 OUTPUT out ARGS --host ${host} INPUT "start\nidle\ncommand 1 806\ndump bars 1\nquit\n")
korvo_expect("${out}" "\nbar 59392 \"Sketch\" toolbar visible\n" "the user's tool bar comes back")
string(REGEX MATCHALL "\n  mode [0-9]+ [^\n]*\"Sketch\"" modes "${out}")
list(LENGTH modes count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "the mode \"Sketch\" shows ${count} times after a restart:\n${out}")
endif()
korvo_expect("${out}" "\n  mode 8 [^\n]*\"Explode animation\"" "every mode, once")
