# What reaches a main frame besides its commands, as a user sees it: the shell's print runs with
# the kernel's direct-print setting on, and the tool-bar mode popup lists the tabbed tool bar's
# tabs when it opens.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# The shell's print of a document: the kernel prints it with its direct-print setting on.
korvo_run(direct_print EXIT 0 ARGS -- /p "C:\\Users\\user\\Documents\\Samples\\Bracket.grb" OUTPUT out ERROR err
  INPUT "start\ndump print-jobs\n")
korvo_expect("${out}" "\ncall CKVView::OnBeginPrinting\\(direct print setting true\\)\n" "the print is direct")
korvo_expect("${out}" "\njob 1 \"Bracket.grb\" ended\n" "the drawing was printed")

# In the classic menus the tabbed tool bar's first button opens the list of its tabs.
korvo_run(tool_bar_mode EXIT 0 OUTPUT out ARGS --quiet call,log INPUT
  "start\nidle\ncommand 1 806\nexpect menu choose 7002\nclick 1 1075\nquit\n")
korvo_expect("${out}" "\nmenu +7000 \"Startup\"\nmenu +7001 \"2D\" checked\nmenu +7002 \"Sketch\"\n" "one item a tab")
korvo_expect("${out}" "\nmenu answer choose 7002" "the user chooses a tab")
