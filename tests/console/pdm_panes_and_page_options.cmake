# The PDM explorer panes from their commands, the start page's show-at-start-up box across two
# runs, and a document's message list from its opening on.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# Disconnected, the archives command is disabled and there is no archives pane; connected, the
# archives explorer is made and the same command shows its pane, captioned by the kernel's string
# when the PDM object has no name.
korvo_run(archives EXIT 0 OUTPUT out ARGS --quiet log
          INPUT "start\nidle\ncommand 1 787\ndump panes 1\nmodel SetPdmObject 2 1 \"\"\nmodel ConnectPdm\ncommand 1 787\ndump panes 1\nquit\n")
korvo_expect("${out}" "warning disabled command 787 not executed\ndump panes 1\n" "disconnected, 787 is disabled")
step("${out}" "dump panes 1" disconnected)
if(disconnected MATCHES "\n1012 ")
  message(FATAL_ERROR "a PDM explorer pane exists while the PDM system is away:\n${disconnected}")
endif()
after("${out}" "model SetPdmObject: done" connected)
korvo_expect("${connected}" "call KVPDMPaneObject::CreateExplorerEx\\(2, 0\\)\n" "the connection makes the archives explorer")
korvo_expect("${connected}" "dump panes 1\n([^\n]*\n)*1012 docked \"Archives\" icon [0-9]+ (group [0-9]+ )?selected window 0x" "connected, 787 shows the archives pane")

# The show-at-start-up box the user cleared is still cleared in the next run over the same host.
korvo_run(show_option EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet call,log
          INPUT "start\nidle\ncommand 1 1068\nstartpage 1 show-option off\ndump startpage 1\nquit\n")
korvo_expect("${out}" "start-page [^\n]* show-option off " "the page shows the cleared box")
korvo_run(show_option_again EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet call,log
          INPUT "start\nidle\ncommand 1 1068\ndump startpage 1\nstartpage 1 show-option on\nquit\n")
korvo_expect("${out}" "dump startpage 1\nstart-page [^\n]* show-option off " "the cleared box came back after the restart")
korvo_run(show_option_third EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet call,log
          INPUT "start\nidle\ncommand 1 1068\ndump startpage 1\nquit\n")
korvo_expect("${out}" "dump startpage 1\nstart-page [^\n]* show-option on " "ticking it again is kept too")

# An opened document has its (empty) message list in the error window before the kernel reports
# anything.
set(cover "C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Cover plate.grb")
korvo_run(messages EXIT 0 OUTPUT out ARGS --quiet log,window
          INPUT "start\nidle\nopen \"${cover}\"\ndump diagnostics\nquit\n")
korvo_expect("${out}" "call KVErrorContainer::BindToWindow\\(0x[0-9a-f]+\\)\n" "activation binds the document's list to the error window")
korvo_expect("${out}" "dump diagnostics\n[^\n]*\n[^\n]*\ndialog \"Cover plate.grb\" rows 0 " "the error window shows the empty list")
