# Clipart panes at the console: a work-mix pane through a PDM disconnect and back, a pane's own
# popup menu closing it, and a kernel form floating in a pane of its own.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(root "VarnelReferenceGuid=\\{5A4D0000-0000-4000-8000-000000000001\\}")

# The root object's pane waits closed while the PDM system is away, keeping its view and keys,
# and floats where it was once the connection is back.
korvo_run(workmix EXIT 0 OUTPUT out INPUT
  "start\nidle\nmodel ConnectPdm\ncommand 1 2003\ndump panes 1\nmodel DisconnectPdm\ndump panes 1\nmodel ConnectPdm\ndump panes 1\nquit\n")
after("${out}" "user command 2003" opened)
korvo_expect("${opened}" "^[^\n]*\n([^\n]*\n)*11000 floating [^\n]* window 0x[0-9a-f]+ float \\(100,100\\)-\\(420,340\\) clipart Workmix state 0 ${root}\n"
             "the work mix's root object floats in pane 11000")
after("${opened}" "model DisconnectPdm" away)
korvo_expect("${away}" "^[^\n]*\n([^\n]*\n)*11000 closed [^\n]* window none clipart Workmix state 2 ${root}\n"
             "disconnected, the pane is closed and its view waits with its keys")
after("${away}" "model ConnectPdm" back)
korvo_expect("${back}" "^[^\n]*\n([^\n]*\n)*11000 floating [^\n]* window 0x[0-9a-f]+ float \\(100,100\\)-\\(420,340\\) clipart Workmix state 2 ${root}\n"
             "connected again, the pane floats where it was with its view")

# The pane's popup menu: dismissed it changes nothing, its Close ends the pane and its view, and
# the next pane takes the id again.
set(choose "expect folder choose \"C:\\\\Users\\\\user\\\\Documents\"\ncommand 1 1244\n")
korvo_run(menu EXIT 0 OUTPUT out INPUT
  "start\nidle\n${choose}expect menu dismiss\npane menu 1/11000\ndump panes 1\nexpect menu choose 40058\npane menu 1/11000\ndump panes 1\n${choose}dump panes 1\nquit\n")
korvo_expect("${out}" "user right-click pane 11000 of frame 1\nmenu [^\n]* 1 items\nmenu   40058 \"Закрыть\"\n"
             "the pane's menu offers its Close")
after("${out}" "menu answer choose 40058" chosen)
after("${chosen}" "dump panes 1" listed)
if(listed MATCHES "^dump panes 1\n(([0-9]+ [^\n]*|    [^\n]*)\n)*" AND CMAKE_MATCH_0 MATCHES "\n11000 ")
  message(FATAL_ERROR "the pane its menu closed stayed:\n${out}")
endif()
korvo_expect("${listed}" "user command 1244 [^\n]*\n([^\n]*\n)*11000 floating [^\n]* clipart DocumentsMenu state 0"
             "the next folder pane takes 11000 again")
korvo_run(menu_closed EXIT 2 ERROR err INPUT "start\nidle\ncommand 1 790\npane close 1/1007\npane menu 1/1007\n")
korvo_expect("${err}" "pane menu: docking pane 1007 is closed" "a closed pane has no caption to right-click")

# A kernel form floating in a pane: its class floats while the pane lives; the pane closing
# resets it in the kernel's form view.
korvo_run(form EXIT 0 OUTPUT out INPUT
  "start\nidle\nkernel ShowExpandedForm 5 \"Hatching\"\ndump panes 1\npane close 1/11000\ndump panes 1\nquit\n")
korvo_expect("${out}" "kernel ShowExpandedForm: window 0x[0-9a-f]+\n" "the kernel shows its form")
korvo_expect("${out}" "\n11000 floating \"Hatching\" [^\n]* clipart ExpandedForm state 0 ExpandClassID=5\n([^\n]*\n)*expanded forms floating 5\n"
             "the form's pane and its floating class")
after("${out}" "user close pane 11000 of frame 1" closed)
korvo_expect("${closed}" "call Korvo::UI::ExpandedFormView::ResetFloatingUniquelyDlg\\(5\\)\n([^\n]*\n)*expanded forms floating none\n"
             "the pane gone, the class floats no more")
