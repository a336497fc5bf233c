# The 3D-mouse page's command buttons show the command icons and give their captions as tips,
# each time the page is made; and a PDM explorer pane activated before the PDM system is
# connected stays empty until it connects.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

string(CONCAT script
  "spaceball plug 4 6\nstart\nidle\n"
  "expect dialog 783 answer page 20870 dump hover 1005 hover 1150 hover 2299 hover 2479 ok\ncommand 1 35001\n"
  # The sheet makes the page anew: the icons and tips come again.
  "expect dialog 783 answer page 20870 hover 2299 cancel\ncommand 1 35001\nquit\n")
korvo_run(icons EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet log)
korvo_expect("${out}" "call UIModuleProxy::AddIconToImageList\\(4171\\)\ncall UIModuleProxy::AddIconToImageList\\(4202\\)\ncall UIModuleProxy::AddIconToImageList\\(394\\)\n"
             "the page's image list takes the three command icons through the UI module")
korvo_expect("${out}" "control 1005 button \"&Defaults\" icon 4171\n" "Defaults shows the first icon")
korvo_expect("${out}" "control 1150 button \"&Load...\" icon 4202\n" "Load shows the second icon")
korvo_expect("${out}" "control 2299 button \"&Save...\" icon 394\n" "Save shows the third icon")
korvo_expect("${out}" "tip 1005 \"Defaults\"\n([^\n]*\n)*[^\n]*tip 1150 \"Load...\"\n([^\n]*\n)*[^\n]*tip 2299 \"Save...\"\n" "each icon button's caption is its tip")
korvo_expect("${out}" "tip 2479 none\n" "a control that is no icon button has no tip")
after("${out}" "tip 2479 none" again)
korvo_expect("${again}" "tip 2299 \"Save...\"\n" "the page made again has its tips again")

# Shown while disconnected the archives pane stays empty: its window shows no explorer and none
# is made. The pane is there once the PDM system has been connected.
korvo_run(pane EXIT 0 OUTPUT out ARGS --quiet log
          INPUT "start\nidle\nmodel ConnectPdm\nmodel DisconnectPdm\npane show 1/1012\ndump panes 1\ndump windows\nquit\n")
after("${out}" "user show pane 1012" disconnected)
korvo_expect("${disconnected}" "dump panes 1\n([^\n]*\n)*1012 docked \"Archives\" icon [0-9]+ (group [0-9]+ )?selected window " "disconnected, the archives pane is shown")
if(disconnected MATCHES "CreateExplorer|KVPDM.Explorer")
  message(FATAL_ERROR "a disconnected pane made an explorer:\n${disconnected}")
endif()

# The same pane, still empty, gets its window and its explorer once the PDM system connects.
korvo_run(connect EXIT 0 OUTPUT out ARGS --quiet log
          INPUT "start\nidle\nmodel ConnectPdm\nmodel DisconnectPdm\npane show 1/1012\nmodel ConnectPdm\npane show 1/1012\ndump panes 1\nquit\n")
after("${out}" "user show pane 1012" connected)
korvo_expect("${connected}" "call KVPDMPaneObject::CreateExplorerEx\\(2, 0\\)\n([^\n]*\n)*window created 0x[0-9a-f]+ \"KVPDM.Explorer\""
             "connecting makes the shown pane's explorer")
korvo_expect("${connected}" "dump panes 1\n([^\n]*\n)*1012 docked \"Archives\" icon [0-9]+ (group [0-9]+ )?selected window 0x"
             "the archives pane holds its window once connected")
