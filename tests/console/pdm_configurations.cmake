# Configurations the PDM system keeps, opened from the documents menu while it is connected: button
# 1912 and the configurations sub-menu's "Открыть из Varnel" ask as the open button does (the
# file chooser stands for the PDM system's), cancelling opens nothing, and without the PDM system
# the button is not there.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
korvo_seed_host()
file(WRITE "${host}/C/Users/user/Libraries/Other.tws" "<configuration name=\"Other\">\n  <library name=\"Bolts\" path=\"Bolts\"/>\n</configuration>\n")
file(WRITE "${host}/C/Users/user/Libraries/Third.tws" "<configuration name=\"Third\"/>\n")

korvo_run(open EXIT 0 OUTPUT out ARGS --host ${host} --quiet log,window INPUT
  "documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"\nstart\nidle\nclick 1/1004 1912\nmodel ConnectPdm\nidle
expect file cancel\nclick 1/1004 1912\ndump panes 1
expect file choose \"C:\\Users\\user\\Libraries\\Other.tws\"\nclick 1/1004 1912
expect file choose \"C:\\Users\\user\\Libraries\\Third.tws\"\nexpect menu choose \"Открыть из Varnel\"\nmouse 1/1004 10,80 rclick
dump panes 1\nautomation GetLibraryCount\nquit\n")
korvo_expect("${out}" "click: control 1912 is hidden or disabled\n" "without the PDM system the button is not there")
korvo_expect("${out}" "1004 docked [^\n]*\n    \\+ Libraries\n1007 " "a cancelled choice opens nothing")
korvo_expect("${out}" "1004 docked [^\n]*\n    \\+ Libraries\n    \\+ Other\n +Third\n" "the button and the menu item open the chosen configurations")
korvo_expect("${out}" "automation GetLibraryCount: 0\n" "the last one opened is the active one")
if(out MATCHES "no dialog")
  message(FATAL_ERROR "a stand-in without its dialog:\n${out}")
endif()
