# The ribbon's pop-ups over the frame's own parts, as a user opens them: the docking panes (an
# open pane checked; choosing it closes it, choosing it again shows it) and the classic menus,
# whose items run as the menu bar's do.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(panes EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT
  "start\nidle\ntab 1 \"View\"\nexpect menu choose \"Properties\"\nclick 1 \"Docking panes\"\ndump panes 1\n\
expect menu choose 1007\nclick 1 2852\ndump panes 1\nquit\n")
korvo_expect("${out}" "\nmenu   1007 \"Properties\" checked\n" "an open pane is offered checked")
korvo_expect("${out}" "\nmenu   1023 \"[^\"]*\"\n" "a closed pane is offered unchecked")
string(FIND "${out}" "\n1007 closed \"Properties\"" closed)
string(FIND "${out}" "\n1007 docked \"Properties\"" docked)
if(closed EQUAL -1 OR docked LESS closed)
  message(FATAL_ERROR "choosing the open pane closes it, choosing it again shows it:\n${out}")
endif()

korvo_run(menus EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT
  "start\nidle\ntab 1 \"Tools\"\nexpect file cancel\nexpect menu choose 1001\nclick 1 900\nquit\n")
korvo_expect("${out}" "\nmenu   57600 \"File\" >\nmenu     57600 \"New\" disabled\nmenu     1001 \"Open...\"\n"
             "the menu-bar pop-up offers the classic menus with their items")
korvo_expect("${out}" "\nmenu   57664 \"Help\" >\n" "the last classic menu is offered too")
korvo_expect("${out}" "\nfile open " "the chosen item runs as the menu bar's item does")
