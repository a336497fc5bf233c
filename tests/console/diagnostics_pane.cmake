# The diagnostics pane as the user meets it: new errors bring the pane forward once for each
# document's list, its icon follows the messages, the automatic showing can be switched off and
# stays off after a restart, and hiding messages asks first and keeps what the user chose.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(cover "C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Cover plate.grb")
set(bracket "C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Bracket.grb")

# Once per dialog: a second update of the same document leaves a closed pane closed; another
# document's list brings it back.
korvo_run(once EXIT 0 OUTPUT out ARGS --quiet call,log
          INPUT "start\nidle\ndump panes 1\nopen \"${cover}\"\nmodel SetErrors 1 2\ndump panes 1\ndump diagnostics\npane close 1/1005\nmodel SetErrors 1 3\ndump panes 1\nopen \"${bracket}\"\nmodel SetErrors 2 1\ndump panes 1\ndump diagnostics\nquit\n")
after("${out}" "dump panes 1" first)
korvo_expect("${first}" "^dump panes 1\n([^\n]*\n)*1005 closed" "the pane starts closed in the first frame")
after("${out}" "model SetErrors: done" rest)
korvo_expect("${rest}" "^model SetErrors: done\ndump panes 1\n([^\n]*\n)*1005 docked" "new errors bring the pane forward")
korvo_expect("${rest}" "frame 1 pane-icon 784\ndialog \"Cover plate.grb\" rows 2 grouped active auto-shown\n  row 0 \"Message 1\" objects 1\n  row 1 \"Message 2\" objects 2\n"
             "a shown pane with errors takes icon 784 and lists the messages")
after("${rest}" "user close pane 1005" closed)
korvo_expect("${closed}" "model SetErrors: done\ndump panes 1\n([^\n]*\n)*1005 closed" "a second update for the same list leaves the closed pane closed")
after("${closed}" "Bracket.grb" second)
korvo_expect("${second}" "model SetErrors: done\ndump panes 1\n([^\n]*\n)*1005 docked" "another document's list brings the pane forward again")
korvo_expect("${second}" "dialog \"Bracket.grb\" rows 1 grouped active auto-shown\n" "the pane came forward for the newer list")

# Automatic showing switched off with the tool bar: only the icon changes, after a restart too;
# so do the warnings, switched off there.
korvo_run(off EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet call,log
          INPUT "start\nidle\nopen \"${cover}\"\nmodel SetErrors 1 0\nclick 1/1005 1603\nclick 1/1005 1505\nmodel SetErrors 1 2\ndump panes 1\ndump diagnostics\nquit\n")
korvo_expect("${out}" "1005 closed" "with automatic showing off the pane stays closed")
korvo_expect("${out}" "error-window auto-show off icon-state 3 [^\n]*\nframe 1 pane-icon 4152\n" "new errors still change the icon")
korvo_run(off_again EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet call,log
          INPUT "start\nidle\nopen \"${cover}\"\nmodel SetErrors 1 2\ndump panes 1\ndump diagnostics\ndump bars 1/1005\nquit\n")
korvo_expect("${out}" "1005 closed" "the switched-off showing is kept with the pane layout")
korvo_expect("${out}" "error-window auto-show off icon-state 3" "the option came back off after the restart")
korvo_expect("${out}" "\n  1505 button [^\n]* unchecked\n" "the warnings came back off after the restart")

# Hiding: nothing selected asks nothing; No hides the messages in every document and the icon
# then says so; the hidden-messages dialog shows a message again.
korvo_run(hide_no EXIT 0 OUTPUT out ARGS --quiet call,log
          INPUT "start\nidle\nopen \"${cover}\"\nmodel SetErrors 1 3\nclick 1/1005 1496\nrow \"DiagnosticsDialog.List\" 0,2 select\nexpect box \"Скрыть выбранные сообщения?*\" answer no\nclick 1/1005 1496\nmodel SetErrors 1 0\ndump diagnostics\nexpect dialog \"HiddenErrors.Title\" answer select \"HiddenErrors.List\" \"#1\" ok\nclick 1/1005 1497\ndump diagnostics\nquit\n")
