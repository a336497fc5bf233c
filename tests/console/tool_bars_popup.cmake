# The tool-bars menu of a tool bar's right click: a tool bar or pane chosen there is shown or
# hidden at once and the menu stays open with the new state until the user closes it.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(toggle EXIT 0 OUTPUT out ARGS --quiet call,log INPUT
  "start\nidle\nexpect menu choose \"Compact Panel\"\nexpect menu choose 702\nexpect menu choose 816\nexpect menu dismiss\nright-click 1 1098\ndump bars 1\ndump panes 1\nquit\n")
set(item "menu     ")
korvo_expect("${out}" "menu answer choose \"Compact Panel\" \\(expected\\)\nmenu 0x[0-9a-f]+ [0-9]+ items\nmenu   0 \"Toolbars\" >\n${item}700 \"Compact Panel\"\n${item}701 \"View\" checked\n${item}702 \"FullScreen\"\n"
             "the menu shows again with the first bar hidden")
korvo_expect("${out}" "menu answer choose 702 \\(expected\\)\nmenu [^\n]*\nmenu [^\n]*\n${item}700 \"Compact Panel\"\n${item}701 \"View\" checked\n${item}702 \"FullScreen\" checked\n"
             "and again with the hidden bar shown")
korvo_expect("${out}" "menu answer choose 816 \\(expected\\)\n(menu [^\n]*\n)*menu   816 \"Configurations\" checked\n(menu [^\n]*\n)*menu answer dismiss \\(expected\\)\n"
             "a pane chosen keeps the menu open too")
korvo_expect("${out}" "\nbar 1000 \"Compact Panel\" toolbar hidden\n" "the first bar hidden")
korvo_expect("${out}" "\nbar 1065 \"FullScreen\" toolbar visible\n" "the hidden bar shown")
korvo_expect("${out}" "\n1030 docked \"[^\"]+\" icon 816 (group [0-9]+ )?selected window 0x" "the pane shown")
if(out MATCHES "warning disabled command")
  message(FATAL_ERROR "a chosen item did not run:\n${out}")
endif()

# Without an answer for the menu it stayed open for, the run fails as for any unexpected menu.
korvo_run(unanswered EXIT 1 ERROR err INPUT "start\nidle\nexpect menu choose 701\nright-click 1 1098\nquit\n")
korvo_expect("${err}" "unexpected menu" "the menu still open wants an answer")