korvo_expect("${out}" "frame 1 pane-icon 4152\n" "hidden messages make the icon 4152 where it would be 4153")
korvo_expect("${out}" "hidden 2\n  hidden 0 \"Message 1\"\n  hidden 1 \"Message 3\"\n" "No puts both selected messages into the hidden list")
after("${out}" "user click 1497" shown_again)
korvo_expect("${shown_again}" "hidden 1\n  hidden 0 \"Message 1\"\n" "OK in the hidden-messages dialog shows the selected message again")

korvo_run(hide_yes EXIT 0 OUTPUT out ARGS --quiet log
          INPUT "start\nidle\nopen \"${cover}\"\nmodel SetErrors 1 2\nrow \"DiagnosticsDialog.List\" 1 select\nexpect box \"Hide the selected message?*\" answer yes\nclick 1/1005 1496\ndump diagnostics\nrow \"DiagnosticsDialog.List\" 0 select\nexpect box \"Hide the selected message?*\" answer cancel\nclick 1/1005 1496\nquit\n")
korvo_expect("${out}" "call ContainerErrors::BlockError\\(2\\)\ncall kvpf::CKVDiagnosticsDialog::Update\\(" "Yes blocks the message's object and refills the list")
korvo_expect("${out}" "rows 1 grouped active auto-shown\n  row 0 \"Message 1\" objects 1\n  blocked 2\nd[^\n]*\nhidden 0\n" "the blocked message leaves the list and nothing is hidden for good")
after("${out}" "IDCANCEL" cancelled)
if(cancelled MATCHES "BlockError|errorHiddenData::Add")
  message(FATAL_ERROR "Cancel still hid something:\n${cancelled}")
endif()

# Without a document's list the dialog's commands do nothing; the pane's own still work.
korvo_run(no_dialog EXIT 0 OUTPUT out ARGS --quiet log
          INPUT "start\nidle\ncommand 1 784\ncommand 1/1005 1493\ncommand 1/1005 1497\ncommand 1/1005 1603\ndump diagnostics\ncommand 1/1005 1494\ndump panes 1\nquit\n")
if(out MATCHES "CKVDiagnosticsDialog::Update|CHiddenErrorsDlg")
  message(FATAL_ERROR "a dialog command ran without a dialog:\n${out}")
endif()
korvo_expect("${out}" "error-window auto-show off" "the automatic showing switches without a dialog")
korvo_expect("${out}" "dump panes 1\n([^\n]*\n)*1005 closed" "1494 closes the pane")

# Hidden messages over two runs of one host: those hidden stay hidden after a restart, and a
# count in the registry far beyond the messages kept holds up no start: the messages there are
# read.
set(hidden_host ${WORK_DIR}/hidden)
file(REMOVE_RECURSE ${hidden_host})
korvo_run(hidden_kept EXIT 0 ARGS --host ${hidden_host} --quiet call,log
          INPUT "start\nidle\nopen \"${cover}\"\nmodel SetErrors 1 3\nrow \"DiagnosticsDialog.List\" 1 select\nexpect box \"*\" answer no\nclick 1/1005 1496\nquit\n")
set(hive "${hidden_host}/registry/HKEY_CURRENT_USER.reg")
file(READ "${hive}" registry)
string(FIND "${registry}" "[Software\\Velmora\\Korvo CAD 18.0\\HiddenErrors]\n" section)
string(SUBSTRING "${registry}" ${section} -1 rest)
string(FIND "${rest}" "\n[" section_end)
string(SUBSTRING "${rest}" 0 ${section_end} values)
string(REPLACE "\"Count\"=dword:00000001" "\"Count\"=dword:7fffffff" edited_values "${values}")
string(REPLACE "${values}" "${edited_values}" edited "${registry}")
if(section EQUAL -1 OR edited STREQUAL registry)
  message(FATAL_ERROR "the hidden message was not kept where it was looked for:\n${registry}")
endif()
file(WRITE "${hive}" "${edited}")
korvo_run(hidden_huge_count EXIT 0 OUTPUT out ARGS --host ${hidden_host} --quiet call,log
          INPUT "start\nidle\nopen \"${cover}\"\nmodel SetErrors 1 3\ndump diagnostics\nquit\n")
korvo_expect("${out}" "hidden 1\n  hidden 0 \"Message 2\"\n" "the hidden message is read back past the damaged count")
